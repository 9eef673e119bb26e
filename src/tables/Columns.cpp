#include "tables/Columns.h"

#include "rom/NameText.h"
#include "rom/NumberRules.h"

#include <QHash>

namespace tables {
namespace {

// The names as the lists show them.
QStringList namesOf(const QByteArray& image, const rom::Table& table, int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << rom::decodeNameText(image.mid(table.recordOffset(i), table.stride));
    return names;
}

// Read without a copy: grids read every cell on each sort and paint.
int valueAt(const QByteArray& image, const records::Place& place) {
    if (place.offset < 0 || place.offset + place.width > image.size())
        return rom::decodeNumber(place.view.encoding, image.mid(place.offset, place.width));
    return rom::decodeNumber(
        place.view.encoding,
        QByteArray::fromRawData(image.constData() + place.offset, place.width));
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

QString enterText(QByteArray& image, const records::Place& place, const QString& text) {
    const std::optional<QByteArray> bytes = rom::bytesOfText(text, place.width + 1);
    if (!bytes)
        return rom::latin1Refusal();
    if (bytes->size() > place.width)
        return QStringLiteral("enter at most %1 characters.").arg(place.width);
    image.replace(place.offset, place.width, bytes->leftJustified(place.width, ' '));
    return QString();
}

} // namespace

bool isChoice(rom::Shown shown) {
    return shown == rom::Shown::Choice || shown == rom::Shown::Item || shown == rom::Shown::Check ||
           shown == rom::Shown::Element;
}

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

const QList<Column>& columnsOf(const records::Kind& kind) {
    static const QList<QList<Column>> byKind = [] {
        QList<QList<Column>> all;
        for (const records::Kind& each : records::kinds())
            all.append(columnsOf(records::placesOfRecord(each.page, each.first)));
        return all;
    }();
    for (qsizetype k = 0; k < byKind.size(); ++k)
        if (records::kinds()[k].page == kind.page && records::kinds()[k].first == kind.first)
            return byKind[k];
    Q_ASSERT_X(false, "columnsOf", "a kind of records::kinds()");
    return byKind.first();
}

QString identifierOf(const QString& name) {
    QString identifier;
    for (const QChar c : name)
        if (c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('_')))
            identifier += c;
    // Names begin with a letter; a digit first would read as a number.
    if (identifier.isEmpty() || identifier.front().isDigit())
        identifier.prepend(QLatin1Char('_'));
    return identifier;
}

QString Names::of(records::RecordKind kind, int row) const {
    return byKind.value(int(kind)).value(row);
}

Names namesIn(const QByteArray& image) {
    Names names;
    names.byKind.resize(records::kindTable().size());
    for (const records::KindInfo& info : records::kindTable()) {
        if (info.nameTable)
            names.byKind[int(info.kind)] = namesOf(image, *info.nameTable, info.rowCount);
        else if (info.fixedNames)
            names.byKind[int(info.kind)] = info.fixedNames();
    }
    names.items = names.byKind[int(records::RecordKind::Item)];
    return names;
}

int cellValue(const QByteArray& image, const records::Place& place, const Column& column) {
    const int value = valueAt(image, place);
    return column.kind == Column::Kind::Bit ? (value >> column.bit) & 1 : value;
}

QString enterCell(QByteArray& image, const records::Place& place, const Column& column,
                  const QString& text) {
    const rom::FieldView& view = place.view;
    // QByteArray::replace past the end would make the image longer.
    if (place.offset < 0 || place.offset + place.width > image.size())
        return rom::tooShortReason() + QLatin1Char('.');
    if (view.encoding == rom::Encoding::Bytes)
        return enterText(image, place, text);
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

} // namespace tables
