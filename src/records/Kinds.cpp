#include "records/Kinds.h"

#include "characters/CharacterRecord.h"
#include "enemies/EnemyRecord.h"
#include "items/ItemRecords.h"
#include "records/Records.h"
#include "rominfo/InternalHeader.h"

#include <algorithm>

namespace records {
namespace {

template <auto fields> QList<Place> placesIn(int row) {
    return placesOf(fields(), row);
}

template <auto fields>
constexpr Kind itemTable(const char* fileName, items::ItemCategory category, const char* caption) {
    const items::CategoryRows rows = items::rowsOf(category);
    return {fileName, RecordKind::Item, rows.first, rows.last, caption, placesIn<fields>};
}

const Kind kEnemyTables[] = {{"enemies.csv", RecordKind::Enemy, 0, enemies::kEnemyCount - 1,
                              "Enemies", placesIn<enemies::enemyFields>}};
const Kind kItemTables[] = {
    itemTable<items::weaponFields>("weapons.csv", items::ItemCategory::Weapon, "Weapons"),
    itemTable<items::armorFields>("armor.csv", items::ItemCategory::Armor, "Armor"),
    itemTable<items::accessoryFields>("accessories.csv", items::ItemCategory::Accessory,
                                      "Accessories"),
    itemTable<items::normalItemFields>("items.csv", items::ItemCategory::NormalItem, "Items")};
const Kind kCharacterTables[] = {{"characters.csv", RecordKind::Character, 0,
                                  characters::kCharacterCount - 1, "Characters",
                                  placesIn<characters::characterFields>}};
const Kind kHeaderTables[] = {
    {"header.csv", RecordKind::Misc, 0, 0, nullptr, placesIn<rominfo::headerFields>}};

const KindInfo kKinds[] = {
    {RecordKind::Enemy, "enemy", "Enemy", "Enemy Stats", enemies::kEnemyCount, enemies::kNameTable,
     nullptr, kEnemyTables},
    {RecordKind::Item, "item", "Item", "Item Stats", items::kItemCount, items::kNameTable, nullptr,
     kItemTables},
    {RecordKind::Character, "char", "Character", "Character Stats", characters::kCharacterCount,
     std::nullopt, &characters::characterNames, kCharacterTables},
    {RecordKind::Misc, "misc", "", "Miscellaneous", 1, std::nullopt, nullptr, kHeaderTables}};

} // namespace

std::span<const KindInfo> kindTable() {
    return kKinds;
}

const KindInfo& kindInfo(RecordKind kind) {
    return *std::find_if(std::begin(kKinds), std::end(kKinds),
                         [kind](const KindInfo& info) { return info.kind == kind; });
}

std::optional<RecordKind> kindOfStoredWord(const QString& word) {
    for (const KindInfo& info : kKinds)
        if (word == QLatin1String(info.storedWord))
            return info.kind;
    return std::nullopt;
}

const QList<Kind>& kinds() {
    static const QList<Kind> all = [] {
        QList<Kind> tables;
        for (const KindInfo& info : kKinds)
            for (const Kind& table : info.tables)
                tables.append(table);
        return tables;
    }();
    return all;
}

QList<Place> placesOfRecord(RecordKind page, int row) {
    for (const Kind& table : kindInfo(page).tables)
        if (row >= table.first && row <= table.last)
            return table.places(row);
    return {};
}

QString recordLabel(RecordKind kind, int row, const QString& name) {
    const QString word = QLatin1String(kindInfo(kind).recordWord);
    if (word.isEmpty())
        return QStringLiteral("Internal ROM header");
    return QStringLiteral("%1 %2 %3").arg(word).arg(row).arg(name.trimmed()).trimmed();
}

} // namespace records
