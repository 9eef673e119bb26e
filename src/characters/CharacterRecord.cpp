#include "characters/CharacterRecord.h"

namespace characters {
namespace {

using rom::Encoding;
using rom::Shown;
using C = Character;
constexpr rom::Table T = kCharacterTable;

const rom::Field<Character> kFields[] = {
    {"CharPortraitCBO", "Character Portrait:", T, 0x00, Encoding::Byte, &C::portrait, Shown::Choice,
     &characterNames},
    {"CharHPMINTXT", "HP (Min / Max):", T, 0x03, Encoding::Signed16, &C::hpMin},
    {"CharHPMAXTXT", "HP (Min / Max):", T, 0x05, Encoding::Signed16, &C::hpMax},
    {"CharMPMINTXT", "MP (Min / Max):", T, 0x07, Encoding::Signed16, &C::mpMin},
    {"CharMPMAXTXT", "MP (Min / Max):", T, 0x09, Encoding::Signed16, &C::mpMax},
    {"CharPowerTXT", "Power:", T, 0x0B, Encoding::Byte, &C::power},
    {"CharStaminaTXT", "Stamina:", T, 0x0C, Encoding::Byte, &C::stamina},
    {"CharSpeedTXT", "Speed:", T, 0x0D, Encoding::Byte, &C::speed},
    {"CharMagicTXT", "Magic:", T, 0x0E, Encoding::Byte, &C::magic},
    {"CharHitTXT", "Hit:", T, 0x0F, Encoding::Byte, &C::hit},
    {"CharEvadeTXT", "Evade:", T, 0x10, Encoding::Byte, &C::evade},
    {"CharMagicDefenseTXT", "Magic Defense:", T, 0x11, Encoding::Byte, &C::magicDefense},
    {"CharLevelTXT", "Level:", T, 0x12, Encoding::Byte, &C::level},
    {"CharEXPTXT", "Experience:", T, 0x13, Encoding::Unsigned16, &C::experience},
    {"CharHelmetCBO", "Helmet:", T, 0x27, Encoding::Byte, &C::helmet, Shown::Item},
    {"CharArmorCBO", "Armor:", T, 0x28, Encoding::Byte, &C::armor, Shown::Item},
    {"CharWeaponCBO", "Weapon:", T, 0x29, Encoding::Byte, &C::weapon, Shown::Item},
    {"CharAccessoryCBO", "Accessory:", T, 0x2A, Encoding::Byte, &C::accessory, Shown::Item},
    {"CharEXP2LevelTXT", "Experience to Level:", T, 0x2B, Encoding::Unsigned16,
     &C::experienceToLevel},
    // Shown from 0x2D and written there: the field's one place.
    {"CharTech2LevelTXT", "Tech to Level:", T, 0x2D, Encoding::Unsigned16, &C::techToLevel},
    rom::shownOnly<C>({"CharUnknown1TXT", "Unknown 1:", T, 0x01, Encoding::Byte, &C::unknown1}),
    rom::shownOnly<C>({"CharUnknown2TXT", "Unknown 2:", T, 0x02, Encoding::Byte, &C::unknown2}),
    rom::shownOnly<C>({"CharUnknown3TXT", "Unknown 3:", T, 0x17, Encoding::Signed16, &C::unknown3}),
    rom::shownOnly<C>({"CharUnknown4TXT", "Unknown 4:", T, 0x32, Encoding::Byte, &C::unknown4}),
    rom::shownOnly<C>({"CharUnknown5TXT", "Unknown 5:", T, 0x33, Encoding::Signed32, &C::unknown5}),
    rom::shownOnly<C>({"CharUnknown6TXT", "Unknown 6:", T, 0x35, Encoding::Byte, &C::unknown6}),
};

} // namespace

const QStringList& characterNames() {
    static const QStringList names = {"Aldo",   "Brenna", "Cassia", "Dunmore",
                                      "Edrick", "Fenna",  "Garrow"};
    return names;
}

rom::FieldTable<Character> characterFields() {
    return kFields;
}

} // namespace characters
