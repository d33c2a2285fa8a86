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

// The same for a dynamic value: the empty value formats as "".
QString FormatValue(const Value &value, QStringView format);

} // namespace zq
