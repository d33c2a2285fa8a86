#pragma once

#include "common/cell_grid.h"
#include "tally/tally_workspace.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <vector>

namespace zq {

// Rows of key, count and amount brought in from a spreadsheet: the text a
// spreadsheet puts on the clipboard (one line a row, cells separated by
// tabs) or a CSV file. They are read as strictly as the edit boxes read a
// typed number, with what spreadsheets add to their figures: thousands
// separators, full-width digits, a yen sign. Either every row reads or none
// is taken.
struct RowsRead {
    std::vector<std::array<double, 3>> rows; // key, count, amount
    int badLine = 0;   // the first line that does not read (1-based); 0: all read
    QString badText;   // that line as it stands, made printable and shortened
    QString reason;    // why it does not read
};

// Clipboard text that holds more than one cell: a tab or a line break
// inside it (one line break at its end, as a single copied cell has, does
// not count).
bool HoldsSeveralCells(QStringView text);

// A copied cell without the line break spreadsheets put after it.
QStringView WithoutLineEnd(QStringView text);

// Reads the rows of `text`, cells separated by `separator`. Cells may be
// quoted as spreadsheets quote them ("..." with "" for a quote). Lines whose
// cells are all empty are skipped, and so is a first line that holds no
// number (the column captions). Each row has the cells key, count and
// amount (further empty cells are ignored); an empty cell is 0. At most
// `room` rows are taken: a line beyond them is bad. `itemName` names the key
// column in the reasons.
RowsRead ReadTallyRows(QStringView text, QChar separator, int room, const QString &itemName);

// A CSV file's bytes: UTF-8 (with or without its byte order mark), UTF-16
// with its mark, or code page 932; the cells separated by tabs when the
// first line holds one, by commas otherwise.
RowsRead ReadTallyCsv(const QByteArray &bytes, int room, const QString &itemName);

// The message for rows that were refused: the line, its content and why,
// and that the month is as it was.
QString RowsRefusedText(const RowsRead &read);

// The last row of the grid with a key, count or amount in it; 0 when none.
int LastFilledRow(const CellGrid &grid, int maxRows);

// What the input area shows once rows were appended.
struct RowsAppended {
    QString countTotal;   // Label24
    QString amountTotal;  // Label25
};

// Appends the rows after the last filled row, formatted as typed rows are
// written ("#0 ", "#0 ", "#,0 "). The edit boxes move to the row after the
// last one, which is scrolled into view; the current cell is the last
// row's amount, so that 入力確定 confirms up to it. The caller has checked
// that the rows fit (LastFilledRow + rows <= maxRows).
RowsAppended AppendTallyRows(TallyWorkspace &ws, CellGrid &grid, const RowsRead &read, int maxRows);

} // namespace zq
