#include "tally/input_sheet.h"

#include "common/format.h"
#include "common/number.h"

namespace zq {

void WriteTallyGridHeader(CellGrid &grid, const QString &itemName)
{
    grid.setText(0, 0, QStringLiteral("NO"));
    grid.setText(0, 1, itemName);
    grid.setText(0, 2, QStringLiteral("件数"));
    grid.setText(0, 3, QStringLiteral("金　額"));
}

void LayOutInputGrid(CellGrid &grid, int maxRows)
{
    grid.setRows(maxRows + 1);
    WriteTallyGridHeader(grid, QStringLiteral("回数"));
    for (int r = 1; r <= maxRows; ++r)
        grid.setText(r, 0, FormatNumber(r, u"# "));
    grid.setCurrentCell(grid.row(), 0);
}

void ClearInputGrid(CellGrid &grid, const QString &itemName, int maxRows)
{
    grid.clear();
    WriteTallyGridHeader(grid, itemName);
    for (int r = 1; r <= maxRows; ++r)
        grid.setText(r, 0, FormatNumber(r, u"0 "));
    grid.setCurrentCell(maxRows, 0);
}

void RowAdvance(TallyWorkspace &ws, CellGrid &grid, int maxRows)
{
    ws.CurRow = qMin(ws.CurRow + 1, maxRows);
    ws.CurLine = qMin(ws.CurLine + 1, InputVisibleLines);
    if (ws.CurRow - 1 > 9 && ws.CurLine > 9)
        grid.setTopRow(ws.CurRow - 9);
}

void RowBack(TallyWorkspace &ws, CellGrid &grid)
{
    ws.CurRow = qMax(ws.CurRow - 1, 1);
    grid.setCurrentCell(ws.CurRow, grid.col());
    ws.CurLine = qMax(ws.CurLine - 1, 1);
    if (grid.row() < grid.topRow())
        grid.setTopRow(ws.CurRow);
}

void RowForward(TallyWorkspace &ws, CellGrid &grid, int maxRows)
{
    ws.CurRow = qMin(ws.CurRow + 1, maxRows);
    grid.setCurrentCell(ws.CurRow, grid.col());
    ws.CurLine = qMin(ws.CurLine + 1, InputVisibleLines);
    if (ws.CurRow - 1 > 9 && ws.CurLine > 9)
        grid.setTopRow(ws.CurRow - 9);
}

BoxEnter EnterInBox(TallyWorkspace &ws, CellGrid &grid, InputColumn column, QStringView typed,
                    int maxRows)
{
    const int col = int(column);
    const QString text = NormalizeTyped(typed);
    grid.setCurrentCell(ws.CurRow, col);
    if (!grid.text(ws.CurRow, col).isEmpty() && text.isEmpty()) {
        if (column == InputColumn::Amount)
            RowAdvance(ws, grid, maxRows);
        return BoxEnter::Kept;
    }
    if (column == InputColumn::Key && text == u"*") {
        for (int r = ws.CurRow; r <= maxRows; ++r)
            for (int c = 1; c <= 3; ++c)
                grid.setText(r, c, QString());
        return BoxEnter::EndMark;
    }
    const NumberReading number = ReadNumber(text);
    if (number.overflow)
        return BoxEnter::Refused;
    grid.setText(ws.CurRow, col,
                 FormatNumber(number.value, column == InputColumn::Amount ? u"#,0 " : u"#0 "));
    if (column == InputColumn::Amount)
        RowAdvance(ws, grid, maxRows);
    return BoxEnter::Written;
}

QString CountTotalText(const CellGrid &grid, int maxRows)
{
    double total = 0;
    for (int r = 1; r <= maxRows; ++r)
        total += NumericValue(grid.text(r, 2));
    return FormatNumber(total, u"# ");
}

QString AmountTotalText(const CellGrid &grid, int maxRows)
{
    double total = 0;
    for (int r = 1; r <= maxRows; ++r)
        total += GridCellNumber(grid.text(r, 3));
    return FormatNumber(total, u"#,0 ");
}

ArrowMove ArrowInBox(TallyWorkspace &ws, CellGrid &grid, InputColumn column, Arrow arrow,
                     int maxRows)
{
    ArrowMove move{true, column};
    switch (arrow) {
    case Arrow::Up:
        move.emptyBox = column != InputColumn::Amount;
        RowBack(ws, grid);
        break;
    case Arrow::Down:
        move.emptyBox = column != InputColumn::Amount;
        RowForward(ws, grid, maxRows);
        break;
    case Arrow::Right:
        if (column == InputColumn::Amount) {
            move.emptyBox = false;
            RowForward(ws, grid, maxRows);
            move.focus = InputColumn::Key;
        } else {
            move.focus = InputColumn(int(column) + 1);
        }
        break;
    case Arrow::Left:
        if (column == InputColumn::Key) {
            RowBack(ws, grid);
            move.focus = InputColumn::Amount;
        } else {
            move.focus = InputColumn(int(column) - 1);
        }
        break;
    }
    return move;
}

std::optional<InputColumn> FollowGridClick(TallyWorkspace &ws, const CellGrid &grid, int row, int col)
{
    ws.CurRow = grid.row();
    ws.CurLine = qBound(1, grid.row() - grid.topRow() + 1, InputVisibleLines);
    if (row >= 1 && col >= int(InputColumn::Key) && col <= int(InputColumn::Amount))
        return InputColumn(col);
    return std::nullopt;
}

} // namespace zq
