// make bench: ROM opening, Apply, patch creation and the tables, as medians of repeated runs.
#include "Bench.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    bench::opening();
    bench::applying();
    bench::patching();
    bench::tabling();
    return 0;
}
