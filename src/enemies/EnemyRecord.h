#pragma once

#include "rom/FieldTable.h"

namespace enemies {

inline constexpr int kEnemyCount = 251;

// The enemy name table: 251 names of 11 bytes.
inline constexpr rom::Table kNameTable{0x0C6500, 11};
// Battle stats, 23 bytes an enemy; bytes +3..+8, +11..+13 and +21..+22 are left alone.
inline constexpr rom::Table kStatTable{0x0C4700, 23};
// Rewards, 7 bytes an enemy.
inline constexpr rom::Table kRewardTable{0x0C5E00, 7};
// The third unknown word starts inside the reward table but steps by the stat record's
// size, so it has a table of its own; it is only shown.
inline constexpr rom::Table kUnknown3Table{0x0C5E70, 23};

// One enemy as the enemy page edits it: its stat and reward records. The 16-bit fields
// hold 0 to 65535; dropItem and charmItem are item indices.
struct Enemy {
    int hp = 0;
    int level = 0;
    int speed = 0;
    int magic = 0;
    int attack = 0;
    int defense = 0;
    int boltDefense = 0;
    int fireDefense = 0;
    int waterDefense = 0;
    int darkDefense = 0;
    int evade = 0;
    int experience = 0;
    int gil = 0;
    int dropItem = 0;
    int charmItem = 0;
    int techPoints = 0;
    int unknown3 = 0;
};

// In the order a save writes them: the stat bytes, the reward bytes, then the 16-bit hit
// points, experience and gold.
rom::FieldTable<Enemy> enemyFields();

} // namespace enemies
