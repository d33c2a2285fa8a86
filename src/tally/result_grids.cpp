#include "tally/result_grids.h"

#include "common/format.h"
#include "tally/input_sheet.h"

namespace zq {

namespace {

void showKeyRows(CellGrid &grid, int rows, const QVector<double> &keys, const QVector<double> &cases,
                 const QVector<double> &amounts)
{
    grid.setRows(rows + 1);
    for (int i = 1; i <= rows; ++i) {
        grid.setText(i, 0, FormatNumber(i, u"0 "));
        grid.setText(i, 1, FormatNumber(keys.value(i), u"0 "));
        grid.setText(i, 2, FormatNumber(cases.value(i), u"0 "));
        grid.setText(i, 3, FormatNumber(amounts.value(i), u"#,0 "));
    }
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
