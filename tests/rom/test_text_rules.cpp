// The two text rules of the core: the game's name text, and the numbers of every text box
// (decimal text, halves to even, what each encoding accepts and stores).
#include "rom/NameText.h"
#include "rom/NumberRules.h"

#include <QTest>

using rom::Encoding;
Q_DECLARE_METATYPE(rom::Encoding)

class TextRulesTest : public QObject {
    Q_OBJECT
  private slots:
    void nameText();
    void wholeNumbers();
    void rangesAndStoredValues_data();
    void rangesAndStoredValues();
};

// All 256 values: capitals from 0xA0, small letters from 0xBA, 0xE2 an apostrophe, 0xEF a
// space, every other byte nothing; spaces are kept wherever they stand.
void TextRulesTest::nameText() {
    for (int b = 0; b < 256; ++b) {
        QString expected;
        if (b >= 0xA0 && b <= 0xB9)
            expected = QChar(u'A' + (b - 0xA0));
        else if (b >= 0xBA && b <= 0xD3)
            expected = QChar(u'a' + (b - 0xBA));
        else if (b == 0xE2 || b == 0xEF)
            expected = b == 0xE2 ? "'" : " ";
        QCOMPARE(rom::decodeNameText(QByteArray(1, static_cast<char>(b))), expected);
    }
    QCOMPARE(rom::decodeNameText(QByteArray::fromHex("EFA7C8CBC7E2CC30EFEF")), " Horn's  ");
}

void TextRulesTest::wholeNumbers() {
    const std::pair<const char*, qlonglong> cases[] = {
        {"0", 0},      {"255", 255},   {"-1", -1},     {" 7 ", 7},    {"007", 7},
        {"12.5", 12},  {"13.5", 14},   {"12.51", 13},  {"-0.5", 0},   {"-1.5", -2},
        {"2.4999", 2}, {"254.5", 254}, {"255.5", 256}, {"5.", 5},     {".5", 0},
        {"", -999},    {"ab", -999},   {"1,0", -999},  {"1e2", -999}, {"+5", -999},
        {"--1", -999}, {"1 2", -999},  {"-", -999},    {"٣", -999},   {"9999999999999", -999}};
    for (const auto& [text, value] : cases) // -999: no number
        QVERIFY2(rom::parseWholeNumber(QString::fromUtf8(text)).value_or(-999) == value, text);
}

void TextRulesTest::rangesAndStoredValues_data() {
    QTest::addColumn<Encoding>("encoding");
    QTest::addColumn<qlonglong>("minimum");
    QTest::addColumn<qlonglong>("maximum");
    QTest::addColumn<qlonglong>("entry");
    QTest::addColumn<int>("stored");
    const Encoding wrapped = Encoding::Wrapped16;
    QTest::newRow("byte") << Encoding::Byte << 0LL << 255LL << 255LL << 255;
    QTest::newRow("signed") << Encoding::Signed16 << -32768LL << 32767LL << -2LL << -2;
    QTest::newRow("unsigned") << Encoding::Unsigned16 << 0LL << 65535LL << 65535LL << 65535;
    QTest::newRow("wrapped 40000") << wrapped << -32768LL << 98303LL << 40000LL << 40000;
    QTest::newRow("wrapped -1") << wrapped << -32768LL << 98303LL << -1LL << 65535;
    QTest::newRow("wrapped -32768") << wrapped << -32768LL << 98303LL << -32768LL << 32768;
    QTest::newRow("wrapped 70000") << wrapped << -32768LL << 98303LL << 70000LL << 4464;
    QTest::newRow("wrapped 98303") << wrapped << -32768LL << 98303LL << 98303LL << 32767;
}

void TextRulesTest::rangesAndStoredValues() {
    QFETCH(Encoding, encoding);
    QFETCH(qlonglong, minimum);
    QFETCH(qlonglong, maximum);
    QFETCH(qlonglong, entry);
    QFETCH(int, stored);
    QCOMPARE(rom::entryRange(encoding).minimum, minimum);
    QCOMPARE(rom::entryRange(encoding).maximum, maximum);
    QCOMPARE(rom::storedValue(encoding, entry), stored);
    const int width = rom::widthOf(encoding, 0); // what is stored is what the bytes say
    QCOMPARE(rom::decodeNumber(encoding, rom::encodeNumber(stored, width)), stored);
}

QTEST_GUILESS_MAIN(TextRulesTest)
#include "test_text_rules.moc"
