#pragma once

#include "records/Records.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tables {

// One column of a kind's table after "Row" and "Name": a field's value, its row's text, or
// one bit of a check-list.
struct Column {
    enum class Kind { Value, Words, Bit };
    QString name;
    int place; // index into the record's places
    Kind kind;
    int bit = 0;
};

// The columns of a kind, from the written fields of its first record: each field by its
// caption, a choice also by its row's text ("<caption> (name)"), and each row of a
// check-list as a column of its own. Captions that two fields share are numbered;
// check-list rows whose text repeats name their bit.
QList<Column> columnsOf(const QList<records::Place>& places);
// The columns of one of records::kinds(), made once for every export, import and sheet.
const QList<Column>& columnsOf(const records::Kind& kind);

// How formulas and filters name a column: its name without spaces and signs
// ("LightningDefense" for "Lightning Defense", "Critical" for "Critical %").
QString identifierOf(const QString& name);

// A choice: a row of a list, an item, a check box or the elemental resistance.
bool isChoice(rom::Shown shown);

// The names of the records as the lists show them, by kind.
struct Names {
    QStringList items; // also the rows of every item choice
    QList<QStringList> byKind;

    QString of(records::RecordKind kind, int row) const;
};
Names namesIn(const QByteArray& image);

// A cell's stored value: the field's number, or 0 or 1 for one bit of a check-list.
int cellValue(const QByteArray& image, const records::Place& place, const Column& column);

// Puts the entry `text` into the record's bytes in `image` by the rule of its field (a
// choice takes 0 to 255, a bit 0 or 1, a number its encoding's range, a text its
// characters), or says what the cell may hold and leaves `image` as it was. A field that
// `image` (a short file) does not hold is refused.
QString enterCell(QByteArray& image, const records::Place& place, const Column& column,
                  const QString& text);

} // namespace tables
