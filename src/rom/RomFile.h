#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <memory>

namespace rom {

// The one ROM file the editor works on, read and written at absolute offsets of the
// headerless image. Every write is in the file when the call returns (the file is
// unbuffered); sync() also pushes it to the disk. Reads past the end of a short file
// yield 0x00, and nothing here ever writes past the end or makes the file longer.
class RomFile {
  public:
    RomFile() = default;
    RomFile(const RomFile&) = delete;
    RomFile& operator=(const RomFile&) = delete;

    // Opens `path` for reading and writing. On failure the file that was open stays
    // open and `error` says why.
    bool open(const QString& path, QString* error = nullptr);
    void close();
    bool isOpen() const { return file_ != nullptr; }
    QString path() const;
    qint64 size() const;

    // True when every byte of [offset, offset + length) lies inside the file.
    bool covers(qint64 offset, qint64 length) const;

    std::uint8_t readByte(qint64 offset) const;
    std::int16_t readInteger(qint64 offset) const; // signed 16-bit little-endian
    std::int32_t readLong(qint64 offset) const;    // signed 32-bit little-endian
    QByteArray readBytes(qint64 offset, qint64 length) const;

    // Each write refuses (and writes nothing) when any byte would lie past the end.
    bool writeByte(qint64 offset, std::uint8_t value);
    bool writeInteger(qint64 offset, std::int16_t value);
    bool writeBytes(qint64 offset, const QByteArray& bytes);

    // Flushes and fsyncs the file; used at the end of every Apply.
    bool sync();
    QString errorString() const;

  private:
    std::unique_ptr<QFile> file_;
    QString lastError_;
};

} // namespace rom
