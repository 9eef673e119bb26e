#pragma once

#include "rom/Span.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace rom {
class RomFile;
}

namespace tables {

// Every editable record as spreadsheet tables: enemies.csv, weapons.csv, armor.csv,
// accessories.csv, items.csv, characters.csv and header.csv. Each has a header row and one
// row per record in row order: "Row" and "Name" as the lists show them, then one column
// per field the page edits, named by its caption, with the value as the page shows it. A
// choice also gets a read-only "<caption> (name)" column with its row's text, the elemental
// resistance one in words, and each row of a check-list is a column of its own holding 0
// or 1. Values the page cannot show are given as stored, so nothing is lost.

// The files' names and texts of a headerless image, in the order above.
QList<std::pair<QString, QByteArray>> exportTables(const QByteArray& image);
// Writes them into `folder`, made when missing, each through a temporary file renamed over
// the old one. The first failure's message, or nothing.
QString writeTables(const QByteArray& image, const QString& folder);

// What importing the tables found in a folder would write.
struct Import {
    QStringList problems;   // "enemies.csv, line 7, column "HP": enter a whole number ..."
    QList<rom::Span> spans; // the changed fields of every record, in table and row order
    int records = 0;        // records whose bytes change
    int files = 0;          // tables found and read
};

// Reads whichever of the seven files `folder` holds and checks every cell with the rules of
// its page's field. Each line goes to the record its "Row" cell names, in any order; every
// record of a table needs exactly one line. Read-only columns and "Name" are ignored; a
// missing column keeps the file's value. Problems, each naming file and line: malformed
// text, no "Row" column, two columns of one name, an unknown column, a line whose cell count
// differs from the header's, a Row that is no record of the table or is on two lines,
// records without a line, and cells the field cannot store. With any problem there are no
// spans.
Import readTables(const rom::RomFile& rom, const QString& folder);

} // namespace tables
