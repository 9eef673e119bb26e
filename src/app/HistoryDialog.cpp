#include "app/HistoryDialog.h"

#include "records/Records.h"
#include "tables/Tables.h"
#include "ui/Controls.h"
#include "ui/Program.h"

#include <QListWidget>
#include <QPushButton>

namespace app {

HistoryDialog::HistoryDialog(QWidget* parent, Entries entries, Revert revert, QStringList itemNames,
                             Play play)
    : QDialog(parent), entries_(std::move(entries)), revert_(std::move(revert)),
      play_(std::move(play)), itemNames_(std::move(itemNames)) {
    setObjectName("History");
    setWindowTitle(ui::kProgramTitle);
    setModal(true);
    setFixedSize(760, 420);
    list_ = ui::makeList(this, "HistoryLST", QRect(8, 8, 744, 370));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QPushButton* revertButton =
        ui::makeButton(this, "RevertCMD", "&Revert Selected", QRect(520, 386, 130, 26));
    QPushButton* close = ui::makeButton(this, "CloseCMD", "&Close", QRect(660, 386, 92, 26));
    QPushButton* playButton =
        ui::makeButton(this, "PlayVersionCMD", "&Play This Version", QRect(380, 386, 130, 26));
    playButton->setEnabled(false);
    connect(list_, &QListWidget::itemSelectionChanged, playButton, [this, playButton] {
        playButton->setEnabled(list_->selectionModel()->selectedRows().size() == 1);
    });
    connect(playButton, &QPushButton::clicked, this, &HistoryDialog::PlayVersionCMD_Click);
    connect(revertButton, &QPushButton::clicked, this, &HistoryDialog::RevertCMD_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    fill();
}

// An import or a table edit names the record of each change.
QString HistoryDialog::describe(const history::Entry& entry, const QStringList& itemNames) {
    const bool import = entry.record.isTableImport() || entry.record.isTableEdit();
    const QList<records::Place> places =
        records::placesOfRecord(entry.record.page, entry.record.row);
    QStringList changes;
    for (const rom::Span& span : entry.spans) {
        const auto record = import ? records::locate(span.offset) : std::nullopt;
        const history::RecordRef ref =
            record ? history::RecordRef{record->first, record->second, QString()}
                   : history::RecordRef{};
        changes << (record ? ref.label() + QLatin1Char(' ') : QString()) +
                       records::changeWords(
                           record ? records::placesOfRecord(record->first, record->second) : places,
                           span.offset, span.before, span.after, itemNames);
    }
    return QStringLiteral("%1  %2  %3%4")
        .arg(entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), entry.record.label(),
             changes.join(QStringLiteral("; ")),
             entry.undone ? QStringLiteral("  (undone)") : QString());
}

void HistoryDialog::fill() {
    shown_ = entries_();
    list_->clear();
    for (const history::Entry& entry : shown_)
        list_->addItem(describe(entry, itemNames_));
}

void HistoryDialog::RevertCMD_Click() {
    QList<history::Entry> chosen;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        chosen << shown_.at(index.row());
    revert_(chosen);
    fill();
}

void HistoryDialog::PlayVersionCMD_Click() {
    const QModelIndexList chosen = list_->selectionModel()->selectedRows();
    if (chosen.size() == 1)
        play_(shown_.at(chosen.first().row()));
}

} // namespace app
