#include "rom/NameLists.h"

#include "rom/NameText.h"
#include "rom/RomFile.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

namespace rom {
namespace {

const QString kUndocumented = QStringLiteral("Undocumented / Unknown");

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

void fillStatBoost(QComboBox* list) {
    list->clear();
    for (const QString& row : statBoostRows()) {
        if (row == kUndocumented)
            processPendingEvents();
        list->addItem(row);
    }
    list->setCurrentIndex(-1);
}

void refillAilmentRows(QComboBox* weapon, QComboBox* armor) {
    const int weaponRow = weapon->currentIndex();
    const int armorRow = armor->currentIndex();
    while (weapon->count() > kFixedAilmentRows)
        weapon->removeItem(weapon->count() - 1);
    while (armor->count() > kFixedAilmentRows)
        armor->removeItem(armor->count() - 1);
    const QString row = QStringLiteral("Nothing or Undocumented");
    for (int n = 0; n < 256 - kFixedAilmentRows; ++n) {
        processPendingEvents();
        weapon->addItem(row);
        armor->addItem(row);
    }
    weapon->setCurrentIndex(weaponRow);
    armor->setCurrentIndex(armorRow);
}

} // namespace

const QStringList& statBoostRows() {
    static const QStringList rows = [] {
        QStringList r = {"Nothing",
                         "Speed +1",
                         "Hit +2",
                         "Strength +2",
                         "Stamina +2",
                         "Magic +2",
                         "Protect against all ailments",
                         "Speed +3",
                         "Hit +10",
                         "Strength +6",
                         "Magic +6",
                         "Magic Defense +10",
                         "Strength +4",
                         "Speed +2",
                         "Unknown",
                         "Stamina +6",
                         "Magic +4",
                         "Magic Defense +12",
                         "Magic +5, Magic Defense +5",
                         "Strength +10, Stamina +10",
                         "Magic Defense +5"};
        while (r.size() < 128)
            r << kUndocumented;
        r << QStringLiteral("Always Evade");
        while (r.size() < 256)
            r << kUndocumented;
        return r;
    }();
    return rows;
}

void LoadItems(const RomFile& rom, const NameListControls& c) {
    c.quit->setEnabled(false);
    showProgress(c, QStringLiteral(" Loading Items..."));

    std::array<int, 6> kept{};
    for (std::size_t n = 0; n < c.itemDropDowns.size(); ++n) {
        kept[n] = c.itemDropDowns[n]->currentIndex();
        c.itemDropDowns[n]->clear();
    }
    c.itemList->clear();
    {
        const HeldUpdates held(c.itemList);
        for (int i = 0; i < kItemCount; ++i) {
            processPendingEvents();
            c.progress->setMaximum(kItemCount - 1);
            const QString name =
                ReadNameText(rom, kItemNameTable + qint64(kNameLength) * i, kNameLength);
            c.itemList->addItem(name);
            for (QComboBox* list : c.itemDropDowns)
                list->addItem(name);
            c.progress->setValue(i);
        }
    }
    // A drop-down list selects its first row by itself when filled; put back what was
    // selected before, or nothing.
    for (std::size_t n = 0; n < c.itemDropDowns.size(); ++n)
        c.itemDropDowns[n]->setCurrentIndex(kept[n]);
    hideProgress(c);

    fillStatBoost(c.statBoost);
    refillAilmentRows(c.weaponAilment, c.armorAilment);

    c.apply->setEnabled(true);
    c.quit->setEnabled(true);
}

void LoadEnemyNames(const RomFile& rom, const NameListControls& c) {
    const HeldUpdates held(c.enemyList);
    showProgress(c, QStringLiteral(" Loading Enemies..."));
    c.enemyList->clear();
    for (int i = 0; i < kEnemyCount; ++i) {
        processPendingEvents();
        c.progress->setMaximum(kEnemyCount);
        c.enemyList->addItem(
            ReadNameText(rom, kEnemyNameTable + qint64(kNameLength) * i, kNameLength));
        c.progress->setValue(i);
    }
    hideProgress(c);
}

} // namespace rom
