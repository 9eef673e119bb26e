#include "window/NameLists.h"

#include "enemies/EnemyRecord.h"
#include "items/ItemCategory.h"
#include "items/ItemRows.h"
#include "rom/NameText.h"
#include "rom/RomFile.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStringListModel>

namespace app {
namespace {

void processPendingEvents() {
    QCoreApplication::processEvents();
}

void showProgress(const NameListControls& c, const QString& caption) {
    c.progress->show();
    c.loadingLabel->setText(caption);
    c.loadingLabel->show();
}

void hideProgress(const NameListControls& c) {
    c.loadingLabel->hide();
    c.progress->hide();
}

// A list that is shown relays itself out at every pending-events step; holding its
// updates until the loop ends keeps each row cheap without skipping the event steps.
class HeldUpdates {
  public:
    explicit HeldUpdates(QListWidget* list) : list_(list), wasEnabled_(list->updatesEnabled()) {
        list_->setUpdatesEnabled(false);
    }
    ~HeldUpdates() { list_->setUpdatesEnabled(wasEnabled_); }
    HeldUpdates(const HeldUpdates&) = delete;
    HeldUpdates& operator=(const HeldUpdates&) = delete;

  private:
    QListWidget* list_;
    bool wasEnabled_;
};

// Events run once before each of the undocumented rows.
void fillStatBoost(QComboBox* list) {
    const QString undocumented = QStringLiteral("Undocumented / Unknown");
    list->clear();
    for (const QString& row : items::statBoostRows()) {
        if (row == undocumented)
            processPendingEvents();
        list->addItem(row);
    }
    list->setCurrentIndex(-1);
}

// Rows after the fixed ones go and come again, each list keeping its selected row.
void refillAilmentRows(const QList<QComboBox*>& lists) {
    QList<int> kept;
    for (QComboBox* list : lists) {
        kept << list->currentIndex();
        while (list->count() > items::kFixedAilmentRows)
            list->removeItem(list->count() - 1);
    }
    const QStringList& rows = items::ailmentRows();
    for (int row = items::kFixedAilmentRows; row < rows.size(); ++row) {
        processPendingEvents();
        for (QComboBox* list : lists)
            list->addItem(rows[row]);
    }
    for (int n = 0; n < lists.size(); ++n)
        lists[n]->setCurrentIndex(kept[n]);
}

} // namespace

void LoadItems(const rom::RomFile& rom, const NameListControls& c, const QString& caption) {
    c.quit->setEnabled(false);
    showProgress(c, caption);

    QList<int> kept;
    for (QComboBox* list : c.itemDropDowns)
        kept << list->currentIndex();
    c.itemNames->setStringList({});
    c.itemList->clear();
    QStringList names;
    {
        const HeldUpdates held(c.itemList);
        for (int i = 0; i < items::kItemCount; ++i) {
            processPendingEvents();
            c.progress->setMaximum(items::kItemCount - 1);
            names << rom::ReadNameText(rom, items::kNameTable.recordOffset(i),
                                       int(items::kNameTable.stride));
            c.itemList->addItem(names.last());
            c.progress->setValue(i);
        }
    }
    // Every item drop-down shows these rows; each selects its first row by itself when they
    // come. Put back what was selected before, or nothing.
    c.itemNames->setStringList(names);
    for (int n = 0; n < c.itemDropDowns.size(); ++n)
        c.itemDropDowns[n]->setCurrentIndex(kept[n]);
    hideProgress(c);

    fillStatBoost(c.statBoost);
    refillAilmentRows(c.ailmentLists);

    c.apply->setEnabled(true);
    c.quit->setEnabled(true);
}

void LoadEnemyNames(const rom::RomFile& rom, const NameListControls& c, const QString& caption) {
    const HeldUpdates held(c.enemyList);
    showProgress(c, caption);
    c.enemyList->clear();
    for (int i = 0; i < enemies::kEnemyCount; ++i) {
        processPendingEvents();
        c.progress->setMaximum(enemies::kEnemyCount);
        c.enemyList->addItem(rom::ReadNameText(rom, enemies::kNameTable.recordOffset(i),
                                               int(enemies::kNameTable.stride)));
        c.progress->setValue(i);
    }
    hideProgress(c);
}

} // namespace app
