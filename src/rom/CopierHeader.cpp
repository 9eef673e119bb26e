#include "rom/CopierHeader.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace rom {
namespace {
std::function<QString()>& removalFault() {
    static std::function<QString()> fault;
    return fault;
}
} // namespace

void setHeaderRemovalFault(std::function<QString()> fault) {
    removalFault() = std::move(fault);
}

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
    const QByteArray image = original.readAll();
    original.close();
    if (image.size() <= kCopierHeaderSize)
        return failed(QStringLiteral("The file could not be read in full."));

    QSaveFile copy(path);
    copy.setDirectWriteFallback(false);
    if (!copy.open(QIODevice::WriteOnly))
        return failed(copy.errorString());
    const QByteArray headerless = image.mid(kCopierHeaderSize);
    if (copy.write(headerless) != headerless.size()) {
        const QString why = copy.errorString();
        copy.cancelWriting();
        return failed(why);
    }
    if (removalFault()) {
        const QString why = removalFault()();
        if (!why.isEmpty()) {
            copy.cancelWriting();
            return failed(why);
        }
    }
    // commit() flushes, fsyncs and renames the temporary file over the original.
    if (!copy.commit())
        return failed(copy.errorString());
    return true;
}

} // namespace rom
