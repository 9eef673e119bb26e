#include "rom/CopierHeader.h"

#include "rom/SafeWrite.h"

#include <QFile>
#include <QFileInfo>

namespace rom {

bool hasCopierHeader(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() == kHeaderedImageSize;
}

bool removeCopierHeader(const QString& path, QString* error) {
    auto failed = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QFile original(path);
    if (!original.open(QIODevice::ReadOnly))
        return failed(original.errorString());
    if (original.size() == kRomImageSize)
        return true;
    if (original.size() != kHeaderedImageSize) // not read whole: it may be anything
        return failed(QStringLiteral("It is not a 4 MiB image with a copier header."));
    const QByteArray image = original.readAll();
    if (image.size() != kHeaderedImageSize)
        return failed(QStringLiteral("The file could not be read in full."));
    const QString why = replaceFile(path, image.mid(kCopierHeaderSize));
    return why.isEmpty() || failed(why);
}

std::optional<QByteArray> readHeaderless(const QString& path, QString* why) {
    QFile file(path);
    if (QFileInfo(path).size() > kHeaderedImageSize) {
        *why = QStringLiteral("\"%1\" is larger than an image of Valdric.").arg(path);
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("\"%1\" could not be read: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    return bytes.size() == kHeaderedImageSize ? bytes.mid(kCopierHeaderSize) : bytes;
}

} // namespace rom
