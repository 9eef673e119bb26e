// Median time of compare mode over two full images with a base (every field classed, then
// every cell of the six grids asked its class, as the grids may), and of `--diff` of two
// images as a whole process of the real program.
#include "Bench.h"
#include "compare/CompareSession.h"
#include "romimage/RomImage.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {
constexpr int kRuns = 15;
} // namespace

void bench::comparing() {
    const QByteArray base = synth::makeImage();
    tables::TableEdits mine;
    mine.load(changedFields(base, 2, 1));
    const QByteArray theirs = changedFields(base, 3, 2);
    std::printf("compare mode, median of %d runs\n", kRuns);
    int classed = 0;
    const double session = medianMs(kRuns, [&] {
        const app::CompareSession compared({QString(), theirs, QString(), base, QString()}, mine);
        classed = 0;
        for (const tables::Sheet& sheet : tables::sheets())
            for (int row = 0; row < sheet.rowCount(); ++row)
                for (int column = 0; column < sheet.columnCount(); ++column)
                    classed += compared.cell(sheet, row, column).has_value();
    });
    std::printf("compare mode over two images with a base (%d cells classed): %7.2f ms (target "
                "< 50)\n",
                classed, session);
    QTemporaryDir dir;
    const QString file = dir.filePath("file.smc"), other = dir.filePath("other.smc");
    synth::writeFile(file, mine.file());
    synth::writeFile(other, theirs);
    const QString program = QCoreApplication::applicationDirPath() + "/valdric-editor";
    int status = -1;
    const double diff = medianMs(kRuns, [&] {
        QProcess process;
        process.start(program, {"--diff", other, "--format", "csv", file});
        process.waitForFinished(-1);
        process.readAllStandardOutput();
        status = process.exitCode();
    });
    std::printf("--diff of two images as a whole process (exit %d): %7.2f ms (target < 300)\n",
                status, diff);
}
