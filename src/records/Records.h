#pragma once

#include "records/Kinds.h"
#include "rom/FieldTable.h"

#include <QStringList>

#include <optional>
#include <utility>

namespace records {

// A field of one record of one page, wherever its record type: its place in the file and
// what the page calls and shows it as.
struct Place {
    rom::FieldView view;
    qint64 offset;
    int width;
    const QStringList& (*rows)();
};

template <typename Record> QList<Place> placesOf(rom::FieldTable<Record> fields, int row) {
    QList<Place> places;
    for (const rom::Field<Record>& field : fields)
        places.append({rom::viewOf(field), field.offsetIn(row), field.width(), field.rows});
    return places;
}

// The page and row of the record a field at `offset` belongs to.
std::optional<std::pair<RecordKind, int>> locate(qint64 offset);

// A caption as a name: "HP" for "HP:".
QString withoutColon(const QString& caption);

// A stored value in the page's words: the row text of a list, "checked" for a check box,
// "Fire 80%" for the elemental resistance, a number where the page has no words for it.
// `itemNames` are the rows of the item lists.
QString valueWords(const Place& place, int value, const QStringList& itemNames);

// What changed from `before` to `after` in the page's words: "HP: 3321 → 300",
// "Equipped by: +Cassia −Aldo"; bytes that no field names as offset and hex bytes.
QString changeWords(const QList<Place>& places, qint64 offset, const QByteArray& before,
                    const QByteArray& after, const QStringList& itemNames);

} // namespace records
