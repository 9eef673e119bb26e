#pragma once

#include "items/ItemCategory.h"
#include "items/ItemRecords.h"

#include <QObject>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QListWidget;
class QWidget;

namespace rom {
class RomFile;
}
namespace ui {
class FieldReader;
}

namespace items {

class ElementalSelector;
struct Span;

// The "Item Stats" page: the frame ItemFRA with the item list and every category's fields.
// The selected row decides the category: weapons 0-85, armor 87-147, accessories 149-187,
// normal items 189-240; rows 86, 148 and 188 can be viewed but are never written.
class ItemPage : public QObject {
    Q_OBJECT
  public:
    ItemPage(QWidget* window, rom::RomFile& rom);
    ~ItemPage() override;

    QFrame* frame() const { return frame_; }
    QListWidget* list() const { return list_; }
    int selectedRow() const;
    ElementalSelector& elemental() const { return *elemental_; }

    void ItemLST_Click();
    void DisableAll();

    void LoadWeapon();
    void LoadArmor();
    void LoadAccessory();
    void LoadNormalItem();
    void LoadPrice();
    void LoadPrice2();

    // Each writes the selected item's records; false when nothing was written.
    bool SaveWeapon();
    bool SaveArmor();
    bool SaveAccessory();
    bool SaveNormalItem();

    // The four flag lists, one byte each.
    void SetSecondaryChecks(std::uint8_t value);
    void SetEquipChecks(std::uint8_t value);
    void SetAccEffected1Checks(std::uint8_t value);
    void SetAccEffected2Checks(std::uint8_t value);
    std::uint8_t GetSecondaryChecks() const;
    std::uint8_t GetEquipChecks() const;
    std::uint8_t GetAccEffected1Checks() const;
    std::uint8_t GetAccEffected2Checks() const;

  private:
    // The bytes last loaded into controls that cannot show every value: each is written
    // back as it was unless the user changed the control.
    struct Loaded {
        std::uint8_t icon = 0;
        std::uint8_t ailment = 0;
        std::uint8_t statBoost = 0;
        std::uint8_t inflict = 0;
    };

    void buildWeaponGroup();
    void buildArmorGroup();
    void buildAccessoryGroup();
    void buildRightColumn();
    void buildHiddenEffectTypes();

    void showIcon(std::uint8_t code);
    void showWeaponInflict(std::uint8_t value);
    void showPriceAt(qint64 offset);
    void finishLoad(const Loaded& loaded);

    std::uint8_t iconToStore() const;
    std::uint8_t weaponInflictToStore() const;
    std::uint8_t armorInflictToStore() const;
    std::uint8_t elementToStore(ui::FieldReader& reader) const;
    void showGearInfo(const GearInfo& gear);
    GearInfo gearInfoToStore(ui::FieldReader& reader) const;

    // The steps every save shares: the selected row must be of `category` and each of its
    // records inside the file; `fill` converts every field through the reader; only when
    // all are storable is the record written, and the item reloaded with `reload`.
    template <typename Record, typename Fill>
    bool saveItem(ItemCategory category, Fill fill, void (ItemPage::*reload)());

    rom::RomFile& rom_;
    QFrame* frame_ = nullptr;
    QListWidget* list_ = nullptr;

    QLineEdit* weaponAttack_ = nullptr;
    QLineEdit* weaponCritical_ = nullptr;
    QComboBox* weaponAilment_ = nullptr;
    QCheckBox* weaponInflict_ = nullptr;
    QLineEdit* weaponUnknown1_ = nullptr;

    QLineEdit* armorDefense_ = nullptr;
    QComboBox* armorAilment_ = nullptr;
    QCheckBox* armorInflict_ = nullptr;

    QListWidget* accEffected1_ = nullptr;
    QListWidget* accEffected2_ = nullptr;
    QLineEdit* accEffectValue_ = nullptr;
    QComboBox* statBoost_ = nullptr;
    QComboBox* effectTypes_ = nullptr;

    QLineEdit* price_ = nullptr;
    QListWidget* equip_ = nullptr;
    QListWidget* secondary_ = nullptr;
    QComboBox* icon_ = nullptr;
    ElementalSelector* elemental_ = nullptr;

    Loaded loaded_;
    bool inflictEdited_ = false;
};

} // namespace items
