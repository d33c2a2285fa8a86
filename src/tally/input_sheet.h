#pragma once

#include "common/cell_grid.h"
#include "tally/tally_workspace.h"

#include <QStringView>

#include <optional>

namespace zq {

// Columns of the input grid and the edit box over each.
enum class InputColumn { Key = 1, Count = 2, Amount = 3 };

inline constexpr int InputVisibleLines = 10;

// Top of the edit boxes, in twips inside the input frame, for a line 1..10.
constexpr int InputBoxTop(int line)
{
    return 660 + 240 * line;
}

// Header row 0 of the tally window's grids G1, G2 and G3: "NO", the item
// name, "件数", "金　額".
void WriteTallyGridHeader(CellGrid &grid, const QString &itemName);

// The grid as the window's activation lays it out: header texts, row
// numbers ("# "), current column 0.
void LayOutInputGrid(CellGrid &grid, int maxRows);

// G1C: empties the grid and writes its header row and the row numbers ("0 ");
// the current cell becomes (maxRows, 0).
void ClearInputGrid(CellGrid &grid, const QString &itemName, int maxRows);

// Moving the edit boxes from row to row.
void RowAdvance(TallyWorkspace &ws, CellGrid &grid, int maxRows);
void RowBack(TallyWorkspace &ws, CellGrid &grid);
void RowForward(TallyWorkspace &ws, CellGrid &grid, int maxRows);

enum class BoxEnter {
    Written,  // the cell took the box's number; empty the box
    Kept,     // empty box over a filled cell: the cell keeps its value
    EndMark,  // "*" in the key box: rows from CurRow on are cut off
    Refused,  // the number does not fit: box and cell stay as they were
};

// Enter in an edit box over (CurRow, column). Enter in the amount box also
// advances the row. After EndMark the month is confirmed with CurRow - 1 rows.
BoxEnter EnterInBox(TallyWorkspace &ws, CellGrid &grid, InputColumn column, QStringView typed,
                    int maxRows);

// Totals under the grid: the counts (leading-number rule) in the format "# ",
// the amounts (thousands separators read) in the format "#,0 ".
QString CountTotalText(const CellGrid &grid, int maxRows);
QString AmountTotalText(const CellGrid &grid, int maxRows);

enum class Arrow { Up, Down, Left, Right };

struct ArrowMove {
    bool emptyBox = false;   // the box loses its unconfirmed text
    InputColumn focus;       // the box that has the focus afterwards
};

// An arrow key in an edit box.
ArrowMove ArrowInBox(TallyWorkspace &ws, CellGrid &grid, InputColumn column, Arrow arrow,
                     int maxRows);

// A click on the grid, pressed on (row, col): the boxes follow the grid's
// current row. A click on a data cell gives the focus to the box over its
// column; one on a row number or on the header row moves no focus.
std::optional<InputColumn> FollowGridClick(TallyWorkspace &ws, const CellGrid &grid, int row, int col);

} // namespace zq
