#include "tables/Csv.h"

#include <QTest>

using Rows = QList<QStringList>;

class CsvTest : public QObject {
    Q_OBJECT
  private slots:
    // The written bytes are worked out by hand; reading them gives the rows back.
    void roundTrip() {
        const Rows rows = {
            {"Name", "Power"},
            {"a,b", "say \"hi\"", "two\rlines", "x\ny", " lead", "trail\t", "", "Ä", "Iron Sword"},
            {""}};
        const QByteArray written = tables::writeCsv(rows);
        QCOMPARE(written, QByteArray("Name,Power\r\n"
                                     "\"a,b\",\"say \"\"hi\"\"\",\"two\rlines\",\"x\ny\","
                                     "\" lead\",\"trail\t\",,\xC3\x84,Iron Sword\r\n"
                                     "\"\"\r\n"));
        const tables::CsvTable table = tables::readCsv(written);
        QVERIFY2(table.ok(), qPrintable(table.error));
        QCOMPARE(table.rows, rows);
        QCOMPARE(table.lineOfRow, QList<int>({1, 2, 5}));
    }

    void spreadsheetInput_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QList<int>>("lines");
        QTest::newRow("BOM, CRLF, quoted numbers, spaces, trailing empty line")
            << QByteArray("\xEF\xBB\xBF\"Name\",Power\r\n\"Horn's   \",\"12\"\r\n Axe ,7\r\n\r\n")
            << Rows{{"Name", "Power"}, {"Horn's   ", "12"}, {" Axe ", "7"}} << QList<int>{1, 2, 3};
        QTest::newRow("LF, a quoted line break, an empty line, no final line end")
            << QByteArray("a,b\n\"x\ny\",\n\nc") << Rows{{"a", "b"}, {"x\ny", ""}, {"c"}}
            << QList<int>{1, 2, 5};
        QTest::newRow("nothing") << QByteArray() << Rows{} << QList<int>{};
    }
    void spreadsheetInput() {
        QFETCH(QByteArray, text);
        QFETCH(Rows, rows);
        QFETCH(QList<int>, lines);
        const tables::CsvTable table = tables::readCsv(text);
        QVERIFY2(table.ok(), qPrintable(table.error));
        QCOMPARE(table.rows, rows);
        QCOMPARE(table.lineOfRow, lines);
    }

    void malformed_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("line");
        QTest::newRow("quote inside a bare field") << QByteArray("a\r\nb\"c\r\n") << 2;
        QTest::newRow("text after a closing quote") << QByteArray("a\n\n\"b\"c\n") << 3;
        QTest::newRow("quote never closed") << QByteArray("a\r\nb,\"c\r\nd\r\n") << 2;
        QTest::newRow("not UTF-8") << QByteArray("a\r\r\n\"b\nc\",\xC4\r\n") << 3;
    }
    void malformed() {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        const tables::CsvTable table = tables::readCsv(text);
        QVERIFY(!table.ok());
        QCOMPARE(table.errorLine, line);
        QVERIFY(table.rows.isEmpty());
    }
};

QTEST_GUILESS_MAIN(CsvTest)
#include "test_csv.moc"
