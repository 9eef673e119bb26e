#include "tableview/ColumnState.h"

#include "ui/EditorSettings.h"

#include <QCheckBox>
#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSortFilterProxyModel>
#include <QTableView>

namespace app {
namespace {

QString keyOf(const QString& kind, const char* what) {
    return QStringLiteral("Table Columns/%1/%2").arg(kind, QLatin1String(what));
}

} // namespace

ColumnState::ColumnState(QWidget* window, QTableView* grid, int fixedColumns, QLineEdit* filter,
                         QList<QCheckBox*> checks)
    : QObject(window), window_(window), grid_(grid), fixedColumns_(fixedColumns), filter_(filter),
      checks_(std::move(checks)), menu_(new QMenu(QStringLiteral("&Columns"), window)) {
    menu_->setObjectName("mnuTableColumns");
    connect(menu_, &QMenu::aboutToShow, this, &ColumnState::fillMenu);
    QHeaderView* header = grid_->horizontalHeader();
    header->setSectionsMovable(true);
    header->setResizeContentsPrecision(0); // the rows in view: opening stays quick
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this,
            [this, header](const QPoint& at) { menu_->popup(header->mapToGlobal(at)); });
    connect(header, &QHeaderView::sectionMoved, this, &ColumnState::keepFixedColumnsFirst);
    fillMenu();
    window_->installEventFilter(this);
}

void ColumnState::fillMenu() {
    menu_->clear();
    const QAbstractItemModel* model = grid_->model();
    QHeaderView* header = grid_->horizontalHeader();
    for (int visual = 0; model && visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (column < fixedColumns_)
            continue;
        QAction* shown = menu_->addAction(model->headerData(column, Qt::Horizontal).toString());
        shown->setCheckable(true);
        shown->setChecked(!header->isSectionHidden(column));
        connect(shown, &QAction::toggled, this, [this, column](bool on) {
            grid_->horizontalHeader()->setSectionHidden(column, !on);
            if (on && grid_->columnWidth(column) == 0)
                grid_->resizeColumnToContents(column);
        });
    }
    menu_->addSeparator();
    QAction* reset = menu_->addAction(QStringLiteral("&Reset Columns"));
    reset->setObjectName("mnuTableResetColumns");
    connect(reset, &QAction::triggered, this, &ColumnState::mnuTableResetColumns_Click);
}

// The frozen Row and Name lie over the grid's first columns, so they stay there.
void ColumnState::keepFixedColumnsFirst() {
    QHeaderView* header = grid_->horizontalHeader();
    const QSignalBlocker blocker(header);
    for (int column = 0; column < fixedColumns_; ++column)
        if (header->visualIndex(column) != column)
            header->moveSection(header->visualIndex(column), column);
    grid_->viewport()->update();
}

void ColumnState::leave() {
    if (kind_.isEmpty() || !grid_->model())
        return;
    QSettings store = editorSettings();
    store.setValue(keyOf(kind_, "Header"), grid_->horizontalHeader()->saveState());
    store.setValue(keyOf(kind_, "Columns"), grid_->model()->columnCount());
    store.setValue(keyOf(kind_, "Filter"), filter_->text());
    for (const QCheckBox* check : checks_)
        store.setValue(keyOf(kind_, qPrintable(check->objectName())), check->isChecked());
    store.sync();
}

void ColumnState::enter(const QString& kind) {
    kind_ = kind;
    const QSettings store = editorSettings();
    QHeaderView* header = grid_->horizontalHeader();
    const bool kept =
        store.value(keyOf(kind, "Columns")).toInt() == grid_->model()->columnCount() &&
        header->restoreState(store.value(keyOf(kind, "Header")).toByteArray());
    if (!kept)
        showAllInOrder();
    auto* rows = qobject_cast<QSortFilterProxyModel*>(grid_->model());
    if (kept && rows &&
        (rows->sortColumn() != header->sortIndicatorSection() ||
         rows->sortOrder() != header->sortIndicatorOrder()))
        grid_->sortByColumn(header->sortIndicatorSection(), header->sortIndicatorOrder());
    keepFixedColumnsFirst();
    for (QCheckBox* check : checks_)
        check->setChecked(
            store.value(keyOf(kind, qPrintable(check->objectName())), false).toBool());
    filter_->setText(store.value(keyOf(kind, "Filter")).toString());
}

// Every column shown, in the kind's own order, fitted to its contents.
void ColumnState::showAllInOrder() {
    QHeaderView* header = grid_->horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        header->setSectionHidden(column, false);
        header->moveSection(header->visualIndex(column), column);
    }
    grid_->resizeColumnsToContents();
}

void ColumnState::mnuTableResetColumns_Click() {
    showAllInOrder();
    QSettings store = editorSettings();
    store.remove(keyOf(kind_, "Header"));
    store.remove(keyOf(kind_, "Columns"));
}

// The window's last state is kept when it closes or hides.
bool ColumnState::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Hide)
        leave();
    return QObject::eventFilter(watched, event);
}

} // namespace app
