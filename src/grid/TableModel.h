#pragma once

#include "records/Comparison.h"
#include "tables/TableEdits.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSortFilterProxyModel>
#include <QStaticText>
#include <QStyledItemDelegate>

#include <functional>
#include <optional>

namespace app {

// A cell as another image and the common original hold it, where it is classed.
struct ComparedCell {
    records::ChangeClass change;
    int theirs;
    int original;
};

// Another image the grids are compared with while the table window is in compare mode.
class Compared {
  public:
    virtual ~Compared() = default;
    // Nothing for a cell that neither side changed against the original.
    virtual std::optional<ComparedCell> cell(const tables::Sheet& sheet, int row,
                                             int column) const = 0;
    // False for a row the grid hides ("Differences only").
    virtual bool shows(const tables::Sheet& sheet, int row) const = 0;
};

// What the grids of the table window share: the edits, the file as it was before the
// changes made in this editor while those changes are marked or the only rows shown, and the
// image compared with.
struct TableState {
    tables::TableEdits edits;
    std::optional<QByteArray> original;
    bool markChanges = false;
    const Compared* compared = nullptr;
    const QByteArray* marked() const { return markChanges && original ? &*original : nullptr; }
};

// One kind's records as a grid: "Row", "Name", then the sheet's columns. A cell shows the
// value with the edits in place, in the page's words; it sorts by the stored value. Edited
// cells are tinted, a record in conflict wholly, then every cell classed against another
// image (a conflict strongest), and with the original at hand every cell that differs from it.
class TableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kFixedColumns = 2;
    enum Role { SortRole = Qt::UserRole, ChoiceTextsRole, ChoiceValuesRole };

    TableModel(const tables::Sheet& sheet, TableState& state, QObject* parent);

    const tables::Sheet& sheet() const { return sheet_; }
    // The sheet's column of a grid column; -1 for Row and Name.
    static int sheetColumn(int column) { return column - kFixedColumns; }
    // Every cell shows the state anew.
    void refresh();
    // The value of a grid cell that shows a number; none for Row, Name, choices and check boxes.
    std::optional<int> number(int row, int column) const;
    // The record has edits to apply, or differs from the original when that is at hand.
    bool isChanged(int row) const;
    // False for a row that compare mode hides.
    bool shows(int row) const { return !state_.compared || state_.compared->shows(sheet_, row); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  signals:
    // An entry the cell's field cannot hold: "HP: enter a whole number from 0 to 65535."
    void refused(const QString& message);
    void edited();

  private:
    QVariant cellData(int row, int column, int role) const;
    QVariant background(int row, int column) const;
    QVariant toolTip(int row, int column) const;
    QString words(int row, int column, int value) const;
    std::optional<ComparedCell> compared(int row, int column) const;
    std::pair<QStringList, QVariantList> choices(int row, int column) const;
    bool isCheckBox(int column) const;

    const tables::Sheet& sheet_;
    TableState& state_;
};

// Sorts by the stored value, when asked to (a click on a column's header), and shows the rows
// a condition accepts, only the changed ones if asked to.
class TableFilter : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    using Accepts = std::function<bool(int sourceRow)>;
    explicit TableFilter(TableModel* model);
    // Nothing for every row.
    void setAccepts(Accepts accepts, bool changedOnly = false);

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    Accepts accepts_;
    bool changedOnly_ = false;
};

// A choice is edited in a drop-down list of its rows' texts; other cells as text. A cell of
// plain text is drawn from a laid-out text kept per string: laying out every cell's text again
// on each repaint costs more than all else a step of edits does.
class ChoiceDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  private:
    mutable QHash<QString, QStaticText> texts_;
};

} // namespace app
