#include "rominfo/InternalHeader.h"

#include "rom/RomFile.h"

namespace rominfo {

InternalHeader readInternalHeader(const rom::RomFile& rom) {
    InternalHeader header;
    header.name = rom.readBytes(kNameOffset, kNameLength);
    header.sramCode = rom.readByte(kSramOffset);
    header.regionCode = rom.readByte(kRegionOffset);
    header.version = rom.readByte(kVersionOffset);
    header.complement = rom.readInteger(kComplementOffset);
    header.checksum = rom.readInteger(kChecksumOffset);
    return header;
}

bool writeInternalHeader(rom::RomFile& rom, const HeaderEdit& edit) {
    const QByteArray name = edit.name.left(kNameLength);
    bool ok = rom.writeBytes(kNameOffset, QByteArray(kNameLength, ' '));
    if (!name.isEmpty())
        ok = rom.writeBytes(kNameOffset, name) && ok;
    ok = rom.writeByte(kSramOffset, edit.sramCode) && ok;
    ok = rom.writeByte(kRegionOffset, edit.regionCode) && ok;
    ok = rom.writeByte(kVersionOffset, edit.version) && ok;
    return ok;
}

QString nameText(const QByteArray& name) {
    return QString::fromLatin1(name.constData(), name.size());
}

std::optional<QByteArray> encodeName(const QString& text) {
    QByteArray bytes;
    for (const QChar c : text.left(kNameLength)) {
        if (c.unicode() > 0xFF)
            return std::nullopt;
        bytes.append(static_cast<char>(c.unicode()));
    }
    return bytes;
}

QString checksumText(std::int16_t complement, std::int16_t checksum) {
    const auto hex = [](std::int16_t value) {
        return QString::number(static_cast<std::uint16_t>(value), 16).toUpper();
    };
    return hex(complement) + QLatin1Char(' ') + hex(checksum);
}

} // namespace rominfo
