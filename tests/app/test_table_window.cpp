// View > Table View against a synthetic image: cells as the file holds them, sorting,
// filtering, inline edits applied as one undoable change, conflicts, changes marked since
// the original, formulas, showing records in the main window, and closing with edits.
#include "grid/TableWindow.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>

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
    Table(EditorFixture& fixture, const QByteArray& image) : f(fixture) {
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
    // Typed into the cell's editor, then Enter.
    void type(const QModelIndex& index, const QString& text) {
        grid->setCurrentIndex(index);
        grid->edit(index);
        QLineEdit* editor = nullptr; // earlier editors may still wait for deletion
        for (QLineEdit* box : grid->viewport()->findChildren<QLineEdit*>())
            editor = box->isVisible() ? box : editor;
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The view takes the entry once the key has been handled.
        const QPointer<QLineEdit> closing(editor);
        QTRY_VERIFY(!closing || !closing->isVisible());
    }
    void select(const QList<QModelIndex>& cells) {
        grid->clearSelection();
        for (const QModelIndex& index : cells)
            grid->selectionModel()->select(index, QItemSelectionModel::Select);
    }
    void setSelected(const QString& formula, bool relative) {
        find<QCheckBox>("TableRelativeCHK")->setChecked(relative);
        find<QLineEdit>("TableFormulaTXT")->setText(formula);
        QTest::mouseClick(find<QPushButton>("TableFormulaCMD"), Qt::LeftButton);
    }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
};

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
    void conflictingRecordIsNotWritten();
    void formulaFromOriginalOrCompounded_data();
    void formulaFromOriginalOrCompounded();
    void formulaResultOutOfRangeIsListed();
    void changesSinceTheOriginalAreMarked();
    void recordsShowInTheMainWindow();
    void closingWithEditsAsks();
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
    QHeaderView* header = table.grid->horizontalHeader();
    const int hp = table.column("HP");
    table.grid->scrollTo(table.cell(0, "HP"));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(hp) + 5, header->height() / 2));
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
    table.grid->edit(table.cell(5, "Item Dropped"));
    auto* items = table.grid->viewport()->findChild<QComboBox*>();
    QVERIFY(items);
    items->setCurrentIndex(items->findText(synth::itemName(3)));
    emit items->activated(items->currentIndex());
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
    table.find<QCheckBox>("TableMarkChangesCHK")->setChecked(true);
    QCOMPARE(table.cell(4, "HP").data(Qt::ToolTipRole), QVariant("Original: 700"));
    QVERIFY(table.cell(4, "HP").data(Qt::BackgroundRole).isValid());
    QVERIFY(!table.cell(4, "Level").data(Qt::ToolTipRole).isValid());
    f.trigger("mnuUndoApply");
    QTRY_VERIFY(!table.cell(4, "HP").data(Qt::ToolTipRole).isValid());
}

void TableWindowTest::recordsShowInTheMainWindow() {
    OPEN_TABLE(f, table, synth::makeImage());
    const QModelIndex name = table.cell(9, "Name");
    table.grid->scrollTo(name);
    // A widget gets a double-click as a click and then the double-click event.
    const QPoint at = table.grid->visualRect(name).center();
    QTest::mouseClick(table.grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table.grid->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(f.find<QListWidget>("EnemyLST")->currentRow(), 9);
    QVERIFY(f.find<QListWidget>("EnemyLST")->isVisible());
    f.trigger("mnuFindRecord");
    auto* find = f.window().findChild<QWidget*>("FindRecord");
    QVERIFY(find);
    auto* text = find->findChild<QLineEdit*>("FindTXT");
    auto* list = find->findChild<QListWidget*>("FindLST");
    QVERIFY(text && list);
    QTest::keyClicks(text, synth::itemName(12).left(5).toLower());
    QVERIFY(!list->findItems("Item 12 " + synth::itemName(12), Qt::MatchExactly).isEmpty());
    list->setCurrentItem(list->findItems("Item 12 " + synth::itemName(12), Qt::MatchExactly)[0]);
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

QTEST_MAIN(TableWindowTest)
#include "test_table_window.moc"
