#include "enemies/EnemyRecord.h"

#include "rom/RomFile.h"

namespace enemies {
namespace {

// Record offsets of the stat bytes, in the order they are read and written.
struct StatByte {
    qint64 offset;
    std::uint8_t EnemyStatRecord::*field;
};
constexpr StatByte kStatBytes[] = {
    {2, &EnemyStatRecord::level},        {9, &EnemyStatRecord::speed},
    {10, &EnemyStatRecord::magic},       {14, &EnemyStatRecord::attack},
    {15, &EnemyStatRecord::defense},     {16, &EnemyStatRecord::boltDefense},
    {17, &EnemyStatRecord::fireDefense}, {18, &EnemyStatRecord::waterDefense},
    {19, &EnemyStatRecord::darkDefense}, {20, &EnemyStatRecord::evade},
};

constexpr qint64 kHp = 0;
constexpr qint64 kExperience = 0;
constexpr qint64 kGil = 2;
constexpr qint64 kDropItem = 4;
constexpr qint64 kCharmItem = 5;
constexpr qint64 kTechPoints = 6;

} // namespace

EnemyStatRecord EnemyStatRecord::read(const rom::RomFile& rom, int index) {
    const qint64 s = statOffset(index);
    EnemyStatRecord record;
    for (const StatByte& stat : kStatBytes)
        record.*stat.field = rom.readByte(s + stat.offset);
    record.hp = rom.readInteger(s + kHp);
    return record;
}

EnemyRewardRecord EnemyRewardRecord::read(const rom::RomFile& rom, int index) {
    const qint64 r = rewardOffset(index);
    EnemyRewardRecord record;
    record.dropItem = rom.readByte(r + kDropItem);
    record.charmItem = rom.readByte(r + kCharmItem);
    record.techPoints = rom.readByte(r + kTechPoints);
    record.experience = rom.readInteger(r + kExperience);
    record.gil = rom.readInteger(r + kGil);
    return record;
}

std::int16_t readUnknown3(const rom::RomFile& rom, int index) {
    return rom.readInteger(unknown3Offset(index));
}

bool writeEnemy(rom::RomFile& rom, int index, const EnemyStatRecord& stats,
                const EnemyRewardRecord& rewards) {
    const qint64 s = statOffset(index);
    const qint64 r = rewardOffset(index);
    bool written = true;
    for (const StatByte& stat : kStatBytes)
        written = rom.writeByte(s + stat.offset, stats.*stat.field) && written;
    written = rom.writeByte(r + kDropItem, rewards.dropItem) && written;
    written = rom.writeByte(r + kCharmItem, rewards.charmItem) && written;
    written = rom.writeByte(r + kTechPoints, rewards.techPoints) && written;
    written = rom.writeInteger(s + kHp, stats.hp) && written;
    written = rom.writeInteger(r + kExperience, rewards.experience) && written;
    written = rom.writeInteger(r + kGil, rewards.gil) && written;
    return written;
}

} // namespace enemies
