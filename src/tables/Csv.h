#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tables {

// Spreadsheet tables as comma-separated text (RFC 4180): UTF-8, CRLF after every row. A
// field is quoted when it holds a comma, a quote, CR or LF, or starts or ends with a space
// or tab; quotes inside are doubled. A row of one empty field (or none) is written as "" so
// that it does not turn into an empty line. The caller puts the header row first.
QByteArray writeCsv(const QList<QStringList>& rows);

// A table read back, or why the text is not one.
struct CsvTable {
    QList<QStringList> rows;
    QList<int> lineOfRow; // the 1-based line on which each row starts
    QString error;        // empty when the text was read; rows are then empty
    int errorLine = 0;    // where `error` was found; the message does not repeat it
    bool ok() const { return error.isEmpty(); }
};

// Reads what spreadsheets save: CRLF or LF line ends, an optional UTF-8 byte-order mark,
// quoted or bare fields. Spaces are part of a field, quoted or not. Empty lines give no
// row. Misplaced quotes, a quote never closed and fields that are not UTF-8 are errors.
// Memory stays within a small multiple of the input's size.
CsvTable readCsv(const QByteArray& text);

} // namespace tables
