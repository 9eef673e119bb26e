// The table window's chart on a 4 MiB image: showing it for the 251 enemies, one filter
// keystroke while it is shown, and hovering a point until its tooltip's text is there;
// medians of repeated runs.
#include "Bench.h"
#include "EditorSession.h"
#include "romimage/RomImage.h"
#include "tableview/TableWindow.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QToolTip>

#include <cstdio>

namespace {

constexpr int kRuns = 21;

void moveTo(QWidget* viewport, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
}

} // namespace

void bench::chart() {
    QTemporaryDir folder;
    qputenv("XDG_DATA_HOME", folder.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    const QString path = folder.filePath("chart.smc");
    synth::writeFile(path, synth::makeImage());
    tools::EditorSession editor;
    editor.open(path);
    editor.window.findChild<QAction*>("mnuTableView")->trigger();
    QApplication::processEvents();
    auto* window = editor.window.findChild<app::TableWindow*>("TableWindow");
    auto* show = window->findChild<QCheckBox*>("TableChartCHK");
    auto* view = window->findChild<QChartView*>("ChartView");

    std::vector<double> shows;
    for (int run = 0; run < kRuns; ++run) {
        show->setChecked(false);
        QApplication::processEvents();
        shows.push_back(bench::medianMs(1, [&] {
            show->setChecked(true);
            QApplication::processEvents();
        }));
    }
    std::sort(shows.begin(), shows.end());
    auto* current = static_cast<QScatterSeries*>(view->chart()->series().value(0));
    const qsizetype points = current->count();

    auto* filter = window->findChild<QLineEdit*>("TableFilterTXT");
    filter->setText("HP > 1000 && Level < 2");
    QApplication::processEvents();
    bool longer = false;
    const double filtering = bench::medianMs(kRuns, [&] {
        (longer = !longer) ? filter->insert("0") : filter->backspace();
        QApplication::processEvents();
    });
    filter->clear();
    QApplication::processEvents();

    const QPointF value = current->at(current->count() / 2);
    const QPoint at =
        view->mapFromScene(view->chart()->mapToScene(view->chart()->mapToPosition(value)));
    std::vector<double> hovers;
    bool shown = true;
    for (int run = 0; run < kRuns; ++run) {
        moveTo(view->viewport(), QPoint(2, 2));
        QApplication::processEvents();
        hovers.push_back(bench::medianMs(1, [&] { moveTo(view->viewport(), at); }));
        shown = shown && !QToolTip::text().isEmpty();
    }
    std::sort(hovers.begin(), hovers.end());
    window->closeDroppingEdits();
    QApplication::processEvents();

    std::printf("chart, showing it for %lld enemies: %.1f ms median (target < 50 ms)\n",
                static_cast<long long>(points), shows[shows.size() / 2]);
    std::printf("chart, one filter keystroke with the chart shown: %.2f ms median (target < 16 "
                "ms)\n",
                filtering);
    std::printf("chart, hovering a point to its tooltip's text: %.2f ms median (target < 5 ms)%s\n",
                hovers[hovers.size() / 2], shown ? "" : " (no tooltip came)");
}
