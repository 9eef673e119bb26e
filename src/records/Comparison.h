#pragma once

#include "records/Records.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace records {

// How a field or a byte stands in "mine" and "theirs" against their common base.
enum class ChangeClass {
    Conflict,  // both changed it, differently
    OnlyHere,  // only mine changed it
    OnlyThere, // only theirs changed it
    Alike,     // both changed it the same way
};
// "conflict", "only here", "only there", "alike".
QString classWords(ChangeClass change);
// The class of a field or byte by what changed it against the base; none when nothing did.
std::optional<ChangeClass> changeClass(bool mineChanged, bool theirsChanged, bool alike);

// One written field of one record that differs between the images.
struct FieldChange {
    RecordKind page;
    int row;
    Place place;
    QByteArray base;
    QByteArray mine;
    QByteArray theirs;
    ChangeClass change;
};

// A run of bytes no written field names, [begin, end), all of one class.
struct OtherBytes {
    qint64 begin;
    qint64 end;
    ChangeClass change;
};

struct Comparison {
    QList<FieldChange> fields; // in the order of the record catalogue
    QList<OtherBytes> others;  // in file order
    int records = 0;           // records with a differing field
    qint64 otherBytes = 0;

    bool same() const { return fields.isEmpty() && others.isEmpty(); }
    int count(ChangeClass change) const;
    // "38 records, 212 fields, 64 other bytes".
    QString totals() const;
};

// Every written field of every record and every other byte in which `mine` or `theirs`
// differs from `base`, each classed. Comparing two images without a base is comparing them
// with `base` = `mine`: every difference is then "only there". The three images have one
// size; bytes past the shortest are not compared.
Comparison compareImages(const QByteArray& base, const QByteArray& mine, const QByteArray& theirs);

// A field's value in the page's words: a number, a list's row, the checked rows of a
// check-list, a text.
QString fieldWords(const Place& place, const QByteArray& bytes, const QStringList& itemNames);
// "0x1A2B00–0x1A2B3F: 64 bytes outside the editor's records".
QString otherBytesText(const OtherBytes& bytes);

} // namespace records
