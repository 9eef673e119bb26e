#include "rom/FieldTable.h"

namespace rom {

int widthOf(Encoding encoding, int length) {
    switch (encoding) {
    case Encoding::Byte:
        return 1;
    case Encoding::Signed16:
    case Encoding::Unsigned16:
        return 2;
    case Encoding::Signed32:
        return 4;
    case Encoding::Bytes:
        return length;
    }
    return 0;
}

// Little-endian; the 16-bit fields other than Signed16 read as 0 to 65535.
int decodeNumber(Encoding encoding, const QByteArray& bytes) {
    std::uint32_t bits = 0;
    for (qsizetype i = bytes.size() - 1; i >= 0; --i)
        bits = (bits << 8) | static_cast<std::uint8_t>(bytes[i]);
    switch (encoding) {
    case Encoding::Signed16:
        return static_cast<std::int16_t>(bits);
    case Encoding::Signed32:
        return static_cast<std::int32_t>(bits);
    default:
        return static_cast<int>(bits);
    }
}

QByteArray encodeNumber(int value, int width) {
    QByteArray bytes(width, '\0');
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < width; ++i, bits >>= 8)
        bytes[i] = static_cast<char>(bits & 0xFF);
    return bytes;
}

QString textOfBytes(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.constData(), bytes.size());
}

std::optional<QByteArray> bytesOfText(const QString& text, int length) {
    QByteArray bytes;
    for (const QChar c : text.left(length)) {
        if (c.unicode() > 0xFF)
            return std::nullopt;
        bytes.append(static_cast<char>(c.unicode()));
    }
    return bytes;
}

} // namespace rom
