// make bench: ROM opening, Apply and patch creation, each as medians of repeated runs.
#include "Bench.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    bench::opening();
    bench::applying();
    bench::patching();
    return 0;
}
