#include "rominfo/InternalHeader.h"

namespace rominfo {
namespace {

using rom::Encoding;
using rom::Shown;
using H = InternalHeader;
constexpr rom::Table T = kHeaderTable;

const rom::Field<InternalHeader> kFields[] = {
    {.control = "ROMNameTXT",
     .caption = "Internal ROM Name:",
     .table = T,
     .offset = 0x00,
     .encoding = Encoding::Bytes,
     .shown = Shown::Text,
     .text = [](H& header) -> QByteArray& { return header.name; },
     .length = kNameLength},
    {.control = "SRAMSizeLST",
     .caption = "SRAM Size:",
     .table = T,
     .offset = 0x18,
     .encoding = Encoding::Byte,
     .member = &H::sramCode,
     .shown = Shown::Choice,
     .rows = &sramRows},
    {.control = "ROMFormatLST",
     .caption = "ROM Format:",
     .table = T,
     .offset = 0x19,
     .encoding = Encoding::Byte,
     .member = &H::regionCode,
     .shown = Shown::Choice,
     .rows = &regionRows},
    {.control = "ROMVersionTXT",
     .caption = "ROM Version:",
     .table = T,
     .offset = 0x1B,
     .encoding = Encoding::Byte,
     .member = &H::version},
    // Both halves show together in one box, which the page fills itself.
    {.control = "",
     .caption = "Checksum complement:",
     .table = T,
     .offset = 0x1C,
     .encoding = Encoding::Unsigned16,
     .member = &H::complement,
     .written = false},
    {.control = "",
     .caption = "Checksum:",
     .table = T,
     .offset = 0x1E,
     .encoding = Encoding::Unsigned16,
     .member = &H::checksum,
     .written = false},
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
