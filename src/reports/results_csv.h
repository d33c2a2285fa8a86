#pragma once

#include "common/cell_grid.h"
#include "engine/tally_results.h"
#include "tally/tally_workspace.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace zq {

// The results as a spreadsheet file: CP932 text with CR LF, one line per row
// of the grid as it is shown (the header, one row per key, the totals),
// numbers as plain numbers (no thousands separators, no trailing blanks), a
// month without rows for a key as an empty cell, and a field quoted where it
// holds a comma, a quote or a line break.

// The cells of a grid, every row that holds any text; each cell trimmed,
// and a figure as a plain number. `totals`, when given, is one more row.
QList<QStringList> CsvRows(const CellGrid &grid, const QStringList &totals = {});
QByteArray CsvBytes(const QList<QStringList> &rows);

// The results list (G4), with its totals row.
QByteArray ResultsListCsv(const TallyWorkspace &ws, const TallyResults &results);

} // namespace zq
