#pragma once

#include <QModelIndexList>
#include <QString>

namespace app {

// What a spreadsheet's status line tells of the selected numbers: "Count 3 · Sum 600 · Min 100
// · Max 300 · Mean 200". Only cells of value columns that show a number count; choices, check
// boxes, Row and Name do not.
struct SelectionSummary {
    int count = 0;
    qint64 sum = 0;
    qint64 min = 0;
    qint64 max = 0;

    explicit SelectionSummary(const QModelIndexList& cells);
    // Empty with fewer than two numbers: one number is already in plain view.
    QString text() const;
};

} // namespace app
