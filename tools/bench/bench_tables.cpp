// Export and import of all seven tables of a 4 MiB image, median of repeated runs.
#include "Bench.h"
#include "rom/RomFile.h"
#include "romimage/RomImage.h"
#include "tables/Tables.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

void bench::tabling() {
    constexpr int kRuns = 11;
    QTemporaryDir folder;
    const QString path = folder.filePath("tables.smc");
    synth::writeFile(path, synth::makeImage());
    rom::RomFile rom;
    rom.open(path);
    const double exporting = bench::medianMs(
        kRuns, [&] { tables::writeTables(rom.readBytes(0, rom.size()), folder.path()); });
    int spans = -1;
    const double importing = bench::medianMs(
        kRuns, [&] { spans = int(tables::readTables(rom, folder.path()).spans.size()); });
    std::printf("tables: export of all seven %.1f ms median, import of the seven unchanged tables "
                "%.1f ms median (%d changes)\n",
                exporting, importing, spans);
}
