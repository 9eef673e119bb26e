// The item page as a user sees it: its controls, and what selecting each row shows.

#include "ItemPageDriver.h"

#include "ui/Controls.h"

#include <QFrame>
#include <QLabel>

using itemtest::ItemPageDriver;

namespace {

const QStringList kWeaponControls = {"ItemWeaponAttackTXT", "ItemWeaponUnknown1TXT",
                                     "ItemWeaponCriticalTXT", "ItemWeaponAilmentCBO",
                                     "ItemWeaponDoesInflictCHK"};
const QStringList kArmorControls = {"ItemArmorDefenseTXT", "ItemArmorAilmentCBO",
                                    "ItemArmorDoesInflictCHK"};
const QStringList kAccessoryControls = {"ItemAccEffected1LST", "ItemAccEffected2LST",
                                        "ItemAccEffectValueTXT"};
const QStringList kTextBoxes = {"ItemWeaponAttackTXT",   "ItemWeaponUnknown1TXT",
                                "ItemWeaponCriticalTXT", "ItemArmorDefenseTXT",
                                "ItemAccEffectValueTXT", "ItemPriceTXT"};

QLabel* labelBeside(QWidget* frame, const QString& text) {
    for (QLabel* label : frame->findChildren<QLabel*>())
        if (label->text() == text)
            return label;
    return nullptr;
}

} // namespace

class ItemPageTest : public QObject {
    Q_OBJECT
  private slots:
    void controlsSitWhereTheLayoutSays_data();
    void controlsSitWhereTheLayoutSays();
    void groupCaptionsAreBold();
    void fixedRows();
    void startsDisabledAndEmpty();
    void ailmentListsGrowWithTheRom();
    void categoryDecidesEnabledControls_data();
    void categoryDecidesEnabledControls();
    void row86IsShownButNotEditable();
    void rows148And188KeepThePreviousSelections();
    void weaponShowsItsRecord();
    void armorShowsItsRecord();
    void accessoryShowsItsRecordAndNoPrice();
    void normalItemShowsItsRecord();
    void unshowableValuesShowNoRow();
    void flagListsKeepStatesWhileAnotherCategoryIsShown();
};

void ItemPageTest::controlsSitWhereTheLayoutSays_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption"); // empty: none beside it
    QTest::addColumn<QRect>("place");
    QTest::addColumn<int>("captionLeft");
    const auto row = [](const char* name, const char* caption, QRect place, int captionLeft) {
        QTest::newRow(name) << QString(name) << QString(caption) << place << captionLeft;
    };
    row("ItemLST", "", ui::twips(150, 240, 1755, 6885), 0);
    row("ItemWeaponAttackTXT", "Attack:", ui::twips(3960, 600, 2000, 315), 2190);
    row("ItemWeaponCriticalTXT", "Critical %:", ui::twips(3960, 960, 2000, 315), 2190);
    row("ItemWeaponAilmentCBO", "", ui::twips(3960, 1320, 4000, 315), 2190);
    row("ItemWeaponDoesInflictCHK", "", ui::twips(2160, 1680, 5775, 255), 0);
    row("ItemWeaponUnknown1TXT", "Unknown:", ui::twips(3960, 2040, 2000, 315), 2190);
    row("ItemArmorDefenseTXT", "Defense:", ui::twips(3960, 2760, 2000, 315), 2190);
    row("ItemArmorAilmentCBO", "", ui::twips(3960, 3120, 4000, 315), 2190);
    row("ItemArmorDoesInflictCHK", "", ui::twips(2160, 3480, 5775, 255), 0);
    row("ItemAccEffected1LST", "Item Effects:", ui::twips(3960, 4170, 2000, 1860), 2190);
    row("ItemAccEffected2LST", "", ui::twips(6000, 4170, 2000, 1860), 0);
    row("ItemAccEffectValueTXT", "Effect Value:", ui::twips(3960, 6450, 2000, 315), 2190);
    row("ItemStatBoostCBO", "Stat Boosted:", ui::twips(3960, 6810, 4000, 315), 2190);
    row("ItemPriceTXT", "Price:", ui::twips(9870, 600, 2000, 315), 8100);
    row("ItemEquipLST", "Equipped by:", ui::twips(9870, 960, 2000, 1860), 8100);
    row("ItemSecondaryLST", "Secondary Stats:", ui::twips(9870, 2880, 2000, 1860), 8100);
    row("ItemIconCBO", "Item Icon:", ui::twips(9870, 6840, 2000, 315), 8100);
}

void ItemPageTest::controlsSitWhereTheLayoutSays() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, place);
    QFETCH(int, captionLeft);
    EditorFixture fixture;
    auto* frame = fixture.find<QFrame>("ItemFRA");
    QVERIFY(frame);
    QCOMPARE(frame->geometry(), ui::twips(330, 450, 11985, 7245));
    auto* control = frame->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), place);
    if (!caption.isEmpty()) {
        QLabel* label = labelBeside(frame, caption);
        QVERIFY(label);
        QCOMPARE(label->x(), captionLeft / 15);
        QCOMPARE(label->y(), place.y());
    }
}

void ItemPageTest::groupCaptionsAreBold() {
    EditorFixture fixture;
    auto* frame = fixture.find<QFrame>("ItemFRA");
    const std::tuple<const char*, int, int> captions[] = {{"Weapon:", 2220, 240},
                                                          {"Armor:", 2220, 2400},
                                                          {"Accessory:", 2220, 3840},
                                                          {"Normal Items:", 8130, 240}};
    for (const auto& [text, left, top] : captions) {
        QLabel* label = labelBeside(frame, text);
        QVERIFY2(label, text);
        QVERIFY(label->font().bold());
        QCOMPARE(label->pos(), QPoint(left / 15, top / 15));
    }
    for (const char* text : {"Attack:", "Price:", "Item Icon:"})
        QVERIFY(!labelBeside(frame, text)->font().bold());
    QCOMPARE(labelBeside(frame, "Status Inflicted:")->y(), 1320 / 15);
    QCOMPARE(fixture.find<QCheckBox>("ItemWeaponDoesInflictCHK")->text(),
             QString("Does Inflict Status?:"));
    QCOMPARE(fixture.find<QCheckBox>("ItemArmorDoesInflictCHK")->text(),
             QString("Does Inflict Status?:"));
    QLabel* effectTypes = labelBeside(frame, "Effect Types:");
    QVERIFY(effectTypes);
    QVERIFY(effectTypes->isHidden());
}

void ItemPageTest::fixedRows() {
    EditorFixture fixture;
    auto* icon = fixture.find<QComboBox>("ItemIconCBO");
    const QStringList icons = {"Nothing", "Blade",  "Bow",    "Gun",   "Arm",      "Sword",
                               "Fist",    "Scythe", "Helmet", "Armor", "Accessory"};
    QCOMPARE(icon->count(), icons.size());
    for (int r = 0; r < icons.size(); ++r)
        QCOMPARE(icon->itemText(r), icons[r]);
    for (const char* name : {"ItemWeaponAilmentCBO", "ItemArmorAilmentCBO"}) {
        auto* list = fixture.find<QComboBox>(name);
        QCOMPARE(list->count(), 57);
        QCOMPARE(list->itemText(0), QString("no ailiment"));
        QCOMPARE(list->itemText(7), QString("slightly less than normal damgae"));
        QCOMPARE(list->itemText(19), QString("really low damgae (higher than previous?)"));
        QCOMPARE(list->itemText(35), QString("kamakazi attack - weapon"));
        QCOMPARE(list->itemText(38), QString("\"Stop\" - weapon"));
        QCOMPARE(list->itemText(42), QString("prevents \"Chaos\" - armor"));
        QCOMPARE(list->itemText(44), QString("prevents \"Slow\" and \"Stop\" - armor"));
        QCOMPARE(list->itemText(45), QString("protect from all status ailments - armor"));
        QCOMPARE(list->itemText(56), QString("9999 damage on critical attack - weapon"));
    }
    const std::pair<const char*, QStringList> lists[] = {
        {"ItemEquipLST",
         {"Ignored", "Garrow", "Fenna", "Edrick", "Dunmore", "Cassia", "Brenna", "Aldo"}},
        {"ItemSecondaryLST",
         {"Unknown 5", "Usable in Menu", "Can't be Sold", "Key Item", "Anti NewGame +", "Unknown 6",
          "Unknown 7", "Usable in Battle"}},
        {"ItemAccEffected1LST",
         {"Turns EXP into Gil", "Unknown", "Unknown", "Unknown", "Unknown", "Effects MP",
          "Counter Attack %", "Unknown"}},
        {"ItemAccEffected2LST",
         {"Unknown", "Unknown", "Unknown", "Unknown", "Effects HP", "Unknown", "Effects Stats",
          "Effects in Battle"}}};
    for (const auto& [name, rows] : lists) {
        auto* list = fixture.find<QListWidget>(name);
        QCOMPARE(list->count(), 8);
        for (int r = 0; r < 8; ++r) {
            QCOMPARE(list->item(r)->text(), rows[r]);
            QVERIFY(list->item(r)->flags() & Qt::ItemIsUserCheckable);
        }
    }
    auto* effects = fixture.find<QComboBox>("ItemEffectsCBO");
    QVERIFY(effects);
    QCOMPARE(effects->count(), 0);
    QVERIFY(effects->isHidden());
    QVERIFY(!effects->isEditable());
}

void ItemPageTest::startsDisabledAndEmpty() {
    EditorFixture fixture;
    for (const QString& name : kTextBoxes) {
        auto* box = fixture.find<QLineEdit>(name);
        QVERIFY2(!box->isEnabled(), qPrintable(name));
        QVERIFY(box->text().isEmpty());
    }
    for (const char* name : {"ItemWeaponAilmentCBO", "ItemArmorAilmentCBO", "ItemStatBoostCBO",
                             "ItemIconCBO", "ItemEffectsCBO"}) {
        auto* list = fixture.find<QComboBox>(name);
        QVERIFY2(!list->isEnabled(), name);
        QCOMPARE(list->currentIndex(), -1);
        QVERIFY(!list->isEditable());
    }
    for (const char* name :
         {"ItemEquipLST", "ItemSecondaryLST", "ItemAccEffected1LST", "ItemAccEffected2LST"})
        QVERIFY(!fixture.find<QListWidget>(name)->isEnabled());
    QCOMPARE(fixture.find<QComboBox>("ItemStatBoostCBO")->count(), 0);
    for (const char* name : {"FireCHK", "WaterCHK", "ShadowCHK", "BoltCHK"}) {
        QVERIFY(fixture.find<QCheckBox>(name)->isEnabled());
        QVERIFY(!fixture.find<QCheckBox>(name)->isChecked());
    }
    for (const char* name : {"FiftyCHK", "EightyCHK"}) {
        QVERIFY(!fixture.find<QCheckBox>(name)->isEnabled());
        QVERIFY(!fixture.find<QCheckBox>(name)->isChecked());
    }
    auto* held = fixture.find<QLineEdit>("ElementalResistanceTXT");
    QVERIFY(held->isHidden());
    QCOMPARE(held->text(), QString("0"));
    const std::pair<const char*, const char*> captions[] = {
        {"FireCHK", "Resist Fire"},     {"WaterCHK", "Resist Water"},
        {"ShadowCHK", "Resist Shadow"}, {"BoltCHK", "Resist Lightning"},
        {"FiftyCHK", "50% Resistance"}, {"EightyCHK", "80% Resistance"}};
    for (const auto& [name, text] : captions)
        QCOMPARE(fixture.find<QCheckBox>(name)->text(), QString(text));
}

void ItemPageTest::ailmentListsGrowWithTheRom() {
    ItemPageDriver page;
    for (const char* name : {"ItemWeaponAilmentCBO", "ItemArmorAilmentCBO"}) {
        QCOMPARE(page.dropDown(name)->count(), 256);
        QCOMPARE(page.dropDown(name)->itemText(56),
                 QString("9999 damage on critical attack - weapon"));
        QCOMPARE(page.dropDown(name)->itemText(57), QString("Nothing or Undocumented"));
    }
    QCOMPARE(page.dropDown("ItemStatBoostCBO")->count(), 256);
}

void ItemPageTest::categoryDecidesEnabledControls_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("enabled");
    const QStringList weapon =
        kWeaponControls + QStringList{"ItemPriceTXT", "ItemEquipLST", "ItemSecondaryLST",
                                      "ItemIconCBO", "ItemStatBoostCBO"};
    const QStringList armor =
        kArmorControls + QStringList{"ItemPriceTXT", "ItemEquipLST", "ItemSecondaryLST",
                                     "ItemIconCBO", "ItemStatBoostCBO"};
    const QStringList accessory =
        kAccessoryControls +
        QStringList{"ItemEquipLST", "ItemSecondaryLST", "ItemIconCBO", "ItemStatBoostCBO"};
    const QStringList normal = {"ItemPriceTXT", "ItemSecondaryLST", "ItemIconCBO"};
    const QStringList none = {"ItemIconCBO"}; // once an item was shown it stays enabled
    QTest::newRow("0") << 0 << weapon;
    QTest::newRow("85") << 85 << weapon;
    QTest::newRow("86") << 86 << none;
    QTest::newRow("87") << 87 << armor;
    QTest::newRow("147") << 147 << armor;
    QTest::newRow("148") << 148 << none;
    QTest::newRow("149") << 149 << accessory;
    QTest::newRow("187") << 187 << accessory;
    QTest::newRow("188") << 188 << none;
    QTest::newRow("189") << 189 << normal;
    QTest::newRow("240") << 240 << normal;
}

void ItemPageTest::categoryDecidesEnabledControls() {
    QFETCH(int, row);
    QFETCH(QStringList, enabled);
    ItemPageDriver page;
    page.select(row);
    const QStringList all = kWeaponControls + kArmorControls + kAccessoryControls +
                            QStringList{"ItemPriceTXT", "ItemEquipLST",     "ItemSecondaryLST",
                                        "ItemIconCBO",  "ItemStatBoostCBO", "ItemEffectsCBO"};
    for (const QString& name : all)
        QVERIFY2(page.enabled(name) == enabled.contains(name), qPrintable(name));
    for (const QString& name : kTextBoxes)
        if (!enabled.contains(name))
            QCOMPARE(page.text(name), QString("[N/A]"));
    QVERIFY(page.fixture.find<QWidget>("ItemEffectsCBO")->isHidden());
}

void ItemPageTest::row86IsShownButNotEditable() {
    const QByteArray image = itemtest::imageWith([](QByteArray& bytes) {
        synth::putByte(bytes, 0x0C0F10, 37);                             // icon "Fist"
        bytes.replace(0x0C0410, 5, QByteArray::fromHex("2800 0a2a 01")); // ailment 42
        synth::putByte(bytes, 0x0C08A8, 0x0A);                           // secondary flags
        synth::putByte(bytes, 0x0C08AB, 0x81);                           // equip flags
        synth::putByte(bytes, 0x0C08AD, 79);                             // shadow 80%
    });
    ItemPageDriver page(image, 86);
    for (const QString& name : kTextBoxes)
        QCOMPARE(page.text(name), QString("[N/A]"));
    QCOMPARE(page.checkBox("ItemWeaponDoesInflictCHK")->checkState(), Qt::Unchecked);
    QCOMPARE(page.dropDown("ItemWeaponAilmentCBO")->currentIndex(), 42);
    QCOMPARE(page.dropDown("ItemIconCBO")->currentText(), QString("Fist"));
    QCOMPARE(page.checkedByte("ItemSecondaryLST"), 0x0A);
    QCOMPARE(page.checkedByte("ItemEquipLST"), 0x81);
    QCOMPARE(page.text("ElementalResistanceTXT"), QString("79"));
    QVERIFY(page.checkBox("ShadowCHK")->isChecked());
    QVERIFY(page.applyAndDiff().isEmpty());
    QVERIFY(page.fixture.messages.isEmpty());
}

void ItemPageTest::rows148And188KeepThePreviousSelections() {
    ItemPageDriver page;
    for (int row : {148, 188}) {
        page.select(120);
        const int icon = page.dropDown("ItemIconCBO")->currentIndex();
        const int boost = page.dropDown("ItemStatBoostCBO")->currentIndex();
        const int secondary = page.checkedByte("ItemSecondaryLST");
        const QString held = page.text("ElementalResistanceTXT");
        page.select(row);
        QCOMPARE(page.dropDown("ItemIconCBO")->currentIndex(), icon);
        QVERIFY(page.enabled("ItemIconCBO"));
        QCOMPARE(page.dropDown("ItemStatBoostCBO")->currentIndex(), boost);
        QCOMPARE(page.checkedByte("ItemSecondaryLST"), secondary);
        QCOMPARE(page.text("ElementalResistanceTXT"), held);
        QCOMPARE(page.text("ItemArmorDefenseTXT"), QString("[N/A]"));
        QVERIFY(page.applyAndDiff().isEmpty());
    }
}

void ItemPageTest::weaponShowsItsRecord() {
    const QByteArray image = itemtest::imageWith([](QByteArray& bytes) {
        bytes.replace(0x0C027B, 5, QByteArray::fromHex("28000a0501")); // weapon 5
        bytes.replace(0x0C06C2, 6, QByteArray::fromHex("8aff7f018025"));
        synth::putByte(bytes, 0x0C0B95, 36);
    });
    ItemPageDriver page(image, 5);
    QCOMPARE(page.text("ItemWeaponAttackTXT"), QString("40"));
    QCOMPARE(page.text("ItemWeaponUnknown1TXT"), QString("0"));
    QCOMPARE(page.text("ItemWeaponCriticalTXT"), QString("10"));
    QCOMPARE(page.dropDown("ItemWeaponAilmentCBO")->currentIndex(), 5);
    QCOMPARE(page.dropDown("ItemWeaponAilmentCBO")->currentText(), QString("Unknown"));
    QCOMPARE(page.checkBox("ItemWeaponDoesInflictCHK")->checkState(), Qt::Checked);
    QCOMPARE(page.dropDown("ItemIconCBO")->currentText(), QString("Sword"));
    QCOMPARE(page.dropDown("ItemStatBoostCBO")->currentText(), QString("Always Evade"));
    QCOMPARE(page.checkedByte("ItemSecondaryLST"), 0x8A);
    QCOMPARE(page.checkedByte("ItemEquipLST"), 0x01);
    QCOMPARE(page.text("ItemPriceTXT"), QString("32767"));
    QCOMPARE(page.text("ElementalResistanceTXT"), QString("37"));
    QVERIFY(page.checkBox("WaterCHK")->isChecked());
    QVERIFY(page.checkBox("FiftyCHK")->isChecked());
}

void ItemPageTest::armorShowsItsRecord() {
    const QByteArray image = itemtest::imageWith([](QByteArray& bytes) {
        bytes.replace(0x0C0475, 3, QByteArray::fromHex("1e2d03")); // armor 87
        bytes.replace(0x0C08AE, 6, QByteArray::fromHex("02ffff400614"));
    });
    ItemPageDriver page(image, 87);
    QCOMPARE(page.text("ItemArmorDefenseTXT"), QString("30"));
    QCOMPARE(page.dropDown("ItemArmorAilmentCBO")->currentText(),
             QString("protect from all status ailments - armor"));
    QCOMPARE(page.checkBox("ItemArmorDoesInflictCHK")->checkState(), Qt::Unchecked);
    QCOMPARE(page.text("ItemPriceTXT"), QString("65535"));
    QCOMPARE(page.checkedByte("ItemEquipLST"), 0x40);
    QCOMPARE(page.dropDown("ItemStatBoostCBO")->currentText(),
             QString("Protect against all ailments"));
    QCOMPARE(page.checkedByte("ItemSecondaryLST"), 0x02);
}

void ItemPageTest::accessoryShowsItsRecordAndNoPrice() {
    const QByteArray image = itemtest::imageWith([](QByteArray& bytes) {
        bytes.replace(0x0C0530, 4, QByteArray::fromHex("41900619")); // accessory 149
        bytes.replace(0x0C0A20, 4, QByteArray::fromHex("0c123480"));
    });
    ItemPageDriver page(image, 149);
    QCOMPARE(page.checkedByte("ItemAccEffected1LST"), 0x41);
    QVERIFY(page.list("ItemAccEffected1LST")->item(0)->checkState() == Qt::Checked);
    QVERIFY(page.list("ItemAccEffected1LST")->item(6)->checkState() == Qt::Checked);
    QCOMPARE(page.checkedByte("ItemAccEffected2LST"), 0x90);
    QCOMPARE(page.dropDown("ItemStatBoostCBO")->currentText(),
             QString("Protect against all ailments"));
    QCOMPARE(page.text("ItemAccEffectValueTXT"), QString("25"));
    QCOMPARE(page.checkedByte("ItemSecondaryLST"), 0x0C);
    QCOMPARE(page.checkedByte("ItemEquipLST"), 0x80);
    QCOMPARE(page.text("ItemPriceTXT"), QString("[N/A]"));
    QVERIFY(!page.enabled("ItemPriceTXT"));
    QCOMPARE(page.dropDown("ItemIconCBO")->currentText(), QString("Accessory"));
}

void ItemPageTest::normalItemShowsItsRecord() {
    const QByteArray image = itemtest::imageWith([](QByteArray& bytes) {
        bytes.replace(0x0C0ABF, 3, QByteArray::fromHex("8a3930")); // item 189
        bytes.replace(0x0C0B58, 3, QByteArray::fromHex("04e8fd")); // item 240
    });
    ItemPageDriver page(image, 189);
    QCOMPARE(page.checkedByte("ItemSecondaryLST"), 0x8A);
    QCOMPARE(page.text("ItemPriceTXT"), QString("12345"));
    page.select(240);
    QCOMPARE(page.checkedByte("ItemSecondaryLST"), 0x04);
    QCOMPARE(page.text("ItemPriceTXT"), QString("65000"));
}

void ItemPageTest::unshowableValuesShowNoRow() {
    const QByteArray image = itemtest::imageWith([](QByteArray& bytes) {
        synth::putByte(bytes, 0x0C0B95, 45);  // weapon 5 icon
        synth::putByte(bytes, 0x0C027F, 3);   // weapon 5 inflict
        synth::putByte(bytes, 0x0C06C7, 200); // weapon 5 element
        synth::putByte(bytes, 0x0C0FAA, 30);  // armor 100 icon
        synth::putByte(bytes, 0x0C049E, 1);   // armor 100 inflict
    });
    ItemPageDriver page(image, 100);
    QCOMPARE(page.checkBox("ItemArmorDoesInflictCHK")->checkState(), Qt::Checked);
    QCOMPARE(page.dropDown("ItemIconCBO")->currentIndex(), -1);
    page.select(5);
    QCOMPARE(page.dropDown("ItemIconCBO")->currentIndex(), -1);
    QCOMPARE(page.checkBox("ItemWeaponDoesInflictCHK")->checkState(), Qt::Unchecked);
    QCOMPARE(page.text("ElementalResistanceTXT"), QString("0"));
    for (const char* name : {"FireCHK", "WaterCHK", "ShadowCHK", "BoltCHK"})
        QVERIFY(!page.checkBox(name)->isChecked());
}

// A list that the new category does not use keeps its check states, disabled.
void ItemPageTest::flagListsKeepStatesWhileAnotherCategoryIsShown() {
    const QByteArray image = itemtest::imageWith([](QByteArray& bytes) {
        bytes.replace(0x0C0534, 2, QByteArray::fromHex("2140")); // accessory 150
        synth::putByte(bytes, 0x0C06A4 + 6 * 3 + 3, 0x5A);       // weapon 3 equip flags
    });
    ItemPageDriver page(image, 150);
    page.select(200);
    QCOMPARE(page.checkedByte("ItemAccEffected1LST"), 0x21);
    QCOMPARE(page.checkedByte("ItemAccEffected2LST"), 0x40);
    QVERIFY(!page.enabled("ItemAccEffected1LST"));
    page.select(3);
    page.select(200);
    QCOMPARE(page.checkedByte("ItemEquipLST"), 0x5A);
    QVERIFY(!page.enabled("ItemEquipLST"));
}

QTEST_MAIN(ItemPageTest)
#include "test_item_page.moc"
