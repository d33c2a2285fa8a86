#pragma once

#include "adder/adder_values.h"
#include "shell/program_values.h"

#include <QString>
#include <QStringView>

namespace zq {

inline constexpr int AdderMaxRows = 1000;
inline constexpr int TapeVisibleRows = 10;

// Text of a tape cell and of the running total.
QString TapeAmountText(double value);
// Text of the entry count.
QString TapeCountText(int count);

// Top data row that shows the newest of `count` entries on the last of the
// ten visible rows.
int TapeTopRowFor(int count);

// Activation of the adding machine: MaxRows = 1000 and, unless the window
// comes back from one of its own secondary windows, a new empty tape.
void ActivateTape(AdderValues &adder, ProgramValues &program);

enum class EntryOutcome {
    Appended,   // a new row TapeCount holds EntryValue
    TapeFull,   // MaxRows entries already: nothing happens
    InputError, // division by zero or overflow: the tape is unchanged
};

// Confirms the typed entry: evaluates it and appends it to the tape.
EntryOutcome ConfirmEntry(AdderValues &adder, int maxRows, QStringView typed);

struct PreviousCalculation {
    int count = 0;
    double total = 0.0;
};

// Clears the tape; returns the count and total it had.
PreviousCalculation ClearTape(AdderValues &adder);

// Leaving the adding machine for the menu: every working value back to 0.
void LeaveAdder(AdderValues &adder, ProgramValues &program);

} // namespace zq
