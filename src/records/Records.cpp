#include "records/Records.h"

#include "characters/CharacterRecord.h"
#include "enemies/EnemyRecord.h"
#include "items/Elemental.h"
#include "items/ItemRecords.h"
#include "rominfo/InternalHeader.h"

#include <algorithm>
#include <vector>

namespace records {
namespace {

QString hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

// "+Cassia −Aldo": the rows whose bits the change sets, then those it clears.
QString flagChange(const Place& place, int before, int after) {
    QStringList words;
    for (const bool set : {true, false})
        for (int r = 0; r < 8; ++r)
            if (((before >> r) & 1) != ((after >> r) & 1) && (((after >> r) & 1) != 0) == set)
                words << (set ? QStringLiteral("+") : QStringLiteral("\u2212")) + place.rows()[r];
    return words.join(QLatin1Char(' '));
}

} // namespace

QString recordWord(PageId page) {
    switch (page) {
    case PageId::Enemy:
        return QStringLiteral("Enemy");
    case PageId::Character:
        return QStringLiteral("Character");
    case PageId::Item:
        return QStringLiteral("Item");
    case PageId::Misc:
        break;
    }
    return QString();
}

QList<Place> placesOfRecord(PageId page, int row) {
    switch (page) {
    case PageId::Enemy:
        return placesOf(enemies::enemyFields(), row);
    case PageId::Character:
        return placesOf(characters::characterFields(), row);
    case PageId::Misc:
        return placesOf(rominfo::headerFields(), row);
    case PageId::Item:
        break;
    }
    switch (items::categoryOfRow(row)) {
    case items::ItemCategory::Weapon:
        return placesOf(items::weaponFields(), row);
    case items::ItemCategory::Armor:
        return placesOf(items::armorFields(), row);
    case items::ItemCategory::Accessory:
        return placesOf(items::accessoryFields(), row);
    case items::ItemCategory::NormalItem:
        return placesOf(items::normalItemFields(), row);
    case items::ItemCategory::None:
        break;
    }
    return {};
}

QString withoutColon(const QString& caption) {
    return caption.endsWith(QLatin1Char(':')) ? caption.chopped(1) : caption;
}

const QList<Kind>& kinds() {
    static const QList<Kind> all = {
        {"enemies.csv", PageId::Enemy, 0, 250}, {"weapons.csv", PageId::Item, 0, 85},
        {"armor.csv", PageId::Item, 87, 147},   {"accessories.csv", PageId::Item, 149, 187},
        {"items.csv", PageId::Item, 189, 240},  {"characters.csv", PageId::Character, 0, 6},
        {"header.csv", PageId::Misc, 0, 0}};
    return all;
}

std::optional<std::pair<PageId, int>> locate(qint64 offset) {
    using Start = std::pair<qint64, std::pair<PageId, int>>;
    // Every written field's first byte with its record, sorted by offset; where two records
    // share an offset the first in the order of kinds() and rows is kept.
    static const std::vector<Start> starts = [] {
        std::vector<Start> all;
        for (const Kind& kind : kinds())
            for (int row = kind.first; row <= kind.last; ++row)
                for (const Place& place : placesOfRecord(kind.page, row))
                    if (place.view.written)
                        all.push_back({place.offset, {kind.page, row}});
        std::stable_sort(all.begin(), all.end(),
                         [](const Start& a, const Start& b) { return a.first < b.first; });
        return all;
    }();
    const auto found =
        std::lower_bound(starts.begin(), starts.end(), offset,
                         [](const Start& start, qint64 wanted) { return start.first < wanted; });
    if (found == starts.end() || found->first != offset)
        return std::nullopt;
    return found->second;
}

QString valueWords(const Place& place, int value, const QStringList& itemNames) {
    const int row = value - place.view.rowOrigin;
    switch (place.view.shown) {
    case rom::Shown::Choice:
        if (row >= 0 && row < place.rows().size())
            return place.rows()[row];
        break;
    case rom::Shown::Item:
        if (value < itemNames.size())
            return itemNames[value].trimmed();
        break;
    case rom::Shown::Check:
        if (value <= 2)
            return QStringList{"cleared", "checked", "greyed"}[value];
        break;
    case rom::Shown::Element:
        if (const QString name = items::elementName(value); !name.isEmpty())
            return name;
        break;
    default:
        break;
    }
    return QString::number(value);
}

QString changeWords(const QList<Place>& places, qint64 offset, const QByteArray& before,
                    const QByteArray& after, const QStringList& itemNames) {
    for (const Place& place : places) {
        if (place.offset != offset || place.width != before.size())
            continue;
        const QString caption = withoutColon(place.view.caption) + QStringLiteral(": ");
        if (place.view.encoding == rom::Encoding::Bytes)
            return caption +
                   QStringLiteral("\"%1\" \u2192 \"%2\"")
                       .arg(rom::textOfBytes(before).trimmed(), rom::textOfBytes(after).trimmed());
        const int from = rom::decodeNumber(place.view.encoding, before);
        const int to = rom::decodeNumber(place.view.encoding, after);
        if (place.view.shown == rom::Shown::Flags)
            return caption + flagChange(place, from, to);
        return caption + valueWords(place, from, itemNames) + QStringLiteral(" \u2192 ") +
               valueWords(place, to, itemNames);
    }
    return QStringLiteral("0x%1: %2 \u2192 %3")
        .arg(QString::number(offset, 16).toUpper().rightJustified(6, QLatin1Char('0')), hex(before),
             hex(after));
}

} // namespace records
