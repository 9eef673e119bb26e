#pragma once

#include "tables/TableEdits.h"

#include <QList>

#include <optional>

namespace chart {

// An axis shows a sheet's column, or the record's row.
constexpr int kRowAxis = -1;

struct Axes {
    int x = kRowAxis;
    int y = kRowAxis;
};

// One record's place in a series; `row` is the sheet's row.
struct Point {
    int row;
    double x;
    double y;
};

// A least-squares line through points, y = intercept + slope * x, or with `exponential`
// ln y = intercept + slope * x. Outliers lie farther than two standard deviations of the
// residuals from it.
struct Trend {
    bool exponential = false;
    double slope = 0;
    double intercept = 0;
    double spread = 0;   // the residuals' standard deviation
    QList<int> outliers; // indexes into the points fitted

    double at(double x) const;
};
// Nothing for fewer than two distinct x values; an exponential fit needs every y above 0.
std::optional<Trend> fitTrend(const QList<Point>& points, bool exponential);

// The columns a chart can show: every column holding a number (a choice by its number).
QList<int> numericColumns(const tables::Sheet& sheet);
// Level where the kind has one, else the row; HP, Attack, Defense or Price, whichever the
// kind has first.
Axes defaultAxes(const tables::Sheet& sheet);
QString axisName(const tables::Sheet& sheet, int axis);

// The images a chart compares: the values shown (edits included), and where there is one,
// the file as it was before the changes made in this editor and another file.
struct Images {
    const QByteArray& shown;
    const QByteArray* original = nullptr;
    const QByteArray* compared = nullptr;
};

struct ChartData {
    QList<Point> current;
    QList<Point> original; // empty without an original image
    QList<Point> compared; // empty without a compared image
    QList<int> pending;    // indexes into `current` whose x or y has an edit not applied
};
// A point per row of `rows` (sheet rows, in order) in each series. A logarithmic Y axis
// cannot show values of 0 or less, so those are left out then.
ChartData chartData(const tables::Sheet& sheet, const tables::TableEdits& edits,
                    const Images& images, const QList<int>& rows, Axes axes, bool logY);

// "Enemy 30 Drakagar — Level 24, HP 27358 (original 12000)": the original and the compared
// value are named where they differ from the value shown.
QString pointText(const tables::Sheet& sheet, const tables::TableEdits& edits, const Images& images,
                  int row, Axes axes);

} // namespace chart
