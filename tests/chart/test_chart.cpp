// The table window's chart on a synthetic image: its series against the file's bytes, edits,
// the original and a compared file, the link to the grid's selection, the trend, and export.
#include "chart/ChartPane.h"
#include "chart/ChartSeries.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"
#include "tableview/TableWindow.h"
#include "ui/EditorSettings.h"

#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QTableView>
#include <QTest>
#include <QToolTip>

namespace {

// Enemy stat records are 23 bytes from 0x0C4700: HP is the word at +0, Level the byte at +2.
QByteArray imageWith(const QList<std::tuple<int, int, int>>& enemies) {
    QByteArray image = synth::makeImage();
    for (const auto& [enemy, hp, level] : enemies) {
        synth::putInteger(image, 0x0C4700 + 23 * enemy, quint16(hp));
        synth::putByte(image, 0x0C4702 + 23 * enemy, quint8(level));
    }
    return image;
}

const QByteArray kImage = imageWith({{5, 4660, 251}, {6, 9, 252}, {7, 700, 253}, {8, 0, 254}});

struct Chart {
    EditorFixture f;
    app::TableWindow* window = nullptr;
    QChartView* view = nullptr;

    // The table window on `image` with the chart shown and the grid filtered.
    explicit Chart(const QByteArray& image = kImage, const QString& filter = "Level > 250") {
        app::editorSettings().remove("Table Columns");
        f.openImage(image);
        f.trigger("mnuTableView");
        window = f.window().findChild<app::TableWindow*>("TableWindow");
        QTest::mouseClick(f.find<QCheckBox>("TableChartCHK", window), Qt::LeftButton);
        QTest::keyClicks(f.find<QLineEdit>("TableFilterTXT", window), filter);
        view = f.find<QChartView>("ChartView", window);
    }
    QScatterSeries* series(int n) const {
        return static_cast<QScatterSeries*>(view->chart()->series().value(n));
    }
    QList<QPointF> points(int n) const {
        return series(n) ? series(n)->points() : QList<QPointF>();
    }
    QTableView* grid() const { return window->findChild<QTableView*>("TableGRD"); }
    // Where the point `value` of the current values is drawn, in the view's viewport.
    QPoint at(QPointF value) const {
        QApplication::processEvents(); // the chart lays itself out anew for a new range
        return view->mapFromScene(view->chart()->mapToScene(view->chart()->mapToPosition(value)));
    }
    // Typed into the cell of view row `row` under HP, then Enter.
    void typeHp(int row, const QString& text) {
        const QModelIndex cell = grid()->model()->index(row, 2 + tables::sheets()[0].find("HP"));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(cell).center());
        QTest::keyClick(grid(), Qt::Key_F2);
        QLineEdit* editor = grid()->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    QString hover(QPointF value) {
        // QTest::mouseMove moves the cursor, which offscreen reaches the topmost window only.
        QMouseEvent move(QEvent::MouseMove, at(value), view->viewport()->mapToGlobal(at(value)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
        return QToolTip::text();
    }
};

} // namespace

class ChartTest : public QObject {
    Q_OBJECT
  private slots:
    void seriesHoldTheFilteredRecords();
    void editsMoveThePointAndTheOriginalStays();
    void pointsAndRowsSelectEachOther();
    void trendLineAndOutliers();
    void savedAsPng();
};

void ChartTest::seriesHoldTheFilteredRecords() {
    Chart chart;
    QTRY_COMPARE(chart.points(0), QList<QPointF>({{251, 4660}, {252, 9}, {253, 700}, {254, 0}}));
    QVERIFY(chart.points(1).isEmpty() && chart.points(2).isEmpty());
    QByteArray other = kImage;
    synth::putInteger(other, 0x0C4700 + 23 * 6, 12000);
    chart.window->findChild<app::ChartPane*>("ChartPane")->setComparedImage(other);
    QTRY_COMPARE(chart.points(2),
                 QList<QPointF>({{251, 4660}, {252, 12000}, {253, 700}, {254, 0}}));
    QVERIFY(chart.hover({252, 9}).endsWith(" \u2014 Level 252, HP 9 (compared 12000)"));
    // A logarithmic axis has no place for 0.
    QTest::mouseClick(chart.f.find<QCheckBox>("ChartLogCHK", chart.window), Qt::LeftButton);
    QTRY_COMPARE(chart.points(0), QList<QPointF>({{251, 4660}, {252, 9}, {253, 700}}));
}

void ChartTest::editsMoveThePointAndTheOriginalStays() {
    Chart chart;
    chart.typeHp(2, "701");
    QTRY_COMPARE(chart.points(0).value(2), QPointF(253, 701));
    QVERIFY(chart.series(0)->pointConfiguration(2).contains(QXYSeries::PointConfiguration::Color));
    QTest::mouseClick(chart.f.find<QPushButton>("TableApplyCMD", chart.window), Qt::LeftButton);
    QCOMPARE(chart.f.fileBytes().mid(0x0C4700 + 23 * 7, 2), QByteArray("\xBD\x02", 2));
    QTest::mouseClick(chart.f.find<QCheckBox>("TableMarkChangesCHK", chart.window), Qt::LeftButton);
    QTRY_COMPARE(chart.points(1).value(2), QPointF(253, 700));
    QCOMPARE(chart.points(0).value(2), QPointF(253, 701));
    QVERIFY(chart.hover({253, 701}).startsWith("Enemy 7 "));
    QVERIFY(QToolTip::text().endsWith(" \u2014 Level 253, HP 701 (original 700)"));
}

void ChartTest::pointsAndRowsSelectEachOther() {
    Chart chart;
    QTRY_COMPARE(chart.points(0).size(), 4);
    QTest::mouseClick(chart.view->viewport(), Qt::LeftButton, {}, chart.at({252, 9}));
    const QModelIndexList rows = chart.grid()->selectionModel()->selectedRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].data().toInt(), 6);
    QCOMPARE(chart.series(0)->selectedPoints(), QList<int>({1}));
    QTableView* grid = chart.grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(2, 2)).center());
    QCOMPARE(chart.series(0)->selectedPoints(), QList<int>({2}));
}

// HP = 100 * Level + 50 for ten enemies, then one of them far off the line.
void ChartTest::trendLineAndOutliers() {
    QList<std::tuple<int, int, int>> line;
    for (int enemy = 0; enemy < 10; ++enemy)
        line.append({enemy, 100 * (200 + enemy) + 50, 200 + enemy});
    const QByteArray image = imageWith(line);
    tables::TableEdits edits;
    edits.load(image);
    const tables::Sheet& enemies = tables::sheets()[0];
    const chart::ChartData data =
        chart::chartData(enemies, edits, {image}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
                         {enemies.find("Level"), enemies.find("HP")}, false);
    const std::optional<chart::Trend> trend = chart::fitTrend(data.current, false);
    QVERIFY(trend && trend->outliers.isEmpty());
    QCOMPARE(trend->slope, 100.0);
    QCOMPARE(trend->at(200), 20050.0);
    line[4] = {4, 60000, 204};
    Chart chart(imageWith(line), "Level >= 200 && Level < 210");
    QTest::mouseClick(chart.f.find<QCheckBox>("ChartTrendCHK", chart.window), Qt::LeftButton);
    QTRY_VERIFY(chart.f.find<QLabel>("TableStatusLBL", chart.window)
                    ->text()
                    .endsWith("; trend outliers beyond two standard deviations: 1"));
    QVERIFY(chart.series(0)->pointConfiguration(4).contains(QXYSeries::PointConfiguration::Size));
}

void ChartTest::savedAsPng() {
    Chart chart;
    const QString path = chart.f.folder() + "/chart.png";
    QTRY_COMPARE(chart.points(0).size(), 4);
    chart.f.answerFileDialogs({path});
    QTest::mouseClick(chart.f.find<QPushButton>("ChartSaveCMD", chart.window), Qt::LeftButton);
    QCOMPARE(QImage(path).size(), chart.view->viewport()->size());
    QVERIFY(chart.window->findChild<app::ChartPane*>("ChartPane")->saveImage(path, {320, 200}));
    const QImage saved(path);
    QCOMPARE(saved.size(), QSize(320, 200));
    QSet<QRgb> colours; // the title, axes and points, not a blank page
    for (int y = 0; y < saved.height(); ++y)
        colours.insert(saved.pixel(saved.width() / 2, y));
    QVERIFY(colours.size() > 3);
}

QTEST_MAIN(ChartTest)
#include "test_chart.moc"
