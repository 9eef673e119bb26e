#include "rom/NameText.h"

#include "rom/RomFile.h"

namespace rom {

const std::array<QString, 256>& NameCharTable() {
    static const std::array<QString, 256> table = [] {
        std::array<QString, 256> t;
        for (int n = 0; n < 26; ++n) {
            t[0xA0 + n] = QChar(u'A' + n);
            t[0xBA + n] = QChar(u'a' + n);
        }
        t[0xE2] = QStringLiteral("'");
        t[0xEF] = QStringLiteral(" ");
        return t;
    }();
    return table;
}

QString decodeNameText(const QByteArray& field) {
    const auto& table = NameCharTable();
    QString text;
    text.reserve(field.size());
    for (const char byte : field)
        text += table[static_cast<unsigned char>(byte)];
    return text;
}

QString ReadNameText(const RomFile& rom, qint64 offset, int length) {
    if (length <= 0)
        return QString();
    return decodeNameText(rom.readBytes(offset, length));
}

} // namespace rom
