#pragma once

#include "rom/FieldTable.h"

namespace characters {

// Seven records of 80 bytes. Bytes 0x15-0x16, 0x19-0x26, 0x2F-0x31 and 0x37-0x4F are
// neither read nor written.
inline constexpr rom::Table kCharacterTable{0x0C0000, 80};
inline constexpr int kCharacterCount = 7;

// The playable characters in list order; also the rows of the portrait list.
const QStringList& characterNames();

// The stored data of one playable character. Equipment bytes are item indices; the
// unknown fields are shown only.
struct Character {
    int portrait = 0;
    int unknown1 = 0;
    int unknown2 = 0;
    int hpMin = 0;
    int hpMax = 0;
    int mpMin = 0;
    int mpMax = 0;
    int power = 0;
    int stamina = 0;
    int speed = 0;
    int magic = 0;
    int hit = 0;
    int evade = 0;
    int magicDefense = 0;
    int level = 0;
    int experience = 0;
    int unknown3 = 0;
    int helmet = 0;
    int armor = 0;
    int weapon = 0;
    int accessory = 0;
    int experienceToLevel = 0;
    int techToLevel = 0;
    int unknown4 = 0;
    int unknown5 = 0; // 0x33-0x36
    int unknown6 = 0; // 0x35, the third byte of unknown5
};

// The written fields in record order, apart from the equipment, which goes helmet,
// armor, weapon, accessory; then the fields that are only shown.
rom::FieldTable<Character> characterFields();

} // namespace characters
