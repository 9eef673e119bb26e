#include "ui/Controls.h"

#include <QComboBox>
#include <QListWidget>
#include <QTest>

class ByteRowsTest : public QObject {
    Q_OBJECT
  private slots:
    void rows_data();
    void dropDown();
    void dropDown_data() { rows_data(); }
    void list();
    void list_data() { rows_data(); }
};

namespace {
const QStringList kSixRows = {"0", "1", "2", "3", "4", "5"};
}

// A six-row list that shows row 3 before the byte is shown.
void ByteRowsTest::rows_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("loaded");
    QTest::addColumn<int>("chosen"); // -1: the user chooses no row
    QTest::addColumn<int>("written");
    QTest::newRow("first row") << 0 << 0 << 0 << -1 << 0;
    QTest::newRow("last row") << 5 << 5 << 5 << -1 << 5;
    QTest::newRow("one past the rows") << 6 << -1 << 6 << -1 << 6;
    QTest::newRow("255") << 255 << -1 << 255 << -1 << 255;
    QTest::newRow("negative") << -1 << -1 << 0 << -1 << 0;
    QTest::newRow("unshowable, then a row chosen") << 200 << -1 << 200 << 2 << 2;
    QTest::newRow("showable, then another row chosen") << 4 << 4 << 4 << 1 << 1;
}

void ByteRowsTest::dropDown() {
    QFETCH(int, value);
    QFETCH(int, row);
    QFETCH(int, loaded);
    QFETCH(int, chosen);
    QFETCH(int, written);
    QWidget parent;
    QComboBox* list = ui::makeDropDown(&parent, "TestCBO", QRect(0, 0, 100, 20), kSixRows);
    QCOMPARE(list->currentIndex(), -1);
    list->setCurrentIndex(3);
    ui::showByteRow(list, value);
    QCOMPARE(list->currentIndex(), row);
    if (chosen >= 0)
        list->setCurrentIndex(chosen);
    QCOMPARE(static_cast<int>(ui::selectedByte(list, static_cast<std::uint8_t>(loaded))), written);
}

void ByteRowsTest::list() {
    QFETCH(int, value);
    QFETCH(int, row);
    QFETCH(int, loaded);
    QFETCH(int, chosen);
    QFETCH(int, written);
    QWidget parent;
    QListWidget* list = ui::makeList(&parent, "TestLST", QRect(0, 0, 100, 100), kSixRows);
    list->setCurrentRow(3);
    ui::showByteRow(list, value);
    QCOMPARE(list->currentRow(), row);
    // No row may stay highlighted when the byte has none.
    QCOMPARE(list->selectedItems().size(), row < 0 ? 0 : 1);
    if (row >= 0)
        QCOMPARE(list->selectedItems().first(), list->item(row));
    if (chosen >= 0)
        list->setCurrentRow(chosen);
    QCOMPARE(static_cast<int>(ui::selectedByte(list, static_cast<std::uint8_t>(loaded))), written);
}

QTEST_MAIN(ByteRowsTest)
#include "test_byte_rows.moc"
