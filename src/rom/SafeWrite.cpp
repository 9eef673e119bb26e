#include "rom/SafeWrite.h"

#include <QSaveFile>

#include <cerrno>

namespace rom {
namespace {
std::function<QString()>& replaceFault() {
    static std::function<QString()> fault;
    return fault;
}
} // namespace

void setReplaceFault(std::function<QString()> fault) {
    replaceFault() = std::move(fault);
}

// A full disk gives a short write with no error of its own, and commit() would still put
// the short copy in place: the reason is the one the system gave the failing call.
QString replaceFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        const QString why = errno != 0 ? qt_error_string(errno) : file.errorString();
        file.cancelWriting();
        return why;
    }
    if (const QString why = replaceFault() ? replaceFault()() : QString(); !why.isEmpty()) {
        file.cancelWriting();
        return why;
    }
    errno = 0;
    if (!file.commit())
        return errno != 0 ? qt_error_string(errno) : file.errorString();
    return QString();
}

} // namespace rom
