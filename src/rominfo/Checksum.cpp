#include "rominfo/Checksum.h"

#include "rom/RomFile.h"

#include <algorithm>

namespace rominfo {
namespace {

QByteArray littleEndian(quint16 value) {
    QByteArray bytes(2, '\0');
    bytes[0] = static_cast<char>(value & 0xFF);
    bytes[1] = static_cast<char>(value >> 8);
    return bytes;
}

} // namespace

quint16 computeChecksum(const QByteArray& image) {
    const auto* bytes = reinterpret_cast<const quint8*>(image.constData());
    const qint64 length = std::min<qint64>(kImageSize, image.size());
    quint32 sum = 0;
    for (qint64 i = 0; i < length; ++i)
        sum += bytes[i];
    // The pair as the image holds it is replaced by FF FF 00 00.
    for (qint64 i = kComplementOffset; i < kComplementOffset + 4 && i < image.size(); ++i)
        sum -= static_cast<quint8>(image[i]);
    return static_cast<quint16>(sum + 0xFF + 0xFF);
}

std::optional<QList<rom::Span>> checksumSpans(const rom::RomFile& rom) {
    if (rom.size() < kImageSize)
        return std::nullopt;
    const QByteArray image = rom.readBytes(0, kImageSize);
    const quint16 checksum = computeChecksum(image);
    return QList<rom::Span>{
        {kComplementOffset, image.mid(kComplementOffset, 2), littleEndian(checksum ^ 0xFFFF)},
        {kChecksumOffset, image.mid(kChecksumOffset, 2), littleEndian(checksum)}};
}

std::optional<bool> checksumMatches(const rom::RomFile& rom) {
    const auto spans = checksumSpans(rom);
    if (!spans)
        return std::nullopt;
    return !(*spans)[0].changes() && !(*spans)[1].changes();
}

} // namespace rominfo
