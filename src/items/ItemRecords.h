#pragma once

#include "items/ItemCategory.h"

namespace items {

// Icon codes 31 to 41 have a row in the icon list (row = code - 31); other codes have none.
inline constexpr int kFirstIconCode = 31;

// The part that weapons and armor share, in kGearInfoTable.
struct GearInfo {
    int secondary = 0; // flag byte
    int price = 0;     // 0 to 65535
    int equip = 0;     // flag byte, one bit per character
    int statBoost = 0;
    int element = 0;
};

// Everything the item page edits for one weapon: its icon and its records in
// kWeaponTable and kGearInfoTable.
struct Weapon : GearInfo {
    int icon = 0;
    int attack = 0;
    int unknown1 = 0;
    int critical = 0;
    int ailment = 0;
    int inflict = 0; // 0 cleared, 1 checked, 2 greyed
};

// One armor item: icon and its records in kArmorTable and kGearInfoTable.
struct Armor : GearInfo {
    int icon = 0;
    int defense = 0;
    int ailment = 0;
    int inflict = 0; // 0 cleared, 1 checked
};

// One accessory: icon and its records in kAccessoryTable and kAccessoryInfoTable (whose
// bytes 1 and 2 the editor leaves alone).
struct Accessory {
    int icon = 0;
    int equip = 0;
    int effects1 = 0;
    int effects2 = 0;
    int statBoost = 0;
    int effectValue = 0;
    int secondary = 0;
};

// One normal item: icon and its record in kItemInfoTable.
struct NormalItem {
    int icon = 0;
    int secondary = 0;
    int price = 0;
};

// Each in the order its save writes: the icon first; weapons and armor end with their
// gear info bytes 0, 3, 4, 5 and then the price.
rom::FieldTable<Weapon> weaponFields();
rom::FieldTable<Armor> armorFields();
rom::FieldTable<Accessory> accessoryFields();
rom::FieldTable<NormalItem> normalItemFields();

} // namespace items
