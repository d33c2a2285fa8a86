#include "common/decimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace zq {
namespace {

void trim(Decimal &d)
{
    const auto lead = d.intDigits.find_first_not_of('0');
    d.intDigits.erase(0, lead == std::string::npos ? d.intDigits.size() : lead);
    const auto tail = d.fracDigits.find_last_not_of('0');
    d.fracDigits.erase(tail == std::string::npos ? 0 : tail + 1);
    if (d.isZero())
        d.negative = false;
}

} // namespace

Decimal Decimal::fromDouble(double value)
{
    Decimal d;
    if (!std::isfinite(value) || value == 0.0)
        return d;
    d.negative = value < 0;
    char buf[64];
    // d.dddddddddddddde±x: 15 significant digits
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, 14);
    const std::string text(buf, res.ptr);
    const auto ePos = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    const int intCount = exponent + 1; // digits before the decimal point
    const int n = static_cast<int>(digits.size());
    if (intCount >= n) {
        d.intDigits = digits + std::string(intCount - n, '0');
    } else if (intCount <= 0) {
        d.fracDigits = std::string(-intCount, '0') + digits;
    } else {
        d.intDigits = digits.substr(0, intCount);
        d.fracDigits = digits.substr(intCount);
    }
    trim(d);
    return d;
}

Decimal Decimal::rounded(int places) const
{
    if (places < 0)
        places = 0;
    if (static_cast<int>(fracDigits.size()) <= places)
        return *this;
    Decimal r = *this;
    const bool up = fracDigits[places] >= '5';
    r.fracDigits.resize(places);
    if (up) {
        std::string all = (r.intDigits.empty() ? std::string("0") : r.intDigits) + r.fracDigits;
        int i = static_cast<int>(all.size()) - 1;
        while (i >= 0 && all[i] == '9')
            all[i--] = '0';
        if (i >= 0)
            ++all[i];
        else
            all.insert(all.begin(), '1');
        r.intDigits = all.substr(0, all.size() - places);
        r.fracDigits = all.substr(all.size() - places);
    }
    trim(r);
    return r;
}

double Decimal::toDouble() const
{
    if (isZero())
        return 0.0;
    std::string literal = intDigits.empty() ? std::string("0") : intDigits;
    if (!fracDigits.empty())
        literal += "." + fracDigits;
    double v = 0.0;
    const auto result = std::from_chars(literal.data(), literal.data() + literal.size(), v);
    // Fifteen digits of the largest doubles round past the largest double
    // (1.79769313486232E+308): such a value stays at the limit; one too
    // small for a double is 0.
    if (result.ec == std::errc::result_out_of_range)
        v = intDigits.empty() ? 0.0 : std::numeric_limits<double>::max();
    return negative ? -v : v;
}

} // namespace zq
