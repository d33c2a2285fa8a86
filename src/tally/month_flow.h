#pragma once

#include "common/cell_grid.h"
#include "tally/tally_workspace.h"

#include <QString>

#include <optional>

namespace zq {

// Enabled state of the buttons that guide the user through the months.
struct MonthButtons {
    bool Command1 = false; // 集計ボタン
    bool Command2 = false; // 次月度 ＞
    bool Command3 = false; // ＜ 前月度
};

enum class FlowFocus { None, Text3, Command2, Command3 };

// What the window shows after a step of the month flow.
struct FlowResult {
    FlowFocus focus = FlowFocus::None;
    bool beep = false;
    std::optional<QString> monthLabel;   // Label20
    std::optional<QString> countTotal;   // Label24
    std::optional<QString> amountTotal;  // Label25
    bool freshMonth = false;             // an empty month: boxes back to row 1
};

// Rows that 入力確定 confirms: the last filled row of the grid's current
// column; with the row-number column current (right after a grid clear),
// the last row with data in the columns 1 to 3.
int RowsToConfirm(const CellGrid &grid, int maxRows);

// Confirms month k with n rows of the grid into the workspace.
FlowResult ConfirmMonth(TallyWorkspace &ws, const CellGrid &grid, MonthButtons &buttons, int k, int n);

// Brings month j from the workspace into the grid.
FlowResult LoadMonth(TallyWorkspace &ws, CellGrid &grid, int j, int maxRows);

// 次月度 ＞ and ＜ 前月度. Neither ever leaves the period 1..MonthCount.
FlowResult NextMonth(TallyWorkspace &ws, CellGrid &grid, MonthButtons &buttons, int maxRows);
FlowResult PreviousMonth(TallyWorkspace &ws, CellGrid &grid, MonthButtons &buttons, int maxRows);

// ﾃﾞｰﾀ入力: a window opened without a period gets one input month.
// True when that default was set.
bool PrepareDataInput(TallyWorkspace &ws);

} // namespace zq
