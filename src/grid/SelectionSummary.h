#pragma once

#include <QItemSelection>
#include <QString>

class QAbstractProxyModel;

namespace app {

class TableModel;

// What a spreadsheet's status line tells of the selected numbers: "Count 3 · Sum 600 · Min 100
// · Max 300 · Mean 200". Only cells of value columns that show a number count; choices, check
// boxes, Row and Name do not.
struct SelectionSummary {
    int count = 0;
    qint64 sum = 0;
    qint64 min = 0;
    qint64 max = 0;

    // `selection` is of the grid's rows as `rows` shows them over `model`. The numbers are
    // read as values, not as the cells' text: a big selection is summed after every edit.
    SelectionSummary(const QItemSelection& selection, const QAbstractProxyModel& rows,
                     const TableModel& model);
    // Empty with fewer than two numbers: one number is already in plain view.
    QString text() const;

  private:
    void add(qint64 value);
};

} // namespace app
