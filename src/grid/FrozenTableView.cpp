#include "grid/FrozenTableView.h"

#include <QHeaderView>
#include <QScrollBar>

namespace app {

FrozenTableView::FrozenTableView(QWidget* parent, int frozenColumns)
    : QTableView(parent), frozen_(new QTableView(this)), frozenColumns_(frozenColumns) {
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->verticalHeader()->hide();
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollMode(ScrollPerPixel);
    frozen_->setFrameShape(QFrame::NoFrame);
    viewport()->stackUnder(frozen_);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column < frozenColumns_) {
                    frozen_->setColumnWidth(column, size);
                    updateFrozenGeometry();
                }
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { frozen_->setRowHeight(row, size); });
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    // The frozen view's header stands over this one's: it sorts for both.
    connect(frozen_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, horizontalHeader(),
            &QHeaderView::setSortIndicator);
    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, frozen_->horizontalHeader(),
            &QHeaderView::setSortIndicator);
    connect(frozen_, &QAbstractItemView::doubleClicked, this, &QAbstractItemView::doubleClicked);
}

void FrozenTableView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    frozen_->setModel(model);
    frozen_->setItemDelegate(itemDelegate());
    frozen_->setSelectionModel(selectionModel());
    frozen_->setSortingEnabled(isSortingEnabled());
    frozen_->setSelectionMode(selectionMode());
    frozen_->setSelectionBehavior(selectionBehavior());
    frozen_->setWordWrap(wordWrap());
    frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    frozen_->horizontalHeader()->setSortIndicator(horizontalHeader()->sortIndicatorSection(),
                                                  horizontalHeader()->sortIndicatorOrder());
    showFrozenColumns();
}

void FrozenTableView::showFrozenColumns() {
    if (!model())
        return;
    for (int column = 0; column < model()->columnCount(); ++column) {
        frozen_->setColumnHidden(column, column >= frozenColumns_);
        if (column < frozenColumns_)
            frozen_->setColumnWidth(column, columnWidth(column));
    }
    frozen_->show();
    updateFrozenGeometry();
}

int FrozenTableView::frozenWidth() const {
    int width = 0;
    for (int column = 0; column < frozenColumns_; ++column)
        width += columnWidth(column);
    return width;
}

void FrozenTableView::updateFrozenGeometry() {
    frozen_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), frozenWidth(),
                         viewport()->height() + horizontalHeader()->height());
}

void FrozenTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    updateFrozenGeometry();
}

// Moving left onto a column under the frozen ones scrolls it out from under them.
QModelIndex FrozenTableView::moveCursor(CursorAction cursorAction,
                                        Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    if (cursorAction == MoveLeft && current.column() >= frozenColumns_ &&
        visualRect(current).topLeft().x() < frozenWidth())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() +
                                        visualRect(current).topLeft().x() - frozenWidth());
    return current;
}

void FrozenTableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (index.column() >= frozenColumns_)
        QTableView::scrollTo(index, hint);
}

} // namespace app
