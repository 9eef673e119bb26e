#include "expressions/Formula.h"

#include "expressions/Names.h"

#include <cmath>

namespace expressions {
namespace {

// The columns, then a row's own number, then (in formulas) the cell's own value.
QStringList withRow(QStringList identifiers) {
    return identifiers << kRowName;
}

QStringList withCellValue(QStringList identifiers) {
    return withRow(identifiers) << QStringLiteral("x");
}

double valueOf(const tables::Sheet& sheet, const QByteArray& image, int row, int variable) {
    return variable == sheet.columnCount() ? sheet.recordRow(row)
                                           : sheet.value(image, row, variable);
}

} // namespace

RowCondition::RowCondition(const tables::Sheet& sheet)
    : sheet_(sheet), expression_(withRow(sheet.identifiers())) {}

bool RowCondition::holds(const QByteArray& image, int row) {
    for (const int column : expression_.used())
        expression_.set(column, valueOf(sheet_, image, row, column));
    const double value = expression_.evaluate();
    return value != 0 && !std::isnan(value);
}

FormulaResult applyFormula(tables::TableEdits& edits, const tables::Sheet& sheet,
                           const QList<Cell>& cells, const QString& formula,
                           const QByteArray& values) {
    FormulaResult result;
    Expression expression(withCellValue(sheet.identifiers()));
    result.error = expression.parse(formula);
    if (!result.error.isEmpty())
        return result;
    const int cellValue = sheet.columnCount() + 1;
    // Every value is read before the first cell changes, so no cell sees another's result.
    QList<double> results;
    for (const Cell& cell : cells) {
        for (const int variable : expression.used())
            expression.set(variable, valueOf(sheet, values, cell.row,
                                             variable == cellValue ? cell.column : variable));
        results << expression.evaluate();
    }
    for (qsizetype n = 0; n < cells.size(); ++n) {
        const Cell& cell = cells[n];
        // The entry rule reads a fraction and rounds it; 17 places keep every double apart
        // from the half below or above it.
        const QString refusal =
            edits.enter(sheet, cell.row, cell.column, QString::number(results[n], 'f', 17));
        if (refusal.isEmpty()) {
            ++result.set;
            continue;
        }
        result.refused << QStringLiteral("%1, %2: %3 (%4)")
                              .arg(edits.label(sheet, cell.row), sheet.column(cell.column).name,
                                   QString::number(results[n], 'g', 12), refusal);
    }
    return result;
}

} // namespace expressions
