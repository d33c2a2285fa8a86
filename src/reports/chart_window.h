#pragma once

#include "platform/tool_window.h"
#include "reports/results_chart.h"

#include <QImage>

class QBarCategoryAxis;
class QBarSeries;
class QChart;
class QChartView;
class QLineSeries;
class QPainter;
class QRectF;
class QValueAxis;

namespace zq {

class Application;

// GRAPH: the tally's results as a chart, modal over the results list. The
// ten largest keys as bars per month; the month totals and the rest of the
// keys (その他) as lines on an axis of their own; printed or saved as PNG or
// PDF as shown.
class ChartWindow : public SecondaryWindow
{
    Q_OBJECT
public:
    ChartWindow(Application &app, ToolWindow *owner);

    QChart *chart() const { return m_chart; }
    ChartMeasure measure() const { return m_measure; }
    // The chart as shown, `scale` times the size of the view.
    QImage renderImage(int scale = 2) const;

protected:
    void activated() override;

private:
    void showMeasure(ChartMeasure measure);
    void paintChart(QPainter &painter, const QRectF &page) const;
    void print(bool pdf);
    void savePng();

    Application &m_app;
    ChartMeasure m_measure = ChartMeasure::Amounts;
    QChartView *m_view = nullptr;
    QChart *m_chart = nullptr;
    QBarSeries *m_bars = nullptr;
    QLineSeries *m_totals = nullptr;
    QLineSeries *m_others = nullptr; // その他, on the totals' axis
    QBarCategoryAxis *m_monthAxis = nullptr;
    QValueAxis *m_barAxis = nullptr;
    QValueAxis *m_totalAxis = nullptr;
};

} // namespace zq
