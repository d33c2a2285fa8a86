#include "adder/tape_edit.h"

#include "adder/entry_line.h"

#include <cmath>

namespace zq {

namespace {

// The total of entries 1..count added in order; false when it overflows.
bool addUp(const QVector<double> &tape, int count, double *total)
{
    double sum = 0.0;
    for (int i = 1; i <= count; ++i)
        sum += tape.value(i);
    *total = sum;
    return std::isfinite(sum);
}

// The tape with its entries changed, or nothing changed at all.
EditOutcome commit(AdderValues &adder, QVector<double> tape, int count)
{
    double total = 0.0;
    if (!addUp(tape, count, &total))
        return EditOutcome::InputError;
    adder.Tape = std::move(tape);
    adder.TapeCount = count;
    adder.TapeTotal = total;
    return EditOutcome::Done;
}

bool onTape(const AdderValues &adder, int row)
{
    return row >= 1 && row <= adder.TapeCount;
}

} // namespace

EditOutcome ReplaceEntry(AdderValues &adder, int row, QStringView typed)
{
    const EntryEvaluation entry = EvaluateEntry(typed);
    if (!onTape(adder, row) || !entry.ok)
        return EditOutcome::InputError;
    QVector<double> tape = adder.Tape;
    tape[row] = entry.value;
    return commit(adder, std::move(tape), adder.TapeCount);
}

EditOutcome InsertEntry(AdderValues &adder, int maxRows, int row, QStringView typed)
{
    if (adder.TapeCount >= maxRows)
        return EditOutcome::TapeFull;
    const EntryEvaluation entry = EvaluateEntry(typed);
    if (!onTape(adder, row) || !entry.ok)
        return EditOutcome::InputError;
    QVector<double> tape = adder.Tape;
    tape.insert(row, entry.value);
    if (tape.size() > maxRows + 1)
        tape.removeLast(); // a blank past the last entry
    return commit(adder, std::move(tape), adder.TapeCount + 1);
}

EditOutcome DeleteEntry(AdderValues &adder, int row)
{
    if (!onTape(adder, row))
        return EditOutcome::InputError;
    QVector<double> tape = adder.Tape;
    tape.remove(row);
    tape.append(0.0);
    return commit(adder, std::move(tape), adder.TapeCount - 1);
}

TapeState TapeStateOf(const AdderValues &adder, const QString &previousCount, const QString &previousTotal)
{
    return {adder.Tape.mid(1, adder.TapeCount), adder.TapeTotal, previousCount, previousTotal};
}

void RestoreTapeState(AdderValues &adder, int maxRows, const TapeState &state)
{
    QVector<double> tape(std::max<qsizetype>(maxRows, state.entries.size()) + 1, 0.0);
    std::copy(state.entries.begin(), state.entries.end(), tape.begin() + 1);
    adder.Tape = std::move(tape);
    adder.TapeCount = int(state.entries.size());
    adder.TapeTotal = state.total;
}

void TapeHistory::changing(const TapeState &before)
{
    m_undo.push_back(before);
    if (m_undo.size() > std::size_t(Steps))
        m_undo.pop_front();
    m_redo.clear();
}

bool TapeHistory::undo(const TapeState &current, TapeState *back)
{
    if (m_undo.empty())
        return false;
    m_redo.push_back(current); // before *back, which may be `current`
    *back = m_undo.back();
    m_undo.pop_back();
    return true;
}

bool TapeHistory::redo(const TapeState &current, TapeState *forward)
{
    if (m_redo.empty())
        return false;
    m_undo.push_back(current);
    *forward = m_redo.back();
    m_redo.pop_back();
    return true;
}

void TapeHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
}

} // namespace zq
