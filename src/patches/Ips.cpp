#include "patches/Ips.h"

#include "patches/Diff.h"

#include <algorithm>

namespace patches {

namespace {

constexpr qint64 kEofOffset = 0x454F46;
constexpr qint64 kMaxOffset = 0xFFFFFF;
constexpr qint64 kMaxRecordLength = 0xFFFF;

void appendBigEndian(QByteArray& out, qint64 value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

} // namespace

IpsResult createIps(const QByteArray& source, const QByteArray& target) {
    if (target.size() < source.size())
        return {{},
                QStringLiteral("The edited image (%1 bytes) is shorter than the original (%2 "
                               "bytes), and an IPS patch cannot shorten a file. Create a BPS "
                               "patch instead.")
                    .arg(target.size())
                    .arg(source.size())};
    const QList<ByteRange> ranges = differingRanges(source, target);
    qint64 size = 8;
    for (const ByteRange& range : ranges)
        size += range.end - range.begin + 6 * ((range.end - range.begin) / kMaxRecordLength + 1);
    QByteArray patch;
    patch.reserve(size);
    patch.append("PATCH");
    for (const ByteRange& range : ranges) {
        for (qint64 at = range.begin; at < range.end;) {
            const qint64 start = at == kEofOffset ? at - 1 : at;
            if (start > kMaxOffset)
                return {{},
                        QStringLiteral("The change at offset 0x%1 lies past the 16 MiB that an "
                                       "IPS patch can address. Create a BPS patch instead.")
                            .arg(QString::number(start, 16).toUpper())};
            const qint64 length = std::min(range.end - start, kMaxRecordLength);
            appendBigEndian(patch, start, 3);
            appendBigEndian(patch, length, 2);
            patch.append(target.constData() + start, length);
            at = start + length;
        }
    }
    patch.append("EOF");
    return {patch, {}};
}

} // namespace patches
