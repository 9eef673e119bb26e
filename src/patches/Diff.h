#pragma once

#include <QByteArray>
#include <QList>

namespace patches {

// The half-open byte range [begin, end) of an image.
struct ByteRange {
    qint64 begin = 0;
    qint64 end = 0;
    bool operator==(const ByteRange&) const = default;
};

// The maximal runs of target bytes that differ from the source, in ascending order. Bytes
// past the source's end count as differing, so a longer target ends with one run that
// reaches its last byte. Bytes that a shorter target drops are not part of any run.
QList<ByteRange> differingRanges(const QByteArray& source, const QByteArray& target);

// How much an edit changed, for the "Create Patch" report.
struct DiffSummary {
    qint64 changedBytes = 0; // bytes of the target that differ, its extra tail included
    qint64 places = 0;       // maximal runs of differing bytes
    qint64 removedBytes = 0; // source bytes past the end of a shorter target
    bool unchanged() const { return changedBytes == 0 && removedBytes == 0; }
};

DiffSummary summarizeDiff(const QByteArray& source, const QByteArray& target);

} // namespace patches
