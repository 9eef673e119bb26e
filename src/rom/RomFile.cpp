#include "rom/RomFile.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace rom {
namespace {
std::optional<DiskFault>& diskFault() {
    static std::optional<DiskFault> fault;
    return fault;
}

std::function<void(qint64, qint64)>& writeObserver() {
    static std::function<void(qint64, qint64)> observer;
    return observer;
}

void endIfFaultSaysSo() {
    if (diskFault()->endsProgram)
        std::_Exit(kEndedByFault);
}

// How many of `length` bytes the injected fault lets through (all without one).
qint64 bytesAllowed(qint64 length) {
    std::optional<DiskFault>& fault = diskFault();
    if (!fault || fault->bytesBeforeFailure < 0)
        return length;
    const qint64 allowed = std::min(length, fault->bytesBeforeFailure);
    fault->bytesBeforeFailure -= allowed;
    return allowed;
}
} // namespace

void setDiskFault(std::optional<DiskFault> fault) {
    diskFault() = std::move(fault);
}

void setWriteObserver(std::function<void(qint64, qint64)> observer) {
    writeObserver() = std::move(observer);
}

bool RomFile::open(const QString& path, QString* error) {
    auto candidate = std::make_unique<QFile>(path);
    const QFileInfo info(path);
    if (path.isEmpty() || info.isDir()) {
        if (error)
            *error = path.isEmpty() ? QStringLiteral("No file was chosen.")
                                    : QStringLiteral("It is a folder, not a file.");
        return false;
    }
    if (!candidate->open(QIODevice::ReadWrite | QIODevice::Unbuffered | QIODevice::ExistingOnly)) {
        if (error)
            *error = candidate->errorString();
        return false;
    }
    struct stat opened {};
    if (::fstat(candidate->handle(), &opened) != 0) {
        if (error)
            *error = qt_error_string(errno);
        return false;
    }
    // Only once the new file is open does the previous one go.
    file_ = std::move(candidate);
    identity_ = {quint64(opened.st_dev), quint64(opened.st_ino), qint64(opened.st_size)};
    lastError_.clear();
    return true;
}

RomFile::PathState RomFile::pathState() const {
    struct stat atPath {};
    if (!file_ || ::stat(QFile::encodeName(file_->fileName()).constData(), &atPath) != 0)
        return PathState::Missing;
    const Identity found{quint64(atPath.st_dev), quint64(atPath.st_ino), qint64(atPath.st_size)};
    return found == identity_ ? PathState::SameFile : PathState::Replaced;
}

void RomFile::close() {
    file_.reset();
}

QString RomFile::path() const {
    return file_ ? file_->fileName() : QString();
}

qint64 RomFile::size() const {
    return file_ ? file_->size() : 0;
}

bool RomFile::covers(qint64 offset, qint64 length) const {
    return file_ && offset >= 0 && length >= 0 && offset + length <= file_->size();
}

QByteArray RomFile::readBytes(qint64 offset, qint64 length) const {
    if (!file_ || length <= 0 || offset >= file_->size() || offset + length <= 0)
        return QByteArray(length, '\0');
    // Only what the file does not give is zeroed: a whole image is not written twice.
    QByteArray bytes(length, Qt::Uninitialized);
    const qint64 before = std::max<qint64>(-offset, 0); // bytes before the file's start
    std::fill(bytes.begin(), bytes.begin() + before, '\0');
    const qint64 available = std::min(length - before, file_->size() - (offset + before));
    const qint64 got =
        file_->seek(offset + before) ? file_->read(bytes.data() + before, available) : 0;
    std::fill(bytes.begin() + before + std::clamp<qint64>(got, 0, available), bytes.end(), '\0');
    return bytes;
}

bool RomFile::writeBytes(qint64 offset, const QByteArray& bytes) {
    if (!covers(offset, bytes.size())) {
        lastError_ = QStringLiteral("The write would run past the end of the file.");
        return false;
    }
    const qint64 allowed = bytesAllowed(bytes.size());
    if (writeObserver())
        writeObserver()(offset, bytes.size());
    if (!file_->seek(offset) || file_->write(bytes.constData(), allowed) != allowed) {
        lastError_ = file_->errorString();
        return false;
    }
    if (allowed < bytes.size()) {
        endIfFaultSaysSo();
        lastError_ = diskFault()->reason;
        return false;
    }
    return true;
}

bool RomFile::sync() {
    if (!file_)
        return false;
    if (diskFault() && diskFault()->syncFails) {
        endIfFaultSaysSo();
        lastError_ = diskFault()->reason;
        return false;
    }
    if (!file_->flush()) {
        lastError_ = file_->errorString();
        return false;
    }
    if (::fsync(file_->handle()) != 0) {
        lastError_ = qt_error_string(errno);
        return false;
    }
    return true;
}

QString RomFile::errorString() const {
    return lastError_;
}

} // namespace rom
