#pragma once

#include <QList>
#include <QString>

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStringListModel;

namespace rom {
class RomFile;
}

namespace app {

// The controls the name-list loaders fill, handed over by the pages, and the strip that
// shows their progress.
struct NameListControls {
    QListWidget* itemList = nullptr;
    // The rows every drop-down list of items shows (row r is item r), and those lists; each
    // keeps its selected row.
    QStringListModel* itemNames = nullptr;
    QList<QComboBox*> itemDropDowns;
    QComboBox* statBoost = nullptr;
    QList<QComboBox*> ailmentLists;
    QListWidget* enemyList = nullptr;
    QProgressBar* progress = nullptr;
    QLabel* loadingLabel = nullptr;
    QPushButton* apply = nullptr;
    QPushButton* quit = nullptr;
};

// Fill the lists from the ROM's name tables, letting pending events run once per row and
// showing `caption` in the loading label meanwhile.
void LoadItems(const rom::RomFile& rom, const NameListControls& controls, const QString& caption);
void LoadEnemyNames(const rom::RomFile& rom, const NameListControls& controls,
                    const QString& caption);

} // namespace app
