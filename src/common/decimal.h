#pragma once

#include <string>

namespace zq {

// A finite number in decimal digits, as the display formats and the
// rounding rules see it: at most 15 significant digits taken from a double.
struct Decimal {
    bool negative = false;
    std::string intDigits;  // without leading zeros; empty for a zero integer part
    std::string fracDigits; // without trailing zeros

    static Decimal fromDouble(double value);

    // Nearest value with at most `places` fraction digits, halves away from zero.
    Decimal rounded(int places) const;

    bool isZero() const { return intDigits.empty() && fracDigits.empty(); }
    double toDouble() const;
};

} // namespace zq
