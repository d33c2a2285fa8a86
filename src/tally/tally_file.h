#pragma once

#include "tally/tally_workspace.h"

#include <QByteArray>

#include <optional>

namespace zq {

// The item name as a tally file holds it: a double quote becomes ' (the
// format has no way to hold it).
QString TallyFileItemName(const QString &itemName);

// Bytes of a tally file: MonthCount, ItemName, StartMonth, EndMonth; the
// row counts of the months on one line; the calendar month of each month,
// one a line; then the key, count and amount of every row, month by month.
// The item name as TallyFileItemName gives it. False in *ok when the item
// name has a character that code page 932 cannot hold.
QByteArray TallyFileBytes(const TallyWorkspace &ws, bool *ok);

// 名前を付けて保存, before the dialog: refused before a tally (no result
// rows), and for an item name with characters the file cannot hold, which
// `unwritable` names.
struct TallySave {
    bool tallied = false;
    QByteArray bytes;
    QString unwritable;
};
TallySave PrepareTallySave(const TallyWorkspace &ws, const TallyResults &results);

struct TallyFileContents {
    int MonthCount = 0;
    QString ItemName;
    double StartMonth = 0;
    double EndMonth = 0;
    QVector<int> MonthRows;    // [m], 1..MonthCount
    QVector<int> PeriodMonth;  // [m], 1..MonthCount
    QVector<QVector<double>> Key, Cases, Amount; // [m][r]
};

// Reads a tally file; nothing when it is damaged: MonthCount a whole number
// 1..6, every row count a whole number 0..maxRows, every calendar month a
// whole number 0..12, every key, count and amount a finite number, and no
// line missing.
std::optional<TallyFileContents> ParseTallyFile(const QByteArray &bytes, int maxRows);

// Replaces the period, the item and months 1..MonthCount with an opened
// file. Months above keep what they held; only months 1..MonthCount count.
void ApplyTallyFile(TallyWorkspace &ws, const TallyFileContents &contents);

} // namespace zq
