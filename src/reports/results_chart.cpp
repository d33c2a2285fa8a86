#include "reports/results_chart.h"

#include "common/format.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zq {

namespace {

QString monthCaption(int calendarMonth)
{
    return FormatNumber(calendarMonth, u"0") + QStringLiteral("月度");
}

void extend(ChartRange &range, const QVector<double> &values)
{
    for (double v : values) {
        range.low = std::min(range.low, v);
        range.high = std::max(range.high, v);
    }
}

ChartRange nonEmpty(ChartRange range)
{
    if (range.high <= range.low)
        range.high = range.low + 1;
    return range;
}

// Round step sizes: 1, 2, 5, 10, 20, 50, ...
double roundStep(int index)
{
    static const double mantissas[] = {1, 2, 5};
    return mantissas[index % 3] * std::pow(10.0, index / 3);
}

// Steps of an axis from zero to beyond `value`, leaving `room` free.
int stepsBeyond(double value, double room, double step)
{
    return value > 0 ? int(std::ceil((value + room) / step)) : 0;
}

// Intervals of an axis: a handful, so that its figures stay readable.
constexpr int MostIntervals = 6;
// Steps tried from the smallest: a thousand times it fits any range in one
// interval on either side of zero.
constexpr int StepsTried = 10;

struct AxisFit {
    int below = 0;
    int above = 0;
};

AxisFit fitAxis(ChartRange range, double step)
{
    const double room = (range.high - range.low) / 20;
    return {stepsBeyond(-range.low, room, step), stepsBeyond(range.high, room, step)};
}

// The smallest round step with which the range fits in MostIntervals.
int firstStep(ChartRange range)
{
    int index = 0;
    for (;;) {
        const AxisFit fit = fitAxis(range, roundStep(index));
        if (fit.below + fit.above <= MostIntervals)
            return index;
        ++index;
    }
}

} // namespace

ChartRange ResultsChart::barRange() const
{
    ChartRange range{0, 0};
    for (int k = 0; k < keyCount(); ++k)
        extend(range, series[k].values);
    return nonEmpty(range);
}

ChartRange ResultsChart::totalRange() const
{
    ChartRange range{0, 0};
    extend(range, totals);
    if (hasOthers)
        extend(range, series.last().values);
    return nonEmpty(range);
}

ChartScales ChooseChartScales(ChartRange keys, ChartRange totals)
{
    keys = nonEmpty(keys);
    totals = nonEmpty(totals);
    for (double v : {keys.low, keys.high, totals.low, totals.high})
        if (!std::isfinite(v) || std::fabs(v) > 1e300)
            return {};

    // Each axis takes a round step from the smallest that fits it alone; of
    // the pairs that fit together, zero on the same tick, the one that
    // leaves least of both axes unused.
    const int firstKeys = firstStep(keys);
    const int firstTotals = firstStep(totals);
    ChartScales best;
    double bestCost = std::numeric_limits<double>::infinity();
    for (int i = firstKeys; i < firstKeys + StepsTried; ++i) {
        for (int j = firstTotals; j < firstTotals + StepsTried; ++j) {
            const double keyStep = roundStep(i);
            const double totalStep = roundStep(j);
            const AxisFit a = fitAxis(keys, keyStep);
            const AxisFit b = fitAxis(totals, totalStep);
            const int below = std::max(a.below, b.below);
            const int above = std::max(a.above, b.above);
            const int intervals = below + above;
            if (intervals > MostIntervals)
                continue;
            const double unused = 2 - (keys.high - keys.low) / (intervals * keyStep)
                                  - (totals.high - totals.low) / (intervals * totalStep);
            // Fewer than four intervals only where the figures are that few.
            const double cost = unused + 0.1 * std::max(0, 4 - intervals);
            if (cost < bestCost) {
                bestCost = cost;
                best.keys = {-below * keyStep, above * keyStep, intervals};
                best.totals = {-below * totalStep, above * totalStep, intervals};
            }
        }
    }
    return best;
}

ResultsChart BuildResultsChart(const TallyWorkspace &ws, const TallyResults &r, ChartMeasure measure)
{
    ResultsChart chart;
    const int months = ws.periodMonths();
    if (months == 0)
        return chart;

    for (int i = 1; i <= months; ++i)
        chart.months << monthCaption(ws.periodMonth(i));
    const QString period = months == 1 ? chart.months.first()
                                       : chart.months.first() + u'～' + chart.months.last();
    chart.title = ws.ItemName.isEmpty() ? period : ws.ItemName + u'　' + period;

    const bool amounts = measure == ChartMeasure::Amounts;
    const QVector<double> &monthTotals = amounts ? r.MonthAmountTotal : r.MonthCountTotal;
    for (int m = 1; m <= months; ++m)
        chart.totals << monthTotals.value(m);

    // Rows of the period table that are keys: key 0 (which only a negative
    // key lets form a row) is left out, as it is from the month tables.
    QVector<int> rows;
    rows.reserve(r.PeriodKeyCount);
    for (int row = 1; row <= r.PeriodKeyCount; ++row)
        if (r.PeriodKey.value(row) != 0)
            rows << row;
    if (rows.isEmpty())
        return chart;

    const auto larger = [&r](int a, int b) {
        const double amountA = r.PeriodAmount.value(a);
        const double amountB = r.PeriodAmount.value(b);
        if (amountA != amountB)
            return amountA > amountB;
        return r.PeriodKey.value(a) < r.PeriodKey.value(b);
    };
    const int shown = std::min<int>(ChartTopKeys, rows.size());
    std::partial_sort(rows.begin(), rows.begin() + shown, rows.end(), larger);

    // Count and amount of month m sit in matrix columns 2m + 1 and 2m + 2.
    const int offset = amounts ? 2 : 1;
    const auto monthValue = [&r, offset](int row, int m) { return r.Matrix.at(2 * m + offset, row).toDouble(); };

    for (int k = 0; k < shown; ++k) {
        ChartSeries s;
        s.name = PlainNumberText(r.PeriodKey.value(rows[k]));
        for (int m = 1; m <= months; ++m)
            s.values << monthValue(rows[k], m);
        chart.series << s;
    }
    if (rows.size() > shown) {
        ChartSeries others{QStringLiteral("その他"), QVector<double>(months, 0.0)};
        for (int k = shown; k < rows.size(); ++k)
            for (int m = 1; m <= months; ++m)
                others.values[m - 1] += monthValue(rows[k], m);
        chart.series << others;
        chart.hasOthers = true;
    }
    return chart;
}

} // namespace zq
