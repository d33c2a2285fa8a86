#include "platform/grid_copy.h"

#include "platform/legacy_grid.h"
#include "platform/services.h"

namespace zq {

void CopyWholeGrid(ClipboardService &clipboard, LegacyGrid &grid)
{
    clipboard.clear();
    grid.setSelection(0, 0, grid.rows() - 1, grid.cols() - 1);
    clipboard.setText(grid.allText());
    if (grid.rows() > 1)
        grid.setCurrentCell(1, 1);
}

} // namespace zq
