#pragma once

#include <QObject>
#include <QString>

class QCheckBox;
class QLineEdit;
class QMenu;
class QTableView;

namespace app {

// The grid's columns as the user leaves them, per kind, in the editor's settings store:
// widths, order and hidden columns (the header's own state, with the sort), the filter's
// text and the check boxes. Columns without a kept state are fitted to their contents.
// The Columns menu (mnuTableColumns, also the header's context menu) hides and shows
// columns and resets them; Row and Name stay first and shown.
class ColumnState : public QObject {
    Q_OBJECT
  public:
    ColumnState(QWidget* window, QTableView* grid, int fixedColumns, QLineEdit* filter,
                QList<QCheckBox*> checks);

    QMenu* menu() const { return menu_; }
    // Keeps the shown kind's state, if a kind is shown.
    void leave();
    // `kind` is shown now: its kept state, or columns fitted to their contents.
    void enter(const QString& kind);
    void mnuTableResetColumns_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fillMenu();
    void keepFixedColumnsFirst();
    void showAllInOrder();

    QWidget* window_;
    QTableView* grid_;
    int fixedColumns_;
    QLineEdit* filter_;
    QList<QCheckBox*> checks_;
    QMenu* menu_;
    QString kind_; // the kind shown, by its sheet's name
};

} // namespace app
