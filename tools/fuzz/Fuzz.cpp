#include "Fuzz.h"

#include "romimage/RomImage.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace fuzz {

void require(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz: this must hold and does not: %s\n", what);
    std::abort();
}

std::uint64_t Input::number(int count) {
    std::uint64_t value = 0;
    for (int n = 0; n < count; ++n)
        value |= std::uint64_t(byte()) << (8 * n);
    return value;
}

QByteArray Input::bytes(std::size_t count) {
    const std::size_t taken = std::min(count, size_ - std::min(at_, size_));
    QByteArray bytes(data_ + at_, qsizetype(taken));
    at_ += taken;
    return bytes;
}

const QByteArray& image() {
    static const QByteArray made = synth::makeImage();
    return made;
}

MemoryFile::MemoryFile(const QByteArray& bytes, qint64 size) : fd_(memfd_create("image", 0)) {
    require(fd_ >= 0 && ftruncate(fd_, size) == 0, "a memory file can be made");
    write(0, bytes.left(size));
}

MemoryFile::~MemoryFile() {
    close(fd_);
}

void MemoryFile::write(qint64 offset, const QByteArray& bytes) {
    require(pwrite(fd_, bytes.constData(), size_t(bytes.size()), offset) == bytes.size(),
            "a memory file takes its bytes");
}

QString MemoryFile::path() const {
    return QStringLiteral("/proc/self/fd/%1").arg(fd_);
}

QString scratchFolder() {
    static QTemporaryDir folder(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/valdric-fuzz")
                                                          : QDir::tempPath() + "/valdric-fuzz");
    require(folder.isValid(), "a scratch folder can be made");
    return folder.path();
}

} // namespace fuzz

// Qt's SQL drivers are plugins, found through the application object.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication application(*argc, *argv);
    fuzz::image();
    return 0;
}
