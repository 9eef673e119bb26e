// make bench: ROM opening, Apply, patch creation, the tables, the table view and its chart,
// playing in an emulator and what needs the history at 10 to 10,000 entries, as medians of
// repeated runs.
// Named sections (`valdric-bench histories opening`) run only those.
#include "Bench.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    // Each figure shows as it is measured, also when the output goes to a file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication application(argc, argv);
    // Last: playing and histories move the settings store to a folder of their own.
    const std::pair<const char*, void (*)()> sections[] = {
        {"opening", bench::opening},     {"applying", bench::applying},
        {"patching", bench::patching},   {"patchPreview", bench::patchPreview},
        {"tabling", bench::tabling},     {"comparing", bench::comparing},
        {"tableView", bench::tableView}, {"chart", bench::chart},
        {"playing", bench::playing},     {"histories", bench::histories}};
    for (const auto& [name, section] : sections) {
        bool chosen = argc < 2;
        for (int n = 1; n < argc; ++n)
            chosen = chosen || std::strcmp(argv[n], name) == 0;
        if (chosen)
            section();
    }
    return 0;
}
