#pragma once

#include "engine/tally_engine.h"
#include "tally/tally_workspace.h"

#include <QList>

#include <array>

namespace zq::test {

using Rows = QList<std::array<double, 3>>;

// Rows 1..n of month m of the workspace.
inline void SetMonth(TallyWorkspace &ws, int m, const Rows &rows)
{
    ws.MonthRows[m] = int(rows.size());
    ws.Key[m] = ws.Cases[m] = ws.Amount[m] = QVector<double>(rows.size() + 1, 0.0);
    for (int r = 1; r <= rows.size(); ++r) {
        ws.Key[m][r] = rows[r - 1][0];
        ws.Cases[m][r] = rows[r - 1][1];
        ws.Amount[m][r] = rows[r - 1][2];
    }
}

// The confirmed input of the given months (calendar months from
// `firstMonth` on).
inline TallyWorkspace TallyInput(const QList<Rows> &months, int firstMonth = 4,
                                 const QString &item = QStringLiteral("担当者NO"))
{
    TallyWorkspace ws;
    ws.ItemName = item;
    ws.MonthCount = int(months.size());
    ws.StartMonth = firstMonth;
    ws.PeriodMonth = QVector<int>(ws.MonthCount + 1, 0);
    for (int m = 1; m <= ws.MonthCount; ++m) {
        ws.PeriodMonth[m] = (firstMonth + m - 2) % 12 + 1;
        SetMonth(ws, m, months[m - 1]);
    }
    return ws;
}

// A tally of the given months, run.
struct TallyData {
    TallyWorkspace ws;
    TallyResults results;

    TallyData(const QList<Rows> &months, int firstMonth = 4, const QString &item = QStringLiteral("担当者NO"))
        : ws(TallyInput(months, firstMonth, item))
    {
        RunTally(ws, results);
    }
};

// n rows with keys 1..n, count 1 and amount 100 each.
inline Rows distinctRows(int n, int firstKey = 1)
{
    Rows rows;
    for (int i = 0; i < n; ++i)
        rows.append({double(firstKey + i), 1, 100});
    return rows;
}

// The largest tally: six months of 500 keys each, 3000 keys in the period.
inline QList<Rows> LargestTally()
{
    QList<Rows> months;
    for (int m = 0; m < 6; ++m)
        months << distinctRows(500, m * 500 + 1);
    return months;
}

} // namespace zq::test
