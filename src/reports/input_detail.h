#pragma once

#include "common/print_canvas.h"
#include "tally/tally_workspace.h"

#include <QList>

namespace zq {

inline constexpr int DetailLinesPerBlock = 60;
inline constexpr int DetailRowsPerPage = 3 * DetailLinesPerBlock;

// The heading of a month's pages: the calendar month and the totals of the
// rows printed under it.
QString InputDetailHeading(const TallyWorkspace &ws, int month);

// Draws the confirmed input of the given months on portrait pages: each
// month from a new page, under its heading and the column captions, in
// three blocks of 60 rows a page, made smaller only as far as the longest
// block needs. Ends the document; false when the job failed.
bool DrawInputDetail(PrintCanvas &canvas, const TallyWorkspace &ws, const QList<int> &months);

} // namespace zq
