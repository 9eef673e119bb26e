#include "grid/SelectionSummary.h"

#include "grid/TableModel.h"

#include <QAbstractProxyModel>

#include <algorithm>
#include <cmath>

namespace app {

SelectionSummary::SelectionSummary(const QItemSelection& selection, const QAbstractProxyModel& rows,
                                   const TableModel& model) {
    for (const QItemSelectionRange& range : selection)
        for (int row = range.top(); row <= range.bottom(); ++row) {
            const int source = rows.mapToSource(rows.index(row, 0)).row();
            for (int column = range.left(); column <= range.right(); ++column)
                if (const std::optional<int> value = model.number(source, column))
                    add(*value);
        }
}

void SelectionSummary::add(qint64 value) {
    min = count == 0 ? value : std::min(min, value);
    max = count == 0 ? value : std::max(max, value);
    sum += value;
    ++count;
}

QString SelectionSummary::text() const {
    if (count < 2)
        return QString();
    const double mean = std::round(double(sum) / count * 100) / 100;
    return QStringLiteral("Count %1 · Sum %2 · Min %3 · Max %4 · Mean %5")
        .arg(count)
        .arg(sum)
        .arg(min)
        .arg(max)
        .arg(QString::number(mean, 'g', 15));
}

} // namespace app
