#include "rominfo/ImageCheck.h"

#include "rom/CopierHeader.h"
#include "rom/FieldTable.h"
#include "rominfo/InternalHeader.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace rominfo {
namespace {

constexpr qint64 kComplementOffset = 0x00FFDC;
constexpr qint64 kPairLength = 4; // complement, then checksum, little-endian

} // namespace

bool ImageLook::looksLikeValdric() const {
    return imageSize == rom::kRomImageSize && checksumPairAddsUp;
}

std::optional<ImageLook> lookAtImage(const QString& path, QString* error) {
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile()) {
        if (error)
            *error = QStringLiteral("it is not a file");
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    ImageLook look;
    look.fileSize = file.size();
    const qint64 skip = look.fileSize == rom::kHeaderedImageSize ? rom::kCopierHeaderSize : 0;
    look.imageSize = look.fileSize - skip;
    if (file.seek(skip + kHeaderTable.base))
        look.internalName = rom::textOfBytes(file.read(kNameLength)).trimmed();
    for (QChar& c : look.internalName) // a stranger's header may hold anything
        if (!c.isPrint())
            c = QLatin1Char('?');
    if (file.seek(skip + kComplementOffset)) {
        const QByteArray pair = file.read(kPairLength);
        if (pair.size() == kPairLength) {
            const int complement = rom::decodeNumber(rom::Encoding::Unsigned16, pair.left(2));
            const int checksum = rom::decodeNumber(rom::Encoding::Unsigned16, pair.mid(2));
            look.checksumPairAddsUp = complement + checksum == 0xFFFF;
        }
    }
    return look;
}

QString unfamiliarImageText(const QString& path, const ImageLook& look) {
    return QStringLiteral("\"%1\" does not look like a ROM image of Valdric (%2 bytes; internal "
                          "name \"%3\").")
        .arg(QFileInfo(path).fileName(), QLocale(QLocale::English).toString(look.fileSize),
             look.internalName);
}

} // namespace rominfo
