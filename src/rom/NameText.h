#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace rom {

class RomFile;

// The game's name encoding: capitals at 0xA0.., small letters at 0xBA.., an apostrophe
// at 0xE2 and a space at 0xEF. Every other byte stands for nothing.
const std::array<QString, 256>& NameCharTable();

// Decodes a name field byte by byte; bytes without a character add nothing, and spaces
// are kept wherever they stand.
QString decodeNameText(const QByteArray& field);

// Decodes the `length` bytes at `offset` of the open ROM file.
QString ReadNameText(const RomFile& rom, qint64 offset, int length);

} // namespace rom
