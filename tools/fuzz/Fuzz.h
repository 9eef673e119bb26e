#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares. Each target defines LLVMFuzzerTestOneInput over the core
// library; it is linked either with libFuzzer (make fuzz) or with replay.cpp, which feeds it
// the kept inputs under ctest.
namespace fuzz {

// Ends the run as a sanitizer report would when something that must hold does not.
void require(bool holds, const char* what);

// An input read front to back: a few choices first, then the rest as text or bytes.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size)
        : data_(reinterpret_cast<const char*>(data)), size_(size) {}
    std::uint8_t byte() { return at_ < size_ ? std::uint8_t(data_[at_++]) : 0; }
    // `count` bytes, lowest first.
    std::uint64_t number(int count);
    // The next `count` bytes or as many as remain.
    QByteArray bytes(std::size_t count);
    QByteArray rest() { return bytes(size_ - at_); }
    bool empty() const { return at_ >= size_; }

  private:
    const char* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// The synthetic 4 MiB image of the tests, made once.
const QByteArray& image();

// A file that lives in memory only (gone with the process, also after a crash), holding
// `bytes` and `size` bytes long (zeros after `bytes`, or `bytes` cut); its path opens it
// again. The readers that take only paths read it.
class MemoryFile {
  public:
    MemoryFile(const QByteArray& bytes, qint64 size);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    void write(qint64 offset, const QByteArray& bytes);
    QString path() const;

  private:
    int fd_;
};

// A folder of this process on a memory file system where one exists, removed at the end.
QString scratchFolder();

} // namespace fuzz
