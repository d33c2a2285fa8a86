#pragma once

#include "adder/adder_values.h"
#include "common/print_canvas.h"

namespace zq {

inline constexpr int TapeLinesPerColumn = 60;
inline constexpr int TapeColumnWidth = 27; // in widths of "A"
inline constexpr int TapeLastColumnOffset = 81;

// Header line of every tape page.
QString TapeHeaderText(int count, double total);

// Prints the tape: a header with count and total, then the entries in four
// columns of 60 a portrait page, with their row numbers unless
// adder.HideRowNumbers is 1. Ends the document; false when the job failed.
bool PrintTape(PrintCanvas &canvas, const AdderValues &adder);

} // namespace zq
