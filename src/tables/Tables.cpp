#include "tables/Tables.h"

#include "characters/CharacterRecord.h"
#include "enemies/EnemyRecord.h"
#include "items/ItemCategory.h"
#include "records/Records.h"
#include "rom/NameText.h"
#include "rom/NumberRules.h"
#include "rom/RomFile.h"
#include "rom/SafeWrite.h"
#include "tables/Csv.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <functional>

namespace tables {
namespace {

// A table file larger than this is no table of this game's records.
constexpr qint64 kLargestTable = 4 * 1024 * 1024;

// One column of a table: a field's value, its row's text, or one bit of a check-list.
struct Column {
    enum class Kind { Value, Words, Bit };
    QString name;
    int place; // index into the record's places
    Kind kind;
    int bit = 0;
};

bool isChoice(rom::Shown shown) {
    return shown == rom::Shown::Choice || shown == rom::Shown::Item || shown == rom::Shown::Check ||
           shown == rom::Shown::Element;
}

// The columns of a kind, from the written fields of its first record. Captions that two
// fields share are numbered; check-list rows whose text repeats name their bit.
QList<Column> columnsOf(const QList<records::Place>& places) {
    QHash<QString, int> captions;
    for (const records::Place& place : places)
        if (place.view.written)
            ++captions[records::withoutColon(place.view.caption)];
    QHash<QString, int> seen;
    QList<Column> columns;
    for (int i = 0; i < places.size(); ++i) {
        const rom::FieldView& view = places[i].view;
        if (!view.written)
            continue;
        QString name = records::withoutColon(view.caption);
        if (captions[name] > 1)
            name += QStringLiteral(" %1").arg(++seen[name]);
        if (view.shown == rom::Shown::Flags) {
            const QStringList& rows = places[i].rows();
            for (int bit = 0; bit < 8; ++bit)
                columns.append(
                    {name + QLatin1Char(' ') + rows[bit] +
                         (rows.count(rows[bit]) > 1 ? QStringLiteral(" (bit %1)").arg(bit)
                                                    : QString()),
                     i, Column::Kind::Bit, bit});
            continue;
        }
        columns.append({name, i, Column::Kind::Value});
        if (view.shown == rom::Shown::Choice || view.shown == rom::Shown::Item ||
            view.shown == rom::Shown::Element)
            columns.append({name + QStringLiteral(" (name)"), i, Column::Kind::Words});
    }
    return columns;
}

// The names as the lists show them.
QStringList namesOf(const QByteArray& image, const rom::Table& table, int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << rom::decodeNameText(image.mid(table.recordOffset(i), table.stride));
    return names;
}

struct Names {
    QStringList items;
    QStringList enemies;

    QString of(records::PageId page, int row) const {
        switch (page) {
        case records::PageId::Item:
            return items.value(row);
        case records::PageId::Enemy:
            return enemies.value(row);
        case records::PageId::Character:
            return characters::characterNames().value(row);
        case records::PageId::Misc:
            break;
        }
        return QString();
    }
};

int valueAt(const QByteArray& image, const records::Place& place) {
    return rom::decodeNumber(place.view.encoding, image.mid(place.offset, place.width));
}

QString cell(const QByteArray& image, const records::Place& place, const Column& column,
             const Names& names) {
    if (place.view.encoding == rom::Encoding::Bytes)
        return rom::textOfBytes(image.mid(place.offset, place.width));
    const int value = valueAt(image, place);
    switch (column.kind) {
    case Column::Kind::Bit:
        return QString::number((value >> column.bit) & 1);
    case Column::Kind::Words:
        return records::valueWords(place, value, names.items);
    case Column::Kind::Value:
        break;
    }
    return QString::number(value);
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

Names namesIn(const QByteArray& image) {
    return {namesOf(image, items::kNameTable, items::kItemCount),
            namesOf(image, enemies::kNameTable, enemies::kEnemyCount)};
}

// What a cell may hold, as a message, when it cannot be stored; otherwise the new bytes.
struct Checked {
    QByteArray bytes;
    QString refusal;
};

Checked checkNumber(const QString& text, long long minimum, long long maximum,
                    rom::Encoding encoding, int width) {
    const std::optional<long long> value = rom::wholeNumberIn(text, minimum, maximum);
    if (!value)
        return {{}, rom::wholeNumberRefusal(minimum, maximum)};
    return {rom::encodeNumber(rom::storedValue(encoding, *value), width), QString()};
}

// Applies one cell to the record's bytes in `image`, or says what the cell may hold.
QString applyCell(QByteArray& image, const records::Place& place, const Column& column,
                  const QString& text) {
    const rom::FieldView& view = place.view;
    if (view.encoding == rom::Encoding::Bytes) {
        const std::optional<QByteArray> bytes = rom::bytesOfText(text, place.width + 1);
        if (!bytes)
            return QStringLiteral("use only characters of ISO 8859-1 (Latin-1).");
        if (bytes->size() > place.width)
            return QStringLiteral("enter at most %1 characters.").arg(place.width);
        image.replace(place.offset, place.width, bytes->leftJustified(place.width, ' '));
        return QString();
    }
    Checked checked;
    if (column.kind == Column::Kind::Bit) {
        checked = checkNumber(text, 0, 1, rom::Encoding::Byte, 1);
        if (checked.refusal.isEmpty()) {
            const int value = valueAt(image, place);
            const int bit = 1 << column.bit;
            checked.bytes = rom::encodeNumber(checked.bytes[0] ? value | bit : value & ~bit, 1);
        }
    } else if (isChoice(view.shown)) {
        checked = checkNumber(text, 0, 255, view.encoding, place.width);
    } else {
        const rom::EntryRange range = rom::entryRange(view.encoding);
        checked = checkNumber(text, range.minimum, range.maximum, view.encoding, place.width);
    }
    if (checked.refusal.isEmpty())
        image.replace(place.offset, place.width, checked.bytes);
    return checked.refusal;
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

// Applies the cells of a line to record `row` in `edited`; a cell as it was exported
// changes nothing and is not checked again.
void applyLine(const QStringList& cells, const Header& header, const QList<Column>& columns,
               const QList<records::Place>& places, QByteArray& edited, const Problem& problem) {
    for (int c = 0; c < int(cells.size()); ++c) {
        if (header.columnOf[c] < 0)
            continue;
        const Column& column = columns[header.columnOf[c]];
        const records::Place& place = places[column.place];
        if (cells[c] == cell(edited, place, column, Names()))
            continue;
        if (const QString refusal = applyCell(edited, place, column, cells[c]); !refusal.isEmpty())
            problem(QStringLiteral("column \"%1\": %2").arg(column.name, refusal));
    }
}

// Checks one table against the record kind and applies its cells to `edited`. Each line
// goes to the record its Row names, whatever the order of the lines.
void importTable(const QByteArray& text, const records::Kind& kind, QByteArray& edited,
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
    const QList<Column> columns = columnsOf(records::placesOfRecord(kind.page, kind.first));
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
