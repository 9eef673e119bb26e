#include "rom/CopierHeader.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

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
    // A full disk gives a short write with no error of its own, and commit() would still
    // put the short copy in place: the reason is the one the system gave the failing write.
    errno = 0;
    if (copy.write(headerless) != headerless.size() || !copy.flush()) {
        const int cause = errno;
        copy.cancelWriting();
        return failed(cause != 0 ? qt_error_string(cause) : copy.errorString());
    }
    if (removalFault()) {
        const QString why = removalFault()();
        if (!why.isEmpty()) {
            copy.cancelWriting();
            return failed(why);
        }
    }
    // commit() flushes, fsyncs and renames the temporary file over the original.
    errno = 0;
    if (!copy.commit()) {
        const int cause = errno;
        return failed(cause != 0 ? qt_error_string(cause) : copy.errorString());
    }
    return true;
}

} // namespace rom
