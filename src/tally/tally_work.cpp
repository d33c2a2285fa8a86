#include "tally/tally_work.h"

#include "tally/input_sheet.h"

namespace zq {

bool SameWorkspace(const TallyWorkspace &a, const TallyWorkspace &b)
{
    return a.StartMonth == b.StartMonth && a.EndMonth == b.EndMonth && a.MonthCount == b.MonthCount
           && a.PeriodMonth == b.PeriodMonth && a.ItemName == b.ItemName && a.MonthRows == b.MonthRows
           && a.Key == b.Key && a.Cases == b.Cases && a.Amount == b.Amount && a.InputMonth == b.InputMonth
           && a.CurRow == b.CurRow && a.CurLine == b.CurLine && a.ShownRows == b.ShownRows
           && a.NextRows == b.NextRows;
}

bool SameResults(const TallyResults &a, const TallyResults &b)
{
    return a.PeriodKeyCount == b.PeriodKeyCount && a.PeriodCountTotal == b.PeriodCountTotal
           && a.PeriodAmountTotal == b.PeriodAmountTotal && a.MonthCountTotal == b.MonthCountTotal
           && a.MonthAmountTotal == b.MonthAmountTotal && a.MonthKeyCount == b.MonthKeyCount
           && a.SumKey == b.SumKey && a.SumCases == b.SumCases && a.SumAmount == b.SumAmount
           && a.PeriodKey == b.PeriodKey && a.PeriodCases == b.PeriodCases && a.PeriodAmount == b.PeriodAmount;
}

void CaptureInputGrid(const CellGrid &grid, TallyWork &work)
{
    work.cells.resize(TallyMaxRows * 3);
    const int rows = qMin(grid.rows() - 1, TallyMaxRows);
    for (int r = 1; r <= TallyMaxRows; ++r)
        for (int c = 1; c <= 3; ++c)
            work.cells[TallyWork::CellIndex(r, c)] = r <= rows && c < grid.cols() ? grid.text(r, c) : QString();
    work.header = grid.text(0, 1);
    work.gridRow = grid.row();
    work.gridCol = grid.col();
    work.gridTop = grid.topRow();
}

void ShowCapturedGrid(CellGrid &grid, const TallyWork &work, int maxRows)
{
    ClearInputGrid(grid, work.header, maxRows);
    const int rows = qMin(maxRows, TallyMaxRows);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= 3; ++c)
            if (const QString text = work.cell(r, c); !text.isEmpty())
                grid.setText(r, c, text);
    grid.setTopRow(work.gridTop);
    grid.setCurrentCell(work.gridRow, work.gridCol);
}

} // namespace zq
