#include "chart/ChartSeries.h"

#include <cmath>

namespace chart {
namespace {

int axisValue(const tables::Sheet& sheet, const QByteArray& image, int row, int axis) {
    return axis == kRowAxis ? sheet.recordRow(row) : sheet.value(image, row, axis);
}

QList<Point> pointsIn(const tables::Sheet& sheet, const QByteArray& image, const QList<int>& rows,
                      Axes axes, bool logY) {
    QList<Point> points;
    points.reserve(rows.size());
    for (const int row : rows) {
        const Point point{row, double(axisValue(sheet, image, row, axes.x)),
                          double(axisValue(sheet, image, row, axes.y))};
        if (!logY || point.y > 0)
            points.append(point);
    }
    return points;
}

int firstNamed(const tables::Sheet& sheet, const QStringList& names) {
    const QList<int> columns = numericColumns(sheet);
    for (const QString& name : names)
        for (const int column : columns)
            if (sheet.column(column).name.startsWith(name))
                return column;
    return columns.value(0, kRowAxis);
}

} // namespace

double Trend::at(double x) const {
    const double y = intercept + slope * x;
    return exponential ? std::exp(y) : y;
}

std::optional<Trend> fitTrend(const QList<Point>& points, bool exponential) {
    const auto yOf = [exponential](const Point& p) { return exponential ? std::log(p.y) : p.y; };
    const double n = double(points.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const Point& p : points) {
        if (exponential && p.y <= 0)
            return std::nullopt;
        sx += p.x;
        sy += yOf(p);
        sxx += p.x * p.x;
        sxy += p.x * yOf(p);
    }
    const double denominator = n * sxx - sx * sx;
    if (points.size() < 2 || std::abs(denominator) < 1e-9)
        return std::nullopt;
    Trend trend;
    trend.exponential = exponential;
    trend.slope = (n * sxy - sx * sy) / denominator;
    trend.intercept = (sy - trend.slope * sx) / n;
    const auto residual = [&](const Point& p) {
        return yOf(p) - (trend.intercept + trend.slope * p.x);
    };
    double squares = 0;
    for (const Point& p : points)
        squares += residual(p) * residual(p);
    trend.spread = std::sqrt(squares / n);
    for (int i = 0; i < points.size(); ++i)
        if (std::abs(residual(points[i])) > 2 * trend.spread + 1e-9)
            trend.outliers.append(i);
    return trend;
}

QList<int> numericColumns(const tables::Sheet& sheet) {
    QList<int> columns;
    for (int column = 0; column < sheet.columnCount(); ++column)
        if (sheet.column(column).kind == tables::Column::Kind::Value &&
            sheet.place(0, column).view.encoding != rom::Encoding::Bytes)
            columns.append(column);
    return columns;
}

Axes defaultAxes(const tables::Sheet& sheet) {
    const int level = sheet.find(QStringLiteral("Level"));
    return {level >= 0 ? level : kRowAxis,
            firstNamed(sheet, {QStringLiteral("HP"), QStringLiteral("Attack"),
                               QStringLiteral("Defense"), QStringLiteral("Price")})};
}

QString axisName(const tables::Sheet& sheet, int axis) {
    return axis == kRowAxis ? QStringLiteral("Row") : sheet.column(axis).name;
}

ChartData chartData(const tables::Sheet& sheet, const tables::TableEdits& edits,
                    const Images& images, const QList<int>& rows, Axes axes, bool logY) {
    ChartData data;
    data.current = pointsIn(sheet, images.shown, rows, axes, logY);
    if (images.original)
        data.original = pointsIn(sheet, *images.original, rows, axes, logY);
    if (images.compared)
        data.compared = pointsIn(sheet, *images.compared, rows, axes, logY);
    const auto edited = [&](int row, int axis) {
        return axis != kRowAxis && edits.isEdited(sheet, row, axis);
    };
    for (int i = 0; i < data.current.size(); ++i)
        if (edited(data.current[i].row, axes.x) || edited(data.current[i].row, axes.y))
            data.pending.append(i);
    return data;
}

QString pointText(const tables::Sheet& sheet, const tables::TableEdits& edits, const Images& images,
                  int row, Axes axes) {
    const int y = axisValue(sheet, images.shown, row, axes.y);
    QStringList others;
    const auto add = [&](const char* word, const QByteArray* image) {
        const int other = image ? axisValue(sheet, *image, row, axes.y) : y;
        if (other != y)
            others << QStringLiteral("%1 %2").arg(QLatin1String(word)).arg(other);
    };
    add("original", images.original);
    add("compared", images.compared);
    QString text = QStringLiteral("%1 \u2014 %2 %3, %4 %5")
                       .arg(edits.label(sheet, row), axisName(sheet, axes.x))
                       .arg(axisValue(sheet, images.shown, row, axes.x))
                       .arg(axisName(sheet, axes.y))
                       .arg(y);
    if (!others.isEmpty())
        text += QStringLiteral(" (%1)").arg(others.join(QStringLiteral(", ")));
    return text;
}

} // namespace chart
