#pragma once

#include <QString>
#include <QStringView>

namespace zq {

// The blanks that surround and separate numbers, in typed text and in the
// files alike: space, tab, CR and LF.
constexpr bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Result of reading the leading number of a typed text.
struct NumberReading {
    double value = 0.0;
    bool overflow = false;   // the number does not fit a double
};

// What a Japanese input method commits for the digit and operator keys, as
// the ASCII characters of those keys, so that every reader of typed numbers
// sees them alike: full-width ０-９ ＋ － ＊ ／ ． and blank; − (MINUS SIGN,
// what the "-" key gives), × and ÷; and the kana-mode forms of "-", "/" and
// "." (ー ・ 。, and ｰ ･ ｡ in half-width kana).
QString NormalizeTyped(QStringView typed);

// Numeric value of a typed text: blanks are skipped anywhere; an optional
// sign, digits with at most one ".", and an optional exponent ("E") are read
// up to the first other character; no leading number gives 0.
// Independent of the locale; "inf", "nan" and hex are never numbers.
NumberReading ReadNumber(QStringView text);

// The same, where an overflow needs no separate handling (it reads as 0).
double NumericValue(QStringView text);

// True when the whole text (surrounding blanks allowed) is one number in the
// form ReadNumber accepts and its value is finite; *value receives it.
bool ReadsAsNumber(QStringView text, double *value = nullptr);

// Number of a grid cell: the text read as a number that may carry blanks and
// thousands separators, rounded to a whole number (halves away from zero);
// an empty or non-numeric cell gives 0.
double GridCellNumber(QStringView text);

// Rounds to `places` fraction digits, halves away from zero, deciding on the
// value's 15-significant-digit decimal form (so 0.285 to two places is 0.29).
double RoundHalfAway(double value, int places);

} // namespace zq
