#pragma once

#include "common/cell_grid.h"
#include "tally/tally_workspace.h"

#include <QStringView>

namespace zq {

// Columns of the input grid and the edit box over each.
enum class InputColumn { Key = 1, Count = 2, Amount = 3 };

inline constexpr int InputVisibleLines = 10;

// Top of the edit boxes, in twips inside the input frame, for a line 1..10.
constexpr int InputBoxTop(int line)
{
    return 660 + 240 * line;
}

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

// A click on the grid: the boxes follow the grid's current row.
void FollowGridClick(TallyWorkspace &ws, const CellGrid &grid);

} // namespace zq
