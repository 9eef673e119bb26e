#include "window/NameLists.h"

#include "enemies/EnemyRecord.h"
#include "items/ItemCategory.h"
#include "items/ItemRows.h"
#include "rom/NameText.h"
#include "rom/RomFile.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
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

// Names for the rows of a list, from a new file, shown all at once when the loop ends: the
// list is not laid out and painted at every pending-events step.
//
// Every file gives a list as many rows, so from the second opening on a row takes its name
// in place, with only the rows' updates held: the scroll bar is not hidden, shown and
// painted again. As when the rows went and came, nothing is selected and the first row is
// at the top. On the first opening the rows are appended with the whole list held. Either
// way the rows are laid out, and the scroll bar shown, before the updates come back: a
// layout still owed when the list paints would paint it a second time.
class NameRows {
  public:
    NameRows(QListWidget* list, int count)
        : list_(list), appending_(list->count() != count),
          held_(appending_ ? static_cast<QWidget*>(list) : list->viewport()) {
        held_->setUpdatesEnabled(false);
        if (appending_) {
            list->clear();
            return;
        }
        list->selectionModel()->clear();
        list->scrollToTop();
    }
    ~NameRows() {
        if (list_->isVisible()) {
            list_->doItemsLayout();
            if (appending_) // the scroll area decides on its scroll bar in a queued call
                QCoreApplication::sendPostedEvents(list_, QEvent::MetaCall);
        }
        held_->setUpdatesEnabled(true);
    }
    NameRows(const NameRows&) = delete;
    NameRows& operator=(const NameRows&) = delete;

    void set(int row, const QString& name) {
        if (QListWidgetItem* item = list_->item(row))
            item->setText(name);
        else
            list_->addItem(name);
    }

  private:
    QListWidget* list_;
    bool appending_;
    QWidget* held_;
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
    QStringList names;
    EventSteps steps;
    {
        NameRows rows(c.itemList, items::kItemCount);
        for (int i = 0; i < items::kItemCount; ++i) {
            steps.letEventsRun([&] { showRowsDone(c.progress, i); });
            names << rom::ReadNameText(rom, items::kNameTable.recordOffset(i),
                                       int(items::kNameTable.stride));
            rows.set(i, names.last());
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
    NameRows rows(c.enemyList, enemies::kEnemyCount);
    showProgress(c, caption, enemies::kEnemyCount);
    EventSteps steps;
    for (int i = 0; i < enemies::kEnemyCount; ++i) {
        steps.letEventsRun([&] { showRowsDone(c.progress, i); });
        rows.set(i, rom::ReadNameText(rom, enemies::kNameTable.recordOffset(i),
                                      int(enemies::kNameTable.stride)));
    }
    showRowsDone(c.progress, enemies::kEnemyCount);
    hideProgress(c);
}

} // namespace app
