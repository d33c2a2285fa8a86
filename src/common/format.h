#pragma once

#include "common/value.h"

#include <QString>
#include <QStringView>

namespace zq {

// Text of a number in one of the display formats:
//   "0"  digit place that always shows a digit
//   "#"  digit place that shows nothing for a leading zero ("# " turns 0 into " ")
//   ","  between digit places: thousands separators
//   "."  decimal point, followed by "#" places for at most that many fraction
//        digits; trailing zeros are dropped, the point itself always stays
//   any other character is copied unchanged.
// Without "." the value is brought to the nearest whole number. Halves round
// away from zero on the value's 15-significant-digit form; "-0" never appears.
QString FormatNumber(double value, QStringView format);

// A number as plain text, as a label shows a number given no format and as
// the sequential files write one: decimal with "." and no separators, at
// most 15 significant digits, exponent form with "E" for very large or very
// small values ("1E+15", "1E-05"). The few largest doubles, whose 15 digits
// round past the largest double, are written toward zero, so that every
// text reads back as a number.
QString PlainNumberText(double value);

// Fifteen digits of the largest doubles, rounded past the largest double (as
// older versions wrote them), and what PlainNumberText writes instead: the
// largest 15-digit number a double holds.
inline constexpr QLatin1String LargestRoundedText("1.79769313486232E+308");
inline constexpr QLatin1String LargestWrittenText("1.79769313486231E+308");

// The same for a dynamic value: the empty value formats as "".
QString FormatValue(const Value &value, QStringView format);

} // namespace zq
