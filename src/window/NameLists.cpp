#include "window/NameLists.h"

#include "enemies/EnemyRecord.h"
#include "items/ItemCategory.h"
#include "items/ItemRows.h"
#include "rom/NameText.h"
#include "rom/RomFile.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStringListModel>

#include <algorithm>

namespace app {
namespace {

// Pending events run at a list's first row and then once a frame has passed, so the window
// repaints, the bar moves and input is handled while the lists fill, without a repaint of
// the bar and a layout of the list after every one of hundreds of rows.
class EventSteps {
  public:
    static constexpr qint64 kFrameMs = 16;
    // Runs pending events when a step is due, after `beforeStep` (which shows the progress).
    template <typename Show> void letEventsRun(Show beforeStep) {
        if (sinceLast_.isValid() && !sinceLast_.hasExpired(kFrameMs))
            return;
        beforeStep();
        QCoreApplication::processEvents();
        sinceLast_.start();
    }
    void letEventsRun() {
        letEventsRun([] {});
    }

  private:
    QElapsedTimer sinceLast_;
};

// The bar takes its range while hidden: a range that drops its value repaints the window
// at once when the bar can be seen.
void showProgress(const NameListControls& c, const QString& caption, int maximum) {
    c.progress->setMaximum(maximum);
    c.progress->show();
    c.loadingLabel->setText(caption);
    c.loadingLabel->show();
}

// After row r is added the bar's value is r, so the item bar ends full and the enemy bar
// one step short of full; it is set only when it can be seen.
void showRowsDone(QProgressBar* progress, int rows) {
    if (rows > 0)
        progress->setValue(rows - 1);
}

void hideProgress(const NameListControls& c) {
    c.loadingLabel->hide();
    c.progress->hide();
}

// A list that is shown relays itself out at every pending-events step; holding its
// updates until the loop ends keeps each row cheap without skipping the event steps. When
// they come back, the rows are laid out and the scroll bar shown or hidden first, so the
// list is painted once, at its final width, rather than once before its scroll bar comes
// and again after.
class HeldUpdates {
  public:
    explicit HeldUpdates(QListWidget* list) : list_(list), wasEnabled_(list->updatesEnabled()) {
        list_->setUpdatesEnabled(false);
    }
    ~HeldUpdates() {
        if (list_->isVisible()) {
            list_->doItemsLayout();
            // The scroll area decides on its scroll bar in a queued call.
            QCoreApplication::sendPostedEvents(list_, QEvent::MetaCall);
        }
        list_->setUpdatesEnabled(wasEnabled_);
    }
    HeldUpdates(const HeldUpdates&) = delete;
    HeldUpdates& operator=(const HeldUpdates&) = delete;

  private:
    QListWidget* list_;
    bool wasEnabled_;
};

// The rows of the stat boost and status effect lists are the same for every file: they come
// with the first opening (events may run before each undocumented or appended row), and
// later openings only clear the stat boost list's selection. A status effect list keeps its
// selected row.
void fillStatBoost(QComboBox* list, EventSteps& steps) {
    const QString undocumented = QStringLiteral("Undocumented / Unknown");
    const QStringList& rows = items::statBoostRows();
    for (qsizetype row = list->count(); row < rows.size(); ++row) {
        if (rows[row] == undocumented)
            steps.letEventsRun();
        list->addItem(rows[row]);
    }
    list->setCurrentIndex(-1);
}

void appendAilmentRows(const QList<QComboBox*>& lists, EventSteps& steps) {
    const QStringList& rows = items::ailmentRows();
    qsizetype shortest = rows.size();
    for (const QComboBox* list : lists)
        shortest = std::min<qsizetype>(shortest, list->count());
    for (qsizetype row = shortest; row < rows.size(); ++row) {
        steps.letEventsRun();
        for (QComboBox* list : lists)
            if (list->count() == row)
                list->addItem(rows[row]);
    }
}

} // namespace

void LoadItems(const rom::RomFile& rom, const NameListControls& c, const QString& caption) {
    c.quit->setEnabled(false);
    showProgress(c, caption, items::kItemCount - 1);

    QList<int> kept;
    for (QComboBox* list : c.itemDropDowns)
        kept << list->currentIndex();
    c.itemNames->setStringList({});
    c.itemList->clear();
    QStringList names;
    EventSteps steps;
    {
        const HeldUpdates held(c.itemList);
        for (int i = 0; i < items::kItemCount; ++i) {
            steps.letEventsRun([&] { showRowsDone(c.progress, i); });
            names << rom::ReadNameText(rom, items::kNameTable.recordOffset(i),
                                       int(items::kNameTable.stride));
            c.itemList->addItem(names.last());
        }
        showRowsDone(c.progress, items::kItemCount);
    }
    // Every item drop-down shows these rows; each selects its first row by itself when they
    // come. Put back what was selected before, or nothing.
    c.itemNames->setStringList(names);
    for (int n = 0; n < c.itemDropDowns.size(); ++n)
        c.itemDropDowns[n]->setCurrentIndex(kept[n]);
    hideProgress(c);

    fillStatBoost(c.statBoost, steps);
    appendAilmentRows(c.ailmentLists, steps);

    c.apply->setEnabled(true);
    c.quit->setEnabled(true);
}

void LoadEnemyNames(const rom::RomFile& rom, const NameListControls& c, const QString& caption) {
    const HeldUpdates held(c.enemyList);
    showProgress(c, caption, enemies::kEnemyCount);
    c.enemyList->clear();
    EventSteps steps;
    for (int i = 0; i < enemies::kEnemyCount; ++i) {
        steps.letEventsRun([&] { showRowsDone(c.progress, i); });
        c.enemyList->addItem(rom::ReadNameText(rom, enemies::kNameTable.recordOffset(i),
                                               int(enemies::kNameTable.stride)));
    }
    showRowsDone(c.progress, enemies::kEnemyCount);
    hideProgress(c);
}

} // namespace app
