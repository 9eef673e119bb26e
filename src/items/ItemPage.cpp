#include "items/ItemPage.h"

#include "binding/FieldBinder.h"
#include "items/CheckListCodec.h"
#include "items/Elemental.h"
#include "items/ElementalSelector.h"
#include "items/ItemRows.h"
#include "items/WideCheckBox.h"
#include "ui/Controls.h"
#include "ui/FileAccess.h"

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

// The caption the item fields give the control.
QString captionTextOf(const char* control) {
    const QString name = QLatin1String(control);
    if (const auto* field = rom::findField(weaponFields(), name))
        return QLatin1String(field->caption);
    if (const auto* field = rom::findField(armorFields(), name))
        return QLatin1String(field->caption);
    return QLatin1String(rom::findField(accessoryFields(), name)->caption);
}

// The control a caption stands for, to be linked once the control exists.
const char* const kCaptionFor = "captionFor";

void caption(QWidget* frame, const QString& name, const char* control, int left, int top) {
    ui::makeLabel(frame, name, captionTextOf(control),
                  ui::twips(left, top, kCaptionWidth, kRowHeight))
        ->setProperty(kCaptionFor, QLatin1String(control));
}

void groupCaption(QWidget* frame, const QString& name, const QString& text, int left, int top) {
    ui::makeGroupCaption(frame, name, text,
                         ui::twips(left, top, kGroupCaptionWidth, kGroupCaptionHeight));
}

ui::TextBox* textBox(QWidget* frame, const char* name, int left, int top) {
    ui::TextBox* box = ui::makeTextBox(frame, name, ui::twips(left, top, 2000, kRowHeight));
    box->setEnabled(false);
    return box;
}

QComboBox* dropDown(QWidget* frame, const char* name, int left, int top, int width,
                    const QStringList& rows = {}) {
    QComboBox* list = ui::makeDropDown(frame, name, ui::twips(left, top, width, kRowHeight), rows);
    list->setEnabled(false);
    return list;
}

QListWidget* checkList(QWidget* frame, const char* name, int left, int top,
                       const QStringList& rows) {
    QListWidget* list = ui::makeCheckList(frame, name, ui::twips(left, top, 2000, 1860), rows);
    list->setEnabled(false);
    return list;
}

void disable(std::initializer_list<QWidget*> controls) {
    for (QWidget* control : controls)
        control->setEnabled(false);
}

} // namespace

ItemPage::ItemPage(QWidget* window, const rom::RomFile& rom, ui::FileAccess& access)
    : rom_(rom), access_(access) {
    frame_ = ui::makeFrame(window, "ItemFRA", ui::twips(330, 450, 11985, 7245));
    list_ = ui::makeList(frame_, "ItemLST", ui::twips(150, 240, 1755, 6885));
    fields_ = new ui::FieldBinder(frame_);
    buildWeaponGroup();
    buildArmorGroup();
    buildAccessoryGroup();
    buildRightColumn();
    bindElementalSelector();
    linkCaptions();
    frame_->hide();
}

void ItemPage::linkCaptions() {
    for (QLabel* label : frame_->findChildren<QLabel*>())
        if (const QString control = label->property(kCaptionFor).toString(); !control.isEmpty())
            label->setBuddy(frame_->findChild<QWidget*>(control));
    setCaption(accEffected2_, frame_->findChild<QLabel*>("ItemAccEffectedLBL"));
}

ItemPage::~ItemPage() = default;

void ItemPage::buildWeaponGroup() {
    groupCaption(frame_, "ItemWeaponLBL", "Weapon:", 2220, 240);
    caption(frame_, "ItemWeaponAttackLBL", "ItemWeaponAttackTXT", kLeftCaption, 600);
    weaponAttack_ = textBox(frame_, "ItemWeaponAttackTXT", 3960, 600);
    caption(frame_, "ItemWeaponCriticalLBL", "ItemWeaponCriticalTXT", kLeftCaption, 960);
    weaponCritical_ = textBox(frame_, "ItemWeaponCriticalTXT", 3960, 960);
    caption(frame_, "ItemWeaponAilmentLBL", "ItemWeaponAilmentCBO", kLeftCaption, 1320);
    weaponAilment_ = dropDown(frame_, "ItemWeaponAilmentCBO", 3960, 1320, 4000,
                              ailmentRows().mid(0, kFixedAilmentRows));
    // A weapon's inflict byte has three states: 0 cleared, 1 checked, 2 greyed.
    weaponInflict_ = makeWideCheckBox(frame_, "ItemWeaponDoesInflictCHK",
                                      captionTextOf("ItemWeaponDoesInflictCHK"),
                                      ui::twips(2160, 1680, 5775, 255));
    weaponInflict_->setTristate(true);
    weaponInflict_->setEnabled(false);
    caption(frame_, "ItemWeaponUnknown1LBL", "ItemWeaponUnknown1TXT", kLeftCaption, 2040);
    weaponUnknown1_ = textBox(frame_, "ItemWeaponUnknown1TXT", 3960, 2040);
}

void ItemPage::buildArmorGroup() {
    groupCaption(frame_, "ItemArmorLBL", "Armor:", 2220, 2400);
    caption(frame_, "ItemArmorDefenseLBL", "ItemArmorDefenseTXT", kLeftCaption, 2760);
    armorDefense_ = textBox(frame_, "ItemArmorDefenseTXT", 3960, 2760);
    caption(frame_, "ItemArmorAilmentLBL", "ItemArmorAilmentCBO", kLeftCaption, 3120);
    armorAilment_ = dropDown(frame_, "ItemArmorAilmentCBO", 3960, 3120, 4000,
                             ailmentRows().mid(0, kFixedAilmentRows));
    armorInflict_ = makeWideCheckBox(frame_, "ItemArmorDoesInflictCHK",
                                     captionTextOf("ItemArmorDoesInflictCHK"),
                                     ui::twips(2160, 3480, 5775, 255));
    armorInflict_->setEnabled(false);
}

void ItemPage::buildAccessoryGroup() {
    groupCaption(frame_, "ItemAccessoryLBL", "Accessory:", 2220, 3840);
    caption(frame_, "ItemAccEffectedLBL", "ItemAccEffected1LST", kLeftCaption, 4170);
    accEffected1_ = checkList(frame_, "ItemAccEffected1LST", 3960, 4170, accEffected1Rows());
    accEffected2_ = checkList(frame_, "ItemAccEffected2LST", 6000, 4170, accEffected2Rows());
    caption(frame_, "ItemAccEffectValueLBL", "ItemAccEffectValueTXT", kLeftCaption, 6450);
    accEffectValue_ = textBox(frame_, "ItemAccEffectValueTXT", 3960, 6450);
    caption(frame_, "ItemStatBoostLBL", "ItemStatBoostCBO", kLeftCaption, 6810);
    statBoost_ = dropDown(frame_, "ItemStatBoostCBO", 3960, 6810, 4000); // rows come with the ROM
}

void ItemPage::buildRightColumn() {
    groupCaption(frame_, "ItemNormalLBL", "Normal Items:", 8130, 240);
    caption(frame_, "ItemPriceLBL", "ItemPriceTXT", kRightCaption, 600);
    price_ = textBox(frame_, "ItemPriceTXT", 9870, 600);
    caption(frame_, "ItemEquipLBL", "ItemEquipLST", kRightCaption, 960);
    equip_ = checkList(frame_, "ItemEquipLST", 9870, 960, equipRows());
    caption(frame_, "ItemSecondaryLBL", "ItemSecondaryLST", kRightCaption, 2880);
    secondary_ = checkList(frame_, "ItemSecondaryLST", 9870, 2880, secondaryRows());
    elemental_ = new ElementalSelector(frame_);
    caption(frame_, "ItemIconLBL", "ItemIconCBO", kRightCaption, 6840);
    icon_ = dropDown(frame_, "ItemIconCBO", 9870, 6840, 2000, iconRows());
}

// A stored byte the selector cannot show is written back as it was until the user
// touches one of its boxes.
void ItemPage::bindElementalSelector() {
    fields_->bindCustom(
        QStringLiteral("ElementalResistanceTXT"),
        [this](int value) {
            elemental_->ShowElementalResistance(static_cast<std::uint8_t>(value));
        },
        [this](const rom::FieldView& field, ui::FieldReader& reader, int) {
            if (const std::optional<std::uint8_t> kept = elemental_->keptByte())
                return int(*kept);
            return int(reader.wholeNumber(elemental_->heldBox(), field.caption, 0, 255));
        });
}

int ItemPage::selectedRow() const {
    return list_->currentRow();
}

// Row 86 is loaded as a weapon and then blanked; rows 148 and 188 only blank the page.
void ItemPage::ItemLST_Click() {
    if (!access_.stillSameFile())
        return;
    DisableAll();
    const int row = selectedRow();
    switch (categoryOfRow(row)) {
    case ItemCategory::Weapon:
        LoadWeapon();
        break;
    case ItemCategory::Armor:
        LoadArmor();
        break;
    case ItemCategory::Accessory:
        LoadAccessory();
        break;
    case ItemCategory::NormalItem:
        LoadNormalItem();
        break;
    case ItemCategory::None:
        if (row == 86) {
            LoadWeapon();
            DisableAll();
        }
        break;
    }
    rememberShownValues();
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
             accEffectValue_, statBoost_});
    armorDefense_->setText(kNotApplicable);
    armorInflict_->setCheckState(Qt::Unchecked);
    accEffectValue_->setText(kNotApplicable);

    disable({price_, equip_, secondary_});
    price_->setText(kNotApplicable);
}

void ItemPage::LoadWeapon() {
    loadedWeapon_ = rom::readRecord(rom_, weaponFields(), selectedRow());
    DisableAll();
    fields_->setWrittenEnabled(weaponFields(), true);
    fields_->show(weaponFields(), loadedWeapon_);
}

void ItemPage::LoadArmor() {
    loadedArmor_ = rom::readRecord(rom_, armorFields(), selectedRow());
    fields_->setWrittenEnabled(armorFields(), true);
    fields_->show(armorFields(), loadedArmor_);
}

void ItemPage::LoadAccessory() {
    loadedAccessory_ = rom::readRecord(rom_, accessoryFields(), selectedRow());
    fields_->setWrittenEnabled(accessoryFields(), true);
    fields_->show(accessoryFields(), loadedAccessory_);
}

void ItemPage::LoadNormalItem() {
    loadedNormalItem_ = rom::readRecord(rom_, normalItemFields(), selectedRow());
    DisableAll();
    fields_->setWrittenEnabled(normalItemFields(), true);
    fields_->show(normalItemFields(), loadedNormalItem_);
}

template <typename Record>
bool ItemPage::saveItem(ItemCategory category, rom::FieldTable<Record> fields, const Record& loaded,
                        void (ItemPage::*reload)()) {
    const int row = selectedRow();
    if (categoryOfRow(row) != category)
        return false;
    const auto outcome =
        fields_->save(rom_, access_, {records::RecordKind::Item, row, list_->currentItem()->text()},
                      fields, loaded);
    if (!outcome || *outcome == ui::FileAccess::Outcome::Refused)
        return false;
    (this->*reload)();
    rememberShownValues();
    return *outcome == ui::FileAccess::Outcome::Written;
}

QString ItemPage::applyRefusal() const {
    if (!lacksStrength(elemental_->heldValue()))
        return QString();
    return QStringLiteral("You need to check one of either 50% Resistance or 80% Resistance "
                          "checkboxes before you can proceed.");
}

bool ItemPage::save() {
    switch (categoryOfRow(selectedRow())) {
    case ItemCategory::Weapon:
        return SaveWeapon();
    case ItemCategory::NormalItem:
        return SaveNormalItem();
    case ItemCategory::Armor:
    case ItemCategory::Accessory:
        return saveFromOtherTab();
    case ItemCategory::None:
        break;
    }
    return false;
}

bool ItemPage::saveFromOtherTab() {
    switch (categoryOfRow(selectedRow())) {
    case ItemCategory::Armor:
        return SaveArmor();
    case ItemCategory::Accessory:
        return SaveAccessory();
    default:
        return false;
    }
}

bool ItemPage::SaveWeapon() {
    return saveItem(ItemCategory::Weapon, weaponFields(), loadedWeapon_, &ItemPage::LoadWeapon);
}

bool ItemPage::SaveArmor() {
    return saveItem(ItemCategory::Armor, armorFields(), loadedArmor_, &ItemPage::LoadArmor);
}

bool ItemPage::SaveAccessory() {
    return saveItem(ItemCategory::Accessory, accessoryFields(), loadedAccessory_,
                    &ItemPage::LoadAccessory);
}

bool ItemPage::SaveNormalItem() {
    return saveItem(ItemCategory::NormalItem, normalItemFields(), loadedNormalItem_,
                    &ItemPage::LoadNormalItem);
}

} // namespace items
