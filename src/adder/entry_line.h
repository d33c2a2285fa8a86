#pragma once

#include <QString>
#include <QStringView>

namespace zq {

// True for the entry "**", which clears the tape like the clear button.
bool IsClearCommand(QStringView typed);

// Text of the entry display while the user types: a text with "/" or "-" as
// typed; a text that reads as a number in the format "#,0.######"; otherwise
// as typed.
QString EntryPreview(QStringView typed);

struct EntryEvaluation {
    bool ok = true;      // false: division by zero or overflow ("入力エラー！")
    double value = 0.0;
};

// Value of one entry: a number, or two numbers joined by one operator,
// searched in the order "+-", "-+", "--", "++", "*", "/", "+", "-".
// A leading "-" applies to the left number only.
EntryEvaluation EvaluateEntry(QStringView typed);

} // namespace zq
