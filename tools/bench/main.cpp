// make bench: ROM opening, Apply, patch creation, the tables, the table view and playing in
// an emulator, as medians of repeated runs.
#include "Bench.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Each figure shows as it is measured, also when the output goes to a file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication application(argc, argv);
    bench::opening();
    bench::applying();
    bench::patching();
    bench::patchPreview();
    bench::tabling();
    bench::tableView();
    bench::playing(); // last: it moves the settings store to a folder of its own
    return 0;
}
