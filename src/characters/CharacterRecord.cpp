#include "characters/CharacterRecord.h"

#include "rom/RomFile.h"

namespace characters {
namespace {

constexpr qint64 kPortrait = 0x00;
constexpr qint64 kUnknown1 = 0x01;
constexpr qint64 kUnknown2 = 0x02;
constexpr qint64 kHpMin = 0x03;
constexpr qint64 kHpMax = 0x05;
constexpr qint64 kMpMin = 0x07;
constexpr qint64 kMpMax = 0x09;
constexpr qint64 kExperience = 0x13;
constexpr qint64 kUnknown3 = 0x17;
constexpr qint64 kExperienceToLevel = 0x2B;
constexpr qint64 kTechToLevel = 0x2D;
constexpr qint64 kUnknown4 = 0x32;
constexpr qint64 kUnknown5 = 0x33;
constexpr qint64 kUnknown6 = 0x35;

struct ByteField {
    qint64 offset;
    std::uint8_t CharacterRecord::*field;
};
constexpr ByteField kStatBytes[] = {
    {0x0B, &CharacterRecord::power},        {0x0C, &CharacterRecord::stamina},
    {0x0D, &CharacterRecord::speed},        {0x0E, &CharacterRecord::magic},
    {0x0F, &CharacterRecord::hit},          {0x10, &CharacterRecord::evade},
    {0x11, &CharacterRecord::magicDefense}, {0x12, &CharacterRecord::level},
};
constexpr ByteField kEquipmentBytes[] = {
    {0x27, &CharacterRecord::helmet},
    {0x28, &CharacterRecord::armor},
    {0x29, &CharacterRecord::weapon},
    {0x2A, &CharacterRecord::accessory},
};

std::uint16_t readUnsigned(const rom::RomFile& rom, qint64 offset) {
    return static_cast<std::uint16_t>(rom.readInteger(offset));
}

bool writeUnsigned(rom::RomFile& rom, qint64 offset, std::uint16_t value) {
    return rom.writeInteger(offset, static_cast<std::int16_t>(value));
}

} // namespace

CharacterRecord CharacterRecord::read(const rom::RomFile& rom, int index) {
    const qint64 c = characterOffset(index);
    CharacterRecord record;
    record.portrait = rom.readByte(c + kPortrait);
    record.unknown1 = rom.readByte(c + kUnknown1);
    record.unknown2 = rom.readByte(c + kUnknown2);
    record.hpMin = rom.readInteger(c + kHpMin);
    record.hpMax = rom.readInteger(c + kHpMax);
    record.mpMin = rom.readInteger(c + kMpMin);
    record.mpMax = rom.readInteger(c + kMpMax);
    for (const ByteField& stat : kStatBytes)
        record.*stat.field = rom.readByte(c + stat.offset);
    record.unknown3 = rom.readInteger(c + kUnknown3);
    for (const ByteField& item : kEquipmentBytes)
        record.*item.field = rom.readByte(c + item.offset);
    record.unknown4 = rom.readByte(c + kUnknown4);
    record.unknown5 = rom.readLong(c + kUnknown5);
    record.unknown6 = rom.readByte(c + kUnknown6);
    record.experience = readUnsigned(rom, c + kExperience);
    record.experienceToLevel = readUnsigned(rom, c + kExperienceToLevel);
    record.techToLevel = readUnsigned(rom, c + kTechToLevel);
    return record;
}

bool CharacterRecord::writeEditable(rom::RomFile& rom, int index) const {
    const qint64 c = characterOffset(index);
    bool written = rom.writeByte(c + kPortrait, portrait);
    written = rom.writeInteger(c + kHpMin, hpMin) && written;
    written = rom.writeInteger(c + kHpMax, hpMax) && written;
    written = rom.writeInteger(c + kMpMin, mpMin) && written;
    written = rom.writeInteger(c + kMpMax, mpMax) && written;
    for (const ByteField& stat : kStatBytes)
        written = rom.writeByte(c + stat.offset, this->*stat.field) && written;
    written = writeUnsigned(rom, c + kExperience, experience) && written;
    for (const ByteField& item : kEquipmentBytes)
        written = rom.writeByte(c + item.offset, this->*item.field) && written;
    written = writeUnsigned(rom, c + kExperienceToLevel, experienceToLevel) && written;
    written = writeUnsigned(rom, c + kTechToLevel, techToLevel) && written;
    return written;
}

} // namespace characters
