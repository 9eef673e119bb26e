#include "records/Comparison.h"

#include "patches/Diff.h"
#include "patches/PatchReaders.h"

#include <QSet>

#include <algorithm>
#include <vector>

namespace records {
namespace {

struct CatalogueField {
    RecordKind page;
    int row;
    Place place;
};

// Every field a save writes, of every record, in the catalogue's order.
const std::vector<CatalogueField>& catalogue() {
    static const std::vector<CatalogueField> all = [] {
        std::vector<CatalogueField> fields;
        for (const Kind& kind : kinds())
            for (int row = kind.first; row <= kind.last; ++row)
                for (const Place& place : placesOfRecord(kind.page, row))
                    if (place.view.written)
                        fields.push_back({kind.page, row, place});
        return fields;
    }();
    return all;
}

// The bytes those fields cover, as sorted, merged [begin, end) ranges.
const std::vector<patches::ByteRange>& covered() {
    static const std::vector<patches::ByteRange> ranges = [] {
        std::vector<patches::ByteRange> all;
        for (const CatalogueField& field : catalogue())
            all.push_back({field.place.offset, field.place.offset + field.place.width});
        std::sort(all.begin(), all.end(),
                  [](const auto& a, const auto& b) { return a.begin < b.begin; });
        std::vector<patches::ByteRange> merged;
        for (const patches::ByteRange& range : all) {
            if (!merged.empty() && range.begin <= merged.back().end)
                merged.back().end = std::max(merged.back().end, range.end);
            else
                merged.push_back(range);
        }
        return merged;
    }();
    return ranges;
}

// The offsets where mine or theirs differs from the base, as sorted, merged ranges.
QList<patches::ByteRange> changedRanges(const QByteArray& base, const QByteArray& mine,
                                        const QByteArray& theirs) {
    QList<patches::ByteRange> all = patches::differingRanges(base, mine);
    all += patches::differingRanges(base, theirs);
    std::sort(all.begin(), all.end(),
              [](const auto& a, const auto& b) { return a.begin < b.begin; });
    QList<patches::ByteRange> merged;
    for (const patches::ByteRange& range : all) {
        if (!merged.isEmpty() && range.begin <= merged.last().end)
            merged.last().end = std::max(merged.last().end, range.end);
        else
            merged.append(range);
    }
    return merged;
}

// Appends the bytes of [begin, end) that no field covers, split where their class changes.
void addOtherBytes(Comparison& result, qint64 begin, qint64 end, const QByteArray& base,
                   const QByteArray& mine, const QByteArray& theirs) {
    const std::vector<patches::ByteRange>& fields = covered();
    auto field = std::upper_bound(fields.begin(), fields.end(), begin,
                                  [](qint64 at, const auto& range) { return at < range.end; });
    for (qint64 at = begin; at < end; ++at) {
        while (field != fields.end() && field->end <= at)
            ++field;
        if (field != fields.end() && field->begin <= at)
            continue;
        const auto change =
            changeClass(base[at] != mine[at], base[at] != theirs[at], mine[at] == theirs[at]);
        if (!change)
            continue;
        if (!result.others.isEmpty() && result.others.last().end == at &&
            result.others.last().change == *change)
            ++result.others.last().end;
        else
            result.others.append({at, at + 1, *change});
        ++result.otherBytes;
    }
}

} // namespace

std::optional<std::pair<RecordKind, int>> locate(qint64 offset) {
    using Start = std::pair<qint64, std::pair<RecordKind, int>>;
    // Every written field's first byte with its record, sorted by offset; where two records
    // share an offset the first in the order of kinds() and rows is kept.
    static const std::vector<Start> starts = [] {
        std::vector<Start> all;
        for (const CatalogueField& field : catalogue())
            all.push_back({field.place.offset, {field.page, field.row}});
        std::stable_sort(all.begin(), all.end(),
                         [](const Start& a, const Start& b) { return a.first < b.first; });
        return all;
    }();
    const auto found =
        std::lower_bound(starts.begin(), starts.end(), offset,
                         [](const Start& start, qint64 wanted) { return start.first < wanted; });
    if (found == starts.end() || found->first != offset)
        return std::nullopt;
    return found->second;
}

QString classWords(ChangeClass change) {
    switch (change) {
    case ChangeClass::Conflict:
        return QStringLiteral("conflict");
    case ChangeClass::OnlyHere:
        return QStringLiteral("only here");
    case ChangeClass::OnlyThere:
        return QStringLiteral("only there");
    case ChangeClass::Alike:
        break;
    }
    return QStringLiteral("alike");
}

std::optional<ChangeClass> changeClass(bool mineChanged, bool theirsChanged, bool alike) {
    if (!mineChanged && !theirsChanged)
        return std::nullopt;
    if (mineChanged && theirsChanged)
        return alike ? ChangeClass::Alike : ChangeClass::Conflict;
    return mineChanged ? ChangeClass::OnlyHere : ChangeClass::OnlyThere;
}

int Comparison::count(ChangeClass change) const {
    return int(std::count_if(fields.begin(), fields.end(), [change](const FieldChange& field) {
        return field.change == change;
    }));
}

QString Comparison::totals() const {
    return QStringLiteral("%1 records, %2 fields, %3 other bytes")
        .arg(patches::groupedNumber(records), patches::groupedNumber(fields.size()),
             patches::groupedNumber(otherBytes));
}

Comparison compareImages(const QByteArray& base, const QByteArray& mine, const QByteArray& theirs) {
    Comparison result;
    const qint64 size = std::min({base.size(), mine.size(), theirs.size()});
    QSet<std::pair<int, int>> records;
    result.fields.reserve(qsizetype(catalogue().size())); // growing moves every change made
    for (const CatalogueField& field : catalogue()) {
        const qint64 offset = field.place.offset;
        const int width = field.place.width;
        if (offset + width > size)
            continue;
        const QByteArrayView b(base.constData() + offset, width);
        const QByteArrayView m(mine.constData() + offset, width);
        const QByteArrayView t(theirs.constData() + offset, width);
        const auto change = changeClass(b != m, b != t, m == t);
        if (!change)
            continue;
        result.fields.append({field.page, field.row, field.place, b.toByteArray(), m.toByteArray(),
                              t.toByteArray(), *change});
        records.insert({int(field.page), field.row});
    }
    result.records = int(records.size());
    // Views of the common length, not copies: a copy of 4 MiB costs more than the comparison.
    const auto common = [size](const QByteArray& image) {
        return QByteArray::fromRawData(image.constData(), size);
    };
    for (const patches::ByteRange& range :
         changedRanges(common(base), common(mine), common(theirs)))
        addOtherBytes(result, range.begin, range.end, base, mine, theirs);
    return result;
}

QString fieldWords(const Place& place, const QByteArray& bytes, const QStringList& itemNames) {
    if (place.view.encoding == rom::Encoding::Bytes)
        return rom::textOfBytes(bytes).trimmed();
    const int value = rom::decodeNumber(place.view.encoding, bytes);
    if (place.view.shown != rom::Shown::Flags)
        return valueWords(place, value, itemNames);
    QStringList set;
    for (int bit = 0; bit < 8; ++bit)
        if ((value >> bit) & 1)
            set << place.rows().value(bit, QString::number(bit));
    return set.isEmpty() ? QStringLiteral("none") : set.join(QStringLiteral(", "));
}

QString otherBytesText(const OtherBytes& bytes) {
    const auto hex = [](qint64 offset) {
        return QStringLiteral("0x") +
               QString::number(offset, 16).toUpper().rightJustified(6, QLatin1Char('0'));
    };
    return QStringLiteral("%1\u2013%2: %3 bytes outside the editor's records")
        .arg(hex(bytes.begin), hex(bytes.end - 1), patches::groupedNumber(bytes.end - bytes.begin));
}

} // namespace records
