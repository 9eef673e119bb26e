#pragma once

#include <QtGlobal>

#include <cstdint>

namespace rom {
class RomFile;
}

namespace characters {

inline constexpr int kCharacterCount = 7;
inline constexpr qint64 kCharacterTable = 0x0C0000;
inline constexpr qint64 kCharacterRecordSize = 80;

inline qint64 characterOffset(int index) {
    return kCharacterTable + index * kCharacterRecordSize;
}

// The stored data of one playable character. Bytes 0x15-0x16, 0x19-0x26, 0x2F-0x31 and
// 0x37-0x4F are neither read nor written; the unknown fields are read only.
struct CharacterRecord {
    std::uint8_t portrait = 0; // 0x00
    std::uint8_t unknown1 = 0; // 0x01
    std::uint8_t unknown2 = 0; // 0x02
    std::int16_t hpMin = 0;    // 0x03
    std::int16_t hpMax = 0;    // 0x05
    std::int16_t mpMin = 0;    // 0x07
    std::int16_t mpMax = 0;    // 0x09
    std::uint8_t power = 0;    // 0x0B
    std::uint8_t stamina = 0;
    std::uint8_t speed = 0;
    std::uint8_t magic = 0;
    std::uint8_t hit = 0;
    std::uint8_t evade = 0;
    std::uint8_t magicDefense = 0;
    std::uint8_t level = 0;              // 0x12
    std::uint16_t experience = 0;        // 0x13
    std::int16_t unknown3 = 0;           // 0x17
    std::uint8_t helmet = 0;             // 0x27, item index
    std::uint8_t armor = 0;              // 0x28
    std::uint8_t weapon = 0;             // 0x29
    std::uint8_t accessory = 0;          // 0x2A
    std::uint16_t experienceToLevel = 0; // 0x2B
    std::uint16_t techToLevel = 0;       // 0x2D
    std::uint8_t unknown4 = 0;           // 0x32
    std::int32_t unknown5 = 0;           // 0x33-0x36
    std::uint8_t unknown6 = 0;           // 0x35, the third byte of unknown5

    static CharacterRecord read(const rom::RomFile& rom, int index);
    // Writes the editable fields, in record order apart from the equipment, which goes
    // helmet, armor, weapon, accessory. False when any write was refused.
    bool writeEditable(rom::RomFile& rom, int index) const;
};

} // namespace characters
