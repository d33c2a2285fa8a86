#pragma once

#include "common/cell_grid.h"
#include "engine/tally_results.h"
#include "tally/tally_workspace.h"

#include <QString>

namespace zq {

// Rows of the result grids as the window is designed, before any tally.
inline constexpr int ResultGridDesignRows = 6;

// G2C / G3C: a result grid emptied, with its header row.
void ClearResultGrid(CellGrid &grid, const QString &itemName);

// What the labels of the period grid show.
struct PeriodResultView {
    QString startMonth;   // Label10
    QString endMonth;     // Label11
    QString countTotal;   // Label18
    QString amountTotal;  // Label17
};

// After a tally run: the headers of both grids and the period grid G3, one
// row per period key.
PeriodResultView ShowPeriodResults(CellGrid &monthGrid, CellGrid &periodGrid, const TallyWorkspace &ws,
                                   const TallyResults &results);

// What the labels of the month grid show.
struct MonthResultView {
    QString month;        // Label8: the calendar month
    QString countTotal;   // Label15
    QString amountTotal;  // Label16
};

// ＜ 前月度 / 次月度 ＞ of the results: ResultMonth moves by `delta`, never
// out of the period (at least month 1), and the month grid G2 shows it.
MonthResultView StepResultMonth(TallyResults &results, const TallyWorkspace &ws, CellGrid &monthGrid, int delta);

} // namespace zq
