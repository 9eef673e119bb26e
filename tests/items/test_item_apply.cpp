// "Apply Changes" on the item page: exactly the expected bytes at exactly the expected
// offsets, and nothing at all when an entry cannot be stored.

#include "ItemPageDriver.h"

#include "ui/FieldReader.h"

#include <QApplication>

using itemtest::ItemPageDriver;

namespace {

using Bytes = QMap<qint64, int>; // offset -> expected byte

QList<qint64> offsetsOf(const Bytes& expected) {
    return expected.keys();
}

void compareBytes(ItemPageDriver& page, const Bytes& expected) {
    const QByteArray file = page.fixture.fileBytes();
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QCOMPARE(int(static_cast<std::uint8_t>(file.at(it.key()))), it.value());
}

} // namespace

class ItemApplyTest : public QObject {
    Q_OBJECT
  private slots:
    void weaponRoundTrip();
    void armorRoundTrip_data();
    void armorRoundTrip();
    void accessoryRoundTrip_data();
    void accessoryRoundTrip();
    void normalItemRoundTrip_data();
    void normalItemRoundTrip();
    void unchangedApplyWritesNothingNew_data();
    void unchangedApplyWritesNothingNew();
    void keptValuesGiveWayToTheUsersChoice_data();
    void keptValuesGiveWayToTheUsersChoice();
    void prices_data();
    void prices();
    void invalidEntriesWriteNothing_data();
    void invalidEntriesWriteNothing();
    void recordsPastTheEndWriteNothing_data();
    void recordsPastTheEndWriteNothing();
    void applyFromTheNotApplicableTabs_data();
    void applyFromTheNotApplicableTabs();
    void elementWithoutStrengthBlocksArmor();
    void noSelectedRowWritesNothing();
    void everyFlagByteRoundTrips_data();
    void everyFlagByteRoundTrips();
};

// Weapon 5: name record 0x0C0B95, WeaponRecord 0x0C027B, GearInfoRecord 0x0C06C2.
void ItemApplyTest::weaponRoundTrip() {
    const QByteArray image = itemtest::imageWith([](QByteArray& bytes) {
        synth::putByte(bytes, 0x0C0B95, 32);
        bytes.replace(0x0C027B, 5, QByteArray::fromHex("0a01050300"));
        bytes.replace(0x0C06C2, 6, QByteArray::fromHex("026400810100"));
    });
    ItemPageDriver page(image, 5);
    page.fixture.chooseRow("ItemIconCBO", 5);
    page.fixture.type("ItemWeaponAttackTXT", "200");
    page.fixture.type("ItemWeaponUnknown1TXT", "7");
    page.fixture.type("ItemWeaponCriticalTXT", "55");
    page.fixture.chooseRow("ItemWeaponAilmentCBO", 200);
    page.fixture.click("ItemWeaponDoesInflictCHK"); // cleared -> greyed
    page.setCheckedByte("ItemSecondaryLST", 0x8C);
    page.setCheckedByte("ItemEquipLST", 0x7E);
    page.fixture.chooseRow("ItemStatBoostCBO", 128);
    page.fixture.click("BoltCHK");
    page.fixture.click("EightyCHK");
    page.fixture.type("ItemPriceTXT", "40000");
    const Bytes expected = {{0x0C0B95, 36},   {0x0C027B, 200},  {0x0C027C, 7},    {0x0C027D, 55},
                            {0x0C027E, 200},  {0x0C027F, 2},    {0x0C06C2, 0x8C}, {0x0C06C3, 0x40},
                            {0x0C06C4, 0x9C}, {0x0C06C5, 0x7E}, {0x0C06C6, 128},  {0x0C06C7, 143}};
    QCOMPARE(page.applyAndDiff(), offsetsOf(expected));
    compareBytes(page, expected);
    QVERIFY(page.fixture.messages.isEmpty());
    // The page shows what the file now holds.
    QCOMPARE(page.text("ItemPriceTXT"), QString("40000"));
    QCOMPARE(page.text("ItemWeaponUnknown1TXT"), QString("7"));
    QCOMPARE(page.checkBox("ItemWeaponDoesInflictCHK")->checkState(), Qt::PartiallyChecked);
    QVERIFY(page.enabled("ItemWeaponAttackTXT"));

    page.fixture.click("ItemWeaponDoesInflictCHK"); // greyed -> checked
    QCOMPARE(page.applyAndDiff(), QList<qint64>{0x0C027F});
    QCOMPARE(page.fileByte(0x0C027F), std::uint8_t(1));
}

void ItemApplyTest::armorRoundTrip_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<qint64>("name");
    QTest::addColumn<qint64>("armor");
    QTest::addColumn<qint64>("info");
    QTest::newRow("87") << 87 << qint64(0x0C0F1B) << qint64(0x0C0475) << qint64(0x0C08AE);
    QTest::newRow("88") << 88 << qint64(0x0C0F26) << qint64(0x0C0478) << qint64(0x0C08B4);
    QTest::newRow("89") << 89 << qint64(0x0C0F31) << qint64(0x0C047B) << qint64(0x0C08BA);
    QTest::newRow("90") << 90 << qint64(0x0C0F3C) << qint64(0x0C047E) << qint64(0x0C08C0);
    QTest::newRow("147") << 147 << qint64(0x0C11AF) << qint64(0x0C0529) << qint64(0x0C0A16);
}

void ItemApplyTest::armorRoundTrip() {
    QFETCH(int, row);
    QFETCH(qint64, name);
    QFETCH(qint64, armor);
    QFETCH(qint64, info);
    const QByteArray image = itemtest::imageWith([&](QByteArray& bytes) {
        synth::putByte(bytes, name, 39);
        bytes.replace(armor, 3, QByteArray::fromHex("0a0000"));
        bytes.replace(info, 6, QByteArray::fromHex("001000000000"));
    });
    ItemPageDriver page(image, row);
    page.fixture.chooseRow("ItemIconCBO", 9);
    page.fixture.type("ItemArmorDefenseTXT", "99");
    page.fixture.chooseRow("ItemArmorAilmentCBO", 45);
    page.fixture.click("ItemArmorDoesInflictCHK");
    page.setCheckedByte("ItemSecondaryLST", 0x0A);
    page.setCheckedByte("ItemEquipLST", 0x80);
    page.fixture.chooseRow("ItemStatBoostCBO", 6);
    page.fixture.click("WaterCHK");
    page.fixture.click("FiftyCHK");
    page.fixture.type("ItemPriceTXT", "65000");
    const Bytes expected = {{name, 40},    {armor, 99},      {armor + 1, 45},  {armor + 2, 1},
                            {info, 0x0A},  {info + 1, 0xE8}, {info + 2, 0xFD}, {info + 3, 0x80},
                            {info + 4, 6}, {info + 5, 37}};
    QCOMPARE(page.applyAndDiff(), offsetsOf(expected));
    compareBytes(page, expected);
    QCOMPARE(page.text("ItemPriceTXT"), QString("65000"));
    QCOMPARE(page.text("ItemArmorDefenseTXT"), QString("99"));
}

void ItemApplyTest::accessoryRoundTrip_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<qint64>("name");
    QTest::addColumn<qint64>("record");
    QTest::addColumn<qint64>("info");
    QTest::newRow("149") << 149 << qint64(0x0C11C5) << qint64(0x0C0530) << qint64(0x0C0A20);
    QTest::newRow("150") << 150 << qint64(0x0C11D0) << qint64(0x0C0534) << qint64(0x0C0A24);
    QTest::newRow("187") << 187 << qint64(0x0C1367) << qint64(0x0C05C8) << qint64(0x0C0AB8);
}

void ItemApplyTest::accessoryRoundTrip() {
    QFETCH(int, row);
    QFETCH(qint64, name);
    QFETCH(qint64, record);
    QFETCH(qint64, info);
    const QByteArray image = itemtest::imageWith([&](QByteArray& bytes) {
        synth::putByte(bytes, name, 41);
        bytes.replace(record, 4, QByteArray::fromHex("00000000"));
        bytes.replace(info, 4, QByteArray::fromHex("00123400"));
    });
    ItemPageDriver page(image, row);
    page.fixture.chooseRow("ItemIconCBO", 0);
    page.setCheckedByte("ItemAccEffected1LST", 0x41);
    page.setCheckedByte("ItemAccEffected2LST", 0x90);
    page.fixture.chooseRow("ItemStatBoostCBO", 6);
    page.fixture.type("ItemAccEffectValueTXT", "25");
    page.setCheckedByte("ItemSecondaryLST", 0x04);
    page.setCheckedByte("ItemEquipLST", 0xFF);
    const Bytes expected = {{name, 31},       {record, 0x41}, {record + 1, 0x90}, {record + 2, 6},
                            {record + 3, 25}, {info, 0x04},   {info + 3, 0xFF}};
    QCOMPARE(page.applyAndDiff(), offsetsOf(expected));
    compareBytes(page, expected);
    QCOMPARE(page.text("ItemAccEffectValueTXT"), QString("25"));
    QCOMPARE(page.text("ItemPriceTXT"), QString("[N/A]"));
}

void ItemApplyTest::normalItemRoundTrip_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<qint64>("name");
    QTest::addColumn<qint64>("info");
    QTest::newRow("189") << 189 << qint64(0x0C137D) << qint64(0x0C0ABF);
    QTest::newRow("190") << 190 << qint64(0x0C1388) << qint64(0x0C0AC2);
    QTest::newRow("240") << 240 << qint64(0x0C15AE) << qint64(0x0C0B58);
}

void ItemApplyTest::normalItemRoundTrip() {
    QFETCH(int, row);
    QFETCH(qint64, name);
    QFETCH(qint64, info);
    const QByteArray image = itemtest::imageWith([&](QByteArray& bytes) {
        synth::putByte(bytes, name, 31);
        bytes.replace(info, 3, QByteArray::fromHex("020a00"));
    });
    ItemPageDriver page(image, row);
    page.fixture.chooseRow("ItemIconCBO", 10);
    page.setCheckedByte("ItemSecondaryLST", 0x8A);
    page.fixture.type("ItemPriceTXT", "65535");
    const Bytes expected = {{name, 41}, {info, 0x8A}, {info + 1, 0xFF}, {info + 2, 0xFF}};
    QCOMPARE(page.applyAndDiff(), offsetsOf(expected));
    compareBytes(page, expected);
    QCOMPARE(page.text("ItemPriceTXT"), QString("65535"));
    QCOMPARE(page.dropDown("ItemIconCBO")->currentText(), QString("Accessory"));
}

void ItemApplyTest::unchangedApplyWritesNothingNew_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QByteArray>("image");
    const QByteArray base = itemtest::baseImage();
    for (int row : {0, 5, 85, 87, 90, 147, 149, 187, 189, 240})
        QTest::addRow("row %d", row) << row << base;
    const auto with = [](std::initializer_list<std::pair<qint64, int>> changes) {
        return itemtest::imageWith([&](QByteArray& bytes) {
            for (const auto& [offset, value] : changes)
                synth::putByte(bytes, offset, static_cast<std::uint8_t>(value));
        });
    };
    // Weapon 3: name 0x0C0B7F, inflict 0x0C0275, element 0x0C06BB.
    QTest::newRow("weapon icon 45, inflict 3, element 200")
        << 3 << with({{0x0C0B7F, 45}, {0x0C0275, 3}, {0x0C06BB, 200}});
    QTest::newRow("weapon icon 30, inflict 255, element 16")
        << 3 << with({{0x0C0B7F, 30}, {0x0C0275, 255}, {0x0C06BB, 16}});
    QTest::newRow("weapon icon 0, inflict 2, element 5")
        << 3 << with({{0x0C0B7F, 0}, {0x0C0275, 2}, {0x0C06BB, 5}});
    // Armor 100: name 0x0C0FAA, inflict 0x0C049E, element 0x0C0901.
    QTest::newRow("armor icon 255, inflict 2, element 64")
        << 100 << with({{0x0C0FAA, 255}, {0x0C049E, 2}, {0x0C0901, 64}});
    QTest::newRow("armor icon 42, inflict 7, element 0x1A")
        << 100 << with({{0x0C0FAA, 42}, {0x0C049E, 7}, {0x0C0901, 0x1A}});
    QTest::newRow("armor price -1") << 100 << with({{0x0C08FD, 0xFF}, {0x0C08FE, 0xFF}});
    QTest::newRow("accessory icon 50") << 150 << with({{0x0C11D0, 50}});
    QTest::newRow("normal item icon 200") << 200 << with({{0x0C13F6, 200}});
    QTest::newRow("ailment and boost 255") << 3 << with({{0x0C0274, 255}, {0x0C06BA, 255}});
}

void ItemApplyTest::unchangedApplyWritesNothingNew() {
    QFETCH(int, row);
    QFETCH(QByteArray, image);
    ItemPageDriver page(image, row);
    QVERIFY(page.applyAndDiff().isEmpty());
    QVERIFY(page.fixture.messages.isEmpty());
    QCOMPARE(page.fixture.fileBytes(), image);
}

void ItemApplyTest::keptValuesGiveWayToTheUsersChoice_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("written");
    QTest::newRow("weapon inflict 3, one click: greyed")
        << 3 << qint64(0x0C0275) << 3 << QStringList{"ItemWeaponDoesInflictCHK"} << 2;
    QTest::newRow("weapon inflict 3, three clicks: cleared")
        << 3 << qint64(0x0C0275) << 3
        << QStringList{"ItemWeaponDoesInflictCHK", "ItemWeaponDoesInflictCHK",
                       "ItemWeaponDoesInflictCHK"}
        << 0;
    QTest::newRow("armor inflict 7, one click: checked")
        << 100 << qint64(0x0C049E) << 7 << QStringList{"ItemArmorDoesInflictCHK"} << 1;
    QTest::newRow("armor inflict 7, two clicks: cleared")
        << 100 << qint64(0x0C049E) << 7
        << QStringList{"ItemArmorDoesInflictCHK", "ItemArmorDoesInflictCHK"} << 0;
    QTest::newRow("element 200, fire")
        << 3 << qint64(0x0C06BB) << 200 << QStringList{"FireCHK"} << 21;
    QTest::newRow("element 200, fire on and off")
        << 3 << qint64(0x0C06BB) << 200 << QStringList{"FireCHK", "FireCHK"} << 5;
    QTest::newRow("armor element 0x1A, bolt 80%")
        << 100 << qint64(0x0C0901) << 0x1A << QStringList{"BoltCHK", "EightyCHK"} << 143;
    QTest::newRow("icon 45, row Nothing")
        << 3 << qint64(0x0C0B7F) << 45 << QStringList{"icon"} << 31;
    QTest::newRow("normal item icon 200, row Nothing")
        << 200 << qint64(0x0C13F6) << 200 << QStringList{"icon"} << 31;
}

void ItemApplyTest::keptValuesGiveWayToTheUsersChoice() {
    QFETCH(int, row);
    QFETCH(qint64, offset);
    QFETCH(int, stored);
    QFETCH(QStringList, clicks);
    QFETCH(int, written);
    const QByteArray image = itemtest::imageWith([&](QByteArray& bytes) {
        synth::putByte(bytes, offset, static_cast<std::uint8_t>(stored));
    });
    ItemPageDriver page(image, row);
    for (const QString& click : clicks) {
        if (click == "icon")
            page.fixture.chooseRow("ItemIconCBO", 0);
        else
            page.fixture.click(click);
    }
    QCOMPARE(page.applyAndDiff(), QList<qint64>{offset});
    QCOMPARE(int(page.fileByte(offset)), written);
}

void ItemApplyTest::prices_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored"); // empty: refused
    QTest::addColumn<QString>("shown");
    const std::pair<int, qint64> places[] = {{5, 0x0C06C3}, {100, 0x0C08FD}, {200, 0x0C0AE1}};
    for (const auto& [row, offset] : places) {
        const auto add = [&](const char* typed, const char* hex, const char* shown) {
            QTest::addRow("row %d, %s", row, typed)
                << row << offset << QString(typed) << QByteArray::fromHex(hex) << QString(shown);
        };
        add("65535", "ffff", "65535");
        add("-1", "ffff", "65535");
        add("40000", "409c", "40000");
        add("65000", "e8fd", "65000");
        add("98303", "ff7f", "32767");
        add("-32768", "0080", "32768");
        add(" 12.5 ", "0c00", "12");
        add("13.5", "0e00", "14");
        add("98304", "", "");
        add("-32769", "", "");
        add("1e3", "", "");
    }
}

void ItemApplyTest::prices() {
    QFETCH(int, row);
    QFETCH(qint64, offset);
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    const QByteArray image = itemtest::imageWith(
        [&](QByteArray& bytes) { bytes.replace(offset, 2, QByteArray::fromHex("3412")); });
    ItemPageDriver page(image, row);
    QCOMPARE(page.text("ItemPriceTXT"), QString("4660"));
    page.fixture.type("ItemPriceTXT", typed);
    const QList<qint64> changed = page.applyAndDiff();
    if (stored.isEmpty()) {
        QVERIFY(changed.isEmpty());
        QCOMPARE(page.fixture.messages.size(), 1);
        QCOMPARE(page.fixture.messages[0].text,
                 QString("Price: enter a whole number from -32768 to 98303."));
        QCOMPARE(page.fixture.window().focusWidget(), page.box("ItemPriceTXT"));
        return;
    }
    QCOMPARE(page.fixture.fileBytes().mid(offset, 2), stored);
    for (qint64 at : changed)
        QVERIFY(at == offset || at == offset + 1);
    QCOMPARE(page.text("ItemPriceTXT"), shown);
}

void ItemApplyTest::invalidEntriesWriteNothing_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const std::tuple<int, const char*, const char*> fields[] = {
        {5, "ItemWeaponAttackTXT", "Attack:"},
        {5, "ItemWeaponUnknown1TXT", "Unknown:"},
        {5, "ItemWeaponCriticalTXT", "Critical %:"},
        {100, "ItemArmorDefenseTXT", "Defense:"},
        {160, "ItemAccEffectValueTXT", "Effect Value:"}};
    for (const auto& [row, box, caption] : fields)
        for (const char* typed : {"256", "-1", "abc", "", "255.5", "1,0"})
            QTest::addRow("%s '%s'", box, typed)
                << row << QString(box) << QString(typed)
                << QString(caption) + " enter a whole number from 0 to 255.";
}

// Other fields are changed first: nothing of them may reach the file either.
void ItemApplyTest::invalidEntriesWriteNothing() {
    QFETCH(int, row);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    ItemPageDriver page(itemtest::baseImage(), row);
    const QByteArray before = page.fixture.fileBytes();
    page.fixture.chooseRow("ItemIconCBO", 3);
    page.setCheckedByte("ItemSecondaryLST", page.checkedByte("ItemSecondaryLST") ^ 0xFF);
    page.fixture.type(box, typed);
    page.fixture.apply();
    QCOMPARE(page.fixture.fileBytes(), before);
    QCOMPARE(page.fixture.messages.size(), 1);
    QCOMPARE(page.fixture.messages[0].text, message);
    QCOMPARE(page.fixture.messages[0].icon, ui::MessageIcon::Exclamation);
    QCOMPARE(page.fixture.window().focusWidget(), page.box(box));
    QCOMPARE(page.text(box), typed); // the entry stays for the user to mend
}

void ItemApplyTest::recordsPastTheEndWriteNothing_data() {
    QTest::addColumn<qint64>("length");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("writes");
    // Row 240's name record is 0x0C15AE..0x0C15B8, row 239's ends at 0x0C15AD.
    QTest::newRow("normal item cut") << qint64(0x0C15AE + 5) << 240 << false;
    QTest::newRow("normal item just inside") << qint64(0x0C15AE + 11) << 240 << true;
    QTest::newRow("previous item whole") << qint64(0x0C15AE + 5) << 239 << true;
    // Weapon 85's name record is 0x0C0F05..0x0C0F0F.
    QTest::newRow("weapon cut") << qint64(0x0C0F05 + 10) << 85 << false;
    QTest::newRow("weapon whole") << qint64(0x0C0F05 + 11) << 84 << true;
    QTest::newRow("armor cut") << qint64(0x0C0F05 + 11) << 87 << false;
    QTest::newRow("accessory cut") << qint64(0x0C11C5 + 1) << 149 << false;
}

void ItemApplyTest::recordsPastTheEndWriteNothing() {
    QFETCH(qint64, length);
    QFETCH(int, row);
    QFETCH(bool, writes);
    ItemPageDriver page(itemtest::baseImage().left(length), row);
    page.fixture.chooseRow("ItemIconCBO", 4);
    const QList<qint64> changed = page.applyAndDiff();
    QCOMPARE(page.fixture.fileBytes().size(), length);
    if (writes) {
        QCOMPARE(changed.size(), 1); // the icon byte
        QVERIFY(page.fixture.messages.isEmpty());
    } else {
        QVERIFY(changed.isEmpty());
        QCOMPARE(page.fixture.messages.size(), 1);
        QCOMPARE(page.fixture.messages[0].text, ui::FieldReader::tooShortMessage());
    }
}

void ItemApplyTest::applyFromTheNotApplicableTabs_data() {
    QTest::addColumn<QString>("tab");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("box");
    QTest::addColumn<qint64>("offset"); // -1: nothing written
    QTest::newRow("shop, armor 100") << "shop" << 100 << "ItemArmorDefenseTXT" << qint64(0x0C049C);
    QTest::newRow("future, armor 87")
        << "future" << 87 << "ItemArmorDefenseTXT" << qint64(0x0C0475);
    QTest::newRow("future, accessory 160")
        << "future" << 160 << "ItemAccEffectValueTXT" << qint64(0x0C055F);
    QTest::newRow("shop, accessory 187")
        << "shop" << 187 << "ItemAccEffectValueTXT" << qint64(0x0C05CB);
    QTest::newRow("shop, weapon 5") << "shop" << 5 << "ItemWeaponAttackTXT" << qint64(-1);
    QTest::newRow("future, normal item 200") << "future" << 200 << "ItemPriceTXT" << qint64(-1);
}

void ItemApplyTest::applyFromTheNotApplicableTabs() {
    QFETCH(QString, tab);
    QFETCH(int, row);
    QFETCH(QString, box);
    QFETCH(qint64, offset);
    ItemPageDriver page(itemtest::baseImage(), row);
    page.fixture.type(box, "123");
    page.fixture.selectTab(tab);
    QVERIFY(!page.fixture.find<QFrame>("ItemFRA")->isVisible());
    const QList<qint64> changed = page.applyAndDiff();
    if (offset < 0) {
        QVERIFY(changed.isEmpty());
    } else {
        QCOMPARE(changed, QList<qint64>{offset});
        QCOMPARE(int(page.fileByte(offset)), 123);
    }
}

void ItemApplyTest::elementWithoutStrengthBlocksArmor() {
    const QByteArray image = itemtest::imageWith([](QByteArray& bytes) {
        synth::putByte(bytes, 0x0C0901, 0); // armor 100 element
    });
    ItemPageDriver page(image, 100);
    page.fixture.type("ItemArmorDefenseTXT", "77");
    page.fixture.click("WaterCHK");
    QCOMPARE(page.text("ElementalResistanceTXT"), QString("32"));
    page.fixture.apply();
    QCOMPARE(page.fixture.fileBytes(), image);
    QCOMPARE(page.fixture.messages.size(), 1);
    QCOMPARE(page.fixture.messages[0].text,
             QString("You need to check one of either 50% Resistance or 80% Resistance "
                     "checkboxes before you can proceed."));
    page.fixture.click("FiftyCHK");
    QCOMPARE(page.applyAndDiff(), (QList<qint64>{0x0C049C, 0x0C0901}));
    QCOMPARE(int(page.fileByte(0x0C0901)), 37);
    QCOMPARE(int(page.fileByte(0x0C049C)), 77);
}

// A second opening refills the item list while the page stays shown: no row is selected.
void ItemApplyTest::noSelectedRowWritesNothing() {
    ItemPageDriver page(itemtest::baseImage(), 100);
    page.fixture.openImage(itemtest::baseImage(), "second.smc");
    QCOMPARE(page.list("ItemLST")->currentRow(), -1);
    QVERIFY(page.fixture.find<QFrame>("ItemFRA")->isVisible());
    QVERIFY(page.applyAndDiff().isEmpty());
    QVERIFY(page.fixture.messages.isEmpty());
}

void ItemApplyTest::everyFlagByteRoundTrips_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("list");
    QTest::addColumn<qint64>("offset");
    QTest::newRow("weapon secondary") << 5 << "ItemSecondaryLST" << qint64(0x0C06C2);
    QTest::newRow("armor equip") << 100 << "ItemEquipLST" << qint64(0x0C08FF);
    QTest::newRow("accessory effects 1") << 160 << "ItemAccEffected1LST" << qint64(0x0C055C);
    QTest::newRow("accessory effects 2") << 160 << "ItemAccEffected2LST" << qint64(0x0C055D);
}

// Every byte 0 to 255: checked by the user, written, and shown again after a reselection.
void ItemApplyTest::everyFlagByteRoundTrips() {
    QFETCH(int, row);
    QFETCH(QString, list);
    QFETCH(qint64, offset);
    ItemPageDriver page(itemtest::baseImage(), row);
    QByteArray expected = page.fixture.fileBytes();
    for (int value = 0; value < 256; ++value) {
        page.setCheckedByte(list, value);
        page.fixture.apply();
        synth::putByte(expected, offset, static_cast<std::uint8_t>(value));
        QVERIFY2(page.fixture.fileBytes() == expected, qPrintable(QString::number(value)));
        page.select(row + 1);
        page.select(row);
        QCOMPARE(page.checkedByte(list), value);
    }
}

QTEST_MAIN(ItemApplyTest)
#include "test_item_apply.moc"
