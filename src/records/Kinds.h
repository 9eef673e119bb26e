#pragma once

#include "rom/FieldTable.h"

#include <QList>
#include <QString>

#include <optional>
#include <span>

namespace records {

struct Place;

// The kinds of record the editor writes. The history keeps a kind by its word, never by its
// number.
enum class RecordKind { Misc, Enemy, Character, Item };

// One table of records as its CSV file and the grid have it: rows `first` to `last` of its
// kind's list, all described by one field table.
struct Kind {
    const char* fileName; // "weapons.csv"
    RecordKind page;
    int first;
    int last;
    const char* caption;             // the grid's tab; null for the header, which has no grid
    QList<Place> (*places)(int row); // the fields of one of its rows
};

// What a kind of record is.
struct KindInfo {
    RecordKind kind;
    const char* storedWord;  // the history's word: databases hold it, so it never changes
    const char* recordWord;  // "Enemy" in "Enemy 5 Horn"; empty for the header
    const char* pageCaption; // the main window's tab
    int rowCount;            // rows of its page's list
    // Its names: a table of name text in the image, names that never change, or none.
    std::optional<rom::Table> nameTable;
    const QStringList& (*fixedNames)();
    std::span<const Kind> tables; // its rows by table, in order

    bool hasNames() const { return nameTable || fixedNames; }
};

// Every kind, in the order of the tables (enemies, items, characters, the header).
std::span<const KindInfo> kindTable();
const KindInfo& kindInfo(RecordKind kind);
// A record by its kind, row and name: "Enemy 5 Horn's", "Internal ROM header".
QString recordLabel(RecordKind kind, int row, const QString& name);
std::optional<RecordKind> kindOfStoredWord(const QString& word);

// Every table of every kind, in the order of kindTable(): enemies, weapons, armor,
// accessories, items, characters, header. Item rows between categories belong to none.
const QList<Kind>& kinds();

// The fields of row `row` of a kind; none for a row no table holds.
QList<Place> placesOfRecord(RecordKind page, int row);

} // namespace records
