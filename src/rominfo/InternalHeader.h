#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace rom {
class RomFile;
}

namespace rominfo {

// The SNES internal header of a high-ROM image, at its fixed place in the headerless file.
inline constexpr qint64 kNameOffset = 0x00FFC0;
inline constexpr int kNameLength = 21;
inline constexpr qint64 kSramOffset = 0x00FFD8;
inline constexpr qint64 kRegionOffset = 0x00FFD9;
inline constexpr qint64 kVersionOffset = 0x00FFDB;
inline constexpr qint64 kComplementOffset = 0x00FFDC;
inline constexpr qint64 kChecksumOffset = 0x00FFDE;
// The bytes an edit writes: the name up to and including the version byte.
inline constexpr qint64 kWrittenLength = kVersionOffset + 1 - kNameOffset;

// Codes the page's lists have rows for.
inline constexpr int kLargestSramCode = 5;
inline constexpr int kLargestRegionCode = 13;

struct InternalHeader {
    QByteArray name; // always kNameLength bytes
    std::uint8_t sramCode = 0;
    std::uint8_t regionCode = 0;
    std::uint8_t version = 0;
    std::int16_t complement = 0;
    std::int16_t checksum = 0;
};

// The fields a user may change; the checksum pair is never written.
struct HeaderEdit {
    QByteArray name; // at most kNameLength bytes
    std::uint8_t sramCode = 0;
    std::uint8_t regionCode = 0;
    std::uint8_t version = 0;
};

InternalHeader readInternalHeader(const rom::RomFile& rom);

// Writes, in this order: kNameLength spaces, the name bytes over them, the SRAM code, the
// region code and the version. False when a write failed.
bool writeInternalHeader(rom::RomFile& rom, const HeaderEdit& edit);

// The name field shown one character per byte, ISO 8859-1.
QString nameText(const QByteArray& name);
// The bytes of a name in ISO 8859-1, cut to kNameLength characters; nullopt when one of
// those characters has no ISO 8859-1 byte.
std::optional<QByteArray> encodeName(const QString& text);

// "F3A F0C5": complement and checksum in upper-case hexadecimal without leading zeros.
QString checksumText(std::int16_t complement, std::int16_t checksum);

} // namespace rominfo
