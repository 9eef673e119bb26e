// View > Table View against a synthetic image: cells as the file holds them, sorting,
// filtering, inline edits applied as one undoable change, conflicts, changes marked since
// the original, formulas, showing records in the main window, closing with edits, and
// compare mode against another image or a patch, with a three-way merge.
#include "patches/Ips.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"
#include "tableview/TableWindow.h"
#include "ui/EditorSettings.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QDateTime>
#include <QDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QXYSeries>

namespace {

// Enemy stat records are 23 bytes from 0x0C4700: HP is the word at +0, Level the byte at +2.
const auto hpAt = [](int enemy) { return qint64(0x0C4700 + 23 * enemy); };
const auto levelAt = [](int enemy) { return qint64(0x0C4702 + 23 * enemy); };

int hpIn(const QByteArray& image, int enemy) {
    return quint8(image[hpAt(enemy)]) | quint8(image[hpAt(enemy) + 1]) << 8;
}

// The generator's image with these enemies' HP and Level.
QByteArray imageWith(const QList<std::tuple<int, int, int>>& enemies) {
    QByteArray image = synth::makeImage();
    for (const auto& [enemy, hp, level] : enemies) {
        synth::putInteger(image, hpAt(enemy), quint16(hp));
        synth::putByte(image, levelAt(enemy), quint8(level));
    }
    return image;
}

struct Table {
    EditorFixture& f;
    app::TableWindow* window = nullptr;
    QTableView* grid = nullptr;

    // Opens `image` in the main window and View > Table View on it.
    Table(EditorFixture& fixture, const QByteArray& image, bool keptColumns = false) : f(fixture) {
        if (!keptColumns) // each test starts from columns, sort and filter as first shown
            app::editorSettings().remove("Table Columns");
        f.openImage(image);
        f.trigger("mnuTableView");
        window = f.window().findChild<app::TableWindow*>("TableWindow");
        if (window)
            grid = window->findChild<QTableView*>("TableGRD");
    }
    template <typename W> W* find(const char* name) { return window->findChild<W*>(name); }

    void showKind(int tab) {
        auto* tabs = find<QTabBar>("TableKindTabs");
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
    }
    int column(const QString& caption) const {
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            if (grid->model()->headerData(c, Qt::Horizontal).toString() == caption)
                return c;
        return -1;
    }
    // The cell of record `row` (as the Row column shows it) under `caption`.
    QModelIndex cell(int row, const QString& caption) const {
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            if (grid->model()->index(r, 0).data().toInt() == row)
                return grid->model()->index(r, column(caption));
        return {};
    }
    QStringList shownRows() const {
        QStringList rows;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            rows << grid->model()->index(r, 0).data().toString();
        return rows;
    }
    // A click on the cell, then typing, which starts the editor, and Enter.
    void type(const QModelIndex& index, const QString& text) {
        clickCell(index);
        QTest::keyClicks(grid, text.left(1));
        finishTyping(qobject_cast<QLineEdit*>(window->focusWidget()), text.mid(1));
    }
    void typeAt(int row, const QString& caption, const QString& text) {
        type(grid->model()->index(row, column(caption)), text);
    }
    void finishTyping(QLineEdit* editor, const QString& text) {
        QVERIFY(editor);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The view takes the entry once the key has been handled.
        const QPointer<QLineEdit> closing(editor);
        QTRY_VERIFY(!closing || !closing->isVisible());
    }
    void select(const QList<QModelIndex>& cells) {
        for (const QModelIndex& index : cells)
            clickCell(index, index == cells.first() ? Qt::NoModifier : Qt::ControlModifier);
    }
    void setSelected(const QString& formula, bool relative) {
        if (auto* box = find<QCheckBox>("TableRelativeCHK"); box->isChecked() != relative)
            QTest::mouseClick(box, Qt::LeftButton);
        find<QLineEdit>("TableFormulaTXT")->setText(formula);
        QTest::mouseClick(find<QPushButton>("TableFormulaCMD"), Qt::LeftButton);
    }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    void sortBy(const QString& caption) {
        QHeaderView* header = grid->horizontalHeader();
        grid->scrollTo(grid->model()->index(0, column(caption)));
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column(caption)) + 5, header->height() / 2));
    }
    // A click on the cell, with `modifiers` as a spreadsheet user extends a selection.
    void clickCell(const QModelIndex& index, Qt::KeyboardModifiers modifiers = {}) {
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers,
                          grid->visualRect(index).center());
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    // The cells as the grid shows their values, record by record.
    QStringList values(const QList<int>& rows, const QStringList& captions) const {
        QStringList shown;
        for (const int row : rows)
            for (const QString& caption : captions)
                shown << cell(row, caption).data(Qt::EditRole).toString();
        return shown;
    }
    bool edited(int row, const QString& caption) const {
        return cell(row, caption).data(Qt::BackgroundRole).isValid();
    }
};

// The window is active and its grid has the keyboard, as after a click into it.
void focusGrid(Table& table) {
    table.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(table.window));
    table.grid->setFocus();
    QTRY_VERIFY(table.grid->hasFocus());
}

} // namespace

// The fixture `f` and, on `image`, the table window `table`; the test ends here without a grid.
#define OPEN_TABLE(f, table, image)                                                                \
    EditorFixture f;                                                                               \
    Table table(f, image);                                                                         \
    QVERIFY(table.grid)

class TableWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void entriesFollowTheRom();
    void cellsShowTheFileAndSortNumerically();
    void filterByTextOrExpression();
    void inlineEditsApplyAsOneUndoableChange();
    void editedRowsKeepTheirPlaceUntilSortedAgain();
    void conflictingRecordIsNotWritten();
    void formulaFromOriginalOrCompounded_data();
    void formulaFromOriginalOrCompounded();
    void formulaResultOutOfRangeIsListed();
    void changesSinceTheOriginalAreMarked();
    void recordsShowInTheMainWindow();
    void blockCopiedPastedUndoneAndApplied();
    void pastedCellsThatRefuseAreListed();
    void fillDownAndOneValueIntoASelection();
    void keysOfASpreadsheet();
    void guessedNamesFilterAsExactOnes_data();
    void guessedNamesFilterAsExactOnes();
    void namesAreCompletedAndListed();
    void numbersOfTheSelectionAndChangedRowsOnly();
    void columnsAreKeptPerKind();
    void closingWithEditsAsks();
    void compareWithAnImageAndMergeTheirChanges();
    void compareWithAPatch();
};

void TableWindowTest::entriesFollowTheRom() {
    EditorFixture f;
    QAction* tableView = f.find<QAction>("mnuTableView");
    QAction* findRecord = f.find<QAction>("mnuFindRecord");
    QVERIFY(tableView && findRecord);
    QCOMPARE(tableView->shortcut(), QKeySequence("Ctrl+T"));
    QCOMPARE(findRecord->shortcut(), QKeySequence("Ctrl+F"));
    QVERIFY(!tableView->isEnabled() && !findRecord->isEnabled());
    Table table(f, synth::makeImage());
    QVERIFY(tableView->isEnabled() && findRecord->isEnabled());
    QVERIFY(table.window && table.window->isVisible());
    auto* tabs = table.find<QTabBar>("TableKindTabs");
    QVERIFY(tabs);
    QStringList captions;
    for (int tab = 0; tab < tabs->count(); ++tab)
        captions << tabs->tabText(tab);
    QCOMPARE(captions,
             QStringList({"Enemies", "Weapons", "Armor", "Accessories", "Items", "Characters"}));
    // Removing the file closes the window at the next write, with the main window's notice.
    QVERIFY(QFile::remove(f.folder() + "/test.smc"));
    f.apply();
    QTRY_VERIFY(!f.window().findChild<app::TableWindow*>("TableWindow"));
    QVERIFY(!tableView->isEnabled());
}

void TableWindowTest::cellsShowTheFileAndSortNumerically() {
    OPEN_TABLE(f, table, imageWith({{5, 0x1234, 7}, {6, 9, 7}, {7, 10, 7}, {8, 100, 7}}));
    QCOMPARE(table.cell(5, "HP").data().toString(), QString("4660"));
    QCOMPARE(table.cell(5, "Level").data().toString(), QString("7"));
    QCOMPARE(table.cell(5, "Name").data().toString(), synth::enemyName(5));
    table.showKind(1);
    // Weapon 3's attack byte at 0x0C0262 + 5 * 3; its critical % right after the unknown.
    QCOMPARE(table.cell(3, "Attack").data().toInt(), int(quint8(f.fileBytes()[0x0C0271])));
    QCOMPARE(table.cell(3, "Critical %").data().toInt(), int(quint8(f.fileBytes()[0x0C0273])));
    table.showKind(0);
    const int hp = table.column("HP");
    table.sortBy("HP");
    QList<int> shown;
    for (int r = 0; r < table.grid->model()->rowCount(); ++r)
        shown << table.grid->model()->index(r, hp).data().toInt();
    QList<int> expected;
    for (int enemy = 0; enemy < 251; ++enemy)
        expected << hpIn(f.fileBytes(), enemy);
    std::sort(expected.begin(), expected.end());
    QCOMPARE(shown, expected);
    QVERIFY(shown.indexOf(9) < shown.indexOf(10) && shown.indexOf(10) < shown.indexOf(100));
}

void TableWindowTest::filterByTextOrExpression() {
    OPEN_TABLE(f, table, synth::makeImage());
    auto* filter = table.find<QLineEdit>("TableFilterTXT");
    filter->setFocus();
    QTest::keyClicks(filter, "HP > 1000 && Level < 20");
    const QByteArray image = f.fileBytes();
    QStringList expected;
    for (int enemy = 0; enemy < 251; ++enemy)
        if (hpIn(image, enemy) > 1000 && quint8(image[levelAt(enemy)]) < 20)
            expected << QString::number(enemy);
    QVERIFY(!expected.isEmpty() && expected.size() < 251);
    QCOMPARE(table.shownRows(), expected);
    // Plain text finds a row number or part of a name.
    filter->setText(synth::enemyName(42).mid(1, 4).toLower());
    QVERIFY(table.shownRows().contains("42"));
    filter->setText("42");
    QCOMPARE(table.shownRows(), QStringList("42"));
    QCOMPARE(table.grid->model()->headerData(table.column("Lightning Defense"), Qt::Horizontal,
                                             Qt::ToolTipRole),
             QVariant("In formulas and filters: LightningDefense"));
    table.showKind(2); // armor, whose first row is record 87
    filter->setText("90");
    QCOMPARE(table.shownRows(), QStringList("90"));
}

void TableWindowTest::inlineEditsApplyAsOneUndoableChange() {
    QByteArray image = imageWith({{5, 3321, 40}, {7, 800, 12}});
    image[0x0C5E27] = 7; // enemy 5's dropped item, in its 7-byte reward record at +4
    OPEN_TABLE(f, table, image);
    table.clickCell(table.cell(5, "Item Dropped"));
    QTest::keyClick(table.grid, Qt::Key_F2);
    auto* items = table.grid->viewport()->findChild<QComboBox*>();
    QVERIFY(items);
    QTest::keyClick(items, Qt::Key_F4); // the list drops down; its row is typed and taken
    QTest::keyClicks(items->view(), synth::itemName(3));
    QTest::keyClick(items->view(), Qt::Key_Return);
    table.type(table.cell(5, "HP"), "300");
    table.type(table.cell(7, "Level"), "13");
    table.type(table.cell(7, "Defense"), "256");
    QTRY_COMPARE(f.messageTexts(), QStringList("Defense: enter a whole number from 0 to 255."));
    QVERIFY(table.cell(5, "HP").data(Qt::BackgroundRole).isValid());
    QVERIFY(!table.cell(5, "Level").data(Qt::BackgroundRole).isValid());
    QCOMPARE(f.fileBytes(), image); // nothing written before Apply
    table.click("TableApplyCMD");
    QCOMPARE(synth::changedOffsets(image, f.fileBytes()),
             (QList<qint64>{0x0C4773, 0x0C4774, 0x0C47A3, 0x0C5E27}));
    QCOMPARE(f.fileBytes().at(0x0C5E27), '\x03');
    QCOMPARE(f.fileBytes().mid(0x0C4773, 2), QByteArray::fromHex("2C01"));
    QCOMPARE(f.fileBytes().at(0x0C47A3), '\x0D');
    QVERIFY(!table.cell(5, "HP").data(Qt::BackgroundRole).isValid());
    QCOMPARE(f.find<QAction>("mnuUndoApply")->text(),
             QString("&Undo Apply: Table edit of 2 records"));
    QCOMPARE(table.cell(5, "Item Dropped").data().toString(), synth::itemName(3));
    f.trigger("mnuUndoApply");
    QCOMPARE(f.fileBytes(), image);
    QTRY_COMPARE(table.cell(5, "HP").data().toString(), QString("3321"));
    // Discard drops edits.
    table.type(table.cell(5, "HP"), "1");
    table.click("TableDiscardCMD");
    QCOMPARE(table.cell(5, "HP").data().toString(), QString("3321"));
    QVERIFY(!table.find<QPushButton>("TableApplyCMD")->isEnabled());
}

// Sorted by HP, enemies 5, 6 and 7 come first. An edited row stays at its view row, so the next
// edit at the next view row lands on the record shown there; sorting again moves them.
void TableWindowTest::editedRowsKeepTheirPlaceUntilSortedAgain() {
    const QByteArray image = imageWith({{5, 1, 1}, {6, 2, 1}, {7, 3, 1}});
    OPEN_TABLE(f, table, image);
    table.sortBy("HP");
    QCOMPARE(table.shownRows().mid(0, 3), QStringList({"5", "6", "7"}));
    table.typeAt(0, "HP", "9000");
    QCOMPARE(table.shownRows().mid(0, 3), QStringList({"5", "6", "7"}));
    table.typeAt(1, "HP", "8000");
    table.click("TableApplyCMD");
    QCOMPARE(synth::changedOffsets(image, f.fileBytes()),
             (QList<qint64>{0x0C4773, 0x0C4774, 0x0C478A, 0x0C478B}));
    QCOMPARE(f.fileBytes().mid(0x0C4773, 2) + f.fileBytes().mid(0x0C478A, 2),
             QByteArray::fromHex("2823401F"));
    QCOMPARE(table.shownRows().mid(0, 3), QStringList({"5", "6", "7"}));
    table.sortBy("HP"); // descending now
    table.sortBy("HP");
    QCOMPARE(table.shownRows().mid(0, 1), QStringList("7"));
}

void TableWindowTest::conflictingRecordIsNotWritten() {
    const QByteArray image = imageWith({{5, 3321, 40}, {6, 500, 10}});
    OPEN_TABLE(f, table, image);
    table.type(table.cell(5, "Level"), "41");
    table.type(table.cell(6, "HP"), "600");
    // Another program changes record 5 under its edit, and record 9, which has none.
    EditorFixture::writeInPlace(f.folder() + "/test.smc", 0x0C4773, QByteArray::fromHex("0102"));
    EditorFixture::writeInPlace(f.folder() + "/test.smc", 0x0C47CF, QByteArray::fromHex("3412"));
    QTRY_COMPARE(table.cell(9, "HP").data().toString(), QString("4660"));
    QVERIFY(table.cell(5, "HP").data(Qt::BackgroundRole).isValid()); // the whole row
    table.click("TableApplyCMD");
    QByteArray expected = image;
    expected.replace(0x0C4773, 2, QByteArray::fromHex("0102"));
    expected.replace(0x0C478A, 2, QByteArray::fromHex("5802"));
    expected.replace(0x0C47CF, 2, QByteArray::fromHex("3412"));
    QCOMPARE(f.fileBytes(), expected);
    QCOMPARE(f.messageTexts().size(), 1);
    QVERIFY2(f.messageTexts()[0].contains("Enemy 5 " + synth::enemyName(5)),
             qPrintable(f.messageTexts()[0]));
    QCOMPARE(table.cell(5, "Level").data().toString(), QString("41"));
}

void TableWindowTest::formulaFromOriginalOrCompounded_data() {
    QTest::addColumn<bool>("relative");
    QTest::addColumn<QByteArray>("bytes"); // HP of enemies 0, 1 and 2 after two runs
    // 1000, 2001 and 3 times 1.5 once: 1500, 3001.5 -> 3002, 4.5 -> 4.
    QTest::newRow("from the original") << true << QByteArray::fromHex("DC05BA0B0400");
    // Twice: 2250, 4503, 6.
    QTest::newRow("compounded") << false << QByteArray::fromHex("CA0897110600");
}

void TableWindowTest::formulaFromOriginalOrCompounded() {
    QFETCH(bool, relative);
    QFETCH(QByteArray, bytes);
    const QByteArray image = imageWith({{0, 1000, 1}, {1, 2001, 1}, {2, 3, 1}});
    OPEN_TABLE(f, table, image);
    for (int run = 0; run < 2; ++run) {
        table.select({table.cell(0, "HP"), table.cell(1, "HP"), table.cell(2, "HP")});
        table.setSelected("x * 1.5", relative);
        table.click("TableApplyCMD");
    }
    const QByteArray file = f.fileBytes();
    QCOMPARE(file.mid(0x0C4700, 2) + file.mid(0x0C4717, 2) + file.mid(0x0C472E, 2), bytes);
    QCOMPARE(synth::changedOffsets(image, file).size(), 5); // the last word's high byte stays
    QVERIFY(f.messageTexts().isEmpty());
}

void TableWindowTest::formulaResultOutOfRangeIsListed() {
    const QByteArray image = imageWith({{0, 10, 1}, {1, 20, 2}, {2, 30, 3}});
    OPEN_TABLE(f, table, image);
    table.select({table.cell(0, "Level"), table.cell(1, "Level"), table.cell(2, "Level")});
    table.setSelected("min(255, x * 100) + HP / 10", false);
    QCOMPARE(f.messageTexts().size(), 1);
    QVERIFY2(f.messageTexts()[0].contains("Enemy 2 " + synth::enemyName(2) +
                                          ", Level: 258 (enter a whole number from 0 to 255.)"),
             qPrintable(f.messageTexts()[0]));
    QCOMPARE(table.cell(0, "Level").data().toString(), QString("101"));
    QCOMPARE(table.cell(1, "Level").data().toString(), QString("202"));
    QCOMPARE(table.cell(2, "Level").data().toString(), QString("3"));
    table.setSelected("x +", false);
    QVERIFY2(f.messageTexts().last().startsWith("The formula cannot be used: Unexpected end"),
             qPrintable(f.messageTexts().last()));
    QCOMPARE(table.cell(0, "Level").data().toString(), QString("101")); // no cell set
    QCOMPARE(f.fileBytes(), image);
}

void TableWindowTest::changesSinceTheOriginalAreMarked() {
    OPEN_TABLE(f, table, imageWith({{4, 700, 9}}));
    table.type(table.cell(4, "HP"), "701");
    table.click("TableApplyCMD");
    QTest::mouseClick(table.find<QCheckBox>("TableMarkChangesCHK"), Qt::LeftButton);
    QCOMPARE(table.cell(4, "HP").data(Qt::ToolTipRole), QVariant("Original: 700"));
    QVERIFY(table.cell(4, "HP").data(Qt::BackgroundRole).isValid());
    QVERIFY(!table.cell(4, "Level").data(Qt::ToolTipRole).isValid());
    f.trigger("mnuUndoApply");
    QTRY_VERIFY(!table.cell(4, "HP").data(Qt::ToolTipRole).isValid());
}

void TableWindowTest::recordsShowInTheMainWindow() {
    OPEN_TABLE(f, table, synth::makeImage());
    focusGrid(table);
    table.clickCell(table.cell(9, "Level"));
    table.key(Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.find<QListWidget>("EnemyLST")->currentRow(), 9);
    QVERIFY(f.find<QListWidget>("EnemyLST")->isVisible());
    f.trigger("mnuFindRecord");
    auto* find = f.window().findChild<QWidget*>("FindRecord");
    QVERIFY(find);
    auto* text = find->findChild<QLineEdit*>("FindTXT");
    auto* list = find->findChild<QListWidget*>("FindLST");
    QVERIFY(text && list);
    QTest::keyClicks(text, synth::itemName(12).left(5).toLower());
    const auto found = list->findItems("Item 12 " + synth::itemName(12), Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found[0]).center());
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(f.find<QListWidget>("ItemLST")->currentRow(), 12);
    QVERIFY(f.find<QListWidget>("ItemLST")->isVisible());
}

void TableWindowTest::closingWithEditsAsks() {
    const QByteArray image = imageWith({{5, 3321, 40}});
    OPEN_TABLE(f, table, image);
    QStringList asked;
    int answer = 2;
    ui::setQuestionHandler([&](const QString& text, const QStringList& buttons) {
        asked << text;
        return buttons == QStringList({"&Apply", "&Discard", "Cancel"}) ? answer : 2;
    });
    table.type(table.cell(5, "HP"), "300");
    QVERIFY(!table.window->close()); // Cancel keeps it open
    answer = 0;
    QVERIFY(table.window->close()); // Apply writes, then it closes
    ui::setQuestionHandler({});
    QCOMPARE(asked.size(), 2);
    QCOMPARE(f.fileBytes().mid(0x0C4773, 2), QByteArray::fromHex("2C01"));
}

void TableWindowTest::blockCopiedPastedUndoneAndApplied() {
    QByteArray image = imageWith({{3, 50, 1},
                                  {5, 0x1111, 1},
                                  {6, 0x2222, 1},
                                  {7, 0x3333, 1},
                                  {9, 100, 1},
                                  {10, 200, 1},
                                  {11, 300, 1}});
    // Experience: the word at +0 of the 7-byte reward records from 0x0C5E00.
    for (const auto& [enemy, experience] :
         {std::pair{5, 11}, {6, 22}, {7, 33}, {9, 1}, {10, 2}, {11, 3}})
        synth::putInteger(image, 0x0C5E00 + 7 * enemy, quint16(experience));
    OPEN_TABLE(f, table, image);
    table.type(table.cell(3, "HP"), "42"); // an earlier edit, which the paste's undo keeps
    focusGrid(table);
    table.clickCell(table.cell(5, "HP"));
    table.clickCell(table.cell(7, "Experience"), Qt::ShiftModifier);
    table.key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("4369\t11\n8738\t22\n13107\t33\n"));
    table.clickCell(table.cell(9, "HP"));
    table.key(Qt::Key_V, Qt::ControlModifier);
    const QStringList pasted{"4369", "11", "8738", "22", "13107", "33"};
    const QStringList before{"100", "1", "200", "2", "300", "3"};
    QCOMPARE(table.values({9, 10, 11}, {"HP", "Experience"}), pasted);
    QCOMPARE(f.find<QAction>("mnuTableUndo", table.window)->text(), QString("&Undo Paste 6 Cells"));
    table.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(table.values({9, 10, 11}, {"HP", "Experience"}), before);
    QVERIFY(!table.edited(9, "HP") && !table.edited(11, "Experience") && table.edited(3, "HP"));
    table.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(table.values({9, 10, 11}, {"HP", "Experience"}), pasted);
    QCOMPARE(f.fileBytes(), image); // nothing written before Apply
    table.key(Qt::Key_Return, Qt::ControlModifier);
    const QByteArray file = f.fileBytes();
    QCOMPARE(synth::changedOffsets(image, file),
             (QList<qint64>{0x0C4745, 0x0C47CF, 0x0C47D0, 0x0C47E6, 0x0C47E7, 0x0C47FD, 0x0C47FE,
                            0x0C5E3F, 0x0C5E46, 0x0C5E4D}));
    QCOMPARE(file.mid(0x0C47CF, 2) + file.mid(0x0C47E6, 2) + file.mid(0x0C47FD, 2) +
                 file[0x0C5E3F] + file[0x0C5E46] + file[0x0C5E4D] + file[0x0C4745],
             QByteArray::fromHex("1111222233330B16212A"));
    QVERIFY(!f.find<QAction>("mnuTableUndo", table.window)->isEnabled());
    f.trigger("mnuUndoApply");
    QCOMPARE(f.fileBytes(), image);
}

void TableWindowTest::pastedCellsThatRefuseAreListed() {
    QByteArray image = imageWith({{20, 10, 1}, {21, 30, 2}});
    synth::putInteger(image, 0x0C5E8C, 1000); // enemy 20's experience
    OPEN_TABLE(f, table, image);
    focusGrid(table);
    QGuiApplication::clipboard()->setText("500\tabc\r\n70000\t20\r\n");
    table.clickCell(table.cell(20, "HP"));
    table.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(table.values({20, 21}, {"HP", "Experience"}),
             QStringList({"500", "1000", "30", "20"}));
    QCOMPARE(f.messageTexts().size(), 1);
    for (const QString& listed : {"Enemy 20 " + synth::enemyName(20) +
                                      ", Experience: abc (enter a whole number from 0 to 65535.)",
                                  "Enemy 21 " + synth::enemyName(21) +
                                      ", HP: 70000 (enter a whole number from 0 to 65535.)"})
        QVERIFY2(f.messageTexts()[0].contains(listed), qPrintable(f.messageTexts()[0]));
    // A choice takes its row's text; a block past the last row is cut off and said so.
    QGuiApplication::clipboard()->setText(synth::itemName(3) + "\n" + synth::itemName(4) + "\n7\n");
    table.clickCell(table.cell(249, "Item Dropped"));
    table.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(table.values({249, 250}, {"Item Dropped"}), QStringList({"3", "4"}));
    QCOMPARE(f.messageTexts().last(),
             QString("The pasted block goes past the end of the table: 1 rows and 0 columns were "
                     "left out."));
    QCOMPARE(f.fileBytes(), image);
}

void TableWindowTest::fillDownAndOneValueIntoASelection() {
    const QByteArray image = imageWith({{30, 1234, 5}});
    OPEN_TABLE(f, table, image);
    focusGrid(table);
    table.clickCell(table.cell(30, "HP"));
    table.clickCell(table.cell(34, "HP"), Qt::ShiftModifier);
    table.key(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(table.values({30, 31, 32, 33, 34, 35}, {"HP"}).join(' '),
             QString("1234 1234 1234 1234 1234 ") + table.cell(35, "HP").data().toString());
    QVERIFY(!table.edited(35, "HP") && !table.edited(30, "HP") && table.edited(34, "HP"));
    QGuiApplication::clipboard()->setText("77");
    table.clickCell(table.cell(40, "Level"));
    table.clickCell(table.cell(42, "Level"), Qt::ControlModifier);
    table.clickCell(table.cell(45, "HP"), Qt::ControlModifier);
    table.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(table.values({40, 42, 45}, {"Level"}).mid(0, 2) + table.values({45}, {"HP"}),
             QStringList({"77", "77", "77"}));
    QVERIFY(!table.edited(41, "Level") && !table.edited(45, "Level"));
    QCOMPARE(f.find<QAction>("mnuTableUndo", table.window)->text(), QString("&Undo Paste 3 Cells"));
    QCOMPARE(f.fileBytes(), image);
}

void TableWindowTest::keysOfASpreadsheet() {
    OPEN_TABLE(f, table, imageWith({{5, 3321, 40}}));
    focusGrid(table);
    table.clickCell(table.cell(5, "HP"));
    table.key(Qt::Key_3);
    table.key(Qt::Key_Return); // commits the entry and goes down
    QCOMPARE(table.cell(5, "HP").data().toString(), QString("3"));
    QCOMPARE(table.grid->currentIndex(), table.cell(6, "HP"));
    table.key(Qt::Key_Return);
    QCOMPARE(table.grid->currentIndex(), table.cell(7, "HP"));
    table.key(Qt::Key_Escape); // edits are pending: the window stays
    QVERIFY(table.window->isVisible());
    table.key(Qt::Key_Tab, Qt::ControlModifier);
    QVERIFY(QApplication::focusWidget() && !table.grid->isAncestorOf(QApplication::focusWidget()) &&
            QApplication::focusWidget() != table.grid);
    // A double-click edits the cell.
    const QPoint at = table.grid->visualRect(table.cell(8, "Level")).center();
    QTest::mouseClick(table.grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table.grid->viewport(), Qt::LeftButton, {}, at);
    QTRY_VERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    table.key(Qt::Key_Escape);
    table.key(Qt::Key_Escape);
    QVERIFY(table.window->isVisible());
    table.click("TableDiscardCMD");
    focusGrid(table);
    const QPointer<app::TableWindow> window(table.window);
    table.key(Qt::Key_Escape); // nothing pending: it closes
    QTRY_VERIFY(!window);
    QVERIFY(f.messageTexts().isEmpty());
}

void TableWindowTest::guessedNamesFilterAsExactOnes_data() {
    QTest::addColumn<QString>("guessed");
    QTest::addColumn<QString>("exact");
    QTest::newRow("any case") << "hp > 1000"
                              << "HP > 1000";
    QTest::newRow("the row") << "row < 10"
                             << "0 <= Row && Row < 10";
    QTest::newRow("quoted") << "'Lightning Defense' > 100"
                            << "LightningDefense > 100";
    QTest::newRow("backquoted") << "`fire defense` < 50 && Level > 3"
                                << "FireDefense < 50 && Level > 3";
}

void TableWindowTest::guessedNamesFilterAsExactOnes() {
    QFETCH(QString, guessed);
    QFETCH(QString, exact);
    OPEN_TABLE(f, table, synth::makeImage());
    auto* filter = table.find<QLineEdit>("TableFilterTXT");
    filter->setText(exact);
    const QStringList rows = table.shownRows();
    QVERIFY(!rows.isEmpty() && rows.size() < 251);
    filter->clear();
    QTest::keyClicks(filter, guessed);
    QCOMPARE(table.shownRows(), rows);
    if (guessed == "row < 10")
        QCOMPARE(rows.join(' '), QString("0 1 2 3 4 5 6 7 8 9"));
}

void TableWindowTest::namesAreCompletedAndListed() {
    OPEN_TABLE(f, table, synth::makeImage());
    auto* formula = table.find<QLineEdit>("TableFormulaTXT");
    formula->setFocus();
    QTest::keyClicks(formula, "x + lightn");
    QVERIFY(formula->findChild<QCompleter*>());
    QAbstractItemView* popup = formula->findChild<QCompleter*>()->popup();
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(popup->model()->index(0, 0).data().toString(), QString("LightningDefense"));
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    QCOMPARE(formula->text(), QString("x + LightningDefense"));
    table.click("TableNamesCMD");
    auto* help = table.window->findChild<QDialog*>("TableNamesHelp");
    QVERIFY(help && help->isVisible());
    const QString text = help->findChild<QTextBrowser*>()->toPlainText();
    for (const char* listed : {"Lightning Defense\nLightningDefense\n0 to 255",
                               "HP\nHP\n0 to 65535", "Row\nRow", "min, ", "rint"})
        QVERIFY2(text.contains(listed), qPrintable(text));
}

void TableWindowTest::columnsAreKeptPerKind() {
    OPEN_TABLE(f, table, synth::makeImage());
    QHeaderView* header = table.grid->horizontalHeader();
    QVERIFY(header->sectionSize(0) < header->sectionSize(1)); // fitted: Row is narrow
    const int level = table.column("Level"), hp = table.column("HP");
    auto* columns = table.find<QMenu>("mnuTableColumns");
    emit columns->aboutToShow();
    for (QAction* action : columns->actions())
        if (action->text() == "Level")
            action->trigger();
    header->moveSection(header->visualIndex(hp), 2); // as a drag of its header does
    table.find<QLineEdit>("TableFilterTXT")->setText("hp > 1000");
    QTest::mouseClick(table.find<QCheckBox>("TableChangedOnlyCHK"), Qt::LeftButton);
    table.showKind(1);
    QVERIFY(!header->isSectionHidden(level)); // another kind, other columns
    table.window->close();
    QTRY_VERIFY(!f.window().findChild<app::TableWindow*>("TableWindow"));
    Table again(f, synth::makeImage(), true);
    again.showKind(0);
    header = again.grid->horizontalHeader();
    QVERIFY(header->isSectionHidden(level));
    QCOMPARE(header->visualIndex(hp), 2);
    QCOMPARE(again.find<QLineEdit>("TableFilterTXT")->text(), QString("hp > 1000"));
    QVERIFY(again.find<QCheckBox>("TableChangedOnlyCHK")->isChecked());
    emit again.find<QMenu>("mnuTableColumns")->aboutToShow();
    again.find<QAction>("mnuTableResetColumns")->trigger();
    QVERIFY(!header->isSectionHidden(level) && header->visualIndex(hp) == hp);
}

void TableWindowTest::numbersOfTheSelectionAndChangedRowsOnly() {
    OPEN_TABLE(f, table, imageWith({{5, 100, 7}, {6, 200, 7}, {7, 301, 7}}));
    auto* status = table.find<QLabel>("TableStatusLBL");
    table.select({table.cell(5, "HP"), table.cell(6, "Name")});
    QVERIFY2(!status->text().contains("Count"), qPrintable(status->text())); // one number
    table.select({table.cell(5, "HP"), table.cell(6, "HP"), table.cell(7, "HP"),
                  table.cell(6, "Name"), table.cell(6, "Item Dropped")});
    QVERIFY2(status->text().endsWith(". Count 3 · Sum 601 · Min 100 · Max 301 · Mean 200.33"),
             qPrintable(status->text()));
    table.type(table.cell(8, "Level"), "9");
    table.click("TableApplyCMD");
    table.type(table.cell(40, "HP"), "1");
    auto* changedOnly = table.find<QCheckBox>("TableChangedOnlyCHK");
    QTest::mouseClick(changedOnly, Qt::LeftButton);
    QCOMPARE(table.shownRows(), QStringList({"8", "40"}));
    QTest::mouseClick(changedOnly, Qt::LeftButton);
    QCOMPARE(table.shownRows().size(), 251);
}

namespace {
// Enemies 10 to 13's HP and 14's Level as merged: changed only here, only there, alike,
// differently, and only there.
QByteArray merged(int hp10, int hp11, int hp12, int hp13, int level14) {
    return imageWith(
        {{10, hp10, 20}, {11, hp11, 20}, {12, hp12, 20}, {13, hp13, 20}, {14, 9, level14}});
}
} // namespace

void TableWindowTest::compareWithAnImageAndMergeTheirChanges() {
    const QByteArray original = merged(1200, 1200, 1200, 1200, 20);
    const QByteArray mine = merged(1300, 1200, 1400, 1300, 20);
    const QByteArray theirs = merged(1200, 1500, 1400, 1500, 21);
    EditorFixture f;
    QVERIFY(!f.find<QAction>("mnuCompareWith")->isEnabled());
    const QString theirsPath = f.writeRom(synth::withCopierHeader(theirs), "theirs.smc");
    const QDateTime theirsTime = QFileInfo(theirsPath).lastModified();
    Table table(f, mine);
    f.answerFileDialogs({theirsPath, f.writeRom(original, "original.smc")});
    f.trigger("mnuCompareWith");
    const auto tip = [&](int row, const char* caption) {
        return table.cell(row, caption).data(Qt::ToolTipRole).toString();
    };
    // Without an original from the history, theirs differ from yours only there.
    QCOMPARE(tip(10, "HP"), QString("Theirs: 1200 · Original: 1300 · Yours: 1300\nOnly there"));
    table.click("CompareBaseCMD");
    QCOMPARE(tip(10, "HP"), QString("Theirs: 1200 · Original: 1200 · Yours: 1300\nOnly here"));
    QCOMPARE(tip(11, "HP"), QString("Theirs: 1500 · Original: 1200 · Yours: 1200\nOnly there"));
    QCOMPARE(tip(12, "HP"), QString("Theirs: 1400 · Original: 1200 · Yours: 1400\nAlike"));
    QCOMPARE(tip(13, "HP"), QString("Theirs: 1500 · Original: 1200 · Yours: 1300\nConflict"));
    QVERIFY(tip(13, "Level").isEmpty() && !table.edited(13, "Level"));
    QSet<QRgb> marks;
    for (int row : {10, 11, 12, 13})
        marks << table.cell(row, "HP").data(Qt::BackgroundRole).value<QBrush>().color().rgb();
    QCOMPARE(marks.size(), 4);
    const QString names = table.find<QLabel>("CompareLBL")->text();
    QVERIFY(names.contains("test.smc") && names.contains("theirs.smc") &&
            names.contains("original.smc"));
    QTest::mouseClick(table.find<QCheckBox>("CompareOnlyCHK"), Qt::LeftButton);
    QCOMPARE(table.shownRows(), QStringList({"10", "11", "13", "14"}));
    // Their HP is the chart's third series while comparing, and gone after.
    QTest::mouseClick(table.find<QCheckBox>("TableChartCHK"), Qt::LeftButton);
    const auto theirsOnChart = [&] {
        QList<qreal> hp;
        for (QAbstractSeries* series : table.find<QChartView>("ChartView")->chart()->series())
            for (const QPointF& point : static_cast<QXYSeries*>(series)->points())
                if (series->name() == "Compared file")
                    hp << point.y();
        return hp;
    };
    QTRY_COMPARE(theirsOnChart(), (QList<qreal>{1200, 1500, 1500, 9}));

    table.click("CompareTakeAllCMD");
    QCOMPARE(f.messageTexts().last(), QString("2 cells of theirs taken as edits; Apply Changes "
                                              "writes them. 1 conflict left as you have them."));
    table.click("TableApplyCMD");
    QCOMPARE(synth::changedOffsets(mine, f.fileBytes()),
             (QList<qint64>{0x0C47FD, 0x0C47FE, 0x0C4844}));
    QCOMPARE(f.fileBytes().mid(0x0C47FD, 2) + f.fileBytes().at(0x0C4844),
             QByteArray::fromHex("DC0515"));
    f.trigger("mnuUndoApply");
    QCOMPARE(f.fileBytes(), mine);

    // Take Theirs into a selection and Reset to Original, each undone by one Ctrl+Z.
    QTRY_COMPARE(table.values({11}, {"HP"}), QStringList("1200"));
    table.clickCell(table.cell(11, "HP"));
    table.clickCell(table.cell(13, "HP"), Qt::ControlModifier);
    table.click("CompareTakeCMD");
    QCOMPARE(table.values({11, 13}, {"HP"}), QStringList({"1500", "1500"}));
    table.clickCell(table.cell(10, "HP"));
    table.click("TableResetCMD");
    QCOMPARE(table.values({10, 11, 13}, {"HP"}), QStringList({"1200", "1500", "1500"}));
    focusGrid(table);
    table.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(table.values({10, 11, 13}, {"HP"}), QStringList({"1300", "1500", "1500"}));
    table.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(table.values({10, 11, 13}, {"HP"}), QStringList({"1300", "1200", "1300"}));
    table.click("CompareStopCMD");
    QVERIFY(tip(13, "HP").isEmpty() && table.shownRows().size() == 251);
    QTRY_VERIFY(theirsOnChart().isEmpty());
    QCOMPARE(synth::readFile(theirsPath), synth::withCopierHeader(theirs));
    QCOMPARE(QFileInfo(theirsPath).lastModified(), theirsTime);
}

// A patch is compared as applied to the open file's original.
void TableWindowTest::compareWithAPatch() {
    const QByteArray mine = merged(1300, 1200, 1400, 1300, 20);
    OPEN_TABLE(f, table, mine);
    const QString patch = f.folder() + "/theirs.ips";
    synth::writeFile(patch, patches::createIps(mine, merged(1300, 1500, 1400, 1300, 20)).patch);
    f.answerFileDialogs({patch});
    f.trigger("mnuCompareWith");
    QCOMPARE(table.cell(11, "HP").data(Qt::ToolTipRole).toString(),
             QString("Theirs: 1500 · Original: 1200 · Yours: 1200\nOnly there"));
    QVERIFY(!table.cell(10, "HP").data(Qt::ToolTipRole).isValid());
}

QTEST_MAIN(TableWindowTest)
#include "test_table_window.moc"
