// Playing in an emulator (here /bin/true, started detached as any emulator): F5 to the
// process started, and Play This Version on the oldest of 10 to 2,000 history entries, so
// every later one is taken back, beside its parts: reading the history and building the
// version in memory. The settings store, history and copies live in a temporary folder.
#include "Bench.h"
#include "EditorSession.h"
#include "history/History.h"
#include "history/Versions.h"
#include "play/Emulator.h"
#include "romimage/RomImage.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kRuns = 21;

// An Apply's worth of change: two bytes of an enemy record.
void addEntries(history::History& log, const QString& file, int from, int to) {
    for (int n = from; n < to; ++n) {
        const qint64 offset = 0x0C4700 + (n % 256) * 0x20 + 5;
        const auto id =
            log.beginApply(file, {records::RecordKind::Enemy, n % 256, QStringLiteral("bench")},
                           {{offset, QByteArray(2, char(n)), QByteArray(2, char(n + 1))}});
        if (id)
            log.finish(*id, history::Step::Apply);
    }
}

// The median of Play This Version clicks on the History window's oldest row.
double playOldestVersion(tools::EditorSession& editor) {
    double ms = -1;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        auto* list = dialog->findChild<QAbstractItemView*>("HistoryLST");
        QAbstractItemModel* model = list->model();
        while (model->canFetchMore({}))
            model->fetchMore({});
        list->selectionModel()->setCurrentIndex(model->index(model->rowCount() - 1, 0),
                                                QItemSelectionModel::ClearAndSelect);
        auto* play = dialog->findChild<QPushButton*>("PlayVersionCMD");
        ms = bench::medianMs(kRuns, [&] { play->click(); });
        dialog->close();
    });
    editor.window.findChild<QAction*>("mnuHistory")->trigger();
    return ms;
}

} // namespace

void bench::playing() {
    QTemporaryDir folder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.filePath("config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder.filePath("data")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(folder.filePath("cache")));
    app::emulator::setCommand(QStringLiteral("/bin/true %f"));
    const QString path = folder.filePath("play.smc");
    synth::writeFile(path, synth::makeImage());

    tools::EditorSession editor;
    editor.open(path);
    QAction* f5 = editor.window.findChild<QAction*>("mnuPlayROM");
    const double start = bench::medianMs(51, [&] { f5->trigger(); });
    std::printf("play: F5 to the emulator started %.2f ms median\n", start);

    const QString file = QFileInfo(path).canonicalFilePath();
    const QByteArray image = synth::readFile(path);
    history::History log;
    int entries = 0;
    for (const int count : {10, 100, 1000, 2000}) {
        addEntries(log, file, entries, count);
        entries = count;
        QList<history::Entry> read;
        const double reading = bench::medianMs(kRuns, [&] { read = log.entries(file); });
        const double building =
            bench::medianMs(kRuns, [&] { history::versionAfter(image, read, read.last().id); });
        const double whole = playOldestVersion(editor);
        std::printf("play this version, %d entries: %.1f ms median (history read %.1f ms, version "
                    "built %.2f ms)\n",
                    count, whole, reading, building);
    }
}
