#include "tally/month_flow.h"

#include "common/format.h"
#include "common/number.h"
#include "tally/input_sheet.h"
#include "tally/period_setup.h"

namespace zq {

namespace {
QString monthLabel(const TallyWorkspace &ws)
{
    return FormatNumber(ws.periodMonth(ws.InputMonth), u"# ");
}
} // namespace

int RowsToConfirm(const CellGrid &grid, int maxRows)
{
    const int col = grid.col();
    for (int r = maxRows; r >= 1; --r) {
        if (col >= 1) {
            if (!grid.text(r, col).isEmpty())
                return r;
        } else {
            for (int c = 1; c <= 3; ++c)
                if (!grid.text(r, c).isEmpty())
                    return r;
        }
    }
    return 0;
}

FlowResult ConfirmMonth(TallyWorkspace &ws, const CellGrid &grid, const MonthButtons &current, int k, int n)
{
    FlowResult result;
    result.buttons = current;
    MonthButtons &buttons = result.buttons;
    if (k < 1 || k > TallyMaxMonths)
        return result;
    ws.MonthRows[k] = n;
    ws.Key[k] = QVector<double>(n + 1, 0.0);
    ws.Cases[k] = QVector<double>(n + 1, 0.0);
    ws.Amount[k] = QVector<double>(n + 1, 0.0);
    for (int r = 1; r <= n; ++r) {
        ws.Key[k][r] = GridCellNumber(grid.text(r, 1));
        ws.Cases[k][r] = GridCellNumber(grid.text(r, 2));
        ws.Amount[k][r] = GridCellNumber(grid.text(r, 3));
    }
    ws.ShownRows = n;

    if (k < TallyMaxMonths && ws.MonthCount > k) {
        buttons.Command2 = true;
        result.focus = FlowFocus::Command2;
    }
    if (k == TallyMaxMonths)
        buttons.Command2 = false;
    if (ws.InputMonth == 1 || ws.MonthCount == 1)
        buttons.Command3 = false;
    else if (ws.InputMonth >= 2 && ws.InputMonth <= TallyMaxMonths && ws.monthRows(ws.InputMonth - 1) > 0)
        buttons.Command3 = true;
    if (ws.MonthCount == ws.InputMonth)
        result.beep = true;
    // A tally needs a period: without one there is no month to sum.
    if (ws.MonthCount >= 1)
        buttons.Command1 = true;
    return result;
}

namespace {
// Brings month j from the workspace into the grid. Only the texts of the
// result count: the caller keeps the buttons.
FlowResult LoadMonth(TallyWorkspace &ws, CellGrid &grid, int j, int maxRows)
{
    FlowResult result;
    ClearInputGrid(grid, ws.ItemName, maxRows);
    const int rows = ws.monthRows(j);
    double cases = 0;
    double amount = 0;
    for (int r = 1; r <= ws.NextRows && r < ws.Cases[j].size(); ++r) {
        cases += ws.Cases[j][r];
        amount += ws.Amount[j][r];
    }
    result.countTotal = FormatNumber(cases, u"0 ");
    result.amountTotal = FormatNumber(amount, u"#,0 ");
    for (int r = 1; r <= rows; ++r) {
        grid.setText(r, 1, FormatNumber(ws.Key[j][r], u"0 "));
        grid.setText(r, 2, FormatNumber(ws.Cases[j][r], u"0 "));
        grid.setText(r, 3, FormatNumber(ws.Amount[j][r], u"#,0 "));
    }
    if (rows > 0)
        grid.setCurrentCell(rows, 3); // the cells were written through the current cell
    ws.InputMonth = j;
    result.monthLabel = monthLabel(ws);
    return result;
}

// The texts of a month brought into the grid; the buttons stay those of `into`.
void merge(FlowResult &into, const FlowResult &from)
{
    if (from.monthLabel)
        into.monthLabel = from.monthLabel;
    if (from.countTotal)
        into.countTotal = from.countTotal;
    if (from.amountTotal)
        into.amountTotal = from.amountTotal;
}
} // namespace

FlowResult NextMonth(TallyWorkspace &ws, CellGrid &grid, const MonthButtons &current, int maxRows)
{
    FlowResult result;
    result.buttons = current;
    MonthButtons &buttons = result.buttons;
    if (ws.InputMonth < 1 || ws.InputMonth >= ws.MonthCount)
        return result; // the last month of the period has no next one
    grid.setTopRow(1);
    result.countTotal = QString();
    result.amountTotal = QString();

    int k = ws.InputMonth;
    if (ws.MonthCount > k && ws.monthRows(k + 1) == 0)
        ws.InputMonth = k + 1;
    ws.NextRows = ws.monthRows(ws.InputMonth + 1);
    result.monthLabel = monthLabel(ws);

    k = ws.InputMonth;
    if (k + 1 <= ws.MonthCount && ws.monthRows(k + 1) > 0) {
        merge(result, LoadMonth(ws, grid, k + 1, maxRows));
        const int j = k + 1;
        if (ws.MonthCount == j)
            buttons.Command2 = false;
        if (ws.monthRows(j - 1) > 0) {
            buttons.Command3 = true;
            if (ws.MonthCount == j)
                result.focus = FlowFocus::Command3;
        }
        return result;
    }

    ClearInputGrid(grid, ws.ItemName, maxRows);
    ws.CurRow = 1;
    grid.setCurrentCell(1, grid.col());
    ws.CurLine = 1;
    result.boxesHome = BoxesHome::NewMonth;
    result.focus = FlowFocus::Text3;
    result.beep = true;
    buttons.Command2 = false;
    buttons.Command3 = true;
    return result;
}

FlowResult PreviousMonth(TallyWorkspace &ws, CellGrid &grid, const MonthButtons &current, int maxRows)
{
    FlowResult result;
    result.buttons = current;
    MonthButtons &buttons = result.buttons;
    const int k = ws.InputMonth;
    // The list window comes back with month 2 even for a one-month period,
    // to bring month 1 back; nothing ever loads a month above the period.
    if (k < 1 || k > TallyMaxMonths || k - 1 > ws.MonthCount)
        return result;
    grid.setTopRow(1);
    if (k + 1 <= ws.MonthCount && ws.monthRows(k + 1) > 0)
        buttons.Command2 = true;
    if (k < 2)
        return result;
    ws.NextRows = ws.monthRows(k - 1);
    if (ws.monthRows(k - 1) == 0)
        return result;
    ws.ShownRows = ws.monthRows(k);
    merge(result, LoadMonth(ws, grid, k - 1, maxRows));
    if (k - 1 == 1) {
        buttons.Command3 = false;
        if (ws.monthRows(2) > 0) {
            buttons.Command2 = true;
            result.focus = FlowFocus::Command2;
        }
    }
    if (k - 1 >= 2 && ws.monthRows(k) > 0)
        buttons.Command2 = true;
    return result;
}

BoxEnterView EnterBox(TallyWorkspace &ws, CellGrid &grid, const MonthButtons &buttons, InputColumn column,
                      QStringView typed, int maxRows)
{
    BoxEnterView view;
    view.outcome = EnterInBox(ws, grid, column, typed, maxRows);
    if (view.outcome == BoxEnter::EndMark)
        view.confirmed = ConfirmMonth(ws, grid, buttons, ws.InputMonth, ws.CurRow - 1);
    if (view.outcome == BoxEnter::Written && column == InputColumn::Count)
        view.countTotal = CountTotalText(grid, maxRows);
    if (view.outcome == BoxEnter::Written && column == InputColumn::Amount)
        view.amountTotal = AmountTotalText(grid, maxRows);
    view.next = column == InputColumn::Amount ? InputColumn::Key : InputColumn(int(column) + 1);
    return view;
}

namespace {
// The edit boxes on row 1 of month 1.
void homeBoxes(TallyWorkspace &ws, CellGrid &grid, FlowResult &result)
{
    ws.CurRow = 1;
    grid.setCurrentCell(1, grid.col());
    ws.CurLine = 1;
    ws.InputMonth = 1;
    result.boxesHome = BoxesHome::Start;
}
} // namespace

FlowResult ActivateInput(TallyWorkspace &ws, ProgramValues &program, CellGrid &grid, const MonthButtons &buttons)
{
    FlowResult result;
    program.MaxRows = TallyMaxRows;
    LayOutInputGrid(grid, program.MaxRows);
    homeBoxes(ws, grid, result);
    if (program.ReturnFlag != 0)
        result.buttons = buttons;
    return result;
}

FlowResult ReturnToFirstMonth(TallyWorkspace &ws, ProgramValues &program, CellGrid &grid,
                              const MonthButtons &buttons)
{
    ws.InputMonth = 2;
    MonthButtons back = buttons;
    back.Command3 = true;
    const FlowResult result = PreviousMonth(ws, grid, back, program.MaxRows);
    program.ReturnFlag = 0;
    return result;
}

void LeaveResultsList(TallyWorkspace &ws, ProgramValues &program)
{
    program.ReturnFlag = 1;
    ws.InputMonth = 2;
}

FlowResult ResetInput(TallyWorkspace &ws, TallyResults &results, ProgramValues &program, CellGrid &grid)
{
    ResetTally(ws, results, program);
    FlowResult result;
    ClearInputGrid(grid, ws.ItemName, program.MaxRows);
    result.monthLabel = QString();
    result.countTotal = QString();
    result.amountTotal = QString();
    homeBoxes(ws, grid, result);
    return result;
}

FlowResult ShowOpenedTally(TallyWorkspace &ws, CellGrid &grid, const MonthButtons &buttons, int maxRows)
{
    ws.NextRows = ws.monthRows(1);
    FlowResult result = LoadMonth(ws, grid, 1, maxRows);
    result.monthLabel = FormatNumber(ws.StartMonth, u"# ");
    ws.CurRow = 1;
    ws.CurLine = 1;
    ws.InputMonth = 1;
    grid.setTopRow(1);
    result.boxesHome = BoxesHome::Start;
    result.buttons = buttons;
    result.buttons.Command1 = true;
    result.buttons.Command2 = ws.MonthCount > 1; // a one-month tally has no next month
    return result;
}

ItemView ShowChosenItem(const TallyWorkspace &ws, ProgramValues &program, CellGrid &grid, HelpVariant variant)
{
    program.WorkText = InputHelpText(ws.ItemName, variant);
    grid.setText(0, 1, ws.ItemName);
    grid.setCurrentCell(ws.CurRow, 1);
    return {MonthDisplay(ws.StartMonth), program.WorkText};
}

bool PrepareDataInput(TallyWorkspace &ws)
{
    if (ws.MonthCount != 0)
        return false;
    SetNoPeriod(ws);
    return true;
}

} // namespace zq
