#pragma once

#include "chart/ChartSeries.h"

#include <QPointer>
#include <QWidget>
#include <QXYSeries>

class QAbstractItemModel;
class QCheckBox;
class QComboBox;
class QGraphicsPathItem;
class QRubberBand;
class QTableView;

class QChart;
class QChartView;
class QLineSeries;
class QScatterSeries;

namespace app {

struct TableState;

// The chart beside the table window's grid: one column against another for the records the
// grid shows, with the original and a compared file as fainter series, a trend with its
// outliers, and the grid's selection shown and made by clicking points. It follows the
// grid's rows and values by itself; the window only tells it when another kind is shown.
class ChartPane : public QWidget {
    Q_OBJECT
  public:
    ChartPane(TableState& state, QTableView* grid, QWidget* parent);
    ~ChartPane() override;

    // The grid shows another kind (its model changed).
    void showKind();
    // Another file's values as a third series, until cleared.
    void setComparedImage(const QByteArray& image);
    void clearComparedImage();
    // What the status line says of the chart: the outliers of the trend, or nothing.
    QString statusText() const;
    // The chart as shown, with title and axis names, in a PNG image of `size`.
    bool saveImage(const QString& path, QSize size) const;

    void ChartSaveCMD_Click();

  signals:
    void statusChanged();

  protected:
    void showEvent(QShowEvent* event) override;
    // Dragging over the chart selects the records of the points in the band.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void scheduleRebuild();
    void rebuild();
    void setAxes(bool logY);
    using Looks = QHash<int, QHash<QXYSeries::PointConfiguration, QVariant>>;
    void showTrend(Looks& looks);
    void drawLinks();
    void showSelection();
    QList<int> shownRows() const;
    chart::Images images() const;
    int rowAt(const QXYSeries* series, QPointF value) const;
    void pointHovered(const QXYSeries* series, QPointF value, bool entered);
    void pointClicked(const QXYSeries* series, QPointF value);
    void selectRows(const QList<int>& rows, bool adding);

    TableState& state_;
    QTableView* grid_;
    QPointer<QAbstractItemModel> followed_;
    QComboBox* xAxis_ = nullptr;
    QComboBox* yAxis_ = nullptr;
    QCheckBox* logY_ = nullptr;
    QCheckBox* trend_ = nullptr;
    QChartView* view_ = nullptr;
    QChart* chart_ = nullptr;
    QScatterSeries* current_ = nullptr;
    QScatterSeries* original_ = nullptr;
    QScatterSeries* compared_ = nullptr;
    QLineSeries* trendLine_ = nullptr;
    QGraphicsPathItem* links_ = nullptr;
    QRubberBand* band_ = nullptr;
    QPoint bandStart_;
    std::optional<QByteArray> compare_;
    chart::ChartData data_;
    QString status_;
    bool dirty_ = true;
    bool scheduled_ = false;
};

} // namespace app
