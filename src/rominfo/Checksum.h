#pragma once

#include "rom/Span.h"

#include <QByteArray>

#include <optional>

namespace rom {
class RomFile;
}

namespace rominfo {

inline constexpr qint64 kImageSize = 4194304;
inline constexpr qint64 kComplementOffset = 0x00FFDC;
inline constexpr qint64 kChecksumOffset = 0x00FFDE;

// The checksum of a 4 MiB image as SNES images define it: the 16-bit sum of every byte,
// with the complement and checksum fields counted as if they held FF FF 00 00.
quint16 computeChecksum(const QByteArray& image);

// Whether the stored complement and checksum are those of the image; nothing for a file
// shorter than 4 MiB, which has no checksum to compare.
std::optional<bool> checksumMatches(const rom::RomFile& rom);

// The spans that make the stored complement and checksum right: complement first. Nothing
// for a file shorter than 4 MiB.
std::optional<QList<rom::Span>> checksumSpans(const rom::RomFile& rom);

} // namespace rominfo
