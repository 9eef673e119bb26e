#include "expressions/Formula.h"

#include <cmath>

namespace expressions {
namespace {

QStringList withCellValue(QStringList identifiers) {
    return identifiers << QStringLiteral("x");
}

} // namespace

RowCondition::RowCondition(const tables::Sheet& sheet)
    : sheet_(sheet), expression_(sheet.identifiers()) {}

bool RowCondition::holds(const QByteArray& image, int row) {
    for (const int column : expression_.used())
        expression_.set(column, sheet_.value(image, row, column));
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
    const int cellValue = sheet.columnCount();
    // Every value is read before the first cell changes, so no cell sees another's result.
    QList<double> results;
    for (const Cell& cell : cells) {
        for (const int variable : expression.used())
            expression.set(variable, sheet.value(values, cell.row,
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
