#include "tables/Tables.h"

#include "records/Records.h"
#include "rom/RomFile.h"
#include "rom/SafeWrite.h"
#include "tables/Columns.h"
#include "tables/Csv.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <functional>

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
    const QList<Column>& columns = columnsOf(kind);
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

// Told what is wrong with a line of a table.
using Problem = std::function<void(const QString&)>;

// The column of each header cell (-1 to ignore it) and the column of "Row"; `problem` is
// told what makes the header unusable.
struct Header {
    QList<int> columnOf;
    int rowColumn = -1;
};

Header readHeader(const QStringList& names, const QList<Column>& columns, const Problem& problem) {
    Header header;
    for (int c = 0; c < names.size(); ++c) {
        const QString& name = names[c];
        if (const int earlier = int(names.indexOf(name)); earlier < c)
            problem(QStringLiteral("columns %1 and %2 are both named \"%3\".")
                        .arg(earlier + 1)
                        .arg(c + 1)
                        .arg(name));
        int found = -1;
        for (int n = 0; n < columns.size() && found < 0; ++n)
            if (columns[n].name == name)
                found = n;
        if (name == QLatin1String("Row") && header.rowColumn < 0)
            header.rowColumn = c;
        else if (found < 0 && name != QLatin1String("Name"))
            problem(QStringLiteral("unknown column \"%1\".").arg(name));
        header.columnOf << (found >= 0 && columns[found].kind != Column::Kind::Words ? found : -1);
    }
    if (header.rowColumn < 0)
        problem(QStringLiteral("there is no \"Row\" column."));
    return header;
}

// "5, 9, 12 and 3 more".
QString rowList(const QList<int>& rows) {
    constexpr int kShown = 10;
    QStringList shown;
    for (int n = 0; n < rows.size() && n < kShown; ++n)
        shown << QString::number(rows[n]);
    return shown.join(QStringLiteral(", ")) +
           (rows.size() > kShown ? QStringLiteral(" and %1 more").arg(rows.size() - kShown)
                                 : QString());
}

// The record a line stands for by its Row, unless the line is malformed or its Row is no
// record of `kind` or already on another line (`lineOf`).
std::optional<int> recordOfLine(const QStringList& cells, qsizetype headerSize, int rowColumn,
                                const records::Kind& kind, const QHash<int, int>& lineOf,
                                const Problem& problem) {
    if (cells.size() != headerSize) {
        problem(
            QStringLiteral("%1 cells where the header has %2.").arg(cells.size()).arg(headerSize));
        return std::nullopt;
    }
    bool number = false;
    const int row = cells[rowColumn].toInt(&number);
    if (!number || row < kind.first || row > kind.last) {
        problem(QStringLiteral("Row \"%1\" is no record of this table (%2 to %3).")
                    .arg(cells[rowColumn])
                    .arg(kind.first)
                    .arg(kind.last));
        return std::nullopt;
    }
    if (lineOf.contains(row)) {
        problem(QStringLiteral("Row %1 is also on line %2.").arg(row).arg(lineOf[row]));
        return std::nullopt;
    }
    return row;
}

// The bytes of the records alone, read from the file as a few runs that hold every place
// of every record: the rest of the 4 MiB is never read or copied. A short file's runs end
// where the file does, so a field it does not hold is told apart as in the whole image.
class RecordBytes {
  public:
    explicit RecordBytes(const rom::RomFile& rom) {
        for (const auto& [from, to] : spans())
            runs_.append({from, rom.readBytes(from, std::clamp(rom.size(), from, to) - from)});
    }
    // The run holding `place`, and the place with its offset in that run.
    std::pair<QByteArray*, records::Place> at(const records::Place& place) {
        auto run = std::prev(std::upper_bound(
            runs_.begin(), runs_.end(), place.offset,
            [](qint64 offset, const Run& candidate) { return offset < candidate.from; }));
        records::Place local = place;
        local.offset -= run->from;
        return {&run->bytes, local};
    }
    QByteArrayView bytesOf(const records::Place& place) {
        const auto [bytes, local] = at(place);
        // A short file's run ends where the file does, and so may a place's bytes.
        const qsizetype from = std::min<qsizetype>(local.offset, bytes->size());
        return QByteArrayView(*bytes).sliced(
            from, std::min<qsizetype>(local.width, bytes->size() - from));
    }

  private:
    struct Run {
        qint64 from;
        QByteArray bytes;
    };
    // Where the runs lie: the places of every record, those less than a page apart joined.
    static const QList<std::pair<qint64, qint64>>& spans() {
        static const QList<std::pair<qint64, qint64>> joined = [] {
            constexpr qint64 kGap = 4096;
            QList<std::pair<qint64, qint64>> places;
            for (const records::Kind& kind : records::kinds())
                for (int row = kind.first; row <= kind.last; ++row)
                    for (const records::Place& place : records::placesOfRecord(kind.page, row))
                        places.append({place.offset, place.offset + place.width});
            std::sort(places.begin(), places.end());
            QList<std::pair<qint64, qint64>> runs;
            for (const auto& [from, to] : places)
                if (!runs.isEmpty() && from <= runs.last().second + kGap)
                    runs.last().second = std::max(runs.last().second, to);
                else
                    runs.append({from, to});
            return runs;
        }();
        return joined;
    }

    QList<Run> runs_;
};

// Applies the cells of a line to record `row` in `edited`; a cell as it was exported
// changes nothing and is not checked again.
void applyLine(const QStringList& cells, const Header& header, const QList<Column>& columns,
               const QList<records::Place>& places, RecordBytes& edited, const Problem& problem) {
    for (int c = 0; c < int(cells.size()); ++c) {
        if (header.columnOf[c] < 0)
            continue;
        const Column& column = columns[header.columnOf[c]];
        const auto [bytes, place] = edited.at(places[column.place]);
        if (cells[c] == cell(*bytes, place, column, Names()))
            continue;
        if (const QString refusal = enterCell(*bytes, place, column, cells[c]); !refusal.isEmpty())
            problem(QStringLiteral("column \"%1\": %2").arg(column.name, refusal));
    }
}

// Checks one table against the record kind and applies its cells to `edited`. Each line
// goes to the record its Row names, whatever the order of the lines.
void importTable(const QByteArray& text, const records::Kind& kind, RecordBytes& edited,
                 QStringList& problems) {
    const QString file = QLatin1String(kind.fileName);
    const CsvTable table = readCsv(text);
    const auto problemAt = [&problems, file](int line, const QString& separator = ": ") {
        return [&problems, file, line, separator](const QString& what) {
            problems << QStringLiteral("%1, line %2%3%4").arg(file).arg(line).arg(separator, what);
        };
    };
    if (!table.ok()) {
        problemAt(table.errorLine)(table.error);
        return;
    }
    const QList<Column>& columns = columnsOf(kind);
    const QStringList names = table.rows.value(0);
    const qsizetype before = problems.size();
    const Header header = readHeader(names, columns, problemAt(table.lineOfRow.value(0, 1)));
    if (problems.size() > before) // the lines cannot be read as the header says
        return;
    QHash<int, int> lineOf; // record row: the line that holds it
    for (int r = 1; r < table.rows.size(); ++r) {
        const int line = table.lineOfRow[r];
        const std::optional<int> row = recordOfLine(table.rows[r], names.size(), header.rowColumn,
                                                    kind, lineOf, problemAt(line));
        if (!row)
            continue;
        lineOf.insert(*row, line);
        applyLine(table.rows[r], header, columns, records::placesOfRecord(kind.page, *row), edited,
                  problemAt(line, QStringLiteral(", ")));
    }
    QList<int> missing;
    for (int row = kind.first; row <= kind.last; ++row)
        if (!lineOf.contains(row))
            missing << row;
    if (!missing.isEmpty())
        problemAt(table.lineOfRow.value(table.lineOfRow.size() - 1, 1))(
            QStringLiteral("the table ends without a line for Row %1.").arg(rowList(missing)));
}

} // namespace

QList<std::pair<QString, QByteArray>> exportTables(const QByteArray& image) {
    const Names names = namesIn(image);
    QList<std::pair<QString, QByteArray>> files;
    for (const records::Kind& kind : records::kinds())
        files.append({QLatin1String(kind.fileName), tableText(image, kind, names)});
    return files;
}

QString writeTables(const QByteArray& image, const QString& folder) {
    if (!QDir().mkpath(folder))
        return QStringLiteral("The folder \"%1\" could not be made.")
            .arg(QDir::toNativeSeparators(folder));
    for (const auto& [name, text] : exportTables(image)) {
        const QString path = QDir(folder).filePath(name);
        if (const QString why = rom::replaceFile(path, text); !why.isEmpty())
            return QStringLiteral("\"%1\" could not be written: %2")
                .arg(QDir::toNativeSeparators(path), why);
    }
    return QString();
}

Import readTables(const rom::RomFile& rom, const QString& folder) {
    Import result;
    RecordBytes image(rom);
    RecordBytes edited = image;
    QList<const records::Kind*> given; // a table changes only its own kind's records
    for (const records::Kind& kind : records::kinds()) {
        const QString path = QDir(folder).filePath(QLatin1String(kind.fileName));
        if (!QFileInfo::exists(path))
            continue;
        ++result.files;
        given << &kind;
        QString problem;
        if (const std::optional<QByteArray> text = readTableFile(path, &problem))
            importTable(*text, kind, edited, result.problems);
        else
            result.problems << QStringLiteral("%1: %2").arg(QLatin1String(kind.fileName), problem);
    }
    if (!result.problems.isEmpty())
        return result;
    for (const records::Kind* kind : given) {
        for (int row = kind->first; row <= kind->last; ++row) {
            bool changed = false;
            for (const records::Place& place : records::placesOfRecord(kind->page, row)) {
                const QByteArrayView before = image.bytesOf(place);
                const QByteArrayView after = edited.bytesOf(place);
                if (place.view.written && before != after) {
                    result.spans << rom::Span{place.offset, before.toByteArray(),
                                              after.toByteArray()};
                    changed = true;
                }
            }
            result.records += changed ? 1 : 0;
        }
    }
    return result;
}

} // namespace tables
