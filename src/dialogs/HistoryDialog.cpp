#include "dialogs/HistoryDialog.h"

#include "ui/EditorSettings.h"
#include "records/Records.h"
#include "rom/FieldTable.h"
#include "rominfo/Checksum.h"
#include "rominfo/InternalHeader.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QVBoxLayout>

namespace app {
namespace {

int numberAt(const QList<rom::Span>& spans, qint64 offset, bool after) {
    for (const rom::Span& span : spans)
        if (span.offset == offset)
            return rom::decodeNumber(rom::Encoding::Unsigned16, after ? span.after : span.before);
    return -1;
}

// The checksum pair as the Miscellaneous page shows it, when the entry changes both halves.
QString checksumLine(const QList<rom::Span>& spans) {
    const auto pair = [&](bool after) {
        return rominfo::checksumText(numberAt(spans, rominfo::kComplementOffset, after),
                                     numberAt(spans, rominfo::kChecksumOffset, after));
    };
    if (numberAt(spans, rominfo::kComplementOffset, false) < 0 ||
        numberAt(spans, rominfo::kChecksumOffset, false) < 0)
        return QString();
    return QStringLiteral("Checksum: %1 \u2192 %2").arg(pair(false), pair(true));
}

bool isChecksumHalf(const rom::Span& span) {
    return span.offset == rominfo::kComplementOffset || span.offset == rominfo::kChecksumOffset;
}

} // namespace

HistoryDialog::HistoryDialog(QWidget* parent, Sources sources)
    : QDialog(parent), sources_(std::move(sources)) {
    setObjectName("History");
    setWindowTitle(QStringLiteral("History of %1").arg(sources_.fileName));
    setModal(true);
    list_ = new QListWidget;
    list_->setObjectName("HistoryLST");
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    detail_ = new QListWidget;
    detail_->setObjectName("HistoryDetailLST");
    auto* panes = new QSplitter(Qt::Horizontal);
    panes->addWidget(list_);
    panes->addWidget(detail_);
    panes->setChildrenCollapsible(false);
    auto* revertButton = new QPushButton("&Revert Selected");
    revertButton->setObjectName("RevertCMD");
    auto* close = new QPushButton("&Close");
    close->setObjectName("CloseCMD");
    auto* play = new QPushButton("&Play This Version");
    play->setObjectName("PlayVersionCMD");
    play->setEnabled(false);
    connect(list_, &QListWidget::itemSelectionChanged, play, [this, play] {
        play->setEnabled(list_->selectionModel()->selectedRows().size() == 1);
    });
    connect(play, &QPushButton::clicked, this, &HistoryDialog::PlayVersionCMD_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(play);
    buttons->addWidget(revertButton);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panes, 1);
    layout->addLayout(buttons);
    connect(revertButton, &QPushButton::clicked, this, &HistoryDialog::RevertCMD_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QListWidget::currentRowChanged, this, &HistoryDialog::showChanges);
    restoreWindowGeometry(this, 900, 460);
    fill();
}

QString HistoryDialog::describe(const history::Entry& entry) {
    return QStringLiteral("%1  %2%3")
        .arg(entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), entry.record.label(),
             entry.undone ? QStringLiteral("  (undone)") : QString());
}

QStringList HistoryDialog::changeLines(const history::Entry& entry, const QStringList& itemNames) {
    QStringList lines;
    const QString checksum = checksumLine(entry.spans);
    if (!checksum.isEmpty())
        lines << checksum;
    const bool import = entry.record.isManyRecords();
    const QList<records::Place> places =
        records::placesOfRecord(entry.record.page, entry.record.row);
    for (const rom::Span& span : entry.spans) {
        if (!checksum.isEmpty() && isChecksumHalf(span))
            continue;
        const auto record = import ? records::locate(span.offset) : std::nullopt;
        const QString words = records::changeWords(
            record ? records::placesOfRecord(record->first, record->second) : places, span.offset,
            span.before, span.after, itemNames);
        lines << (record ? history::RecordRef{record->first, record->second, QString()}.label() +
                               QLatin1Char(' ') + words
                         : words);
    }
    return lines;
}

bool HistoryDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        fill(); // another window may have changed the history meanwhile
    return QDialog::event(event);
}

void HistoryDialog::done(int result) {
    saveWindowGeometry(this);
    QDialog::done(result);
}

// Keeps the entries that were selected selected.
void HistoryDialog::fill() {
    QList<qint64> selected;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        selected << shown_.at(index.row()).id;
    const qint64 current = list_->currentRow() >= 0 ? shown_.at(list_->currentRow()).id : -1;
    shown_ = sources_.entries();
    list_->clear();
    for (const history::Entry& entry : shown_) {
        list_->addItem(describe(entry));
        if (entry.id == current)
            list_->setCurrentRow(list_->count() - 1, QItemSelectionModel::NoUpdate);
        list_->item(list_->count() - 1)->setSelected(selected.contains(entry.id));
    }
    showChanges();
}

void HistoryDialog::showChanges() {
    detail_->clear();
    const int row = list_->currentRow();
    if (row >= 0 && row < shown_.size())
        detail_->addItems(changeLines(shown_.at(row), sources_.itemNames));
}

void HistoryDialog::RevertCMD_Click() {
    QList<history::Entry> chosen;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        chosen << shown_.at(index.row());
    if (chosen.isEmpty())
        return;
    sources_.revert(chosen);
    fill();
}

void HistoryDialog::PlayVersionCMD_Click() {
    const QModelIndexList chosen = list_->selectionModel()->selectedRows();
    if (chosen.size() == 1)
        sources_.play(shown_.at(chosen.first().row()));
}

} // namespace app
