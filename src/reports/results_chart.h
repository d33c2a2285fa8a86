#pragma once

#include "engine/tally_results.h"
#include "tally/tally_workspace.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace zq {

// What the bars of the results chart show.
enum class ChartMeasure { Amounts, Counts };

// Keys with a bar set of their own; the rest share "その他".
inline constexpr int ChartTopKeys = 10;

// One bar set: a key (or "その他") and its value in every month.
struct ChartSeries {
    QString name;
    QVector<double> values; // [i] = month i + 1 of the period
};

// A value axis' span: it always holds 0 and is never empty.
struct ChartRange {
    double low = 0;
    double high = 1;
};

// A value axis as drawn: from `low` to `high` in `intervals` equal steps of
// a round size (1, 2 or 5 times a power of ten, at least 1), zero on a tick.
struct ChartAxis {
    double low = 0;
    double high = 1;
    int intervals = 1;
    double step() const { return (high - low) / intervals; }
};

// The two value axes of the chart: the keys' bars on the left, the month
// totals and その他 on the right. They have as many ticks below and above
// zero as each other, so that both zero lines are one line, and each one
// has room above its largest value (and below its smallest, when negative)
// so that no bar or point sits on the frame.
struct ChartScales {
    ChartAxis keys;
    ChartAxis totals;
};
ChartScales ChooseChartScales(ChartRange keys, ChartRange totals);

// The results chart: the ten keys with the largest period amounts as bars
// per month, the other keys summed as その他, and the month totals. その他
// holds every other key, often more than the ten together: it goes with the
// month totals, on their axis, so that the ten bars fill the left axis and
// can be told apart.
struct ResultsChart {
    QString title;                // item name and period, e.g. "店番号　4月度～9月度"
    QStringList months;           // "4月度", ... for the months of the period
    QVector<ChartSeries> series;  // largest period amount first, then "その他"
    QVector<double> totals;       // month totals of the measure
    bool hasOthers = false;       // the last series is "その他"

    // No keys: nothing to draw.
    bool isEmpty() const { return series.isEmpty(); }
    int keyCount() const { return int(series.size()) - (hasOthers ? 1 : 0); }
    ChartRange barRange() const;   // the ten keys' values
    ChartRange totalRange() const; // the month totals and その他
    ChartScales scales() const { return ChooseChartScales(barRange(), totalRange()); }
};

// The chart of a tally. The keys are chosen by period amount whatever the
// measure (ties: the smaller key first), so both measures show the same
// keys. A month without rows for a key counts 0; key 0 never gets a bar.
ResultsChart BuildResultsChart(const TallyWorkspace &ws, const TallyResults &results, ChartMeasure measure);

} // namespace zq
