#pragma once

#include "records/Records.h"
#include "tables/Columns.h"

namespace tables {

// One kind of record as a grid: a row per record, and a column for each value its table
// file has. A choice's "(name)" column is left out: the grid shows a choice by its words in
// the choice's own column. Text fields have no column (none of the kinds in a grid has one
// besides the header's name).
class Sheet {
  public:
    Sheet(int index, const records::Kind& kind);

    // Its place in sheets().
    int index() const { return index_; }
    const records::Kind& kind() const { return kind_; }
    // "enemies", as its table file is named without ".csv".
    QString name() const;
    int rowCount() const { return kind_.last - kind_.first + 1; }
    // The row of the page's list that grid row `row` shows.
    int recordRow(int row) const { return kind_.first + row; }

    int columnCount() const { return int(columns_.size()); }
    const Column& column(int column) const { return columns_[column]; }
    const QStringList& identifiers() const { return identifiers_; }
    // The column named `name` or identified by it; -1 for none.
    int find(const QString& name) const;

    const QList<records::Place>& places(int row) const { return places_[row]; }
    const records::Place& place(int row, int column) const {
        return places_[row][columns_[column].place];
    }

    int value(const QByteArray& image, int row, int column) const;
    // The one entry rule of the cell's field; the refusal, or empty once `image` holds it.
    QString enter(QByteArray& image, int row, int column, const QString& text) const;

  private:
    int index_;
    records::Kind kind_;
    QList<Column> columns_;
    QStringList identifiers_;
    QList<QList<records::Place>> places_; // per row
};

// One sheet per kind, in the order of records::kinds().
const QList<Sheet>& sheets();

} // namespace tables
