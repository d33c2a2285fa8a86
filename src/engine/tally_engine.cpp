#include "engine/tally_engine.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace zq {

namespace {

// Groups sorted rows 1..n by runs of equal keys into rows 1..groups of the
// output lists. Rows whose key equals the one before row 1 (0) add into row
// 0, which is never shown.
void groupRows(const QVector<double> &key, const QVector<double> &cases, const QVector<double> &amount,
               int n, QVector<double> &keys, QVector<double> &casesList, QVector<double> &amounts)
{
    double *outKey = keys.data();
    double *outCases = casesList.data();
    double *outAmount = amounts.data();
    int g = 0;
    for (int i = 1; i <= n; ++i) {
        if (key[i] != key[i - 1]) {
            ++g;
            outKey[g] = key[i];
            outCases[g] = cases[i];
            outAmount[g] = amount[i];
        } else {
            outCases[g] += cases[i];
            outAmount[g] += amount[i];
        }
    }
}

// Keys that all differ have one ascending order, whichever sort finds it, and
// std::sort finds it sooner. Where keys repeat, the Shell sort below decides
// which of their rows come first, and so the order in which their amounts
// are added: those lists are left to it (false, the lists as they were).
bool sortDistinctKeys(double *key, double *cases, double *amount, int n)
{
    // Repeated keys mostly show among the first rows already: then the
    // attempt is not worth making.
    const int probe = std::min(n, 48);
    for (int i = 2; i <= probe; ++i)
        for (int j = 1; j < i; ++j)
            if (key[i] == key[j])
                return false;
    struct Row {
        double key, cases, amount;
    };
    std::vector<Row> rows(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i)
        rows[size_t(i - 1)] = {key[i], cases[i], amount[i]};
    std::sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.key < b.key; });
    for (size_t i = 1; i < rows.size(); ++i)
        if (!(rows[i - 1].key < rows[i].key))
            return false;
    for (int i = 1; i <= n; ++i) {
        key[i] = rows[size_t(i - 1)].key;
        cases[i] = rows[size_t(i - 1)].cases;
        amount[i] = rows[size_t(i - 1)].amount;
    }
    return true;
}

QVector<double> sized(int n)
{
    return QVector<double>(n + 1, 0.0);
}

} // namespace

void KeySort(QVector<double> &keys, QVector<double> &casesList, QVector<double> &amounts, int n)
{
    // The lists' own memory: indexing a QVector checks for sharing each time.
    double *key = keys.data();
    double *cases = casesList.data();
    double *amount = amounts.data();
    if (n > 1 && sortDistinctKeys(key, cases, amount, n))
        return;
    int h = 1;
    do {
        h = 4 * h + 1;
    } while (h < n);
    for (;;) {
        h /= 4;
        if (h < 1)
            break;
        for (int i = h + 1; i <= n; ++i) {
            const double t = key[i];
            const double c = cases[i];
            const double a = amount[i];
            int j = i;
            do {
                if (key[j - h] <= t)
                    break;
                key[j] = key[j - h];
                cases[j] = cases[j - h];
                amount[j] = amount[j - h];
                j -= h;
            } while (j > h);
            key[j] = t;
            cases[j] = c;
            amount[j] = a;
        }
    }
}

int CountKeyChanges(const QVector<double> &key, int n)
{
    int changes = 0;
    for (int i = 1; i <= n; ++i)
        if (key[i] != key[i - 1])
            ++changes;
    return changes;
}

void SumMonths(const TallyWorkspace &ws, TallyResults &r)
{
    const int months = ws.periodMonths();
    r.MonthCountTotal = sized(months);
    r.MonthAmountTotal = sized(months);
    for (int m = 1; m <= months; ++m) {
        for (int i = 1; i <= ws.monthRows(m); ++i) {
            r.MonthCountTotal[m] += ws.Cases[m].value(i);
            r.MonthAmountTotal[m] += ws.Amount[m].value(i);
        }
    }
    r.PeriodCountTotal = 0;
    r.PeriodAmountTotal = 0;
    for (int m = 1; m <= months; ++m) {
        r.PeriodCountTotal += r.MonthCountTotal[m];
        r.PeriodAmountTotal += r.MonthAmountTotal[m];
    }
}

void CopyInput(const TallyWorkspace &ws, TallyResults &r)
{
    for (int m = 1; m <= ws.periodMonths(); ++m) {
        const int n = ws.monthRows(m);
        r.WorkKey[m] = sized(n);
        r.WorkCases[m] = sized(n);
        r.WorkAmount[m] = sized(n);
        for (int i = 1; i <= n; ++i) {
            r.WorkKey[m][i] = ws.Key[m].value(i);
            r.WorkCases[m][i] = ws.Cases[m].value(i);
            r.WorkAmount[m][i] = ws.Amount[m].value(i);
        }
    }
}

void SortMonths(const TallyWorkspace &ws, TallyResults &r)
{
    for (int m = 1; m <= ws.periodMonths(); ++m)
        if (ws.monthRows(m) != 1)
            KeySort(r.WorkKey[m], r.WorkCases[m], r.WorkAmount[m], ws.monthRows(m));
}

void CountMonthKeys(const TallyWorkspace &ws, TallyResults &r)
{
    for (int m = 1; m <= ws.periodMonths(); ++m)
        r.MonthKeyCount[m] = CountKeyChanges(r.WorkKey[m], ws.monthRows(m));
}

void GroupMonths(const TallyWorkspace &ws, TallyResults &r)
{
    for (int m = 1; m <= ws.periodMonths(); ++m) {
        const int groups = r.MonthKeyCount[m];
        r.SumKey[m] = sized(groups);
        r.SumCases[m] = sized(groups);
        r.SumAmount[m] = sized(groups);
        groupRows(r.WorkKey[m], r.WorkCases[m], r.WorkAmount[m], ws.monthRows(m), r.SumKey[m],
                  r.SumCases[m], r.SumAmount[m]);
    }
}

void MergeMonths(const TallyWorkspace &ws, TallyResults &r)
{
    // Only the months of the period: counters left by an earlier, longer
    // tally would add rows that were never copied.
    const int months = ws.periodMonths();
    r.MergedRows = 0;
    for (int m = 1; m <= months; ++m)
        r.MergedRows += r.MonthKeyCount[m];
    r.MergedKey = sized(r.MergedRows);
    r.MergedCases = sized(r.MergedRows);
    r.MergedAmount = sized(r.MergedRows);
    int offset = 0;
    for (int m = 1; m <= months; ++m) {
        for (int i = 1; i <= r.MonthKeyCount[m]; ++i) {
            r.MergedKey[offset + i] = r.SumKey[m][i];
            r.MergedCases[offset + i] = r.SumCases[m][i];
            r.MergedAmount[offset + i] = r.SumAmount[m][i];
        }
        offset += r.MonthKeyCount[m];
    }
}

void SortMerged(const TallyWorkspace &, TallyResults &r)
{
    if (r.MergedRows != 1)
        KeySort(r.MergedKey, r.MergedCases, r.MergedAmount, r.MergedRows);
    r.PeriodKeyCount = CountKeyChanges(r.MergedKey, r.MergedRows);
}

void GroupPeriod(const TallyWorkspace &, TallyResults &r)
{
    r.PeriodKey = sized(r.PeriodKeyCount);
    r.PeriodCases = sized(r.PeriodKeyCount);
    r.PeriodAmount = sized(r.PeriodKeyCount);
    groupRows(r.MergedKey, r.MergedCases, r.MergedAmount, r.MergedRows, r.PeriodKey, r.PeriodCases,
              r.PeriodAmount);
}

void BuildResultMatrix(const TallyWorkspace &ws, TallyResults &r)
{
    const int months = ws.periodMonths();
    r.Matrix = ResultMatrix(2 * months + 4, r.PeriodKeyCount);
    QHash<double, int> rowOfKey;
    rowOfKey.reserve(r.PeriodKeyCount);
    for (int row = 1; row <= r.PeriodKeyCount; ++row) {
        r.Matrix.set(2, row, r.PeriodKey[row]);
        rowOfKey.insert(r.PeriodKey[row] == 0 ? 0.0 : r.PeriodKey[row], row);
    }
    for (int m = 1; m <= months; ++m) {
        for (int j = 1; j <= r.MonthKeyCount[m]; ++j) {
            const double key = r.SumKey[m][j];
            const auto found = rowOfKey.constFind(key == 0 ? 0.0 : key);
            if (found == rowOfKey.constEnd())
                continue;
            r.Matrix.set(2 * m + 1, *found, r.SumCases[m][j]);
            r.Matrix.set(2 * m + 2, *found, r.SumAmount[m][j]);
        }
    }
    for (int row = 1; row <= r.PeriodKeyCount; ++row) {
        r.Matrix.set(2 * months + 3, row, r.PeriodCases[row]);
        r.Matrix.set(2 * months + 4, row, r.PeriodAmount[row]);
    }
}

void RunTally(const TallyWorkspace &ws, TallyResults &r)
{
    SumMonths(ws, r);
    CopyInput(ws, r);
    SortMonths(ws, r);
    CountMonthKeys(ws, r);
    GroupMonths(ws, r);
    MergeMonths(ws, r);
    SortMerged(ws, r);
    GroupPeriod(ws, r);
    r.ResultMonth = 0;
    BuildResultMatrix(ws, r);
}

} // namespace zq
