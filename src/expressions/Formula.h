#pragma once

#include "expressions/Expression.h"
#include "tables/TableEdits.h"

namespace expressions {

// A condition over the columns of a sheet, each named by its identifier ("HP > 1000 &&
// Level < 20"). It holds for a row where its value is neither 0 nor NaN.
class RowCondition {
  public:
    explicit RowCondition(const tables::Sheet& sheet);
    // As Expression::parse.
    QString parse(const QString& text) { return expression_.parse(text); }
    // True when the parsed condition reads at least one column.
    bool readsColumns() const { return !expression_.used().isEmpty(); }
    bool holds(const QByteArray& image, int row);

  private:
    const tables::Sheet& sheet_;
    Expression expression_;
};

struct Cell {
    int row;
    int column;
};

struct FormulaResult {
    QString error;       // the formula cannot be used; nothing was set
    int set = 0;         // cells that took the formula's value
    QStringList refused; // "Enemy 5 Horn's, HP: 70000.5 (enter a whole number from 0 to 255.)"
};

// Sets each cell to the value of `formula`, in which x is the cell's own value and each
// column identifier the value of that column in the cell's row, all read from `values`
// (the image shown, or the original one). The result goes into the cell by its field's
// entry rule, rounded to a whole number with halves to the even one; a result the field
// cannot hold leaves its cell as it was and is listed.
FormulaResult applyFormula(tables::TableEdits& edits, const tables::Sheet& sheet,
                           const QList<Cell>& cells, const QString& formula,
                           const QByteArray& values);

} // namespace expressions
