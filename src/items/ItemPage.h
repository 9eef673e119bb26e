#pragma once

#include "items/ItemRecords.h"
#include "ui/Page.h"

#include <QList>
#include <QObject>

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
class FieldBinder;
class FileAccess;
} // namespace ui

namespace items {

class ElementalSelector;

// The "Item Stats" page: the frame ItemFRA with the item list and every category's fields.
// The selected row decides the category: weapons 0-85, armor 87-147, accessories 149-187,
// normal items 189-240; rows 86, 148 and 188 can be viewed but are never written.
class ItemPage : public QObject, public ui::Page {
    Q_OBJECT
  public:
    ItemPage(QWidget* window, const rom::RomFile& rom, ui::FileAccess& access);
    ~ItemPage() override;

    records::RecordKind id() const override { return records::RecordKind::Item; }
    QFrame* frame() const override { return frame_; }
    QListWidget* list() const override { return list_; }
    void loadSelected() override { ItemLST_Click(); }
    // The selected item's record, by its category.
    bool save() override;
    // An element chosen without a strength stays held after the page is left, and no
    // Apply goes ahead while it is.
    QString applyRefusal() const override;
    // Apply while a "[N/A]" tab shows: armor and accessories are written from what the page
    // last showed; weapons and normal items are not.
    bool saveFromOtherTab();
    int selectedRow() const;
    // The lists whose rows the name loader fills on every opening.
    QComboBox* statBoostList() const { return statBoost_; }
    QList<QComboBox*> ailmentLists() const { return {weaponAilment_, armorAilment_}; }

    void ItemLST_Click();
    void DisableAll();

    void LoadWeapon();
    void LoadArmor();
    void LoadAccessory();
    void LoadNormalItem();

    // Each writes the selected item's records; false when nothing was written.
    bool SaveWeapon();
    bool SaveArmor();
    bool SaveAccessory();
    bool SaveNormalItem();

  private:
    void buildWeaponGroup();
    void buildArmorGroup();
    void buildAccessoryGroup();
    void buildRightColumn();
    void bindElementalSelector();
    void linkCaptions();

    // Shared by the four saves: the selected row must be of `category`; when the record
    // was written the item is reloaded with `reload`.
    template <typename Record>
    bool saveItem(ItemCategory category, rom::FieldTable<Record> fields, const Record& loaded,
                  void (ItemPage::*reload)());

    const rom::RomFile& rom_;
    ui::FileAccess& access_;
    QFrame* frame_ = nullptr;
    QListWidget* list_ = nullptr;
    ui::FieldBinder* fields_ = nullptr;

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

    QLineEdit* price_ = nullptr;
    QListWidget* equip_ = nullptr;
    QListWidget* secondary_ = nullptr;
    QComboBox* icon_ = nullptr;
    ElementalSelector* elemental_ = nullptr;

    // Each category's record as last read from the file.
    Weapon loadedWeapon_;
    Armor loadedArmor_;
    Accessory loadedAccessory_;
    NormalItem loadedNormalItem_;
};

} // namespace items
