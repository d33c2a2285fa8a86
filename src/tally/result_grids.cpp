#include "tally/result_grids.h"

#include "common/format.h"
#include "tally/input_sheet.h"

namespace zq {

namespace {

// The header row as it stands and one row per key, formatted when shown
// (up to 3000 keys); the lists are shared with the results, not copied.
void showKeyRows(CellGrid &grid, int rows, const QVector<double> &keys, const QVector<double> &cases,
                 const QVector<double> &amounts)
{
    QStringList header;
    for (int c = 0; c < grid.cols(); ++c)
        header << grid.text(0, c);
    grid.setCellTexts(rows + 1, grid.cols(), [=](int row, int col) -> QString {
        if (row == 0)
            return header.value(col);
        switch (col) {
        case 0: return FormatNumber(row, u"0 ");
        case 1: return FormatNumber(keys.value(row), u"0 ");
        case 2: return FormatNumber(cases.value(row), u"0 ");
        case 3: return FormatNumber(amounts.value(row), u"#,0 ");
        default: return QString();
        }
    });
}

} // namespace

void ClearResultGrid(CellGrid &grid, const QString &itemName)
{
    grid.clear();
    WriteTallyGridHeader(grid, itemName);
}

PeriodResultView ShowPeriodResults(CellGrid &monthGrid, CellGrid &periodGrid, const TallyWorkspace &ws,
                                   const TallyResults &r)
{
    WriteTallyGridHeader(monthGrid, ws.ItemName);
    WriteTallyGridHeader(periodGrid, ws.ItemName);
    showKeyRows(periodGrid, r.PeriodKeyCount, r.PeriodKey, r.PeriodCases, r.PeriodAmount);
    return {PlainNumberText(ws.StartMonth), PlainNumberText(ws.EndMonth),
            FormatNumber(r.PeriodCountTotal, u"0 "), FormatNumber(r.PeriodAmountTotal, u"#,0 ")};
}

MonthResultView StepResultMonth(TallyResults &r, const TallyWorkspace &ws, CellGrid &monthGrid, int delta)
{
    r.ResultMonth = qBound(1, r.ResultMonth + delta, ws.listedMonths());
    const int month = r.ResultMonth;
    showKeyRows(monthGrid, r.monthKeyCount(month), r.SumKey[month], r.SumCases[month], r.SumAmount[month]);
    return {PlainNumberText(ws.periodMonth(month)), FormatNumber(r.MonthCountTotal.value(month), u"0 "),
            FormatNumber(r.MonthAmountTotal.value(month), u"#,0 ")};
}

} // namespace zq
