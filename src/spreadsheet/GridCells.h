#pragma once

#include <QList>
#include <QModelIndex>
#include <QString>
#include <QStringList>

class QTableView;

namespace tables {
class TableEdits;
}

namespace app {

class TableFilter;

// What a paste, a fill or a set did: the cells set, the cells that refused their text
// ("Enemy 5 Horn's, HP: 70000 (enter a whole number from 0 to 65535.)") and how much of a
// pasted block lay past the last row or column.
struct CellsResult {
    int set = 0;
    QStringList refused;
    int rowsCut = 0;
    int columnsCut = 0;
    // One message for all of it; empty when every cell was taken.
    QString message() const;
};

// The cells of a table window's grid as a spreadsheet sees them: rows as the grid shows them
// (sorted and filtered), columns in their shown order without the hidden ones. Every value
// goes in through the one entry rule; a choice also takes its row's text.
class GridCells {
  public:
    GridCells(QTableView& grid, TableFilter& filter, tables::TableEdits& edits);

    // The selected cells as tab-separated lines (the header line first when whole columns are
    // selected); an unselected cell inside the selection's rectangle is empty.
    QString copy() const;
    // Tab-separated `text` as a block from the current cell, or one value into every selected
    // cell.
    CellsResult paste(const QString& text);
    // Each selected column's top selected cell into its other selected cells.
    CellsResult fillDown();
    // `text` into every selected cell.
    CellsResult setSelected(const QString& text);

  private:
    QList<int> shownColumns() const; // logical columns in their shown order
    QModelIndexList selected() const;
    void enter(const QModelIndex& index, const QString& text, CellsResult& result);

    QTableView& grid_;
    TableFilter& filter_;
    tables::TableEdits& edits_;
};

// Tab-separated text as rows of cells; a line break at the end ends the last row.
QList<QStringList> tabSeparated(const QString& text);

} // namespace app
