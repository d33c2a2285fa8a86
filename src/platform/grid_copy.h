#pragma once

namespace zq {

class ClipboardService;
class LegacyGrid;

// ｺﾋﾟｰ of a result grid: the whole grid, header and row numbers included,
// selected and put on an emptied clipboard (a tab between cells, a CR
// between rows); the current cell then goes back to the first data cell.
void CopyWholeGrid(ClipboardService &clipboard, LegacyGrid &grid);

} // namespace zq
