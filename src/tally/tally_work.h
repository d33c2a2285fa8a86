#pragma once

#include "common/cell_grid.h"
#include "engine/tally_results.h"
#include "tally/tally_workspace.h"

#include <QString>
#include <QVector>

namespace zq {

// What the tally window shows beyond its grids: the labels and the states
// of its buttons and areas. The window reads them from its widgets.
struct TallyScreen {
    // Labels, in the order the journal keeps them.
    enum Text { StartMonth, EndMonth, Item, InputMonth, Help, CountTotal, AmountTotal, TextCount };
    QString texts[TextCount];  // Label2, Label3, Combo1's text, Label20, Label23, Label24, Label25
    // Enabled states.
    enum Flag {
        DataInput = 1,    // Command6 ﾃﾞｰﾀ入力
        Input = 2,        // the input grid and its edit boxes
        Tally = 4,        // Command1 集計ボタン
        Next = 8,         // Command2 次月度 ＞
        Previous = 16,    // Command3 ＜ 前月度
        List = 32,        // Command10 一覧表
        Results = 64,     // Frame3 集計結果
        ResultSteps = 128, // Command8, Command9
        ListOpen = 256     // the results list ICHIRAN is open over the window
    };
    int flags = 0;

    bool has(Flag f) const { return flags & f; }
    void set(Flag f, bool on) { flags = on ? (flags | f) : (flags & ~f); }
    bool operator==(const TallyScreen &) const = default;
};

// The tally as the journal keeps it: the workspace, the input grid's texts
// and cursor, what the window shows, and the input the results were
// computed from.
struct TallyWork {
    bool open = false;            // the tally window is in use
    TallyWorkspace ws;
    QVector<QString> cells;       // the input grid, rows 1..TallyMaxRows, columns 1..3 (CellIndex)
    QString header;               // the header over the key column
    int gridRow = 0;
    int gridCol = 0;
    int gridTop = 1;
    TallyScreen screen;
    bool tallied = false;         // the results are the engine's on tallyInput
    TallyWorkspace tallyInput;
    int resultMonth = 0;

    static int CellIndex(int row, int col) { return (row - 1) * 3 + (col - 1); }
    QString cell(int row, int col) const { return cells.value(CellIndex(row, col)); }
};

// Equal as far as anything of the program can tell: every field, each list
// with its size.
bool SameWorkspace(const TallyWorkspace &a, const TallyWorkspace &b);
// Equal as the windows and the reports show them: totals, per-month and
// period tables (the matrix is built from them).
bool SameResults(const TallyResults &a, const TallyResults &b);

// The input grid's texts and cursor as they stand.
void CaptureInputGrid(const CellGrid &grid, TallyWork &work);

// The input grid as it was captured: header, row numbers, texts, top row and
// current cell.
void ShowCapturedGrid(CellGrid &grid, const TallyWork &work, int maxRows);

} // namespace zq
