#include "chart/ChartPane.h"

#include "grid/TableModel.h"
#include "rom/Plural.h"
#include "ui/Dialogs.h"
#include "ui/EditorSettings.h"

#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QGraphicsPathItem>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRubberBand>
#include <QScatterSeries>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>

#include <cmath>

namespace app {
namespace {

const QColor kCurrent(32, 96, 192);
const QColor kPending(235, 150, 0); // the grid's tint for edits, dark enough to see on white
const QColor kOriginal(110, 110, 110, 110);
const QColor kCompared(30, 150, 70, 150);
const QColor kTrend(200, 40, 40);
constexpr double kMarker = 9;
const char* const kWidthKey = "Table Chart/Width";

QList<QPointF> pointsOf(const QList<chart::Point>& points) {
    QList<QPointF> values;
    values.reserve(points.size());
    for (const chart::Point& point : points)
        values.append({point.x, point.y});
    return values;
}

QScatterSeries* scatter(QChart* chart, const QString& name, const QColor& color, double size) {
    auto* series = new QScatterSeries(chart);
    series->setName(name);
    series->setColor(color);
    series->setBorderColor(color);
    series->setMarkerSize(size);
    chart->addSeries(series);
    return series;
}

// The smallest and largest x and y of every series; 0 to 1 and 1 to 2 when they are empty.
std::pair<QPointF, QPointF> rangeOf(const QList<QList<QPointF>>& series) {
    QPointF low(0, 1), high(1, 2);
    bool first = true;
    for (const QList<QPointF>& points : series)
        for (const QPointF& p : points) {
            low = first ? p : QPointF(std::min(low.x(), p.x()), std::min(low.y(), p.y()));
            high = first ? p : QPointF(std::max(high.x(), p.x()), std::max(high.y(), p.y()));
            first = false;
        }
    return {low, high};
}

// The axis spans `from` to `to` with a margin, from 0 with `fromZero` and no value below it,
// its ticks at round numbers counted from 0 (a point on the axis line could not be hovered).
void span(QAbstractAxis* axis, double from, double to, bool fromZero) {
    const double pad = std::max(1.0, (to - from) * 0.04);
    from = fromZero && from >= 0 ? 0.0 : from;
    const double raw = (to - from + 2 * pad) / 5;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    const double step = raw > 5 * decade   ? 10 * decade
                        : raw > 2 * decade ? 5 * decade
                        : raw > decade     ? 2 * decade
                                           : decade;
    auto* values = static_cast<QValueAxis*>(axis);
    values->setTickType(QValueAxis::TicksDynamic);
    values->setTickAnchor(0);
    values->setTickInterval(std::max(1.0, step));
    values->setRange(from - pad, to + pad);
}

QAbstractItemModel* sourceOf(QAbstractItemModel* model) {
    auto* proxy = qobject_cast<QSortFilterProxyModel*>(model);
    return proxy ? proxy->sourceModel() : nullptr;
}

} // namespace

ChartPane::ChartPane(TableState& state, QTableView* grid, QWidget* parent)
    : QWidget(parent), state_(state), grid_(grid) {
    setObjectName("ChartPane");
    buildControls();
    if (auto* split = qobject_cast<QSplitter*>(parent)) {
        split->addWidget(this);
        connect(split, &QSplitter::splitterMoved, this,
                [this] { editorSettings().setValue(kWidthKey, width()); });
    }
}

ChartPane::~ChartPane() = default;

void ChartPane::buildControls() {
    xAxis_ = new QComboBox(this);
    xAxis_->setObjectName("ChartXCBO");
    yAxis_ = new QComboBox(this);
    yAxis_->setObjectName("ChartYCBO");
    logY_ = new QCheckBox(QStringLiteral("log Y"), this);
    logY_->setObjectName("ChartLogCHK");
    trend_ = new QCheckBox(QStringLiteral("Trend"), this);
    trend_->setObjectName("ChartTrendCHK");
    auto* save = new QPushButton(QStringLiteral("Save Chart..."), this);
    save->setObjectName("ChartSaveCMD");

    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignBottom);
    current_ = scatter(chart_, QStringLiteral("Current values"), kCurrent, kMarker);
    current_->setSelectedColor(QColor(220, 30, 30));
    original_ = scatter(chart_, QStringLiteral("Original"), kOriginal, kMarker - 2);
    compared_ = scatter(chart_, QStringLiteral("Compared file"), kCompared, kMarker - 2);
    trendLine_ = new QLineSeries(chart_);
    trendLine_->setName(QStringLiteral("Trend"));
    trendLine_->setPen(QPen(kTrend, 1.5, Qt::DashLine));
    chart_->addSeries(trendLine_);
    auto* x = new QValueAxis(chart_);
    x->setLabelFormat(QStringLiteral("%g"));
    chart_->addAxis(x, Qt::AlignBottom);
    for (QAbstractSeries* series : chart_->series())
        series->attachAxis(x);
    setAxes(false);
    links_ = new QGraphicsPathItem(chart_);
    links_->setPen(QPen(QColor(90, 90, 90, 160), 0.8));
    links_->setAcceptedMouseButtons(Qt::NoButton);
    view_ = new QChartView(chart_, this);
    view_->setObjectName("ChartView");
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(240, 200);
    band_ = new QRubberBand(QRubberBand::Rectangle, view_->viewport());
    view_->viewport()->installEventFilter(this);

    auto* controls = new QHBoxLayout;
    for (QWidget* control : {static_cast<QWidget*>(xAxis_), static_cast<QWidget*>(yAxis_)})
        controls->addWidget(control, 1);
    controls->addWidget(logY_);
    controls->addWidget(trend_);
    controls->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);

    for (QComboBox* axis : {xAxis_, yAxis_})
        connect(axis, &QComboBox::currentIndexChanged, this, &ChartPane::scheduleRebuild);
    connect(logY_, &QCheckBox::toggled, this, [this](bool on) {
        setAxes(on);
        scheduleRebuild();
    });
    connect(trend_, &QCheckBox::toggled, this, &ChartPane::scheduleRebuild);
    connect(save, &QPushButton::clicked, this, &ChartPane::ChartSaveCMD_Click);
    connect(chart_, &QChart::plotAreaChanged, this, &ChartPane::drawLinks);
    for (QXYSeries* series : {current_, original_, compared_}) {
        connect(series, &QXYSeries::hovered, this, [this, series](QPointF value, bool entered) {
            pointHovered(series, value, entered);
        });
        connect(series, &QXYSeries::clicked, this,
                [this, series](QPointF value) { pointClicked(series, value); });
    }
}

// Y is counted in decades when `logY` (its values span several).
void ChartPane::setAxes(bool logY) {
    for (QAbstractAxis* axis : chart_->axes(Qt::Vertical)) {
        chart_->removeAxis(axis);
        delete axis;
    }
    QAbstractAxis* y = nullptr;
    if (logY) {
        auto* log = new QLogValueAxis(chart_);
        log->setLabelFormat(QStringLiteral("%g"));
        log->setMinorTickCount(-1);
        y = log;
    } else {
        y = new QValueAxis(chart_);
        static_cast<QValueAxis*>(y)->setLabelFormat(QStringLiteral("%g"));
    }
    chart_->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : chart_->series())
        series->attachAxis(y);
}

void ChartPane::showKind() {
    if (followed_)
        disconnect(followed_.data(), nullptr, this, nullptr);
    followed_ = grid_->model();
    auto* model = qobject_cast<TableModel*>(sourceOf(followed_));
    if (!model)
        return;
    QAbstractItemModel* rows = followed_.data();
    connect(rows, &QAbstractItemModel::layoutChanged, this, &ChartPane::scheduleRebuild);
    connect(rows, &QAbstractItemModel::modelReset, this, &ChartPane::scheduleRebuild);
    connect(rows, &QAbstractItemModel::dataChanged, this, &ChartPane::scheduleRebuild);
    connect(rows, &QAbstractItemModel::rowsInserted, this, &ChartPane::scheduleRebuild);
    connect(rows, &QAbstractItemModel::rowsRemoved, this, &ChartPane::scheduleRebuild);
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ChartPane::showSelection);

    const tables::Sheet& sheet = model->sheet();
    const chart::Axes axes = chart::defaultAxes(sheet);
    const QSignalBlocker blockX(xAxis_), blockY(yAxis_);
    xAxis_->clear();
    yAxis_->clear();
    xAxis_->addItem(chart::axisName(sheet, chart::kRowAxis), chart::kRowAxis);
    for (const int column : chart::numericColumns(sheet)) {
        xAxis_->addItem(chart::axisName(sheet, column), column);
        yAxis_->addItem(chart::axisName(sheet, column), column);
    }
    xAxis_->setCurrentIndex(xAxis_->findData(axes.x));
    yAxis_->setCurrentIndex(yAxis_->findData(axes.y));
    scheduleRebuild();
}

void ChartPane::setComparedImage(const QByteArray& image) {
    compare_ = image;
    scheduleRebuild();
}

void ChartPane::clearComparedImage() {
    compare_.reset();
    scheduleRebuild();
}

QString ChartPane::statusText() const {
    return isHidden() ? QString() : status_;
}

// Edits, the filter and sorting come in bursts of signals: the chart follows once.
void ChartPane::scheduleRebuild() {
    dirty_ = true;
    if (!isVisible() || scheduled_)
        return;
    scheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        scheduled_ = false;
        if (dirty_ && isVisible())
            rebuild();
    });
}

void ChartPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Beside the grid, at the width the user left it, or at half of the window's.
    auto* split = qobject_cast<QSplitter*>(parentWidget());
    if (split && split->count() == 2) {
        const int pane = editorSettings().value(kWidthKey, split->width() / 2).toInt();
        split->setSizes({split->width() - pane, pane});
    }
    if (dirty_)
        rebuild();
}

// The grid's rows as the filter and sort leave them, as the sheet's rows.
QList<int> ChartPane::shownRows() const {
    QList<int> rows;
    auto* proxy = qobject_cast<QSortFilterProxyModel*>(followed_.data());
    for (int row = 0; proxy && row < proxy->rowCount(); ++row)
        rows.append(proxy->mapToSource(proxy->index(row, 0)).row());
    return rows;
}

chart::Images ChartPane::images() const {
    return {state_.edits.shown(), state_.original ? &*state_.original : nullptr,
            compare_ ? &*compare_ : nullptr};
}

void ChartPane::rebuild() {
    dirty_ = false;
    auto* model = qobject_cast<TableModel*>(sourceOf(followed_));
    if (!model)
        return;
    const tables::Sheet& sheet = model->sheet();
    const chart::Axes axes{xAxis_->currentData().toInt(), yAxis_->currentData().toInt()};
    data_ = chart::chartData(sheet, state_.edits, images(), shownRows(), axes, logY_->isChecked());
    const QList<QList<QPointF>> values{pointsOf(data_.current), pointsOf(data_.original),
                                       pointsOf(data_.compared)};
    const QList<QScatterSeries*> series{current_, original_, compared_};
    for (int n = 0; n < series.size(); ++n) {
        series[n]->replace(values[n]);
        series[n]->setVisible(n == 0 || !values[n].isEmpty());
    }
    Looks looks;
    for (const int index : data_.pending)
        looks[index][QXYSeries::PointConfiguration::Color] = kPending;
    showTrend(looks);
    current_->setPointsConfiguration(looks);

    const auto [low, high] = rangeOf(values);
    QAbstractAxis* x = chart_->axes(Qt::Horizontal).value(0);
    QAbstractAxis* y = chart_->axes(Qt::Vertical).value(0);
    span(x, low.x(), high.x(), false);
    if (logY_->isChecked())
        y->setRange(low.y() / 1.5, high.y() * 1.5);
    else
        span(y, low.y(), high.y(), true);
    x->setTitleText(chart::axisName(sheet, axes.x));
    y->setTitleText(chart::axisName(sheet, axes.y));
    QString kind = sheet.name();
    kind[0] = kind[0].toUpper();
    chart_->setTitle(
        QStringLiteral("%1: %2 against %3")
            .arg(kind, chart::axisName(sheet, axes.y), chart::axisName(sheet, axes.x)));
    showSelection();
    drawLinks();
    emit statusChanged();
}

// The least-squares line over the current values, exponential under a logarithmic Y; its
// outliers drawn larger.
void ChartPane::showTrend(Looks& looks) {
    status_.clear();
    const std::optional<chart::Trend> trend =
        trend_->isChecked() ? chart::fitTrend(data_.current, logY_->isChecked()) : std::nullopt;
    trendLine_->setVisible(trend.has_value());
    if (!trend) {
        trendLine_->clear();
        return;
    }
    const auto [low, high] = rangeOf({pointsOf(data_.current)});
    const int steps = trend->exponential ? 32 : 1;
    QList<QPointF> line;
    for (int step = 0; step <= steps; ++step) {
        const double x = low.x() + (high.x() - low.x()) * step / steps;
        line.append({x, trend->at(x)});
    }
    trendLine_->replace(line);
    for (const int index : trend->outliers)
        looks[index][QXYSeries::PointConfiguration::Size] = kMarker * 1.8;
    status_ = QStringLiteral("trend outliers beyond two standard deviations: %1")
                  .arg(trend->outliers.size());
}

// A thin line from a record's original or compared point to its current one, where they differ.
void ChartPane::drawLinks() {
    QHash<int, QPointF> current;
    for (const chart::Point& point : data_.current)
        current.insert(point.row, {point.x, point.y});
    QPainterPath path;
    for (const QList<chart::Point>* other : {&data_.original, &data_.compared})
        for (const chart::Point& point : *other) {
            const auto to = current.constFind(point.row);
            const QPointF from(point.x, point.y);
            if (to == current.constEnd() || *to == from)
                continue;
            path.moveTo(chart_->mapToPosition(from, current_));
            path.lineTo(chart_->mapToPosition(*to, current_));
        }
    links_->setPath(path);
}

void ChartPane::showSelection() {
    if (!grid_->selectionModel())
        return;
    QSet<int> rows;
    auto* proxy = qobject_cast<QSortFilterProxyModel*>(followed_.data());
    for (const QModelIndex& index : grid_->selectionModel()->selectedIndexes())
        rows.insert(proxy ? proxy->mapToSource(index).row() : index.row());
    QList<int> points;
    for (int i = 0; i < data_.current.size(); ++i)
        if (rows.contains(data_.current[i].row))
            points.append(i);
    current_->deselectAllPoints();
    current_->selectPoints(points);
}

// The sheet's row of the point at `value` in `series`; -1 for none.
int ChartPane::rowAt(const QXYSeries* series, QPointF value) const {
    const QList<chart::Point>& points = series == current_    ? data_.current
                                        : series == original_ ? data_.original
                                                              : data_.compared;
    for (const chart::Point& point : points)
        if (point.x == value.x() && point.y == value.y())
            return point.row;
    return -1;
}

void ChartPane::pointHovered(const QXYSeries* series, QPointF value, bool entered) {
    auto* model = qobject_cast<TableModel*>(sourceOf(followed_));
    const int row = rowAt(series, value);
    if (!entered || !model || row < 0) {
        QToolTip::hideText();
        return;
    }
    const chart::Axes axes{xAxis_->currentData().toInt(), yAxis_->currentData().toInt()};
    QToolTip::showText(QCursor::pos(),
                       chart::pointText(model->sheet(), state_.edits, images(), row, axes), view_);
}

// A click selects the point's record in the grid; with Ctrl it is added or taken away.
void ChartPane::pointClicked(const QXYSeries* series, QPointF value) {
    const int row = rowAt(series, value);
    if (row >= 0)
        selectRows({row}, QGuiApplication::keyboardModifiers() & Qt::ControlModifier);
}

void ChartPane::selectRows(const QList<int>& rows, bool adding) {
    auto* proxy = qobject_cast<QSortFilterProxyModel*>(followed_.data());
    if (!proxy || rows.isEmpty())
        return;
    QItemSelection selection;
    for (const int row : rows) {
        const QModelIndex index = proxy->mapFromSource(proxy->sourceModel()->index(row, 0));
        selection.select(index, index);
    }
    const QModelIndex first = selection.indexes().value(0);
    QItemSelectionModel* selected = grid_->selectionModel();
    selected->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    selected->select(selection,
                     (adding ? QItemSelectionModel::Toggle : QItemSelectionModel::ClearAndSelect) |
                         QItemSelectionModel::Rows);
    grid_->scrollTo(first);
}

bool ChartPane::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QRect band = QRect(bandStart_, mouse->position().toPoint()).normalized();
    switch (type) {
    case QEvent::MouseButtonPress:
        bandStart_ = mouse->position().toPoint();
        band_->setGeometry(QRect(bandStart_, QSize()));
        break;
    case QEvent::MouseMove:
        if (mouse->buttons() & Qt::LeftButton) {
            band_->setGeometry(band);
            band_->setVisible(band.width() > 4 || band.height() > 4);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (band_->isVisible()) {
            band_->hide();
            QList<int> rows;
            for (const chart::Point& point : data_.current)
                if (band.contains(view_->mapFromScene(
                        chart_->mapToScene(chart_->mapToPosition({point.x, point.y}, current_)))))
                    rows.append(point.row);
            selectRows(rows, mouse->modifiers() & Qt::ControlModifier);
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool ChartPane::saveImage(const QString& path, QSize size) const {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    view_->render(&painter, QRectF(QPointF(0, 0), size), view_->viewport()->rect(),
                  Qt::IgnoreAspectRatio);
    painter.end();
    return image.save(path, "PNG");
}

void ChartPane::ChartSaveCMD_Click() {
    auto* model = qobject_cast<TableModel*>(sourceOf(followed_));
    const QString proposed =
        (model ? model->sheet().name() : QString()) + QStringLiteral("-chart.png");
    QString path = ui::askSaveFileName(this, QStringLiteral("PNG image (*.png)"), proposed);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    if (!saveImage(path, view_->viewport()->size()))
        ui::showWarning(this, QStringLiteral("The chart cannot be written to %1.").arg(path));
}

} // namespace app
