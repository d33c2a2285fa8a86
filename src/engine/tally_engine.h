#pragma once

#include "engine/tally_results.h"
#include "tally/tally_workspace.h"

namespace zq {

// The nine stages of a tally, in the order RunTally calls them. Each reads
// the confirmed input of months 1..MonthCount and the results of the
// stages before it.
void SumMonths(const TallyWorkspace &ws, TallyResults &r);
void CopyInput(const TallyWorkspace &ws, TallyResults &r);
void SortMonths(const TallyWorkspace &ws, TallyResults &r);
void CountMonthKeys(const TallyWorkspace &ws, TallyResults &r);
void GroupMonths(const TallyWorkspace &ws, TallyResults &r);
void MergeMonths(const TallyWorkspace &ws, TallyResults &r);
void SortMerged(const TallyWorkspace &ws, TallyResults &r);
void GroupPeriod(const TallyWorkspace &ws, TallyResults &r);
void BuildResultMatrix(const TallyWorkspace &ws, TallyResults &r);

// The whole tally: the nine stages, with ResultMonth = 0 before the last.
void RunTally(const TallyWorkspace &ws, TallyResults &r);

// Shell sort of rows 1..n of three parallel lists by key, gaps 1, 5, 21,
// 85, 341, ...
void KeySort(QVector<double> &key, QVector<double> &cases, QVector<double> &amount, int n);

// Number of key changes over rows 1..n, the key before row 1 being that of
// row 0 (empty, so 0).
int CountKeyChanges(const QVector<double> &key, int n);

} // namespace zq
