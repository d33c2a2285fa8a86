#pragma once

#include "adder/adder_values.h"
#include "adder/tape.h"
#include "adder/tape_edit.h"
#include "adder/tape_file.h"
#include "common/cell_grid.h"
#include "shell/program_values.h"

#include <QString>
#include <QStringView>
#include <QVector>

#include <optional>

namespace zq {

// What the adding machine shows after one of its actions: the window applies
// it as it stands. A label left empty (nullopt) keeps its text.
struct TapeView {
    bool emptyEntry = false;               // Text1 emptied
    bool emptyDisplay = false;             // its display Label1 emptied as well
    std::optional<QString> total;          // Label2
    std::optional<QString> count;          // Label5
    std::optional<QString> previousTotal;  // Label4
    std::optional<QString> previousCount;  // Label6
    bool beep = false;
    bool inputError = false;               // warn "入力エラー！" after the beep
};

// The tape as the journal keeps it: its entries and total, and what the
// labels under it show.
struct TapeWork {
    bool open = false;        // the adding machine is in use
    QVector<double> entries;  // entry i at entries[i - 1]
    double total = 0.0;
    int topRow = 1;           // the grid's top data row
    // Label2 (total), Label5 (count), Label4 and Label6 (前の計算)
    QString shownTotal, shownCount, previousTotal, previousCount;
    bool operator==(const TapeWork &) const = default;
};

// The tape as it stands; the top row and the labels' texts come from the
// window.
TapeWork CaptureTape(const AdderValues &adder, const TapeWork &labels);

// A tape brought back after the program ended without saving it: the tape,
// total, count, labels and top row as they were.
TapeView ShowRestoredTape(AdderValues &adder, CellGrid &grid, int maxRows, const TapeWork &work);

// The operating rules of the adding machine, lines joined by CR LF.
QString OperatingRulesText();

// Activation: MaxRows and the tape as ActivateTape sets them, the header
// "NO", the row numbers ("#0 ") and WorkText the operating rules. The texts
// of the tape column stay as they are.
void ActivateTapeSheet(AdderValues &adder, ProgramValues &program, CellGrid &grid);

// Enter in the entry line: "**" clears the tape, anything else is confirmed
// as an entry. A new entry is written into the grid with the newest row on
// the last visible line.
TapeView EnterOnTape(AdderValues &adder, CellGrid &grid, int maxRows, QStringView typed);

// クリア: the tape and the grid's amount column emptied; the frame "前の計算"
// shows the count and total it had.
TapeView ClearTapeSheet(AdderValues &adder, CellGrid &grid, int maxRows);

// An opened tape file replaces the whole tape and fills the grid from its
// top. The frame "前の計算" is emptied.
TapeView ShowOpenedTape(AdderValues &adder, CellGrid &grid, int maxRows, const TapeFileContents &contents);

// A correction of the tape (訂正, ここに挿入, 削除): the grid shows the whole
// tape again, the row corrected in view; a bad amount gets what the entry
// line gives ("入力エラー！", nothing changed), an insertion into a full tape
// a beep.
enum class TapeEdit { Replace, Insert, Delete };
TapeView EditTapeSheet(AdderValues &adder, CellGrid &grid, int maxRows, TapeEdit edit, int row, QStringView typed);

// 元に戻す / やり直し: a state of the tape's history shown, with what 前の計算
// showed then.
TapeView ShowTapeState(AdderValues &adder, CellGrid &grid, int maxRows, const TapeState &state);

// Before a file dialog or the print window: activation, when the window
// comes back, keeps the tape.
void KeepTapeOnReturn(ProgramValues &program);
// Before the save dialog, as KeepTapeOnReturn; the top row stored in the
// file is the one that shows the newest entry on the last visible line.
void PrepareTapeSave(AdderValues &adder, ProgramValues &program);

} // namespace zq
