#pragma once

#include "common/cell_grid.h"
#include "engine/tally_results.h"
#include "tally/tally_workspace.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace zq {

// The results as a spreadsheet file: CP932 text with CR LF (a character the
// code page cannot hold as "?"), one line per row of the grid as it is
// shown (the header, one row per key, the totals), numbers as plain numbers
// (no thousands separators, no trailing blanks), a month without rows for a
// key as an empty cell, and a field quoted where it holds a comma, a quote
// or a line break. The header names every column once, the month in each
// month's: a spreadsheet tells them apart where the grid says 件数 twice.

// The cells of a grid, every row that holds any text; each cell trimmed,
// and below the header a figure as a plain number. `header`, when given,
// names the columns instead of the grid's header row; `totals`, when given,
// is one more row.
QList<QStringList> CsvRows(const CellGrid &grid, const QStringList &totals = {}, const QStringList &header = {});
QByteArray CsvBytes(const QList<QStringList> &rows);

// The column names of a result grid (G2 / G3) in a file: NO, the item name,
// then "4月件数", "4月金額" for a month of the period (calendar month), or
// "合計件数", "合計金額" for the period (month 0).
QStringList ResultGridCsvHeader(const TallyWorkspace &ws, int calendarMonth);

// The results list (G4), with its totals row: NO, the item name, "4月件数",
// "4月金額", ... for each month, "合計件数", "合計金額".
QByteArray ResultsListCsv(const TallyWorkspace &ws, const TallyResults &results);

} // namespace zq
