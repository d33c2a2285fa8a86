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

// The results chart: the ten keys with the largest period amounts as bars
// per month, the other keys summed, and the month totals as a line.
struct ResultsChart {
    QString title;                // item name and period, e.g. "店番号　4月度～9月度"
    QStringList months;           // "4月度", ... for the months of the period
    QVector<ChartSeries> series;  // largest period amount first, then "その他"
    QVector<double> totals;       // month totals of the measure
    bool hasOthers = false;       // the last series is "その他"

    // No keys: nothing to draw.
    bool isEmpty() const { return series.isEmpty(); }
    ChartRange barRange() const;
    ChartRange totalRange() const;
};

// The chart of a tally. The keys are chosen by period amount whatever the
// measure (ties: the smaller key first), so both measures show the same
// keys. A month without rows for a key counts 0; key 0 never gets a bar.
ResultsChart BuildResultsChart(const TallyWorkspace &ws, const TallyResults &results, ChartMeasure measure);

} // namespace zq
