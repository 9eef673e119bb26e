// Records as spreadsheet tables: export and import, cell by cell with the pages' rules,
// lines matched to records by Row, all or nothing, one undoable change, and the command line.
#include "cli/Commands.h"
#include "rom/Commit.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"
#include "tables/Csv.h"
#include "tables/Tables.h"

#include <QAction>
#include <QListWidget>
#include <QProcess>
#include <QTest>

namespace {

// Sets the cell of record `row` (0 for the first record) under `column` in a table file.
void setCell(const QString& path, int row, const QString& column, const QString& value) {
    tables::CsvTable table = tables::readCsv(synth::readFile(path));
    const qsizetype at = table.rows.value(0).indexOf(column);
    QVERIFY2(at >= 0 && row + 1 < table.rows.size() && at < table.rows[row + 1].size(),
             qPrintable(QString("%1 has no cell \"%2\" in row %3").arg(path, column).arg(row)));
    table.rows[row + 1][at] = value;
    QVERIFY(synth::writeFile(path, tables::writeCsv(table.rows)));
}

// An image with values the pages cannot show: icon 45, element 200, inflict 3, portrait 9,
// region 20; weapon 5 equipped by Garrow only, weapon 4 of icon 36 (Sword).
QByteArray oddImage() {
    QByteArray image = synth::makeImage();
    image[0x0C06C5] = 0x02;
    image[0x0C0B8A] = 36;
    image[0x0C0B95] = 45;
    image[0x0C06C7] = char(200);
    image[0x0C0480] = 3;
    image[0x0C00F0] = 9;
    image[0x00FFD9] = 20;
    return image;
}

struct Opened {
    QTemporaryDir dir;
    QString rom = dir.filePath("rom.smc");
    QString folder = dir.filePath("tables");
    rom::RomFile file;
    explicit Opened(const QByteArray& image) {
        QDir().mkpath(folder);
        synth::writeFile(rom, image);
        file.open(rom);
        tables::writeTables(file.readBytes(0, file.size()), folder);
    }
    QString table(const char* name) const { return QDir(folder).filePath(name); }
};

// The editor's command line, run in a child process: its status, and stderr in `err`.
int runEditor(const QStringList& arguments, QString* err = nullptr) {
    QProcess child;
    child.start(qEnvironmentVariable("VALDRIC_EDITOR"), arguments);
    child.waitForFinished(30000);
    if (err)
        *err = QString::fromLocal8Bit(child.readAllStandardError());
    return child.exitCode();
}

} // namespace

class TablesTest : public QObject {
    Q_OBJECT
  private slots:
    void csvRoundTripAndMalformedText();
    void oneCellInEachFileChangesExactlyItsBytes();
    void badCellWritesNothingAndSaysWhere();
    void linesAreMatchedByRowAndCheckedWhole();
    void spreadsheetFileImports();
    void shortFileImportsWhatItHolds();
    void importIsOneUndoableChange();
    void commandLine();
};

// The written bytes are worked out by hand; reading them gives the rows back. Misplaced
// or unclosed quotes and text that is not UTF-8 are errors at the line of their row.
void TablesTest::csvRoundTripAndMalformedText() {
    const QList<QStringList> rows = {
        {"Name", "Power"},
        {"a,b", "say \"hi\"", "two\rlines", "x\ny", " lead", "trail\t", "", "Ä", "Axe"},
        {""}};
    const QByteArray written = tables::writeCsv(rows);
    QCOMPARE(written, QByteArray("Name,Power\r\n\"a,b\",\"say \"\"hi\"\"\",\"two\rlines\",\"x\ny\","
                                 "\" lead\",\"trail\t\",,\xC3\x84,Axe\r\n\"\"\r\n"));
    const tables::CsvTable table = tables::readCsv(written);
    QCOMPARE(table.rows, rows);
    QCOMPARE(table.lineOfRow, QList<int>({1, 2, 5}));
    // A cell that starts with U+FEFF keeps it, also first in the file, where a bare one would
    // read as the file's byte-order mark.
    const QString mark(QChar(0xFEFF));
    const QList<QStringList> marked = {{mark + "a", "b"}, {mark}};
    QCOMPARE(tables::writeCsv(marked), QByteArray("\"\xEF\xBB\xBF"
                                                  "a\",b\r\n\"\xEF\xBB\xBF\"\r\n"));
    QCOMPARE(tables::readCsv(tables::writeCsv(marked)).rows, marked);
    QCOMPARE(tables::readCsv("x,\xEF\xBB\xBFy\r\n").rows, QList<QStringList>({{"x", mark + "y"}}));
    const std::pair<QByteArray, int> malformed[] = {{"a\r\nb\"c\r\n", 2},
                                                    {"a\n\n\"b\"c\n", 3},
                                                    {"a\r\nb,\"c\r\nd\r\n", 2},
                                                    {"a\r\r\n\"b\nc\",\xC4\r\n", 3}};
    for (const auto& [text, line] : malformed) {
        QVERIFY(!tables::readCsv(text).ok());
        QCOMPARE(tables::readCsv(text).errorLine, line);
    }
}

void TablesTest::oneCellInEachFileChangesExactlyItsBytes() {
    const QByteArray image = oddImage();
    Opened opened(image);
    const tables::Import unchanged = tables::readTables(opened.file, opened.folder);
    QCOMPARE(unchanged.files, 7); // all of them exported, none changes a byte
    QVERIFY(unchanged.problems.isEmpty() && unchanged.spans.isEmpty());
    const auto weapons = tables::readCsv(synth::readFile(opened.table("weapons.csv"))).rows;
    QCOMPARE(weapons.value(5).value(weapons.value(0).indexOf("Item Icon (name)")), "Sword");
    const std::tuple<const char*, int, const char*, const char*, qint64, const char*> cells[] = {
        {"enemies.csv", 5, "HP", "40000", 0x0C4773, "409C"},
        {"weapons.csv", 5, "Equipped by Garrow", "0", 0x0C06C5, "00"}, // bit 0x02
        {"armor.csv", 3, "Status Inflicted", "45", 0x0C047F, "2D"},
        {"accessories.csv", 1, "Effect Value", "250", 0x0C0537, "FA"},
        {"items.csv", 0, "Price", "65000", 0x0C0AC0, "E8FD"},
        {"characters.csv", 3, "HP (Min / Max) 1", "-2", 0x0C00F3, "FEFF"},
        {"header.csv", 0, "ROM Version", "12.5", 0x00FFDB, "0C"}};
    QByteArray expected = image;
    for (const auto& [file, row, column, value, offset, bytes] : cells) {
        setCell(QDir(opened.folder).filePath(file), row, column, value);
        expected.replace(offset, QByteArray::fromHex(bytes).size(), QByteArray::fromHex(bytes));
    }
    const tables::Import import = tables::readTables(opened.file, opened.folder);
    QCOMPARE(import.problems, QStringList());
    QCOMPARE(import.records, int(std::size(cells)));
    QCOMPARE(rom::commitSpans(opened.file, import.spans), rom::CommitResult::Written);
    QVERIFY(synth::readFile(opened.rom) == expected);
}

void TablesTest::badCellWritesNothingAndSaysWhere() {
    Opened opened(oddImage());
    setCell(QDir(opened.folder).filePath("enemies.csv"), 5, "HP", "300");
    setCell(QDir(opened.folder).filePath("header.csv"), 0, "ROM Version", "256");
    setCell(QDir(opened.folder).filePath("header.csv"), 0, "Internal ROM Name", QString(22, 'N'));
    setCell(QDir(opened.folder).filePath("items.csv"), 2, "Secondary Stats Key Item", "2");
    const tables::Import import = tables::readTables(opened.file, opened.folder);
    QCOMPARE(import.problems,
             (QStringList{"items.csv, line 4, column \"Secondary Stats Key Item\": enter a whole "
                          "number from 0 to 1.",
                          "header.csv, line 2, column \"Internal ROM Name\": enter at most 21 "
                          "characters.",
                          "header.csv, line 2, column \"ROM Version\": enter a whole number from "
                          "0 to 255."}));
    QVERIFY(import.spans.isEmpty());
}

// In any order a line goes to its Row's record; whatever else is wrong names file and line,
// and the command line writes nothing.
void TablesTest::linesAreMatchedByRowAndCheckedWhole() {
    using Rows = QList<QStringList>;
    const std::pair<std::function<void(Rows&)>, QStringList> cases[] = {
        {[](Rows& rows) { std::reverse(rows.begin() + 1, rows.end()); }, {}},
        {[](Rows& rows) { rows[2].removeLast(); },
         {"enemies.csv, line 3: 19 cells where the header has 20.",
          "enemies.csv, line 252: the table ends without a line for Row 1."}},
        {[](Rows& rows) { rows[5][0] = "2"; },
         {"enemies.csv, line 6: Row 2 is also on line 4.",
          "enemies.csv, line 252: the table ends without a line for Row 4."}},
        {[](Rows& rows) { rows[0][19] = "Level"; },
         {"enemies.csv, line 1: columns 3 and 20 are both named \"Level\"."}},
        {[](Rows& rows) { rows[0][3] = "Pace"; },
         {"enemies.csv, line 1: unknown column \"Pace\"."}},
        {[](Rows& rows) { rows[0][0] = "Line"; },
         {"enemies.csv, line 1: unknown column \"Line\".",
          "enemies.csv, line 1: there is no \"Row\" column."}},
        {[](Rows& rows) { rows[251][0] = "251"; },
         {"enemies.csv, line 252: Row \"251\" is no record of this table (0 to 250).",
          "enemies.csv, line 252: the table ends without a line for Row 250."}},
        {[](Rows& rows) { rows.remove(6, 13); },
         {"enemies.csv, line 239: the table ends without a line for Row 5, 6, 7, 8, 9, 10, 11, "
          "12, 13, 14 and 3 more."}}};
    const QByteArray image = synth::makeImage();
    Opened opened(image);
    const QByteArray exported = synth::readFile(opened.table("enemies.csv"));
    for (const auto& [change, problems] : cases) {
        tables::CsvTable table = tables::readCsv(exported);
        table.rows[1][2] = "3"; // enemy 0's Level, so that there is something to write
        change(table.rows);
        QVERIFY(synth::writeFile(opened.table("enemies.csv"), tables::writeCsv(table.rows)));
        const int status =
            app::runCommand(QFileInfo(qEnvironmentVariable("VALDRIC_EDITOR")).absolutePath(),
                            app::parseCommandLine(
                                {"valdric-editor", "--import-tables", opened.folder, opened.rom}));
        QCOMPARE(tables::readTables(opened.file, opened.folder).problems, problems);
        QCOMPARE(status, problems.isEmpty() ? 0 : 1);
        QByteArray expected = image;
        if (problems.isEmpty())
            expected[0x0C4702] = 3;
        QVERIFY(synth::readFile(opened.rom) == expected);
        QVERIFY(synth::writeFile(opened.rom, image));
    }
}

// CRLF, a byte-order mark, quoted numbers, a trailing empty line, and only some columns.
void TablesTest::spreadsheetFileImports() {
    const QByteArray image = oddImage();
    Opened opened(image);
    QByteArray text = "\xEF\xBB\xBFRow,Name,\"Gil\"\r\n";
    for (int row = 0; row < 251; ++row)
        text += QStringLiteral("%1,\"x\",\"%2\"\r\n")
                    .arg(row)
                    .arg(row == 7 ? 1234
                                  : quint8(image[0x0C5E02 + 7 * row]) |
                                        quint8(image[0x0C5E03 + 7 * row]) << 8)
                    .toUtf8();
    QVERIFY(synth::writeFile(QDir(opened.folder).filePath("enemies.csv"), text + "\r\n"));
    const tables::Import import = tables::readTables(opened.file, opened.folder);
    QCOMPARE(import.problems, QStringList());
    QCOMPARE(import.spans.size(), 1);
    QCOMPARE(import.spans[0].offset, qint64(0x0C5E33));
    QCOMPARE(import.spans[0].after, QByteArray::fromHex("D204"));
}

// A file that ends inside the enemies' stats: enemy 0's Level is there, enemy 1's is not.
void TablesTest::shortFileImportsWhatItHolds() {
    Opened opened(synth::makeImage().left(0x0C4710));
    setCell(opened.table("enemies.csv"), 0, "Level", "3");
    const tables::Import held = tables::readTables(opened.file, opened.folder);
    QCOMPARE(held.problems, QStringList());
    QCOMPARE(held.spans.size(), 1);
    QCOMPARE(held.spans[0].offset, qint64(0x0C4702));
    QCOMPARE(held.spans[0].after, QByteArray::fromHex("03"));
    setCell(opened.table("enemies.csv"), 1, "Level", "3");
    QCOMPARE(tables::readTables(opened.file, opened.folder).problems,
             QStringList("enemies.csv, line 3, column \"Level\": the open ROM file is too short "
                         "to hold this record."));
}

// Forty Levels and an Attack: one change, its every part readable in the History window.
void TablesTest::importIsOneUndoableChange() {
    const QByteArray image = synth::makeImage();
    Opened opened(image);
    for (int row = 0; row < 40; ++row)
        setCell(opened.table("enemies.csv"), row, "Level", "99");
    setCell(opened.table("weapons.csv"), 5, "Attack", "1");
    EditorFixture f;
    f.openRom(opened.rom);
    f.answerFileDialogs({opened.folder});
    f.trigger("mnuImportTables");
    const QList<qint64> changed = synth::changedOffsets(image, synth::readFile(opened.rom));
    QCOMPARE(changed.size(), 41);
    QCOMPARE(changed.first(), 0x0C027B);
    QCOMPARE(changed[1], 0x0C4702);
    QCOMPARE(changed.last(), 0x0C4702 + 39 * 23);
    QCOMPARE(f.find<QAction>("mnuUndoApply")->text(),
             QString("&Undo Apply: Import of 41 records from tables"));
    QStringList row;
    QStringList changes;
    QVERIFY(f.withDialog("mnuHistory", [&](QWidget* history) {
        row = EditorFixture::rowsOf(history, "HistoryLST");
        changes = EditorFixture::rowsOf(history, "HistoryDetailLST");
    }));
    QCOMPARE(row.size(), 1);
    QVERIFY2(row[0].contains("  Import of 41 records from tables  Enemy 0 Level: 74 \u2192 99, "
                             "Enemy 1 Level: ") &&
                 row[0].endsWith(", +39 more"),
             qPrintable(row[0]));
    QCOMPARE(changes.size(), 41);
    QCOMPARE(changes[0], QString("Enemy 0 Level: 74 \u2192 99"));
    QVERIFY2(changes[39].startsWith("Enemy 39 Level: "), qPrintable(changes[39]));
    QCOMPARE(changes[40], QString("Item 5 Attack: %1 \u2192 1").arg(quint8(image[0x0C027B])));
    f.trigger("mnuUndoApply");
    QVERIFY(synth::readFile(opened.rom) == image);
}

// Usage errors give status 2; missing tables, unfamiliar images without --force, a copier
// header on import and a bad cell give 1 with nothing written; export makes its folder and
// reads a headered image. A write that fails part way is undoable in the window.
void TablesTest::commandLine() {
    const QByteArray image = synth::makeImage();
    Opened opened(image);
    QByteArray unfamiliar = image;
    unfamiliar[0x00FFDE] = char(unfamiliar[0x00FFDE] + 1); // the checksum pair no longer adds up
    const QString odd = opened.dir.filePath("odd.smc");
    const QString headered = opened.dir.filePath("headered.smc");
    const QString made = opened.dir.filePath("made/for/tables");
    QVERIFY(synth::writeFile(odd, unfamiliar));
    QVERIFY(synth::writeFile(headered, synth::withCopierHeader(image)));
    const QString& folder = opened.folder;
    const std::tuple<QStringList, int, QString> runs[] = {
        {{"--bogus", opened.rom}, 2, "Unknown option 'bogus'.\n\nUsage: valdric-editor [FILE]"},
        {{"--import-tables", folder}, 2, "A table command works on one FILE."},
        {{"--import-tables", opened.dir.filePath("missing"), opened.rom}, 1, "does not exist"},
        {{"--import-tables", opened.dir.path(), opened.rom}, 1, "holds none of the tables"},
        {{"--export-tables", folder, odd}, 1, "\"odd.smc\" does not look like a ROM image"},
        {{"--import-tables", folder, odd}, 1, "Give --force to use it anyway."},
        {{"--export-tables", folder, "--force", odd}, 0, ""},
        {{"--import-tables", folder, "--force", odd}, 0, ""},
        {{"--import-tables", folder, headered}, 1, "copier header"},
        {{"--export-tables", made, headered}, 0, ""}};
    for (const auto& [arguments, status, says] : runs) {
        QString err;
        QCOMPARE(runEditor(arguments, &err), status);
        QVERIFY2(says.isEmpty() ? err.isEmpty() : err.contains(says), qPrintable(err));
    }
    QVERIFY(synth::readFile(opened.rom) == image && synth::readFile(odd) == unfamiliar);
    QCOMPARE(synth::readFile(headered).size(), 4194816);
    QCOMPARE(synth::readFile(made + "/enemies.csv"), synth::readFile(opened.table("enemies.csv")));
    setCell(opened.table("enemies.csv"), 0, "Level", "-1");
    QString err;
    QCOMPARE(runEditor({"--import-tables", folder, opened.rom}, &err), 1);
    QVERIFY2(err.contains("enemies.csv, line 2, column \"Level\""), qPrintable(err));
    setCell(opened.table("enemies.csv"), 0, "Level", "3");
    QCOMPARE(runEditor({"--import-tables", folder, opened.rom}), 0);
    QCOMPARE(synth::readFile(opened.rom).at(0x0C4702), '\x03');
    // The disk gives out after the first byte: status 1, and that byte is in the history.
    setCell(opened.table("enemies.csv"), 0, "Level", "4");
    setCell(opened.table("enemies.csv"), 1, "Level", "5");
    rom::setDiskFault(rom::DiskFault{1});
    const int status = app::runCommand(
        QFileInfo(qEnvironmentVariable("VALDRIC_EDITOR")).absolutePath(),
        app::parseCommandLine({"valdric-editor", "--import-tables", folder, opened.rom}));
    rom::setDiskFault(std::nullopt);
    QCOMPARE(status, 1);
    QCOMPARE(synth::changedOffsets(image, synth::readFile(opened.rom)), QList<qint64>{0x0C4702});
    QCOMPARE(synth::readFile(opened.rom).at(0x0C4702), '\x04');
    EditorFixture f;
    f.openRom(opened.rom);
    QCOMPARE(f.find<QAction>("mnuUndoApply")->text(),
             QString("&Undo Apply: Import of 2 records from tables"));
    f.trigger("mnuUndoApply");
    QCOMPARE(synth::readFile(opened.rom).at(0x0C4702), '\x03');
}

QTEST_MAIN(TablesTest)
#include "test_tables.moc"
