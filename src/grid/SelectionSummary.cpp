#include "grid/SelectionSummary.h"

#include "grid/TableModel.h"

#include <algorithm>
#include <cmath>

namespace app {

SelectionSummary::SelectionSummary(const QModelIndexList& cells) {
    for (const QModelIndex& index : cells) {
        if (TableModel::sheetColumn(index.column()) < 0)
            continue;
        bool number = false;
        const qint64 value = index.data(Qt::DisplayRole).toString().toLongLong(&number);
        if (!number)
            continue;
        min = count == 0 ? value : std::min(min, value);
        max = count == 0 ? value : std::max(max, value);
        sum += value;
        ++count;
    }
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
