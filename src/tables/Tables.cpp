#include "tables/Tables.h"

#include "records/Records.h"
#include "rom/RomFile.h"
#include "rom/SafeWrite.h"
#include "tables/Columns.h"
#include "tables/Csv.h"

#include <QDir>
#include <QFileInfo>

namespace tables {
namespace {

// A table file larger than this is no table of this game's records.
constexpr qint64 kLargestTable = 4 * 1024 * 1024;

QString cell(const QByteArray& image, const records::Place& place, const Column& column,
             const Names& names) {
    if (place.view.encoding == rom::Encoding::Bytes)
        return rom::textOfBytes(image.mid(place.offset, place.width));
    if (column.kind == Column::Kind::Words)
        return records::valueWords(place, cellValue(image, place, column), names.items);
    return QString::number(cellValue(image, place, column));
}

QByteArray tableText(const QByteArray& image, const records::Kind& kind, const Names& names) {
    const QList<Column> columns = columnsOf(records::placesOfRecord(kind.page, kind.first));
    QStringList header = {"Row", "Name"};
    for (const Column& column : columns)
        header << column.name;
    QList<QStringList> rows = {header};
    for (int row = kind.first; row <= kind.last; ++row) {
        const QList<records::Place> places = records::placesOfRecord(kind.page, row);
        QStringList cells = {QString::number(row), names.of(kind.page, row)};
        for (const Column& column : columns)
            cells << cell(image, places[column.place], column, names);
        rows << cells;
    }
    return writeCsv(rows);
}

std::optional<QByteArray> readTableFile(const QString& path, QString* problem) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kLargestTable) {
        *problem = QStringLiteral("it is not a table file of a sensible size.");
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = QStringLiteral("it cannot be read: %1").arg(file.errorString());
        return std::nullopt;
    }
    return file.readAll();
}

// Checks one table against the record kind and applies its cells to `edited`.
void importTable(const QByteArray& text, const records::Kind& kind, QByteArray& edited,
                 QStringList& problems) {
    const QString file = QLatin1String(kind.fileName);
    const CsvTable table = readCsv(text);
    if (!table.ok()) {
        problems
            << QStringLiteral("%1, line %2: %3").arg(file).arg(table.errorLine).arg(table.error);
        return;
    }
    const QList<Column> columns = columnsOf(records::placesOfRecord(kind.page, kind.first));
    const QStringList header = table.rows.value(0);
    QList<int> columnOf; // for each cell of a row, its column, or -1 to ignore
    for (const QString& name : header) {
        int found = -1;
        for (int c = 0; c < columns.size(); ++c)
            if (columns[c].name == name)
                found = c;
        if (found < 0 && name != "Row" && name != "Name")
            problems << QStringLiteral("%1, line 1: unknown column \"%2\".").arg(file, name);
        columnOf << (found >= 0 && columns[found].kind != Column::Kind::Words ? found : -1);
    }
    const int wanted = kind.last - kind.first + 1;
    if (table.rows.size() - 1 != wanted)
        problems << QStringLiteral("%1: %2 rows of records where %3 are needed.")
                        .arg(file)
                        .arg(std::max<qsizetype>(table.rows.size() - 1, 0))
                        .arg(wanted);
    for (int r = 1; r < table.rows.size() && r <= wanted; ++r) {
        const QList<records::Place> places = records::placesOfRecord(kind.page, kind.first + r - 1);
        const QStringList& cells = table.rows[r];
        for (int c = 0; c < cells.size() && c < columnOf.size(); ++c) {
            if (columnOf[c] < 0)
                continue;
            const Column& column = columns[columnOf[c]];
            const QString refusal = enterCell(edited, places[column.place], column, cells[c]);
            if (!refusal.isEmpty())
                problems << QStringLiteral("%1, line %2, column \"%3\": %4")
                                .arg(file)
                                .arg(table.lineOfRow[r])
                                .arg(column.name, refusal);
        }
    }
}

} // namespace

QList<std::pair<QString, QByteArray>> exportTables(const rom::RomFile& rom) {
    const QByteArray image = rom.readBytes(0, rom.size());
    const Names names = namesIn(image);
    QList<std::pair<QString, QByteArray>> files;
    for (const records::Kind& kind : records::kinds())
        files.append({QLatin1String(kind.fileName), tableText(image, kind, names)});
    return files;
}

QString writeTables(const rom::RomFile& rom, const QString& folder) {
    for (const auto& [name, text] : exportTables(rom)) {
        const QString path = QDir(folder).filePath(name);
        if (const QString why = rom::replaceFile(path, text); !why.isEmpty())
            return QStringLiteral("\"%1\" could not be written: %2")
                .arg(QDir::toNativeSeparators(path), why);
    }
    return QString();
}

Import readTables(const rom::RomFile& rom, const QString& folder) {
    Import result;
    const QByteArray image = rom.readBytes(0, rom.size());
    QByteArray edited = image;
    for (const records::Kind& kind : records::kinds()) {
        const QString path = QDir(folder).filePath(QLatin1String(kind.fileName));
        if (!QFileInfo::exists(path))
            continue;
        ++result.files;
        QString problem;
        if (const std::optional<QByteArray> text = readTableFile(path, &problem))
            importTable(*text, kind, edited, result.problems);
        else
            result.problems << QStringLiteral("%1: %2").arg(QLatin1String(kind.fileName), problem);
    }
    if (!result.problems.isEmpty())
        return result;
    for (const records::Kind& kind : records::kinds()) {
        for (int row = kind.first; row <= kind.last; ++row) {
            bool changed = false;
            for (const records::Place& place : records::placesOfRecord(kind.page, row)) {
                const rom::Span span{place.offset, image.mid(place.offset, place.width),
                                     edited.mid(place.offset, place.width)};
                if (place.view.written && span.changes()) {
                    result.spans << span;
                    changed = true;
                }
            }
            result.records += changed ? 1 : 0;
        }
    }
    return result;
}

} // namespace tables
