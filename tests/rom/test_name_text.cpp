#include "rom/NameText.h"

#include <QTest>

class NameTextTest : public QObject {
    Q_OBJECT
  private slots:
    void everyByteDecodesToItsTableEntry();
    void fieldsDecode_data();
    void fieldsDecode();
};

// All 256 values: 54 give one character, the rest nothing.
void NameTextTest::everyByteDecodesToItsTableEntry() {
    int characters = 0;
    for (int b = 0; b < 256; ++b) {
        QString expected;
        if (b >= 0xA0 && b <= 0xB9)
            expected = QChar(u'A' + (b - 0xA0));
        else if (b >= 0xBA && b <= 0xD3)
            expected = QChar(u'a' + (b - 0xBA));
        else if (b == 0xE2)
            expected = QStringLiteral("'");
        else if (b == 0xEF)
            expected = QStringLiteral(" ");
        const QString decoded = rom::decodeNameText(QByteArray(1, static_cast<char>(b)));
        QCOMPARE(decoded, expected);
        characters += decoded.size();
    }
    QCOMPARE(characters, 54);
}

void NameTextTest::fieldsDecode_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("letter bounds") << QByteArray::fromHex("A0B9BAD3") << "AZaz";
    QTest::newRow("just outside the letters") << QByteArray::fromHex("9FD4") << "";
    QTest::newRow("trailing spaces kept")
        << QByteArray::fromHex("A7C8CBC7E2CCEFEFEFEFEF") << "Horn's     ";
    QTest::newRow("leading space kept") << QByteArray::fromHex("EFA0") << " A";
    QTest::newRow("ASCII digits give nothing") << QByteArray("0123456789") << "";
    QTest::newRow("all zero") << QByteArray(11, '\0') << "";
    QTest::newRow("all FF") << QByteArray(11, '\xFF') << "";
    QTest::newRow("empty field") << QByteArray() << "";
}

void NameTextTest::fieldsDecode() {
    QFETCH(QByteArray, field);
    QFETCH(QString, text);
    QCOMPARE(rom::decodeNameText(field), text);
}

QTEST_GUILESS_MAIN(NameTextTest)
#include "test_name_text.moc"
