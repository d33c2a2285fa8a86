#pragma once

#include "common/print_canvas.h"
#include "engine/tally_results.h"
#include "tally/tally_workspace.h"

namespace zq {

// Number of pages of the results report: the whole part of
// R / rowsPerPage + 0.99.
int ResultsReportPages(int keys, int rowsPerPage);

// Draws the results report on landscape pages: per page a header with the
// page counter, month captions and column captions, rowsPerPage key lines
// with every month's count and amount and the period sums, and a closing
// line (the totals on the last page, "NextPage↓" before it), all ruled.
// A month without rows for a key prints blank. Ends the document; false
// when the job failed.
bool DrawResultsReport(PrintCanvas &canvas, const TallyWorkspace &ws, const TallyResults &results,
                       int rowsPerPage);

} // namespace zq
