#pragma once

#include "rom/FieldTable.h"

namespace items {

inline constexpr int kItemCount = 241;

enum class ItemCategory { Weapon, Armor, Accessory, NormalItem, None };

// The item list has one row per item, and the row alone decides which tables hold the
// item. Rows 86, 148 and 188 belong to no category: they can be viewed but never written.
struct CategoryRows {
    ItemCategory category;
    int first;
    int last;
};
inline constexpr CategoryRows kCategoryRows[] = {{ItemCategory::Weapon, 0, 85},
                                                 {ItemCategory::Armor, 87, 147},
                                                 {ItemCategory::Accessory, 149, 187},
                                                 {ItemCategory::NormalItem, 189, kItemCount - 1}};

constexpr CategoryRows rowsOf(ItemCategory category) {
    for (const CategoryRows& rows : kCategoryRows)
        if (rows.category == category)
            return rows;
    return {ItemCategory::None, 0, -1};
}

constexpr ItemCategory categoryOfRow(int row) {
    for (const CategoryRows& rows : kCategoryRows)
        if (row >= rows.first && row <= rows.last)
            return rows.category;
    return ItemCategory::None;
}

// The item's name record; its byte 0 is the item's icon.
inline constexpr rom::Table kNameTable{0x0C0B5E, 11};
inline constexpr rom::Table kWeaponTable{0x0C0262, 5};
// Indexed from row 90, so rows 87 to 89 lie before its nominal start.
inline constexpr rom::Table kArmorTable{0x0C047E, 3, 90};
// Accessories count from row 148 in both of their tables (row 149 is accessory 1).
inline constexpr rom::Table kAccessoryTable{0x0C052C, 4, 148};
// Weapons and armor share one info table: flags, price, equip mask, stat boost, element.
inline constexpr rom::Table kGearInfoTable{0x0C06A4, 6};
inline constexpr rom::Table kAccessoryInfoTable{0x0C0A1C, 4, 148};
// Normal items count from row 188 (row 189 is item 1).
inline constexpr rom::Table kItemInfoTable{0x0C0ABC, 3, 188};

} // namespace items
