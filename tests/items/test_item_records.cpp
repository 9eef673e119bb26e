#include "items/CheckListCodec.h"
#include "items/ElementalSelector.h"
#include "items/ItemCategory.h"
#include "items/ItemRecords.h"

#include <QTest>

using items::ItemCategory;

class ItemRecordsTest : public QObject {
    Q_OBJECT
  private slots:
    void categories_data();
    void categories();
    void gearOffsets_data();
    void gearOffsets();
    void accessoryOffsets_data();
    void accessoryOffsets();
    void normalItemOffsets_data();
    void normalItemOffsets();
    void infoTablesLieEndToEnd();
    void iconRows();
    void everyFlagByteRoundTrips();
    void flagBitsByRow_data();
    void flagBitsByRow();
    void flagRowTexts();
    void showableElements();
};

void ItemRecordsTest::categories_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<ItemCategory>("category");
    const std::pair<int, ItemCategory> rows[] = {
        {-1, ItemCategory::None},  {0, ItemCategory::Weapon},       {85, ItemCategory::Weapon},
        {86, ItemCategory::None},  {87, ItemCategory::Armor},       {147, ItemCategory::Armor},
        {148, ItemCategory::None}, {149, ItemCategory::Accessory},  {187, ItemCategory::Accessory},
        {188, ItemCategory::None}, {189, ItemCategory::NormalItem}, {240, ItemCategory::NormalItem},
        {241, ItemCategory::None}};
    for (const auto& [row, category] : rows)
        QTest::addRow("row %d", row) << row << category;
}

void ItemRecordsTest::categories() {
    QFETCH(int, row);
    QFETCH(ItemCategory, category);
    QCOMPARE(items::categoryOfRow(row), category);
}

void ItemRecordsTest::gearOffsets_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<qint64>("name");
    QTest::addColumn<qint64>("own");
    QTest::addColumn<qint64>("info");
    QTest::newRow("weapon 0") << 0 << qint64(0x0C0B5E) << qint64(0x0C0262) << qint64(0x0C06A4);
    QTest::newRow("weapon 85") << 85 << qint64(0x0C0F05) << qint64(0x0C040B) << qint64(0x0C08A2);
    QTest::newRow("armor 87") << 87 << qint64(0x0C0F1B) << qint64(0x0C0475) << qint64(0x0C08AE);
    QTest::newRow("armor 88") << 88 << qint64(0x0C0F26) << qint64(0x0C0478) << qint64(0x0C08B4);
    QTest::newRow("armor 89") << 89 << qint64(0x0C0F31) << qint64(0x0C047B) << qint64(0x0C08BA);
    QTest::newRow("armor 90") << 90 << qint64(0x0C0F3C) << qint64(0x0C047E) << qint64(0x0C08C0);
    QTest::newRow("armor 147") << 147 << qint64(0x0C11AF) << qint64(0x0C0529) << qint64(0x0C0A16);
}

void ItemRecordsTest::gearOffsets() {
    QFETCH(int, row);
    QFETCH(qint64, name);
    QFETCH(qint64, own);
    QFETCH(qint64, info);
    QCOMPARE(items::nameRecordOffset(row), name);
    QCOMPARE(items::gearInfoOffset(row), info);
    if (items::categoryOfRow(row) == ItemCategory::Weapon) {
        QCOMPARE(items::weaponRecordOffset(row), own);
        const QList<items::Span> spans = items::WeaponRecord::spans(row);
        QCOMPARE(spans.size(), 3);
        QCOMPARE(spans[1].offset, own);
        QCOMPARE(spans[1].length, qint64(5));
        QCOMPARE(spans[2].length, qint64(6));
    } else {
        QCOMPARE(items::armorRecordOffset(row), own);
        const QList<items::Span> spans = items::ArmorRecord::spans(row);
        QCOMPARE(spans[1].offset, own);
        QCOMPARE(spans[1].length, qint64(3));
    }
}

void ItemRecordsTest::accessoryOffsets_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<qint64>("record");
    QTest::addColumn<qint64>("info");
    QTest::newRow("149") << 149 << qint64(0x0C0530) << qint64(0x0C0A20);
    QTest::newRow("150") << 150 << qint64(0x0C0534) << qint64(0x0C0A24);
    QTest::newRow("187") << 187 << qint64(0x0C05C8) << qint64(0x0C0AB8);
}

void ItemRecordsTest::accessoryOffsets() {
    QFETCH(int, row);
    QFETCH(qint64, record);
    QFETCH(qint64, info);
    QCOMPARE(items::accessoryRecordOffset(row), record);
    QCOMPARE(items::accessoryInfoOffset(row), info);
}

void ItemRecordsTest::normalItemOffsets_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<qint64>("info");
    QTest::newRow("189") << 189 << qint64(0x0C0ABF);
    QTest::newRow("190") << 190 << qint64(0x0C0AC2);
    QTest::newRow("240") << 240 << qint64(0x0C0B58);
}

void ItemRecordsTest::normalItemOffsets() {
    QFETCH(int, row);
    QFETCH(qint64, info);
    QCOMPARE(items::itemInfoOffset(row), info);
}

// The GearInfoRecord of row 147 ends where accessory 0 would begin, and so on.
void ItemRecordsTest::infoTablesLieEndToEnd() {
    QCOMPARE(items::gearInfoOffset(147) + 6, qint64(0x0C0A1C));
    QCOMPARE(items::accessoryInfoOffset(148), qint64(0x0C0A1C));
    QCOMPARE(items::accessoryInfoOffset(187) + 4, qint64(0x0C0ABC));
    QCOMPARE(items::itemInfoOffset(188), qint64(0x0C0ABC));
    QCOMPARE(items::armorRecordOffset(147) + 3, qint64(0x0C052C));
    QCOMPARE(items::accessoryRecordOffset(148), qint64(0x0C052C));
}

void ItemRecordsTest::iconRows() {
    for (int code = 0; code < 256; ++code) {
        const int expected = code >= 31 && code <= 41 ? code - 31 : -1;
        QCOMPARE(items::iconRowOf(static_cast<std::uint8_t>(code)), expected);
    }
}

void ItemRecordsTest::everyFlagByteRoundTrips() {
    for (int v = 0; v < 256; ++v) {
        const items::CheckRows rows = items::checkRowsOf(static_cast<std::uint8_t>(v));
        int checked = 0;
        for (int r = 0; r < 8; ++r)
            checked += rows[r] ? (1 << r) : 0;
        QCOMPARE(checked, v);
        QCOMPARE(int(items::byteOfCheckRows(rows)), v);
    }
}

void ItemRecordsTest::flagBitsByRow_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("checked"); // row 0 first
    QTest::newRow("0") << 0x00 << "00000000";
    QTest::newRow("255") << 0xFF << "11111111";
    QTest::newRow("Aldo only") << 0x80 << "00000001";
    QTest::newRow("Garrow only") << 0x02 << "01000000";
    QTest::newRow("Ignored only") << 0x01 << "10000000";
    QTest::newRow("menu and key item") << 0x0A << "01010000";
    QTest::newRow("HP and in battle") << 0x90 << "00001001";
}

void ItemRecordsTest::flagBitsByRow() {
    QFETCH(int, value);
    QFETCH(QString, checked);
    const items::CheckRows rows = items::checkRowsOf(static_cast<std::uint8_t>(value));
    for (int r = 0; r < 8; ++r)
        QCOMPARE(rows[r], checked[r] == QLatin1Char('1'));
}

void ItemRecordsTest::flagRowTexts() {
    QCOMPARE(items::equipRows(), QStringList({"Ignored", "Garrow", "Fenna", "Edrick", "Dunmore",
                                              "Cassia", "Brenna", "Aldo"}));
    QCOMPARE(items::secondaryRows(),
             QStringList({"Unknown 5", "Usable in Menu", "Can't be Sold", "Key Item",
                          "Anti NewGame +", "Unknown 6", "Unknown 7", "Usable in Battle"}));
    QCOMPARE(items::accEffected1Rows(),
             QStringList({"Turns EXP into Gil", "Unknown", "Unknown", "Unknown", "Unknown",
                          "Effects MP", "Counter Attack %", "Unknown"}));
    QCOMPARE(items::accEffected2Rows(),
             QStringList({"Unknown", "Unknown", "Unknown", "Unknown", "Effects HP", "Unknown",
                          "Effects Stats", "Effects in Battle"}));
}

void ItemRecordsTest::showableElements() {
    const QList<int> showable = {0, 21, 31, 37, 47, 69, 79, 133, 143};
    for (int v = 0; v < 256; ++v)
        QCOMPARE(items::isShowableElement(static_cast<std::uint8_t>(v)), showable.contains(v));
}

QTEST_MAIN(ItemRecordsTest)
#include "test_item_records.moc"
