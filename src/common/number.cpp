#include "common/number.h"

#include "common/decimal.h"

#include <charconv>
#include <cmath>
#include <string>

namespace zq {
namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads the leading number of a text (blanks skipped everywhere). `end` is
// the position after the last character that belongs to the number, `found`
// tells whether any digit was read.
struct Scan {
    NumberReading reading;
    bool found = false;
    qsizetype end = 0;
};

Scan scanNumber(QStringView text)
{
    Scan scan;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && IsBlank(text[i]))
            ++i;
    };

    skipBlanks();
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    std::string intDigits;
    std::string fracDigits;
    bool seenDot = false;
    for (;;) {
        skipBlanks();
        if (i >= n)
            break;
        const QChar c = text[i];
        if (isDigit(c)) {
            (seenDot ? fracDigits : intDigits) += char(c.unicode());
            ++i;
        } else if (c == u'.' && !seenDot) {
            seenDot = true;
            ++i;
        } else {
            break;
        }
    }
    if (intDigits.empty() && fracDigits.empty()) {
        scan.end = 0;
        return scan; // no leading number: worth 0
    }
    scan.found = true;
    scan.end = i;

    // Optional exponent: "E", an optional sign and at least one digit.
    long long exponent = 0;
    {
        qsizetype j = i;
        auto skip = [&] {
            while (j < n && IsBlank(text[j]))
                ++j;
        };
        if (j < n && (text[j] == u'e' || text[j] == u'E')) {
            ++j;
            skip();
            bool expNegative = false;
            if (j < n && (text[j] == u'+' || text[j] == u'-')) {
                expNegative = text[j] == u'-';
                ++j;
            }
            bool expDigits = false;
            for (;;) {
                skip();
                if (j >= n || !isDigit(text[j]))
                    break;
                expDigits = true;
                if (exponent < 100000000)
                    exponent = exponent * 10 + (text[j].unicode() - u'0');
                ++j;
            }
            if (expDigits) {
                if (expNegative)
                    exponent = -exponent;
                scan.end = j;
            } else {
                exponent = 0;
            }
        }
    }

    // Position of the leading significant digit, to tell overflow from
    // underflow when the value is out of range.
    const std::string all = intDigits + fracDigits;
    const auto firstNonZero = all.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        return scan; // all zeros: 0, whatever the exponent
    }

    std::string literal = (intDigits.empty() ? std::string("0") : intDigits);
    if (!fracDigits.empty())
        literal += "." + fracDigits;
    literal += "e" + std::to_string(exponent);

    double value = 0.0;
    const auto result = std::from_chars(literal.data(), literal.data() + literal.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        const long long leading = static_cast<long long>(intDigits.size())
                                  - 1 - static_cast<long long>(firstNonZero) + exponent;
        if (leading >= 0) {
            scan.reading.overflow = true;
            value = HUGE_VAL;
        } else {
            value = 0.0;
        }
    }
    scan.reading.value = negative ? -value : value;
    return scan;
}

} // namespace

QString NormalizeTyped(QStringView typed)
{
    QString out;
    out.reserve(typed.size());
    for (QChar c : typed) {
        const char16_t u = c.unicode();
        if (u >= u'０' && u <= u'９') {
            out += QChar(u'0' + (u - u'０'));
            continue;
        }
        switch (u) {
        case u'＋': out += u'+'; break;
        case u'－': // FULLWIDTH HYPHEN-MINUS
        case u'\u2212': // MINUS SIGN, the "-" key of Japanese input methods
        case u'ー': // the "-" key in kana mode
        case u'ｰ': // the same in half-width kana
            out += u'-';
            break;
        case u'＊':
        case u'×':
            out += u'*';
            break;
        case u'／':
        case u'÷':
        case u'・': // the "/" key in kana mode
        case u'･':
            out += u'/';
            break;
        case u'．':
        case u'。': // the "." key in kana mode
        case u'｡':
            out += u'.';
            break;
        case u'　': out += u' '; break;
        default: out += c; break;
        }
    }
    return out;
}

NumberReading ReadNumber(QStringView text)
{
    return scanNumber(text).reading;
}

double NumericValue(QStringView text)
{
    const NumberReading r = ReadNumber(text);
    return r.overflow ? 0.0 : r.value;
}

bool ReadsAsNumber(QStringView text, double *value)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    // Inner blanks belong to no number the user means to see formatted.
    for (QChar c : trimmed)
        if (IsBlank(c))
            return false;
    const Scan scan = scanNumber(trimmed);
    if (!scan.found || scan.reading.overflow || scan.end != trimmed.size())
        return false;
    if (value)
        *value = scan.reading.value;
    return true;
}

double GridCellNumber(QStringView text)
{
    QString cleaned;
    cleaned.reserve(text.size());
    for (QChar c : text)
        if (!IsBlank(c) && c != u',')
            cleaned += c;
    double value = 0.0;
    if (!ReadsAsNumber(cleaned, &value))
        return 0.0;
    return RoundHalfAway(value, 0);
}

double RoundHalfAway(double value, int places)
{
    if (!std::isfinite(value))
        return value;
    const Decimal d = Decimal::fromDouble(value).rounded(places);
    return d.toDouble();
}

} // namespace zq
