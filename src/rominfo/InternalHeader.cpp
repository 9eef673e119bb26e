#include "rominfo/InternalHeader.h"

namespace rominfo {
namespace {

using rom::Encoding;
using rom::Shown;
using H = InternalHeader;
constexpr rom::Table T = kHeaderTable;

const rom::Field<InternalHeader> kFields[] = {
    {"ROMNameTXT", "Internal ROM Name:", T, 0x00, Encoding::Bytes, nullptr, Shown::Text, nullptr, 0,
     true, [](H& header) -> QByteArray& { return header.name; }, kNameLength},
    {"SRAMSizeLST", "SRAM Size:", T, 0x18, Encoding::Byte, &H::sramCode, Shown::Choice, &sramRows},
    {"ROMFormatLST", "ROM Format:", T, 0x19, Encoding::Byte, &H::regionCode, Shown::Choice,
     &regionRows},
    {"ROMVersionTXT", "ROM Version:", T, 0x1B, Encoding::Byte, &H::version},
    // Both halves show together in one box, which the page fills itself.
    rom::shownOnly<H>({"", "Checksum complement:", T, 0x1C, Encoding::Unsigned16, &H::complement}),
    rom::shownOnly<H>({"", "Checksum:", T, 0x1E, Encoding::Unsigned16, &H::checksum}),
};

} // namespace

rom::FieldTable<InternalHeader> headerFields() {
    return kFields;
}

const QStringList& sramRows() {
    static const QStringList rows = {"None",    "16 KBit",  "32 KBit",
                                     "64 KBit", "128 KBit", "256 KBit"};
    return rows;
}

const QStringList& regionRows() {
    static const QStringList rows = {
        "Japan (NTSC)",          "USA (NTSC)",    "Europe/Oceania/Asia (PAL)",
        "Sweden (PAL)",          "Finland (PAL)", "Denmark (PAL)",
        "France (PAL)",          "Holland (PAL)", "Spain (PAL)",
        "Germany/Austria (PAL)", "Italy (PAL)",   "Hong Kong/China (PAL)",
        "Indonesia (PAL)",       "Korea (PAL)"};
    return rows;
}

QString checksumText(int complement, int checksum) {
    const auto hex = [](int value) { return QString::number(value, 16).toUpper(); };
    return hex(complement) + QLatin1Char(' ') + hex(checksum);
}

} // namespace rominfo
