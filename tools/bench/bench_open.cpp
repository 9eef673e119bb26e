// Median time of one ROM opening, from the chosen file to the name lists filled (the
// dialog itself excluded), with no page, the item page or the enemy page showing; beside
// it the floor: the same name reads and row appends with no window shown.
#include "Bench.h"
#include "EditorSession.h"
#include "enemies/EnemyRecord.h"
#include "items/ItemCategory.h"
#include "rom/NameText.h"
#include "rom/RomFile.h"
#include "romimage/RomImage.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 21;

} // namespace

double bench::openingFloorMs(const QString& path) {
    return bench::medianMs(kRuns, [&] {
        rom::RomFile rom;
        rom.open(path);
        QListWidget items;
        QListWidget enemies;
        std::vector<std::unique_ptr<QComboBox>> dropDowns;
        for (int n = 0; n < 6; ++n)
            dropDowns.push_back(std::make_unique<QComboBox>());
        for (int i = 0; i < items::kItemCount; ++i) {
            const QString name = rom::ReadNameText(rom, items::kNameTable.recordOffset(i), 11);
            items.addItem(name);
            for (auto& list : dropDowns)
                list->addItem(name);
        }
        for (int i = 0; i < enemies::kEnemyCount; ++i)
            enemies.addItem(rom::ReadNameText(rom, enemies::kNameTable.recordOffset(i), 11));
    });
}

namespace {

double openingMilliseconds(tools::EditorSession& editor, const QString& path) {
    return bench::medianMs(kRuns, [&] {
        editor.open(path);
        QApplication::processEvents(); // let the window settle between runs
    });
}

} // namespace

void bench::opening() {
    QTemporaryDir folder;
    const QString path = folder.filePath("bench.smc");
    synth::writeFile(path, synth::makeImage());
    tools::EditorSession editor;
    editor.open(path);
    const double floor = bench::openingFloorMs(path);

    const std::pair<const char*, const char*> cases[] = {{"no page shown", "future"},
                                                         {"item page showing", "Item Stats"},
                                                         {"enemy page showing", "Enemy Stats"}};
    for (const auto& [label, tab] : cases) {
        editor.selectTab(QString::fromLatin1(tab));
        QApplication::processEvents();
        const double ms = openingMilliseconds(editor, path);
        std::printf("opening, %s: %.1f ms median (floor %.1f ms)\n", label, ms, floor);
    }
}
