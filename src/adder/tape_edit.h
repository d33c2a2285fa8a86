#pragma once

#include "adder/adder_values.h"

#include <QString>
#include <QStringView>
#include <QVector>

#include <deque>

namespace zq {

// Corrections of a tape already typed. Each leaves the tape as if it had
// been typed that way: the entries renumbered, the total the sum of the
// entries added in their order, as typing adds them. An amount is typed
// with the entry line's rules (operators included); one that is not an
// entry, or a tape whose total would overflow, changes nothing.
enum class EditOutcome {
    Done,
    TapeFull,   // an insertion into a tape of MaxRows entries
    InputError, // "入力エラー！": the tape is unchanged
};

EditOutcome ReplaceEntry(AdderValues &adder, int row, QStringView typed);
EditOutcome InsertEntry(AdderValues &adder, int maxRows, int row, QStringView typed); // before `row`
EditOutcome DeleteEntry(AdderValues &adder, int row);

// What one step of the tape's history brings back: the entries, and what
// 前の計算 showed (so that undoing クリア shows the tape and the labels of
// before it).
struct TapeState {
    QVector<double> entries; // entries[0] is entry 1
    double total = 0.0;      // as the tape had it (a file's own total included)
    QString previousCount;
    QString previousTotal;
    bool operator==(const TapeState &) const = default;
};

TapeState TapeStateOf(const AdderValues &adder, const QString &previousCount, const QString &previousTotal);
// Puts a state back on the tape: entries, count and total as they were.
void RestoreTapeState(AdderValues &adder, int maxRows, const TapeState &state);

// 元に戻す / やり直し over the last TapeHistory::Steps changes of the tape:
// each entry, correction, クリア and opened file is one step.
class TapeHistory
{
public:
    static constexpr int Steps = 200;

    // Before a change: the state it changes.
    void changing(const TapeState &before);
    // The state to go back to from `current`, which redo then brings back;
    // false when there is nothing to undo.
    bool undo(const TapeState &current, TapeState *back);
    bool redo(const TapeState &current, TapeState *forward);
    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    void clear();

private:
    std::deque<TapeState> m_undo;
    std::deque<TapeState> m_redo;
};

} // namespace zq
