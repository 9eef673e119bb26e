#include "rominfo/Checksum.h"

#include "rom/RomFile.h"

#include <algorithm>

namespace rominfo {
namespace {

constexpr qint64 kPairLength = 4; // complement, then checksum
// The file is summed a piece at a time: no 4 MiB buffer for a sum.
constexpr qint64 kPiece = 64 * 1024;

QByteArray littleEndian(quint16 value) {
    QByteArray bytes(2, '\0');
    bytes[0] = static_cast<char>(value & 0xFF);
    bytes[1] = static_cast<char>(value >> 8);
    return bytes;
}

quint32 byteSum(const char* data, qint64 length) {
    const auto* bytes = reinterpret_cast<const quint8*>(data);
    quint32 sum = 0;
    for (qint64 i = 0; i < length; ++i)
        sum += bytes[i];
    return sum;
}

// The checksum of an image whose bytes add up to `sum` and which holds `pair` where the
// complement and checksum lie: the pair is counted as if it held FF FF 00 00.
quint16 checksumOf(quint32 sum, const QByteArray& pair) {
    return static_cast<quint16>(sum - byteSum(pair.constData(), pair.size()) + 0xFF + 0xFF);
}

} // namespace

quint16 computeChecksum(const QByteArray& image) {
    return checksumOf(byteSum(image.constData(), std::min<qint64>(kImageSize, image.size())),
                      image.mid(kComplementOffset, kPairLength));
}

std::optional<QList<rom::Span>> checksumSpans(const rom::RomFile& rom) {
    if (rom.size() < kImageSize)
        return std::nullopt;
    quint32 sum = 0;
    for (qint64 at = 0; at < kImageSize; at += kPiece) {
        const QByteArray piece = rom.readBytes(at, kPiece);
        sum += byteSum(piece.constData(), piece.size());
    }
    const QByteArray pair = rom.readBytes(kComplementOffset, kPairLength);
    const quint16 checksum = checksumOf(sum, pair);
    return QList<rom::Span>{{kComplementOffset, pair.left(2), littleEndian(checksum ^ 0xFFFF)},
                            {kChecksumOffset, pair.mid(2), littleEndian(checksum)}};
}

std::optional<bool> checksumMatches(const rom::RomFile& rom) {
    const auto spans = checksumSpans(rom);
    if (!spans)
        return std::nullopt;
    return !(*spans)[0].changes() && !(*spans)[1].changes();
}

} // namespace rominfo
