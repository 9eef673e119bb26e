#include "patches/Diff.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace patches {

namespace {

// The first index in [from, to) where a and b differ, or `to`. Compares eight bytes at a
// time, since a stat edit leaves almost all of a 4 MiB image as it was.
qint64 firstDifference(const char* a, const char* b, qint64 from, qint64 to) {
    qint64 i = from;
    for (; i + 8 <= to; i += 8) {
        std::uint64_t x;
        std::uint64_t y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y)
            break;
    }
    while (i < to && a[i] == b[i])
        ++i;
    return i;
}

} // namespace

QList<ByteRange> differingRanges(const QByteArray& source, const QByteArray& target) {
    QList<ByteRange> ranges;
    const char* a = source.constData();
    const char* b = target.constData();
    const qint64 common = std::min(source.size(), target.size());
    qint64 i = firstDifference(a, b, 0, common);
    while (i < common) {
        qint64 end = i + 1;
        while (end < common && a[end] != b[end])
            ++end;
        ranges.append({i, end});
        i = firstDifference(a, b, end, common);
    }
    if (target.size() > common) {
        if (!ranges.isEmpty() && ranges.last().end == common)
            ranges.last().end = target.size();
        else
            ranges.append({common, target.size()});
    }
    return ranges;
}

DiffSummary summarizeDiff(const QByteArray& source, const QByteArray& target) {
    DiffSummary summary;
    for (const ByteRange& range : differingRanges(source, target)) {
        summary.changedBytes += range.end - range.begin;
        ++summary.places;
    }
    summary.removedBytes = std::max<qint64>(0, source.size() - target.size());
    return summary;
}

} // namespace patches
