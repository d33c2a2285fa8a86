#pragma once

#include "shell/program_values.h"

#include <QList>
#include <QString>
#include <QVector>

#include <array>

namespace zq {

struct TallyResults;

inline constexpr int TallyMaxRows = 500;
inline constexpr int TallyMaxMonths = 6;

// The monthly results tally: period, item and the confirmed input of each
// month, with the input state of the tally window. Months are indexed 1..6.
struct TallyWorkspace {
    // Period and item
    double StartMonth = 0;       // first calendar month; 0 = no period
    double EndMonth = 0;         // last calendar month as typed; 0 = no period
    int MonthCount = 0;          // input months in the period, 1..6 once set
    QVector<int> PeriodMonth;    // [i] = calendar month of input month i, 1..MonthCount
    QString ItemName;            // name of the key column

    // Confirmed input: rows 1..MonthRows[m] of month m
    std::array<int, TallyMaxMonths + 1> MonthRows{};
    std::array<QVector<double>, TallyMaxMonths + 1> Key;
    std::array<QVector<double>, TallyMaxMonths + 1> Cases;
    std::array<QVector<double>, TallyMaxMonths + 1> Amount;

    // Input state of the window
    int InputMonth = 0;  // month shown and edited in the grid
    int CurRow = 0;      // grid row of the edit boxes
    int CurLine = 0;     // line of CurRow among the ten visible lines, 1..10
    int ShownRows = 0;   // rows of the month most recently confirmed or left
    int NextRows = 0;    // rows of the month being brought into the grid

    int monthRows(int m) const { return (m >= 1 && m <= TallyMaxMonths) ? MonthRows[m] : 0; }
    int periodMonth(int i) const { return PeriodMonth.value(i); }
    // Months of the period that hold input (0 before a period is set).
    int periodMonths() const { return qBound(0, MonthCount, TallyMaxMonths); }
    // Months that the result grids and the list show: those of the period,
    // at least one.
    int listedMonths() const { return qBound(1, MonthCount, TallyMaxMonths); }
    // 1..periodMonths(): the months an input-detail printout of the whole
    // period covers.
    QList<int> periodMonthList() const
    {
        QList<int> months;
        for (int m = 1; m <= periodMonths(); ++m)
            months << m;
        return months;
    }
};

// Reset: the workspace and the engine's results back to empty, ReturnFlag 0;
// MaxRows keeps its value.
void ResetTally(TallyWorkspace &ws, TallyResults &results, ProgramValues &program);
// Leaving the tally window: as Reset, and MaxRows = 0.
void ClearTallyOnLeaving(TallyWorkspace &ws, TallyResults &results, ProgramValues &program);

} // namespace zq
