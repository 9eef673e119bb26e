#include "ui/NumberText.h"

#include <QTest>

class NumberTextTest : public QObject {
    Q_OBJECT
  private slots:
    void wholeNumbers_data();
    void wholeNumbers();
    void notNumbers_data();
    void notNumbers();
    void wrapsToInteger_data();
    void wrapsToInteger();
    void unsignedText_data();
    void unsignedText();
};

void NumberTextTest::wholeNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("value");
    QTest::newRow("plain") << "12" << 12LL;
    QTest::newRow("zero") << "0" << 0LL;
    QTest::newRow("blanks around") << " 7 " << 7LL;
    QTest::newRow("tab and newline") << "\t7\n" << 7LL;
    QTest::newRow("minus") << "-5" << -5LL;
    QTest::newRow("minus zero") << "-0" << 0LL;
    QTest::newRow("leading zeros") << "007" << 7LL;
    QTest::newRow("below a half") << "12.4" << 12LL;
    QTest::newRow("above a half") << "12.6" << 13LL;
    QTest::newRow("12.5 to even") << "12.5" << 12LL;
    QTest::newRow("13.5 to even") << "13.5" << 14LL;
    QTest::newRow("-12.5 to even") << "-12.5" << -12LL;
    QTest::newRow("-13.5 to even") << "-13.5" << -14LL;
    QTest::newRow("0.5 to even") << "0.5" << 0LL;
    QTest::newRow("1.5 to even") << "1.5" << 2LL;
    QTest::newRow("just above a half") << "2.5000001" << 3LL;
    QTest::newRow("just below a half") << "2.4999999" << 2LL;
    QTest::newRow("half with trailing zeros") << "2.5000" << 2LL;
    QTest::newRow("fraction only") << ".5" << 0LL;
    QTest::newRow("fraction only, above a half") << ".6" << 1LL;
    QTest::newRow("point without fraction") << "5." << 5LL;
    QTest::newRow("minus fraction only") << "-.5" << 0LL;
    QTest::newRow("255.5 rounds out of a byte") << "255.5" << 256LL;
    QTest::newRow("twelve digits") << "999999999999" << 999999999999LL;
    QTest::newRow("many leading zeros") << QString(40, '0') + "42" << 42LL;
    QTest::newRow("long fraction") << "1." + QString(60, '4') << 1LL;
}

void NumberTextTest::wholeNumbers() {
    QFETCH(QString, text);
    QFETCH(qlonglong, value);
    const std::optional<long long> parsed = ui::parseWholeNumber(text);
    QVERIFY(parsed.has_value());
    QCOMPARE(*parsed, value);
}

void NumberTextTest::notNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "   ";
    QTest::newRow("letters") << "abc";
    QTest::newRow("digits then a letter") << "12a";
    QTest::newRow("grouping comma") << "1,000";
    QTest::newRow("grouping blank") << "1 000";
    QTest::newRow("exponent") << "1e3";
    QTest::newRow("plus sign") << "+5";
    QTest::newRow("two minus signs") << "--1";
    QTest::newRow("minus alone") << "-";
    QTest::newRow("point alone") << ".";
    QTest::newRow("minus and point") << "-.";
    QTest::newRow("blank after minus") << "- 5";
    QTest::newRow("two points") << "1.2.3";
    QTest::newRow("hexadecimal") << "0x10";
    QTest::newRow("comma as decimal point") << "1,5";
    QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("١٢");
    QTest::newRow("fullwidth digits") << QString::fromUtf8("１２");
    QTest::newRow("thirteen digits") << "1000000000000";
    QTest::newRow("forty nines") << QString(40, '9');
    QTest::newRow("forty nines, negative") << "-" + QString(40, '9');
}

void NumberTextTest::notNumbers() {
    QFETCH(QString, text);
    QCOMPARE(ui::parseWholeNumber(text), std::optional<long long>());
}

void NumberTextTest::wrapsToInteger_data() {
    QTest::addColumn<qlonglong>("value");
    QTest::addColumn<int>("stored");
    QTest::newRow("65535") << 65535LL << -1;
    QTest::newRow("40000") << 40000LL << -25536;
    QTest::newRow("70000") << 70000LL << 4464;
    QTest::newRow("98303") << 98303LL << 32767;
    QTest::newRow("-1") << -1LL << -1;
    QTest::newRow("-32768") << -32768LL << -32768;
    QTest::newRow("0") << 0LL << 0;
    QTest::newRow("32767") << 32767LL << 32767;
    QTest::newRow("32768") << 32768LL << -32768;
    QTest::newRow("65536") << 65536LL << 0;
}

void NumberTextTest::wrapsToInteger() {
    QFETCH(qlonglong, value);
    QFETCH(int, stored);
    QCOMPARE(static_cast<int>(ui::wrapToInteger(value)), stored);
}

void NumberTextTest::unsignedText_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("text");
    QTest::newRow("-1") << -1 << "65535";
    QTest::newRow("-25536") << -25536 << "40000";
    QTest::newRow("-32768") << -32768 << "32768";
    QTest::newRow("0") << 0 << "0";
    QTest::newRow("32767") << 32767 << "32767";
}

void NumberTextTest::unsignedText() {
    QFETCH(int, stored);
    QFETCH(QString, text);
    QCOMPARE(ui::unsignedText(static_cast<std::int16_t>(stored)), text);
}

QTEST_GUILESS_MAIN(NumberTextTest)
#include "test_number_text.moc"
