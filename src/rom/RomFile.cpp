#include "rom/RomFile.h"

#include <QFileInfo>

#include <unistd.h>

namespace rom {

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
    // Only once the new file is open does the previous one go.
    file_ = std::move(candidate);
    lastError_.clear();
    return true;
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
    QByteArray bytes(length, '\0');
    if (!file_ || offset < 0 || length <= 0 || offset >= file_->size())
        return bytes;
    const qint64 available = std::min(length, file_->size() - offset);
    if (file_->seek(offset)) {
        const qint64 got = file_->read(bytes.data(), available);
        if (got < available)
            std::fill(bytes.begin() + std::max<qint64>(got, 0), bytes.end(), '\0');
    }
    return bytes;
}

std::uint8_t RomFile::readByte(qint64 offset) const {
    return static_cast<std::uint8_t>(readBytes(offset, 1).at(0));
}

std::int16_t RomFile::readInteger(qint64 offset) const {
    const QByteArray b = readBytes(offset, 2);
    const auto value = static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[0]) |
                                                  (static_cast<std::uint8_t>(b[1]) << 8));
    return static_cast<std::int16_t>(value);
}

std::int32_t RomFile::readLong(qint64 offset) const {
    const QByteArray b = readBytes(offset, 4);
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(b[i]);
    return static_cast<std::int32_t>(value);
}

bool RomFile::writeBytes(qint64 offset, const QByteArray& bytes) {
    if (!covers(offset, bytes.size())) {
        lastError_ = QStringLiteral("The write would run past the end of the file.");
        return false;
    }
    if (!file_->seek(offset) || file_->write(bytes) != bytes.size()) {
        lastError_ = file_->errorString();
        return false;
    }
    return true;
}

bool RomFile::writeByte(qint64 offset, std::uint8_t value) {
    return writeBytes(offset, QByteArray(1, static_cast<char>(value)));
}

bool RomFile::writeInteger(qint64 offset, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    QByteArray bytes(2, '\0');
    bytes[0] = static_cast<char>(bits & 0xFF);
    bytes[1] = static_cast<char>(bits >> 8);
    return writeBytes(offset, bytes);
}

bool RomFile::sync() {
    if (!file_)
        return false;
    if (!file_->flush() || ::fsync(file_->handle()) != 0) {
        lastError_ = file_->errorString();
        return false;
    }
    return true;
}

QString RomFile::errorString() const {
    return lastError_;
}

} // namespace rom
