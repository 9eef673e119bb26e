// make bench: ROM opening, Apply, patch creation, the tables and the table view, as medians of
// repeated runs.
#include "Bench.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    bench::opening();
    bench::applying();
    bench::patching();
    bench::tabling();
    bench::tableView();
    return 0;
}
