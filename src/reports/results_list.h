#pragma once

#include "common/cell_grid.h"
#include "engine/tally_results.h"
#include "tally/tally_workspace.h"

namespace zq {

// Width in twips of each column of the results list for N months.
QVector<int> ResultsListWidths(int months);

// Fills the results list: a header row, one row per period key (sequence,
// key, count and amount of every month, period count and amount) and the
// totals row. The grid gets 2N + 4 columns and R + 2 rows. A month without
// rows for a key shows blank. A grid on the screen formats a cell when it
// shows it, from `ws` and `results` as they are then: both must outlive its
// use of them (the list is modal and filled again each time it is shown).
void FillResultsList(CellGrid &grid, const TallyWorkspace &ws, const TallyResults &results);

} // namespace zq
