#include "tables/Csv.h"

#include <QStringDecoder>

#include <csv.h>

namespace tables {

namespace {

// A field that starts with U+FEFF is quoted too: first in a file, its bytes would read as
// the file's byte-order mark.
bool needsQuotes(const QString& field) {
    const auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    return field.contains(u',') || field.contains(u'"') || field.contains(u'\r') ||
           field.contains(u'\n') ||
           (!field.isEmpty() &&
            (isBlank(field.front()) || isBlank(field.back()) || field.front() == QChar(0xFEFF)));
}

void appendField(QByteArray& out, const QString& field) {
    const QByteArray utf8 = field.toUtf8();
    if (!needsQuotes(field)) {
        out += utf8;
        return;
    }
    out += '"';
    for (const char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// What libcsv's callbacks fill in while the text is fed to it.
struct Reader {
    CsvTable table;
    QStringList row;
    bool rowOpen = false;
    int rowLine = 0;
    int badTextLine = 0; // the first row with a field that is not UTF-8
    // Only the file's own byte-order mark is dropped (before parsing); a field keeps its U+FEFF.
    QStringDecoder decoder{QStringDecoder::Utf8, QStringConverter::Flag::Stateless |
                                                     QStringConverter::Flag::ConvertInitialBom};
};

void onField(void* field, size_t size, void* data) {
    auto& reader = *static_cast<Reader*>(data);
    reader.decoder.resetState();
    reader.row.append(QString(reader.decoder.decode(
        QByteArrayView(static_cast<const char*>(field), static_cast<qsizetype>(size)))));
    if (reader.decoder.hasError() && reader.badTextLine == 0)
        reader.badTextLine = reader.rowLine;
}

void onRowEnd(int, void* data) {
    auto& reader = *static_cast<Reader*>(data);
    reader.table.rows.append(std::move(reader.row));
    reader.table.lineOfRow.append(reader.rowLine);
    reader.row = QStringList();
    reader.rowOpen = false;
}

// No byte counts as a space, so libcsv keeps the spaces around bare fields.
int noSpace(unsigned char) {
    return 0;
}

CsvTable failure(const QString& message, int line) {
    CsvTable table;
    table.error = message;
    table.errorLine = line;
    return table;
}

} // namespace

QByteArray writeCsv(const QList<QStringList>& rows) {
    QByteArray out;
    for (const QStringList& row : rows) {
        if (row.size() <= 1 && (row.isEmpty() || row.front().isEmpty())) {
            out += "\"\"\r\n";
            continue;
        }
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += ',';
            appendField(out, row[i]);
        }
        out += "\r\n";
    }
    return out;
}

CsvTable readCsv(const QByteArray& text) {
    QByteArrayView input(text);
    if (input.startsWith("\xEF\xBB\xBF"))
        input = input.sliced(3);

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        return failure(QStringLiteral("out of memory"), 1);
    csv_set_space_func(&parser, noSpace);
    // The field buffer grows in steps of this size up to the longest field, never beyond.
    csv_set_blk_size(&parser, 16 * 1024);
    Reader reader;

    // Feed one line at a time (a line end closes each piece) to know where rows start.
    const qsizetype size = input.size();
    int line = 1;
    for (qsizetype at = 0; at < size;) {
        qsizetype end = at;
        while (end < size && input[end] != '\n' && input[end] != '\r')
            ++end;
        if (end > at && !reader.rowOpen) {
            reader.rowOpen = true;
            reader.rowLine = line;
        }
        if (end < size)
            ++end;
        const size_t length = static_cast<size_t>(end - at);
        if (csv_parse(&parser, input.data() + at, length, onField, onRowEnd, &reader) != length) {
            const int error = csv_error(&parser);
            csv_free(&parser);
            return failure(error == CSV_EPARSE
                               ? QStringLiteral("a quote mark is out of place (a quoted field "
                                                "must end at a comma or line end, and a quote "
                                                "inside a field is written twice)")
                               : QStringLiteral("out of memory"),
                           line);
        }
        const char last = input[end - 1];
        if (last == '\n' || (last == '\r' && (end == size || input[end] != '\n')))
            ++line;
        at = end;
    }
    const int finished = csv_fini(&parser, onField, onRowEnd, &reader);
    csv_free(&parser);
    if (finished != 0)
        return failure(QStringLiteral("a quoted field is never closed"), reader.rowLine);
    if (reader.badTextLine != 0)
        return failure(QStringLiteral("the text is not UTF-8"), reader.badTextLine);
    return std::move(reader.table);
}

} // namespace tables
