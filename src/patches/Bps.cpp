#include "patches/Bps.h"

#include "patches/Diff.h"

#include <zlib.h>

namespace patches {

namespace {

enum Action : quint64 { SourceRead = 0, TargetRead = 1 };

// beat's number encoding: seven bits a byte, low bits first, the last byte marked by its
// top bit, and one subtracted after every byte that is not the last.
void appendNumber(QByteArray& out, quint64 value) {
    for (;;) {
        const char bits = static_cast<char>(value & 0x7F);
        value >>= 7;
        if (value == 0) {
            out.append(static_cast<char>(0x80 | bits));
            return;
        }
        out.append(bits);
        --value;
    }
}

void appendAction(QByteArray& out, Action action, qint64 length) {
    appendNumber(out, (static_cast<quint64>(length - 1) << 2) | action);
}

void appendCrc32(QByteArray& out, const QByteArray& data) {
    const quint32 crc = static_cast<quint32>(
        crc32_z(0, reinterpret_cast<const Bytef*>(data.constData()), data.size()));
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((crc >> shift) & 0xFF));
}

} // namespace

QByteArray createBps(const QByteArray& source, const QByteArray& target) {
    const QList<ByteRange> ranges = differingRanges(source, target);
    qint64 size = 4 + 3 * 10 + 12;
    for (const ByteRange& range : ranges)
        size += range.end - range.begin + 2 * 10;
    QByteArray patch;
    patch.reserve(size);
    patch.append("BPS1");
    appendNumber(patch, source.size());
    appendNumber(patch, target.size());
    appendNumber(patch, 0);
    qint64 written = 0;
    for (const ByteRange& range : ranges) {
        if (range.begin > written)
            appendAction(patch, SourceRead, range.begin - written);
        appendAction(patch, TargetRead, range.end - range.begin);
        patch.append(target.constData() + range.begin, range.end - range.begin);
        written = range.end;
    }
    if (written < target.size())
        appendAction(patch, SourceRead, target.size() - written);
    appendCrc32(patch, source);
    appendCrc32(patch, target);
    appendCrc32(patch, patch);
    return patch;
}

} // namespace patches
