#include "reports/results_chart.h"

#include "common/format.h"

#include <algorithm>

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

} // namespace

ChartRange ResultsChart::barRange() const
{
    ChartRange range{0, 0};
    for (const ChartSeries &s : series)
        extend(range, s.values);
    return nonEmpty(range);
}

ChartRange ResultsChart::totalRange() const
{
    ChartRange range{0, 0};
    extend(range, totals);
    return nonEmpty(range);
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
