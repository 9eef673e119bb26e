#pragma once

#include "items/ItemCategory.h"

#include <QList>

#include <cstdint>

namespace rom {
class RomFile;
}

namespace items {

// Icon codes 31 to 41 have a row in the icon list (row = code - 31); other codes have none.
inline constexpr int kFirstIconCode = 31;
inline constexpr int kLastIconCode = 41;
constexpr int iconRowOf(std::uint8_t code) {
    return code >= kFirstIconCode && code <= kLastIconCode ? code - kFirstIconCode : -1;
}

// The GearInfoRecord that weapons and armor share: secondary flags, price, equip flags,
// stat boost and elemental resistance. Both write it last, as info bytes 0, 3, 4, 5, then
// the price.
struct GearInfo {
    std::uint8_t secondary = 0;
    std::int16_t price = 0;
    std::uint8_t equip = 0;
    std::uint8_t statBoost = 0;
    std::uint8_t element = 0;

    static GearInfo read(const rom::RomFile& rom, int row);
};

// Everything the item page edits for one weapon: its icon, its WeaponRecord and its
// GearInfoRecord. write() stores the fields one at a time in the editor's fixed order:
// icon, weapon bytes 0 to 4, info bytes 0, 3, 4, 5, then the price.
struct WeaponRecord {
    std::uint8_t icon = 0;
    std::uint8_t attack = 0;
    std::uint8_t unknown1 = 0;
    std::uint8_t critical = 0;
    std::uint8_t ailment = 0;
    std::uint8_t inflict = 0;
    GearInfo gear;

    static WeaponRecord read(const rom::RomFile& rom, int row);
    bool write(rom::RomFile& rom, int row) const;
    static QList<Span> spans(int row);
};

// One armor item: icon, ArmorRecord and GearInfoRecord. Written as icon, armor bytes 0 to
// 2, info bytes 0, 3, 4, 5, then the price.
struct ArmorRecord {
    std::uint8_t icon = 0;
    std::uint8_t defense = 0;
    std::uint8_t ailment = 0;
    std::uint8_t inflict = 0;
    GearInfo gear;

    static ArmorRecord read(const rom::RomFile& rom, int row);
    bool write(rom::RomFile& rom, int row) const;
    static QList<Span> spans(int row);
};

// One accessory: icon, AccessoryRecord and AccessoryInfoRecord (whose bytes 1 and 2 the
// editor leaves alone). Written as icon, info byte 3, record bytes 0 to 3, info byte 0.
struct AccessoryRecord {
    std::uint8_t icon = 0;
    std::uint8_t effects1 = 0;
    std::uint8_t effects2 = 0;
    std::uint8_t statBoost = 0;
    std::uint8_t effectValue = 0;
    std::uint8_t secondary = 0;
    std::uint8_t equip = 0;

    static AccessoryRecord read(const rom::RomFile& rom, int row);
    bool write(rom::RomFile& rom, int row) const;
    static QList<Span> spans(int row);
};

// One normal item: icon and ItemInfoRecord. Written as icon, flags, then the price.
struct NormalItemRecord {
    std::uint8_t icon = 0;
    std::uint8_t secondary = 0;
    std::int16_t price = 0;

    static NormalItemRecord read(const rom::RomFile& rom, int row);
    bool write(rom::RomFile& rom, int row) const;
    static QList<Span> spans(int row);
};

} // namespace items
