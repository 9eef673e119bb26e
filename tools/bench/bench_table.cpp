// View > Table View on a 4 MiB image: opening it with all six kinds, sorting a column, one
// keystroke in the filter, a formula over the 251 enemies' HP, pasting 251 x 5 cells and
// undoing that paste, and Apply of 251 edited records, each through the window; medians of
// repeated runs.
#include "Bench.h"
#include "EditorSession.h"
#include "romimage/RomImage.h"
#include "tableview/TableWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kRuns = 21;

int columnNamed(const QTableView* grid, const QString& caption) {
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (grid->model()->headerData(c, Qt::Horizontal).toString() == caption)
            return c;
    return -1;
}

// Until every window closed in the run is gone.
void settle() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

void bench::tableView() {
    QTemporaryDir folder;
    qputenv("XDG_DATA_HOME", folder.path().toLocal8Bit());   // the history
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit()); // the window's geometry
    const QString path = folder.filePath("table.smc");
    synth::writeFile(path, synth::makeImage());
    tools::EditorSession editor;
    editor.open(path);
    auto* tableView = editor.window.findChild<QAction*>("mnuTableView");
    const auto window = [&] { return editor.window.findChild<app::TableWindow*>("TableWindow"); };

    const double opening = bench::medianMs(kRuns, [&] {
        tableView->trigger();
        QApplication::processEvents();
        window()->closeDroppingEdits();
        settle();
    });

    tableView->trigger();
    settle();
    auto* grid = window()->findChild<QTableView*>("TableGRD");
    const int hp = columnNamed(grid, "HP");
    bool ascending = false;
    const double sorting = bench::medianMs(kRuns, [&] {
        ascending = !ascending;
        grid->sortByColumn(hp, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        QApplication::processEvents();
    });

    auto* filter = window()->findChild<QLineEdit*>("TableFilterTXT");
    filter->setText("HP > 1000 && Level < 2");
    bool longer = false;
    const double filtering = bench::medianMs(kRuns, [&] {
        (longer = !longer) ? filter->insert("0") : filter->backspace();
        QApplication::processEvents();
    });
    const int shown = grid->model()->rowCount();
    filter->clear();

    window()->findChild<QLineEdit*>("TableFormulaTXT")->setText("x + 1");
    auto* setSelected = window()->findChild<QPushButton*>("TableFormulaCMD");
    grid->selectColumn(hp);
    const int cells = int(grid->selectionModel()->selectedIndexes().size());
    const double formula = bench::medianMs(kRuns, [&] {
        setSelected->click();
        QApplication::processEvents();
    });

    // 251 rows of five numbers every column from HP on takes, different in every run.
    const auto block = [](int run) {
        QString text;
        for (int row = 0; row < 251; ++row)
            text += QStringLiteral("%1\t%2\t%2\t%3\t%3\n").arg(1000 + run).arg(run).arg(row);
        return text;
    };
    grid->setCurrentIndex(grid->model()->index(0, hp));
    auto* paste = window()->findChild<QAction*>("mnuTablePaste");
    auto* undo = window()->findChild<QAction*>("mnuTableUndo");
    std::vector<double> pastes, undos, pasteSteps, undoSteps;
    for (int run = 0; run < kRuns; ++run) {
        QGuiApplication::clipboard()->setText(block(run));
        pastes.push_back(bench::medianMs(1, [&] {
            pasteSteps.push_back(bench::medianMs(1, [&] { paste->trigger(); }));
            QApplication::processEvents();
        }));
        undos.push_back(bench::medianMs(1, [&] {
            undoSteps.push_back(bench::medianMs(1, [&] { undo->trigger(); }));
            QApplication::processEvents();
        }));
    }
    // A repaint of every cell in view, which each step ends with.
    const double repaint = bench::medianMs(kRuns, [&] {
        grid->viewport()->update();
        QApplication::processEvents();
    });
    for (auto* samples : {&pastes, &undos, &pasteSteps, &undoSteps})
        std::sort(samples->begin(), samples->end());

    auto* apply = window()->findChild<QPushButton*>("TableApplyCMD");
    std::vector<double> samples;
    for (int run = 0; run < kRuns; ++run) {
        setSelected->click();
        samples.push_back(bench::medianMs(1, [&] { apply->click(); }));
    }
    std::sort(samples.begin(), samples.end());
    window()->closeDroppingEdits();
    settle();

    std::printf("table view, opening with all six kinds: %.1f ms median (target < 150 ms)\n",
                opening);
    std::printf("table view, sorting 251 enemies by HP: %.2f ms median (target < 10 ms)\n",
                sorting);
    std::printf("table view, one filter keystroke (%d rows shown): %.2f ms median (target < 10 "
                "ms)\n",
                shown, filtering);
    std::printf("table view, formula over %d cells: %.2f ms median (target < 20 ms)\n", cells,
                formula);
    std::printf("table view, pasting 251 x 5 cells: %.2f ms median (target < 30 ms); undoing "
                "that paste: %.2f ms median (target < 10 ms); before the repaint %.2f and %.2f "
                "ms; a repaint of the cells in view alone %.2f ms\n",
                pastes[pastes.size() / 2], undos[undos.size() / 2],
                pasteSteps[pasteSteps.size() / 2], undoSteps[undoSteps.size() / 2], repaint);
    std::printf("table view, Apply of 251 edited records: %.2f ms median (target < 50 ms)\n",
                samples[samples.size() / 2]);
}
