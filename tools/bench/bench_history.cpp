// Everything that needs a file's history, at 10, 1,000 and 10,000 entries in one run: the
// history read, the History window opening, Play This Version of the oldest entry, Create
// Patch from the history (up to the patch file's name, which is not given, so nothing is
// written), "Mark changes since the original", a formula "From the original values", and
// opening the file with a page showing beside the floor of bench_open.
//
// The entries are recorded through the product's write path (History::beginApply, then
// finish), as an Apply records them: each changes the HP and Level of one enemy record, and
// every tenth is undone. Only the history is written; the file keeps its bytes.
#include "Bench.h"
#include "EditorSession.h"
#include "enemies/EnemyRecord.h"
#include "history/History.h"
#include "play/Emulator.h"
#include "rom/RomFile.h"
#include "romimage/RomImage.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kRuns = 11;

void addEntries(history::History& log, const rom::RomFile& rom, const QString& file, int from,
                int to) {
    const auto fields = enemies::enemyFields();
    for (int n = from; n < to; ++n) {
        const int row = n % enemies::kEnemyCount;
        const enemies::Enemy before = rom::readRecord(rom, fields, row);
        enemies::Enemy after = before;
        after.hp = (before.hp + n + 1) % 60000;
        after.level = (before.level % 98) + 1;
        const auto id =
            log.beginApply(file, {records::RecordKind::Enemy, row, QStringLiteral("bench")},
                           rom::spansOf(fields, row, before, after));
        if (!id)
            continue;
        log.finish(*id, history::Step::Apply);
        if (n % 10 == 9 && log.beginStep(*id, history::Step::Undo))
            log.finish(*id, history::Step::Undo);
    }
}

// Runs `use` on the modal window `action` opens, then closes it.
void withDialog(tools::EditorSession& editor, const char* action,
                const std::function<void(QWidget*)>& use) {
    QTimer::singleShot(0, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            use(dialog);
            dialog->close();
        }
    });
    editor.window.findChild<QAction*>(action)->trigger();
}

// From the menu entry to the window shown with its rows, closed again at once.
double historyOpening(tools::EditorSession& editor) {
    auto* action = editor.window.findChild<QAction*>("mnuHistory");
    return bench::medianMs(kRuns, [&] {
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                dialog->close();
        });
        action->trigger();
    });
}

// The oldest row, reached by scrolling to the end, selected; then Play This Version.
double playOldest(tools::EditorSession& editor) {
    double ms = -1;
    withDialog(editor, "mnuHistory", [&](QWidget* dialog) {
        auto* list = dialog->findChild<QAbstractItemView*>("HistoryLST");
        QAbstractItemModel* model = list->model();
        while (model->canFetchMore({}))
            model->fetchMore({});
        list->selectionModel()->setCurrentIndex(model->index(model->rowCount() - 1, 0),
                                                QItemSelectionModel::ClearAndSelect);
        auto* play = dialog->findChild<QPushButton*>("PlayVersionCMD");
        ms = bench::medianMs(kRuns, [&] { play->click(); });
    });
    return ms;
}

double patchFromHistory(tools::EditorSession& editor) {
    double ms = -1;
    withDialog(editor, "mnuCreatePatch", [&](QWidget* dialog) {
        dialog->findChild<QRadioButton*>("PatchFromHistoryOPT")->setChecked(true);
        auto* create = dialog->findChild<QPushButton*>("PatchCreateCMD");
        ui::setFileNameHandler([] { return QString(); });
        ms = bench::medianMs(kRuns, [&] { create->click(); });
    });
    return ms;
}

struct TableFigures {
    double marking = -1;
    double formula = -1;
};

// Mark changes switched on (off again between runs, untimed); a relative formula over the
// enemies' HP, its edits dropped between runs.
TableFigures tableWithOriginal(tools::EditorSession& editor) {
    editor.window.findChild<QAction*>("mnuTableView")->trigger();
    QApplication::processEvents();
    QWidget* window = editor.window.findChild<QWidget*>("TableWindow");
    auto* mark = window->findChild<QCheckBox*>("TableMarkChangesCHK");
    TableFigures figures;
    std::vector<double> samples;
    for (int run = 0; run < kRuns; ++run) {
        mark->setChecked(false);
        samples.push_back(bench::medianMs(1, [&] { mark->setChecked(true); }));
    }
    std::sort(samples.begin(), samples.end());
    figures.marking = samples[samples.size() / 2];
    mark->setChecked(false);

    auto* grid = window->findChild<QTableView*>("TableGRD");
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (grid->model()->headerData(c, Qt::Horizontal).toString() == "HP")
            grid->selectColumn(c);
    window->findChild<QLineEdit*>("TableFormulaTXT")->setText("x + 1");
    window->findChild<QCheckBox*>("TableRelativeCHK")->setChecked(true);
    auto* setSelected = window->findChild<QPushButton*>("TableFormulaCMD");
    auto* discard = window->findChild<QPushButton*>("TableDiscardCMD");
    samples.clear();
    for (int run = 0; run < kRuns; ++run) {
        samples.push_back(bench::medianMs(1, [&] { setSelected->click(); }));
        discard->click();
    }
    std::sort(samples.begin(), samples.end());
    figures.formula = samples[samples.size() / 2];
    window->close();
    QApplication::processEvents();
    return figures;
}

double openingWithPage(tools::EditorSession& editor, const QString& path) {
    editor.selectTab("Enemy Stats");
    return bench::medianMs(kRuns, [&] {
        editor.open(path);
        QApplication::processEvents();
    });
}

} // namespace

void bench::histories() {
    QTemporaryDir folder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.filePath("config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder.filePath("data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath("config")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(folder.filePath("cache")));
    app::emulator::setCommand(QStringLiteral("/bin/true %f"));
    const QString path = folder.filePath("history.smc");
    synth::writeFile(path, synth::makeImage());
    const QString file = QFileInfo(path).canonicalFilePath();
    rom::RomFile rom;
    rom.open(path);
    history::History log;

    tools::EditorSession editor;
    editor.open(path);
    std::printf("history, median of %d runs (floor of an opening: %.1f ms)\n", kRuns,
                bench::openingFloorMs(path));
    int entries = 0;
    for (const int count : {10, 1000, 10000}) {
        QElapsedTimer recording;
        recording.start();
        addEntries(log, rom, file, entries, count);
        const double recorded = recording.nsecsElapsed() / 1e6;
        entries = count;
        const double reading = bench::medianMs(kRuns, [&] { log.entries(file); });
        const double opening = openingWithPage(editor, path);
        const double window = historyOpening(editor);
        const double play = playOldest(editor);
        const double patch = patchFromHistory(editor);
        const TableFigures table = tableWithOriginal(editor);
        std::printf("%6d entries (recorded in %.0f ms): read %.2f ms, History window %.1f ms, "
                    "Play This Version (oldest) %.1f ms, Create Patch from the history %.1f ms, "
                    "Mark changes %.1f ms, relative formula %.1f ms, opening with the enemy page "
                    "%.1f ms\n",
                    count, recorded, reading, window, play, patch, table.marking, table.formula,
                    opening);
    }
}
