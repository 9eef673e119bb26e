#include "enemies/EnemyRecord.h"

namespace enemies {
namespace {

using rom::Encoding;
using rom::Shown;
using E = Enemy;
constexpr rom::Table S = kStatTable;
constexpr rom::Table R = kRewardTable;

const rom::Field<Enemy> kFields[] = {
    {"EnemyLevelTXT", "Level:", S, 2, Encoding::Byte, &E::level},
    {"EnemySpeedTXT", "Speed:", S, 9, Encoding::Byte, &E::speed},
    {"EnemyMagicTXT", "Magic:", S, 10, Encoding::Byte, &E::magic},
    {"EnemyAttackTXT", "Attack:", S, 14, Encoding::Byte, &E::attack},
    {"EnemyDefenseTXT", "Defense:", S, 15, Encoding::Byte, &E::defense},
    {"EnemyBoltDefTXT", "Lightning Defense:", S, 16, Encoding::Byte, &E::boltDefense},
    {"EnemyFireDefTXT", "Fire Defense:", S, 17, Encoding::Byte, &E::fireDefense},
    {"EnemyWaterDefTXT", "Water Defense:", S, 18, Encoding::Byte, &E::waterDefense},
    {"EnemyDarkDefTXT", "Shadow Defense:", S, 19, Encoding::Byte, &E::darkDefense},
    {"EnemyEvadeTXT", "Evade:", S, 20, Encoding::Byte, &E::evade},
    {"EnemyItemDropCBO", "Item Dropped:", R, 4, Encoding::Byte, &E::dropItem, Shown::Item},
    {"EnemyItemCharmCBO", "Item Charmed:", R, 5, Encoding::Byte, &E::charmItem, Shown::Item},
    {"EnemyTechTXT", "Tech Points:", R, 6, Encoding::Byte, &E::techPoints},
    {"EnemyHPTXT", "HP:", S, 0, Encoding::Unsigned16, &E::hp},
    {"EnemyEXPTXT", "Experience:", R, 0, Encoding::Unsigned16, &E::experience},
    {"EnemyGilTXT", "Gil:", R, 2, Encoding::Unsigned16, &E::gil},
    rom::shownOnly<E>(
        {"EnemyUnknown3TXT", "Unknown 3:", kUnknown3Table, 0, Encoding::Unsigned16, &E::unknown3}),
};

} // namespace

rom::FieldTable<Enemy> enemyFields() {
    return kFields;
}

} // namespace enemies
