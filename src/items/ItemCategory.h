#pragma once

#include "rom/NameLists.h"

#include <QtGlobal>

namespace items {

// The item list has one row per item; the row alone decides which tables hold the item.
using rom::kItemCount;

enum class ItemCategory { Weapon, Armor, Accessory, NormalItem, None };

// Rows 86, 148 and 188 belong to no category: they can be viewed but never written.
constexpr ItemCategory categoryOfRow(int row) {
    if (row >= 0 && row <= 85)
        return ItemCategory::Weapon;
    if (row >= 87 && row <= 147)
        return ItemCategory::Armor;
    if (row >= 149 && row <= 187)
        return ItemCategory::Accessory;
    if (row >= 189 && row < kItemCount)
        return ItemCategory::NormalItem;
    return ItemCategory::None;
}

// One place of the image that a record occupies.
struct Span {
    qint64 offset;
    qint64 length;
};

// The item's name record; its byte 0 is the item's icon.
inline constexpr int kNameRecordSize = rom::kNameLength;
constexpr qint64 nameRecordOffset(int row) {
    return rom::kItemNameTable + kNameRecordSize * qint64(row);
}

inline constexpr int kWeaponRecordSize = 5;
constexpr qint64 weaponRecordOffset(int row) {
    return 0x0C0262 + kWeaponRecordSize * qint64(row);
}

// The armor table is indexed from row 90, so rows 87 to 89 lie before its nominal start.
inline constexpr int kArmorRecordSize = 3;
constexpr qint64 armorRecordOffset(int row) {
    return 0x0C047E + kArmorRecordSize * qint64(row - 90);
}

// Accessory number a = row - 148 indexes both accessory tables (row 149 is a = 1).
constexpr int accessoryNumber(int row) {
    return row - 148;
}
inline constexpr int kAccessoryRecordSize = 4;
constexpr qint64 accessoryRecordOffset(int row) {
    return 0x0C052C + kAccessoryRecordSize * qint64(accessoryNumber(row));
}

// Weapons and armor share one info table: flags, price, equip mask, stat boost, element.
inline constexpr int kGearInfoRecordSize = 6;
constexpr qint64 gearInfoOffset(int row) {
    return 0x0C06A4 + kGearInfoRecordSize * qint64(row);
}

inline constexpr int kAccessoryInfoRecordSize = 4;
constexpr qint64 accessoryInfoOffset(int row) {
    return 0x0C0A1C + kAccessoryInfoRecordSize * qint64(accessoryNumber(row));
}

// Normal item number t = row - 188 (row 189 is t = 1).
constexpr int normalItemNumber(int row) {
    return row - 188;
}
inline constexpr int kItemInfoRecordSize = 3;
constexpr qint64 itemInfoOffset(int row) {
    return 0x0C0ABC + kItemInfoRecordSize * qint64(normalItemNumber(row));
}

} // namespace items
