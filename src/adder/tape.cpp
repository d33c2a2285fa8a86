#include "adder/tape.h"

#include "adder/entry_line.h"
#include "common/format.h"

#include <cmath>

namespace zq {

QString TapeAmountText(double value)
{
    return FormatNumber(value, u"#,0.###### ");
}

QString TapeCountText(int count)
{
    return FormatNumber(count, u"#0 ");
}

int TapeTopRowFor(int count)
{
    return count > TapeVisibleRows - 1 ? count - (TapeVisibleRows - 1) : 1;
}

void ActivateTape(AdderValues &adder, ProgramValues &program)
{
    adder.HideRowNumbers = 0;
    program.MaxRows = AdderMaxRows;
    if (program.ReturnFlag == 0)
        adder.Tape = QVector<double>(program.MaxRows + 1, 0.0);
}

EntryOutcome ConfirmEntry(AdderValues &adder, int maxRows, QStringView typed)
{
    if (adder.TapeCount >= maxRows)
        return EntryOutcome::TapeFull;
    const EntryEvaluation entry = EvaluateEntry(typed);
    if (!entry.ok)
        return EntryOutcome::InputError;
    const double total = adder.TapeTotal + entry.value;
    if (!std::isfinite(total))
        return EntryOutcome::InputError;

    adder.EntryValue = entry.value;
    ++adder.TapeCount;
    if (adder.Tape.size() <= adder.TapeCount)
        adder.Tape.resize(maxRows + 1);
    adder.Tape[adder.TapeCount] = entry.value;
    adder.TapeTotal = total;
    return EntryOutcome::Appended;
}

PreviousCalculation ClearTape(AdderValues &adder)
{
    const PreviousCalculation previous{adder.TapeCount, adder.TapeTotal};
    adder.TapeCount = 0;
    adder.TapeTotal = 0.0;
    return previous;
}

void LeaveAdder(AdderValues &adder, ProgramValues &program)
{
    adder = AdderValues{};
    program.MaxRows = 0;
    program.ReturnFlag = 0;
}

} // namespace zq
