#pragma once

#include "common/cell_grid.h"
#include "engine/tally_results.h"
#include "shell/program_values.h"
#include "tally/input_sheet.h"
#include "tally/period_setup.h"
#include "tally/tally_workspace.h"

#include <QString>

#include <optional>

namespace zq {

// Enabled state of the buttons that guide the user through the months. The
// buttons themselves hold it: the window reads them into a step of the flow
// and applies the states the step returns.
struct MonthButtons {
    bool Command1 = false; // 集計ボタン
    bool Command2 = false; // 次月度 ＞
    bool Command3 = false; // ＜ 前月度
};

enum class FlowFocus { None, Text3, Command2, Command3 };

// Where the edit boxes go back to row 1, if they do: the key box stands a
// little further left over a month opened afresh than after activation.
enum class BoxesHome { Stay, Start, NewMonth };

// What the window shows after a step of the month flow.
struct FlowResult {
    MonthButtons buttons;                // the states afterwards
    FlowFocus focus = FlowFocus::None;
    bool beep = false;
    std::optional<QString> monthLabel;   // Label20
    std::optional<QString> countTotal;   // Label24
    std::optional<QString> amountTotal;  // Label25
    BoxesHome boxesHome = BoxesHome::Stay;
};

// Rows that 入力確定 confirms: the last filled row of the grid's current
// column; with the row-number column current (right after a grid clear),
// the last row with data in the columns 1 to 3.
int RowsToConfirm(const CellGrid &grid, int maxRows);

// Confirms month k with n rows of the grid into the workspace.
FlowResult ConfirmMonth(TallyWorkspace &ws, const CellGrid &grid, const MonthButtons &buttons, int k, int n);

// 次月度 ＞ and ＜ 前月度. Neither ever leaves the period 1..MonthCount.
FlowResult NextMonth(TallyWorkspace &ws, CellGrid &grid, const MonthButtons &buttons, int maxRows);
FlowResult PreviousMonth(TallyWorkspace &ws, CellGrid &grid, const MonthButtons &buttons, int maxRows);

// What the input area shows after Enter in an edit box.
struct BoxEnterView {
    BoxEnter outcome = BoxEnter::Kept;
    std::optional<QString> countTotal;   // Label24, after a written count
    std::optional<QString> amountTotal;  // Label25, after a written amount
    InputColumn next = InputColumn::Key; // the box that takes the focus (Written, Kept)
    FlowResult confirmed;                // EndMark: the month confirmed up to the row before
};

// Enter in the edit box over (CurRow, column) (EnterInBox): a number goes
// into the grid and the focus to the next box, the amount box's to the key
// box of the next row; "*" in the key box confirms the month.
BoxEnterView EnterBox(TallyWorkspace &ws, CellGrid &grid, const MonthButtons &buttons, InputColumn column,
                      QStringView typed, int maxRows);

// Activation of the tally window: MaxRows for the tally, the input grid's
// texts laid out, the edit boxes on row 1 of month 1. A fresh start
// (ReturnFlag 0) turns every month button off.
FlowResult ActivateInput(TallyWorkspace &ws, ProgramValues &program, CellGrid &grid,
                         const MonthButtons &buttons);

// Back from the list or the input-detail print (ReturnFlag 1): month 1
// returns to the grid as ＜ 前月度 from month 2 brings it; ReturnFlag is 0
// again.
FlowResult ReturnToFirstMonth(TallyWorkspace &ws, ProgramValues &program, CellGrid &grid,
                              const MonthButtons &buttons);

// Closing the results list (not the end of the program): the tally window,
// active again, brings month 1 back with ReturnToFirstMonth.
void LeaveResultsList(TallyWorkspace &ws, ProgramValues &program);

// ﾘｾｯﾄ: the workspace and the results emptied, the grid cleared, the labels
// of the input area emptied, every month button off, the boxes on row 1.
FlowResult ResetInput(TallyWorkspace &ws, TallyResults &results, ProgramValues &program, CellGrid &grid);

// After an opened tally file replaced the workspace: month 1 in the grid from
// its top, the boxes on row 1, the month label showing the start month, and
// 集計ボタン and 次月度 ＞ (for more than one month) enabled.
FlowResult ShowOpenedTally(TallyWorkspace &ws, CellGrid &grid, const MonthButtons &buttons, int maxRows);

// What the input area shows for a chosen item.
struct ItemView {
    QString monthLabel;  // Label20: the start month, or "** " without a period
    QString helpText;    // Label23, lines joined by CR LF
};

// The item has been chosen (ItemName set from the item box): the grid's
// header shows it, the current cell is the key cell of the boxes' row, and
// WorkText holds the input help for it.
ItemView ShowChosenItem(const TallyWorkspace &ws, ProgramValues &program, CellGrid &grid, HelpVariant variant);

// ﾃﾞｰﾀ入力: a window opened without a period gets one input month.
// True when that default was set.
bool PrepareDataInput(TallyWorkspace &ws);

} // namespace zq
