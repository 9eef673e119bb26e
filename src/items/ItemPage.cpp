#include "items/ItemPage.h"

#include "items/CheckListCodec.h"
#include "items/ElementalSelector.h"
#include "items/ItemCategory.h"
#include "items/ItemRecords.h"
#include "items/ItemRows.h"
#include "items/WideCheckBox.h"
#include "rom/RomFile.h"
#include "ui/Controls.h"
#include "ui/FieldReader.h"
#include "ui/NumberText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace items {

namespace {

const QString kNotApplicable = QStringLiteral("[N/A]");

// Captions sit beside their control, at the same top, in the column's caption lane.
constexpr int kLeftCaption = 2190;
constexpr int kRightCaption = 8100;
constexpr int kCaptionWidth = 1740;
constexpr int kRowHeight = 315;
constexpr int kGroupCaptionWidth = 1700;
constexpr int kGroupCaptionHeight = 255;

void caption(QWidget* frame, const QString& name, const QString& text, int left, int top) {
    ui::makeLabel(frame, name, text, ui::twips(left, top, kCaptionWidth, kRowHeight));
}

void groupCaption(QWidget* frame, const QString& name, const QString& text, int left, int top) {
    ui::makeGroupCaption(frame, name, text,
                         ui::twips(left, top, kGroupCaptionWidth, kGroupCaptionHeight));
}

ui::TextBox* textBox(QWidget* frame, const QString& name, int left, int top) {
    ui::TextBox* box = ui::makeTextBox(frame, name, ui::twips(left, top, 2000, kRowHeight));
    box->setEnabled(false);
    return box;
}

QComboBox* dropDown(QWidget* frame, const QString& name, int left, int top, int width,
                    const QStringList& rows = {}) {
    QComboBox* list = ui::makeDropDown(frame, name, ui::twips(left, top, width, kRowHeight), rows);
    list->setEnabled(false);
    return list;
}

QListWidget* checkList(QWidget* frame, const QString& name, int left, int top,
                       const QStringList& rows) {
    QListWidget* list = ui::makeCheckList(frame, name, ui::twips(left, top, 2000, 1860), rows);
    list->setEnabled(false);
    return list;
}

void showChecks(QListWidget* list, std::uint8_t value) {
    const CheckRows rows = checkRowsOf(value);
    for (int r = 0; r < 8; ++r)
        list->item(r)->setCheckState(rows[r] ? Qt::Checked : Qt::Unchecked);
}

std::uint8_t composeChecks(const QListWidget* list) {
    CheckRows rows{};
    for (int r = 0; r < 8; ++r)
        rows[r] = list->item(r)->checkState() == Qt::Checked;
    return byteOfCheckRows(rows);
}

void enable(std::initializer_list<QWidget*> controls) {
    for (QWidget* control : controls)
        control->setEnabled(true);
}

void disable(std::initializer_list<QWidget*> controls) {
    for (QWidget* control : controls)
        control->setEnabled(false);
}

} // namespace

ItemPage::ItemPage(QWidget* window, rom::RomFile& rom) : rom_(rom) {
    frame_ = ui::makeFrame(window, "ItemFRA", ui::twips(330, 450, 11985, 7245));
    list_ = ui::makeList(frame_, "ItemLST", ui::twips(150, 240, 1755, 6885));
    buildWeaponGroup();
    buildArmorGroup();
    buildAccessoryGroup();
    buildRightColumn();
    buildHiddenEffectTypes();
    frame_->hide();

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            ItemLST_Click();
    });
    for (QCheckBox* box : {weaponInflict_, armorInflict_})
        connect(box, &QCheckBox::stateChanged, this, [this] { inflictEdited_ = true; });
}

ItemPage::~ItemPage() = default;

void ItemPage::buildWeaponGroup() {
    groupCaption(frame_, "ItemWeaponLBL", "Weapon:", 2220, 240);
    caption(frame_, "ItemWeaponAttackLBL", "Attack:", kLeftCaption, 600);
    weaponAttack_ = textBox(frame_, "ItemWeaponAttackTXT", 3960, 600);
    caption(frame_, "ItemWeaponCriticalLBL", "Critical %:", kLeftCaption, 960);
    weaponCritical_ = textBox(frame_, "ItemWeaponCriticalTXT", 3960, 960);
    caption(frame_, "ItemWeaponAilmentLBL", "Status Inflicted:", kLeftCaption, 1320);
    weaponAilment_ = dropDown(frame_, "ItemWeaponAilmentCBO", 3960, 1320, 4000, ailmentRows());
    // A weapon's inflict byte has three states: 0 cleared, 1 checked, 2 greyed.
    weaponInflict_ = makeWideCheckBox(frame_, "ItemWeaponDoesInflictCHK",
                                      "Does Inflict Status?:", ui::twips(2160, 1680, 5775, 255));
    weaponInflict_->setTristate(true);
    weaponInflict_->setEnabled(false);
    caption(frame_, "ItemWeaponUnknown1LBL", "Unknown:", kLeftCaption, 2040);
    weaponUnknown1_ = textBox(frame_, "ItemWeaponUnknown1TXT", 3960, 2040);
}

void ItemPage::buildArmorGroup() {
    groupCaption(frame_, "ItemArmorLBL", "Armor:", 2220, 2400);
    caption(frame_, "ItemArmorDefenseLBL", "Defense:", kLeftCaption, 2760);
    armorDefense_ = textBox(frame_, "ItemArmorDefenseTXT", 3960, 2760);
    caption(frame_, "ItemArmorAilmentLBL", "Status Inflicted:", kLeftCaption, 3120);
    armorAilment_ = dropDown(frame_, "ItemArmorAilmentCBO", 3960, 3120, 4000, ailmentRows());
    armorInflict_ = makeWideCheckBox(frame_, "ItemArmorDoesInflictCHK",
                                     "Does Inflict Status?:", ui::twips(2160, 3480, 5775, 255));
    armorInflict_->setEnabled(false);
}

void ItemPage::buildAccessoryGroup() {
    groupCaption(frame_, "ItemAccessoryLBL", "Accessory:", 2220, 3840);
    caption(frame_, "ItemAccEffectedLBL", "Item Effects:", kLeftCaption, 4170);
    accEffected1_ = checkList(frame_, "ItemAccEffected1LST", 3960, 4170, accEffected1Rows());
    accEffected2_ = checkList(frame_, "ItemAccEffected2LST", 6000, 4170, accEffected2Rows());
    caption(frame_, "ItemAccEffectValueLBL", "Effect Value:", kLeftCaption, 6450);
    accEffectValue_ = textBox(frame_, "ItemAccEffectValueTXT", 3960, 6450);
    caption(frame_, "ItemStatBoostLBL", "Stat Boosted:", kLeftCaption, 6810);
    statBoost_ = dropDown(frame_, "ItemStatBoostCBO", 3960, 6810, 4000); // rows come with the ROM
}

void ItemPage::buildRightColumn() {
    groupCaption(frame_, "ItemNormalLBL", "Normal Items:", 8130, 240);
    caption(frame_, "ItemPriceLBL", "Price:", kRightCaption, 600);
    price_ = textBox(frame_, "ItemPriceTXT", 9870, 600);
    caption(frame_, "ItemEquipLBL", "Equipped by:", kRightCaption, 960);
    equip_ = checkList(frame_, "ItemEquipLST", 9870, 960, equipRows());
    caption(frame_, "ItemSecondaryLBL", "Secondary Stats:", kRightCaption, 2880);
    secondary_ = checkList(frame_, "ItemSecondaryLST", 9870, 2880, secondaryRows());
    elemental_ = new ElementalSelector(frame_);
    caption(frame_, "ItemIconLBL", "Item Icon:", kRightCaption, 6840);
    icon_ = dropDown(frame_, "ItemIconCBO", 9870, 6840, 2000, iconRows());
}

// A list of effect types that the page carries but never shows, fills or reads.
void ItemPage::buildHiddenEffectTypes() {
    QLabel* label =
        ui::makeLabel(frame_, "ItemEffectsLBL",
                      "Effect Types:", ui::twips(kLeftCaption, 7170, kCaptionWidth, kRowHeight));
    label->hide();
    effectTypes_ = dropDown(frame_, "ItemEffectsCBO", 3960, 7170, 4000);
    effectTypes_->hide();
}

int ItemPage::selectedRow() const {
    return list_->currentRow();
}

// Each step reads the selected row again; row 86 is loaded and then blanked.
void ItemPage::ItemLST_Click() {
    DisableAll();
    if (selectedRow() < 0)
        return;
    if (selectedRow() < 87)
        LoadWeapon();
    if (selectedRow() == 86)
        DisableAll();
    if (selectedRow() > 86 && selectedRow() < 148)
        LoadArmor();
    if (selectedRow() == 148)
        DisableAll();
    if (selectedRow() > 148 && selectedRow() < 188)
        LoadAccessory();
    if (selectedRow() > 188)
        LoadNormalItem();
}

// Blanks and disables the detail controls; lists keep their rows and check states, and
// the icon list and the elemental boxes are left alone.
void ItemPage::DisableAll() {
    disable({weaponAttack_, weaponUnknown1_, weaponCritical_, weaponAilment_, weaponInflict_});
    weaponAttack_->setText(kNotApplicable);
    weaponUnknown1_->setText(kNotApplicable);
    weaponCritical_->setText(kNotApplicable);
    weaponInflict_->setCheckState(Qt::Unchecked);

    disable({armorDefense_, armorAilment_, armorInflict_, accEffected1_, accEffected2_,
             accEffectValue_, statBoost_, effectTypes_});
    armorDefense_->setText(kNotApplicable);
    armorInflict_->setCheckState(Qt::Unchecked);
    accEffectValue_->setText(kNotApplicable);

    disable({price_, equip_, secondary_});
    price_->setText(kNotApplicable);
}

void ItemPage::LoadWeapon() {
    const int row = selectedRow();
    const WeaponRecord record = WeaponRecord::read(rom_, row);
    DisableAll();
    enable({weaponAttack_, weaponUnknown1_, weaponCritical_, weaponAilment_, weaponInflict_, price_,
            equip_, secondary_, icon_, statBoost_});
    weaponAttack_->setText(QString::number(record.attack));
    weaponUnknown1_->setText(QString::number(record.unknown1));
    weaponCritical_->setText(QString::number(record.critical));
    ui::showByteRow(weaponAilment_, record.ailment);
    showWeaponInflict(record.inflict);
    showIcon(record.icon);
    showGearInfo(record.gear);
    finishLoad({record.icon, record.ailment, record.gear.statBoost, record.inflict});
}

// A byte above 2 has no state of the box: it shows cleared and is kept unless changed.
void ItemPage::showWeaponInflict(std::uint8_t value) {
    switch (value) {
    case 1:
        weaponInflict_->setCheckState(Qt::Checked);
        break;
    case 2:
        weaponInflict_->setCheckState(Qt::PartiallyChecked);
        break;
    default:
        weaponInflict_->setCheckState(Qt::Unchecked);
        break;
    }
}

void ItemPage::LoadArmor() {
    const int row = selectedRow();
    const ArmorRecord record = ArmorRecord::read(rom_, row);
    enable({armorDefense_, armorAilment_, armorInflict_, price_, equip_, secondary_, icon_,
            statBoost_});
    armorDefense_->setText(QString::number(record.defense));
    ui::showByteRow(armorAilment_, record.ailment);
    // A byte above 1 shows cleared and is kept unless the user changes the box.
    armorInflict_->setCheckState(record.inflict == 1 ? Qt::Checked : Qt::Unchecked);
    showIcon(record.icon);
    showGearInfo(record.gear);
    finishLoad({record.icon, record.ailment, record.gear.statBoost, record.inflict});
}

// The GearInfoRecord part of a weapon or armor page, the price read last.
void ItemPage::showGearInfo(const GearInfo& gear) {
    ui::showByteRow(statBoost_, gear.statBoost);
    elemental_->ShowElementalResistance(gear.element);
    SetEquipChecks(gear.equip);
    SetSecondaryChecks(gear.secondary);
    LoadPrice();
}

void ItemPage::LoadAccessory() {
    const int row = selectedRow();
    const AccessoryRecord record = AccessoryRecord::read(rom_, row);
    enable({accEffected1_, accEffected2_, accEffectValue_, equip_, secondary_, icon_, statBoost_});
    showIcon(record.icon);
    accEffectValue_->setText(QString::number(record.effectValue));
    ui::showByteRow(statBoost_, record.statBoost);
    SetEquipChecks(record.equip);
    SetSecondaryChecks(record.secondary);
    SetAccEffected1Checks(record.effects1);
    SetAccEffected2Checks(record.effects2);
    finishLoad({record.icon, 0, record.statBoost, 0});
}

void ItemPage::LoadNormalItem() {
    const int row = selectedRow();
    const NormalItemRecord record = NormalItemRecord::read(rom_, row);
    DisableAll();
    enable({price_, secondary_, icon_});
    showIcon(record.icon);
    SetSecondaryChecks(record.secondary);
    LoadPrice2();
    finishLoad({record.icon, 0, 0, 0});
}

void ItemPage::finishLoad(const Loaded& loaded) {
    loaded_ = loaded;
    inflictEdited_ = false;
}

void ItemPage::LoadPrice() {
    showPriceAt(gearInfoOffset(selectedRow()) + 1);
}

void ItemPage::LoadPrice2() {
    showPriceAt(itemInfoOffset(selectedRow()) + 1);
}

void ItemPage::showPriceAt(qint64 offset) {
    price_->setText(ui::unsignedText(rom_.readInteger(offset)));
}

// Codes outside the icon rows show no row and are kept unless the user picks one.
void ItemPage::showIcon(std::uint8_t code) {
    icon_->setCurrentIndex(iconRowOf(code));
}

std::uint8_t ItemPage::iconToStore() const {
    const int row = icon_->currentIndex();
    return row >= 0 ? static_cast<std::uint8_t>(row + kFirstIconCode) : loaded_.icon;
}

std::uint8_t ItemPage::weaponInflictToStore() const {
    if (!inflictEdited_ && loaded_.inflict > 2)
        return loaded_.inflict;
    switch (weaponInflict_->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

std::uint8_t ItemPage::armorInflictToStore() const {
    if (!inflictEdited_ && loaded_.inflict > 1)
        return loaded_.inflict;
    return armorInflict_->isChecked() ? 1 : 0;
}

std::uint8_t ItemPage::elementToStore(ui::FieldReader& reader) const {
    if (const std::optional<std::uint8_t> kept = elemental_->keptByte())
        return *kept;
    return static_cast<std::uint8_t>(
        reader.wholeNumber(elemental_->heldBox(), QStringLiteral("Elemental Resistance:"), 0, 255));
}

GearInfo ItemPage::gearInfoToStore(ui::FieldReader& reader) const {
    GearInfo gear;
    gear.secondary = GetSecondaryChecks();
    gear.equip = GetEquipChecks();
    gear.statBoost = ui::selectedByte(statBoost_, loaded_.statBoost);
    gear.element = elementToStore(reader);
    gear.price = reader.wrapped16(price_, QStringLiteral("Price:"));
    return gear;
}

template <typename Record, typename Fill>
bool ItemPage::saveItem(ItemCategory category, Fill fill, void (ItemPage::*reload)()) {
    const int row = selectedRow();
    if (categoryOfRow(row) != category)
        return false;
    ui::FieldReader reader;
    for (const Span& span : Record::spans(row))
        reader.requireInFile(rom_, span.offset, span.length);
    Record record;
    fill(record, reader);
    if (!reader.report(frame_->window()))
        return false;
    ui::checkWritten(frame_->window(), rom_, record.write(rom_, row));
    (this->*reload)();
    return true;
}

bool ItemPage::SaveWeapon() {
    return saveItem<WeaponRecord>(
        ItemCategory::Weapon,
        [this](WeaponRecord& record, ui::FieldReader& reader) {
            record.icon = iconToStore();
            record.attack = reader.byte(weaponAttack_, QStringLiteral("Attack:"));
            record.unknown1 = reader.byte(weaponUnknown1_, QStringLiteral("Unknown:"));
            record.critical = reader.byte(weaponCritical_, QStringLiteral("Critical %:"));
            record.ailment = ui::selectedByte(weaponAilment_, loaded_.ailment);
            record.inflict = weaponInflictToStore();
            record.gear = gearInfoToStore(reader);
        },
        &ItemPage::LoadWeapon);
}

bool ItemPage::SaveArmor() {
    return saveItem<ArmorRecord>(
        ItemCategory::Armor,
        [this](ArmorRecord& record, ui::FieldReader& reader) {
            record.icon = iconToStore();
            record.defense = reader.byte(armorDefense_, QStringLiteral("Defense:"));
            record.ailment = ui::selectedByte(armorAilment_, loaded_.ailment);
            record.inflict = armorInflictToStore();
            record.gear = gearInfoToStore(reader);
        },
        &ItemPage::LoadArmor);
}

bool ItemPage::SaveAccessory() {
    return saveItem<AccessoryRecord>(
        ItemCategory::Accessory,
        [this](AccessoryRecord& record, ui::FieldReader& reader) {
            record.icon = iconToStore();
            record.secondary = GetSecondaryChecks();
            record.equip = GetEquipChecks();
            record.effects1 = GetAccEffected1Checks();
            record.effects2 = GetAccEffected2Checks();
            record.statBoost = ui::selectedByte(statBoost_, loaded_.statBoost);
            record.effectValue = reader.byte(accEffectValue_, QStringLiteral("Effect Value:"));
        },
        &ItemPage::LoadAccessory);
}

bool ItemPage::SaveNormalItem() {
    return saveItem<NormalItemRecord>(
        ItemCategory::NormalItem,
        [this](NormalItemRecord& record, ui::FieldReader& reader) {
            record.secondary = GetSecondaryChecks();
            record.icon = iconToStore();
            record.price = reader.wrapped16(price_, QStringLiteral("Price:"));
        },
        &ItemPage::LoadNormalItem);
}

void ItemPage::SetSecondaryChecks(std::uint8_t value) {
    showChecks(secondary_, value);
}
void ItemPage::SetEquipChecks(std::uint8_t value) {
    showChecks(equip_, value);
}
void ItemPage::SetAccEffected1Checks(std::uint8_t value) {
    showChecks(accEffected1_, value);
}
void ItemPage::SetAccEffected2Checks(std::uint8_t value) {
    showChecks(accEffected2_, value);
}
std::uint8_t ItemPage::GetSecondaryChecks() const {
    return composeChecks(secondary_);
}
std::uint8_t ItemPage::GetEquipChecks() const {
    return composeChecks(equip_);
}
std::uint8_t ItemPage::GetAccEffected1Checks() const {
    return composeChecks(accEffected1_);
}
std::uint8_t ItemPage::GetAccEffected2Checks() const {
    return composeChecks(accEffected2_);
}

} // namespace items
