// Feeds every file of the folders (or files) named on the command line to the target once,
// as libFuzzer would, and names each before it runs, so a failure shows which input it was.
// A folder that does not exist is passed over; no input at all is a failure.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char* argv[]) {
    LLVMFuzzerInitialize(&argc, &argv);
    int inputs = 0;
    for (int n = 1; n < argc; ++n) {
        QStringList paths = {QString::fromLocal8Bit(argv[n])};
        if (!QFileInfo::exists(paths.first())) // a target without kept findings
            continue;
        if (QFileInfo(paths.first()).isDir()) {
            const QDir folder(paths.takeFirst());
            for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
                paths << folder.filePath(name);
        }
        for (const QString& path : paths) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "%s cannot be read\n", qPrintable(path));
                return 1;
            }
            const QByteArray input = file.readAll();
            std::printf("%s\n", qPrintable(path));
            std::fflush(stdout);
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()),
                                   std::size_t(input.size()));
            ++inputs;
        }
    }
    std::printf("%d inputs ran\n", inputs);
    return inputs > 0 ? 0 : 1;
}
