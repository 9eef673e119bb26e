#include "spreadsheet/GridCells.h"

#include "grid/TableModel.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>
#include <map>

namespace app {
namespace {

// A refusal lists this many cells and counts the rest.
constexpr int kListedCells = 20;

QString cellText(const QModelIndex& index) {
    const QString shown = index.data(Qt::DisplayRole).toString();
    return shown.isEmpty() ? index.data(Qt::EditRole).toString() : shown;
}

bool isNumber(const QString& text) {
    bool number = false;
    text.toDouble(&number);
    return number;
}

// A choice's row text as its number; other text as it is.
QString choiceValue(const QModelIndex& index, const QString& text) {
    if (isNumber(text))
        return text;
    const QStringList texts = index.data(TableModel::ChoiceTextsRole).toStringList();
    for (qsizetype n = 0; n < texts.size(); ++n)
        if (texts[n].compare(text, Qt::CaseInsensitive) == 0)
            return index.data(TableModel::ChoiceValuesRole).toList()[n].toString();
    return text;
}

} // namespace

QString CellsResult::message() const {
    QStringList parts;
    if (!refused.isEmpty()) {
        QString list = refused.mid(0, kListedCells).join(QLatin1Char('\n'));
        if (refused.size() > kListedCells)
            list += QStringLiteral("\n... and %1 more.").arg(refused.size() - kListedCells);
        parts << QStringLiteral("%1 cells cannot hold what was given and were left as they "
                                "were:\n%2")
                     .arg(refused.size())
                     .arg(list);
    }
    if (rowsCut > 0 || columnsCut > 0)
        parts << QStringLiteral("The pasted block goes past the end of the table: %1 rows and %2 "
                                "columns were left out.")
                     .arg(rowsCut)
                     .arg(columnsCut);
    return parts.join(QStringLiteral("\n\n"));
}

QList<QStringList> tabSeparated(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    QList<QStringList> rows;
    for (const QString& line : lines.split(QLatin1Char('\n')))
        rows << line.split(QLatin1Char('\t'));
    return rows;
}

GridCells::GridCells(QTableView& grid, TableFilter& filter, tables::TableEdits& edits)
    : grid_(grid), filter_(filter), edits_(edits) {}

QList<int> GridCells::shownColumns() const {
    const QHeaderView* header = grid_.horizontalHeader();
    QList<int> columns;
    for (int visual = 0; visual < header->count(); ++visual)
        if (!header->isSectionHidden(header->logicalIndex(visual)))
            columns << header->logicalIndex(visual);
    return columns;
}

QModelIndexList GridCells::selected() const {
    QModelIndexList cells = grid_.selectionModel()->selectedIndexes();
    if (cells.isEmpty() && grid_.currentIndex().isValid())
        cells << grid_.currentIndex();
    return cells;
}

QString GridCells::copy() const {
    const QModelIndexList cells = selected();
    if (cells.isEmpty())
        return QString();
    const QList<int> columns = shownColumns();
    int top = filter_.rowCount(), bottom = -1, left = int(columns.size()), right = -1;
    for (const QModelIndex& index : cells) {
        const int at = int(columns.indexOf(index.column()));
        if (at < 0)
            continue;
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, at);
        right = std::max(right, at);
    }
    QStringList lines;
    bool wholeColumns = true;
    QStringList header;
    for (int at = left; at <= right; ++at) {
        wholeColumns = wholeColumns && grid_.selectionModel()->isColumnSelected(columns[at]);
        header << filter_.headerData(columns[at], Qt::Horizontal).toString();
    }
    if (wholeColumns)
        lines << header.join(QLatin1Char('\t'));
    const QItemSelectionModel* selection = grid_.selectionModel();
    for (int row = top; row <= bottom; ++row) {
        QStringList line;
        for (int at = left; at <= right; ++at) {
            const QModelIndex index = filter_.index(row, columns[at]);
            line << (selection->isSelected(index) || cells.size() == 1 ? cellText(index)
                                                                       : QString());
        }
        lines << line.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void GridCells::enter(const QModelIndex& index, const QString& given, CellsResult& result) {
    const QString text = given.trimmed();
    const int column = TableModel::sheetColumn(index.column());
    const QModelIndex source = filter_.mapToSource(index);
    const auto* model = static_cast<const TableModel*>(filter_.sourceModel());
    const tables::Sheet& sheet = model->sheet();
    if (column < 0) {
        if (text != cellText(index))
            result.refused << QStringLiteral("%1, %2: %3 (is not changed in the table.)")
                                  .arg(
                                      edits_.label(sheet, source.row()),
                                      filter_.headerData(index.column(), Qt::Horizontal).toString(),
                                      text);
        return;
    }
    const QString refusal = edits_.enter(sheet, source.row(), column, choiceValue(index, text));
    if (refusal.isEmpty()) {
        ++result.set;
        return;
    }
    result.refused << QStringLiteral("%1, %2: %3 (%4)")
                          .arg(edits_.label(sheet, source.row()), sheet.column(column).name, text,
                               refusal);
}

CellsResult GridCells::paste(const QString& text) {
    const QList<QStringList> block = tabSeparated(text);
    CellsResult result;
    const QModelIndexList cells = selected();
    if (block.size() == 1 && block[0].size() == 1 && cells.size() > 1)
        return setSelected(block[0][0]);
    QModelIndex start = grid_.currentIndex();
    if (!start.isValid() && !cells.isEmpty())
        start = cells.first();
    if (!start.isValid())
        return result;
    const QList<int> columns = shownColumns();
    const int left = int(columns.indexOf(start.column()));
    for (qsizetype line = 0; line < block.size(); ++line) {
        const int row = start.row() + int(line);
        if (row >= filter_.rowCount()) {
            result.rowsCut = int(block.size() - line);
            break;
        }
        for (qsizetype cell = 0; cell < block[line].size(); ++cell) {
            if (left + cell >= columns.size()) {
                result.columnsCut = std::max(result.columnsCut, int(block[line].size() - cell));
                break;
            }
            enter(filter_.index(row, columns[left + cell]), block[line][cell], result);
        }
    }
    return result;
}

CellsResult GridCells::fillDown() {
    std::map<int, QModelIndexList> byColumn;
    for (const QModelIndex& index : selected())
        byColumn[index.column()] << index;
    CellsResult result;
    for (auto& [column, cells] : byColumn) {
        if (TableModel::sheetColumn(column) < 0)
            continue;
        std::sort(cells.begin(), cells.end(),
                  [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
        const QString top = cells.first().data(Qt::EditRole).toString();
        for (qsizetype n = 1; n < cells.size(); ++n)
            enter(cells[n], top, result);
    }
    return result;
}

CellsResult GridCells::setSelected(const QString& text) {
    CellsResult result;
    for (const QModelIndex& index : selected())
        if (TableModel::sheetColumn(index.column()) >= 0)
            enter(index, text, result);
    return result;
}

} // namespace app
