#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace rom {

// The one ROM file the editor works on, read and written at absolute offsets of the
// headerless image. Every write is in the file when the call returns (the file is
// unbuffered); sync() also pushes it to the disk. Bytes a read asks for outside the file
// (past the end of a short file, or before its start) yield 0x00, and nothing here ever
// writes past the end or makes the file longer.
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

    QByteArray readBytes(qint64 offset, qint64 length) const;
    // Refuses (and writes nothing) when any byte would lie past the end.
    bool writeBytes(qint64 offset, const QByteArray& bytes);

    // Flushes and fsyncs the file; used at the end of every Apply.
    bool sync();
    QString errorString() const;

    // Whether the path the file was opened from still names the file that is open: another
    // program may have saved over it the safe way (a new file renamed over the old one),
    // changed its size, or removed it.
    enum class PathState { SameFile, Replaced, Missing };
    PathState pathState() const;

  private:
    // What tells one file from another: device, inode and size.
    struct Identity {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        bool operator==(const Identity&) const = default;
    };

    std::unique_ptr<QFile> file_;
    Identity identity_;
    QString lastError_;
};

// Seam for tests: stands in for a failing disk under every RomFile. Writes fail once
// `bytesBeforeFailure` more bytes have reached the file (the write that crosses the limit
// is cut short there); with `syncFails`, sync() fails. Both report `reason`. With
// `endsProgram` the failure ends the process instead, at once and with status
// kEndedByFault, as a kill at that moment would.
struct DiskFault {
    qint64 bytesBeforeFailure = -1; // -1: writes never fail
    bool syncFails = false;
    bool endsProgram = false;
    QString reason = QStringLiteral("No space left on device");
};
inline constexpr int kEndedByFault = 86;
void setDiskFault(std::optional<DiskFault> fault);

// Seam for tests and the benchmark: sees every positioned write any RomFile makes.
void setWriteObserver(std::function<void(qint64 offset, qint64 length)> observer);

} // namespace rom
