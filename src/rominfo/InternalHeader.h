#pragma once

#include "rom/FieldTable.h"

#include <QByteArray>
#include <QString>

namespace rominfo {

// The SNES internal header of a high-ROM image, at its fixed place in the headerless file.
// The table's record is the part an edit may write, from the name to the version byte;
// the checksum pair follows it and is only shown.
inline constexpr rom::Table kHeaderTable{0x00FFC0, 0x1C};
inline constexpr int kNameLength = 21;

struct InternalHeader {
    QByteArray name; // kNameLength single-byte characters
    int sramCode = 0;
    int regionCode = 0;
    int version = 0;
    int complement = 0;
    int checksum = 0;
};

// Written in this order: the name (padded with spaces), SRAM code, region code, version.
rom::FieldTable<InternalHeader> headerFields();

// The rows of the SRAM size and region lists; row r stands for code r.
const QStringList& sramRows();
const QStringList& regionRows();

// "F3A F0C5": complement and checksum in upper-case hexadecimal without leading zeros.
QString checksumText(int complement, int checksum);

} // namespace rominfo
