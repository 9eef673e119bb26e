// make bench: ROM opening, Apply, patch creation, the tables, the table view and playing in
// an emulator, as medians of repeated runs.
#include "Bench.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    bench::opening();
    bench::applying();
    bench::patching();
    bench::tabling();
    bench::tableView();
    bench::playing(); // last: it moves the settings store to a folder of its own
    return 0;
}
