// One Apply of an enemy record: the file layer's steps (identity check, re-read, the
// write-ahead history entry) beside the write and sync alone, on the same file in the same
// run; then the whole Apply and a row switch through the window.
#include "Bench.h"
#include "EditorSession.h"
#include "enemies/EnemyRecord.h"
#include "history/WriteAhead.h"
#include "rom/Commit.h"
#include "rom/RomFile.h"
#include "romimage/RomImage.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {
constexpr int kRuns = 51;
}

void bench::applying() {
    QTemporaryDir folder;
    qputenv("XDG_DATA_HOME", folder.path().toLocal8Bit()); // the window's history too
    const QString path = folder.filePath("apply.smc");
    synth::writeFile(path, synth::makeImage());

    rom::RomFile rom;
    rom.open(path);
    history::History log(folder.filePath("layer.sqlite"));
    const auto fields = enemies::enemyFields();
    enemies::Enemy one = rom::readRecord(rom, fields, 5);
    enemies::Enemy two = one;
    one.level = 1;
    two.level = 2;
    rom::commitSpans(rom, rom::spansOf(fields, 5, rom::readRecord(rom, fields, 5), one));
    const QList<rom::Span> forth = rom::spansOf(fields, 5, one, two);
    const QList<rom::Span> back = rom::spansOf(fields, 5, two, one);
    bool there = false;
    // The floor: the bytes written and synced, with no check and no record.
    const double plain = bench::medianMs(kRuns, [&] {
        for (const rom::Span& span : (there = !there) ? forth : back)
            rom.writeBytes(span.offset, span.after);
        rom.sync();
    });
    const double checked = bench::medianMs(kRuns, [&] {
        const QList<rom::Span>& spans = (there = !there) ? forth : back;
        history::writeApply(log, rom, path, {records::RecordKind::Enemy, 5, "bench"}, spans);
    });
    // The write-ahead entry alone: recorded as pending (durable), then finished.
    std::vector<double> finishing;
    const double entry = bench::medianMs(kRuns, [&] {
        const auto id = log.beginApply(path, {records::RecordKind::Enemy, 5, "bench"}, forth);
        QElapsedTimer timer;
        timer.start();
        if (id)
            log.finish(*id, history::Step::Apply);
        finishing.push_back(timer.nsecsElapsed() / 1e6);
    });
    std::sort(finishing.begin(), finishing.end());
    const double identity = bench::medianMs(kRuns, [&] {
        for (int n = 0; n < 1000; ++n)
            rom.pathState();
    });
    std::printf("apply, write and sync alone: %.2f ms median\n", plain);
    std::printf("apply, with identity check, re-read and write-ahead history: %.2f ms median "
                "(+%.2f ms)\n",
                checked, checked - plain);
    std::printf("history entry alone, pending then finished: %.2f ms median (finishing %.3f ms)\n",
                entry, finishing[finishing.size() / 2]);
    std::printf("identity check alone: %.1f us\n", identity);

    tools::EditorSession editor;
    editor.open(path);
    editor.selectTab("Enemy Stats");
    editor.selectRow(5);
    auto* level = editor.window.findChild<QLineEdit*>("EnemyLevelTXT");
    auto* apply = editor.window.findChild<QPushButton*>("ApplyCMD");
    const double window = bench::medianMs(kRuns, [&] {
        level->setText((there = !there) ? "3" : "4");
        apply->click();
    });
    int row = 5;
    const double rowSwitch = bench::medianMs(kRuns, [&] { editor.selectRow(row = 11 - row); });
    std::printf("apply through the window (validation, commit, history, reload): %.2f ms median\n",
                window);
    std::printf("row switch on the enemy page: %.3f ms median\n", rowSwitch);
}
