// Writes the demo image opened by `make run`: a synthetic image with a 512-byte copier
// header in front, so that the first opening shows the header being removed.
#include "romimage/RomImage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-demo-rom OUTPUT.smc\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(QFileInfo(path).absolutePath());
    synth::ImageOptions options;
    options.seed = 2005;
    options.internalName = QStringLiteral("VALDRIC DEMO");
    if (!synth::writeFile(path, synth::withCopierHeader(synth::makeImage(options)))) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    std::printf("demo image written to %s\n", argv[1]);
    return 0;
}
