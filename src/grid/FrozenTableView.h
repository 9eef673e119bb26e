#pragma once

#include <QTableView>

namespace app {

// A table whose first columns stay in place when it scrolls sideways: a second view over
// its left edge shows them, sharing the model, the selection and the vertical scrolling.
class FrozenTableView : public QTableView {
    Q_OBJECT
  public:
    FrozenTableView(QWidget* parent, int frozenColumns);

    void setModel(QAbstractItemModel* model) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QTableView* frozenView() const { return frozen_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

  private:
    int frozenWidth() const;
    void showFrozenColumns();
    void updateFrozenGeometry();

    QTableView* frozen_;
    int frozenColumns_;
};

} // namespace app
