#pragma once

#include <QtGlobal>

#include <cstdint>

namespace rom {
class RomFile;
}

namespace enemies {

inline constexpr int kEnemyCount = 251;

inline constexpr qint64 kStatTable = 0x0C4700;
inline constexpr qint64 kStatRecordSize = 23;
inline constexpr qint64 kRewardTable = 0x0C5E00;
inline constexpr qint64 kRewardRecordSize = 7;
// The third unknown word starts inside the reward table but steps by the stat record's
// size, so it is not a field of either record.
inline constexpr qint64 kUnknown3Table = 0x0C5E70;

inline qint64 statOffset(int index) {
    return kStatTable + index * kStatRecordSize;
}
inline qint64 rewardOffset(int index) {
    return kRewardTable + index * kRewardRecordSize;
}
inline qint64 unknown3Offset(int index) {
    return kUnknown3Table + index * kStatRecordSize;
}

// Battle stats of one enemy. Bytes +3..+8, +11..+13 and +21..+22 are left alone.
struct EnemyStatRecord {
    std::int16_t hp = 0; // +0, shown unsigned
    std::uint8_t level = 0;
    std::uint8_t speed = 0;
    std::uint8_t magic = 0;
    std::uint8_t attack = 0;
    std::uint8_t defense = 0;
    std::uint8_t boltDefense = 0;
    std::uint8_t fireDefense = 0;
    std::uint8_t waterDefense = 0;
    std::uint8_t darkDefense = 0;
    std::uint8_t evade = 0;

    static EnemyStatRecord read(const rom::RomFile& rom, int index);
};

// Rewards for beating one enemy.
struct EnemyRewardRecord {
    std::int16_t experience = 0; // +0, shown unsigned
    std::int16_t gil = 0;        // +2, shown unsigned
    std::uint8_t dropItem = 0;   // item index
    std::uint8_t charmItem = 0;  // item index
    std::uint8_t techPoints = 0;

    static EnemyRewardRecord read(const rom::RomFile& rom, int index);
};

std::int16_t readUnknown3(const rom::RomFile& rom, int index);

// Writes both records of one enemy, field by field: the stat bytes, the reward bytes, then
// the 16-bit hit points, experience and gold. False when any write was refused.
bool writeEnemy(rom::RomFile& rom, int index, const EnemyStatRecord& stats,
                const EnemyRewardRecord& rewards);

} // namespace enemies
