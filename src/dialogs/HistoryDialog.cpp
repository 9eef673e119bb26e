#include "dialogs/HistoryDialog.h"

#include "records/Records.h"
#include "rom/FieldTable.h"
#include "rominfo/Checksum.h"
#include "rominfo/InternalHeader.h"
#include "ui/EditorSettings.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QListView>
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
    model_ = new HistoryModel(
        sources_.entries,
        [names = sources_.itemNames](const history::Entry& entry) {
            return describe(entry, names);
        },
        this);
    list_ = new QListView;
    list_->setObjectName("HistoryLST");
    list_->setUniformItemSizes(true); // only the rows in sight are described
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setModel(model_);
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
    play_ = new QPushButton("&Play This Version");
    play_->setObjectName("PlayVersionCMD");
    connect(play_, &QPushButton::clicked, this, &HistoryDialog::PlayVersionCMD_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(play_);
    buttons->addWidget(revertButton);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panes, 1);
    layout->addLayout(buttons);
    connect(revertButton, &QPushButton::clicked, this, &HistoryDialog::RevertCMD_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &HistoryDialog::showChanges);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &HistoryDialog::showChanges);
    restoreWindowGeometry(this, 900, 460);
    fill();
}

QString HistoryDialog::describe(const history::Entry& entry, const QStringList& itemNames) {
    constexpr qsizetype kLongest = 60; // the changes named in a row, at least one
    const QStringList lines = changeLines(entry, itemNames, 6);
    const qsizetype total = entry.spans.size() - (checksumLine(entry.spans).isEmpty() ? 0 : 1);
    QString changes;
    int named = 0;
    for (; named < lines.size(); ++named) {
        const QString more = (named ? QStringLiteral(", ") : QString()) + lines[named];
        if (named > 0 && changes.size() + more.size() > kLongest)
            break;
        changes += more;
    }
    if (total > named)
        changes += QStringLiteral(", +%1 more").arg(total - named);
    return QStringLiteral("%1  %2  %3%4")
        .arg(entry.time().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), entry.record.label(),
             changes, entry.undone ? QStringLiteral("  (undone)") : QString());
}

QStringList HistoryDialog::changeLines(const history::Entry& entry, const QStringList& itemNames,
                                       int most) {
    QStringList lines;
    const QString checksum = checksumLine(entry.spans);
    if (!checksum.isEmpty())
        lines << checksum;
    const bool import = entry.record.coversManyRecords();
    const QList<records::Place> places =
        records::placesOfRecord(entry.record.page, entry.record.row);
    for (const rom::Span& span : entry.spans) {
        if (most >= 0 && lines.size() >= most)
            break;
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

// Keeps the entries that were selected selected, and the current one current; at first the
// newest is both.
void HistoryDialog::fill() {
    QList<qint64> selected;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        selected << model_->entryAt(index.row()).id;
    const QModelIndex current = list_->currentIndex();
    const qint64 currentId = current.isValid() ? model_->entryAt(current.row()).id : -1;
    model_->reload();
    QItemSelection selection;
    for (const qint64 id : selected)
        if (const int row = model_->rowOf(id); row >= 0)
            selection.select(model_->index(row), model_->index(row));
    QItemSelectionModel* selecting = list_->selectionModel();
    if (currentId >= 0 || !selected.isEmpty()) {
        selecting->setCurrentIndex(model_->index(model_->rowOf(currentId)),
                                   QItemSelectionModel::NoUpdate);
        selecting->select(selection, QItemSelectionModel::ClearAndSelect);
    } else if (model_->rowCount() > 0) {
        selecting->setCurrentIndex(model_->index(0), QItemSelectionModel::ClearAndSelect);
    }
    showChanges();
}

std::optional<history::Entry> HistoryDialog::shownEntry() const {
    const QModelIndex current = list_->currentIndex();
    if (!current.isValid() || !list_->selectionModel()->isSelected(current))
        return std::nullopt;
    return model_->entryAt(current.row());
}

void HistoryDialog::showChanges() {
    detail_->clear();
    const std::optional<history::Entry> shown = shownEntry();
    if (shown)
        detail_->addItems(changeLines(*shown, sources_.itemNames));
    play_->setEnabled(shown.has_value());
}

void HistoryDialog::RevertCMD_Click() {
    QList<history::Entry> chosen;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        chosen << model_->entryAt(index.row());
    if (chosen.isEmpty())
        return;
    sources_.revert(chosen);
    fill();
}

void HistoryDialog::PlayVersionCMD_Click() {
    if (const std::optional<history::Entry> shown = shownEntry())
        sources_.play(*shown);
}

} // namespace app
