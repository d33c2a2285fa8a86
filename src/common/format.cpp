#include "common/format.h"

#include "common/decimal.h"

#include <charconv>
#include <cmath>

namespace zq {
namespace {

bool isPlaceholder(QChar c)
{
    return c == u'0' || c == u'#' || c == u',' || c == u'.';
}

struct ParsedFormat {
    QStringView prefix;
    QStringView suffix;
    int minIntDigits = 0;
    bool grouping = false;
    bool decimalPoint = false;
    int maxFracDigits = 0;
    int minFracDigits = 0;
};

ParsedFormat parse(QStringView format)
{
    ParsedFormat f;
    qsizetype start = 0;
    while (start < format.size() && !(format[start] == u'0' || format[start] == u'#'))
        ++start;
    qsizetype end = start;
    while (end < format.size() && isPlaceholder(format[end]))
        ++end;
    f.prefix = format.left(start);
    f.suffix = format.mid(end);
    const QStringView section = format.mid(start, end - start);
    const qsizetype dot = section.indexOf(u'.');
    const QStringView intPart = dot < 0 ? section : section.left(dot);
    f.grouping = intPart.contains(u',');
    f.minIntDigits = int(intPart.count(u'0'));
    if (dot >= 0) {
        f.decimalPoint = true;
        const QStringView fracPart = section.mid(dot + 1);
        f.minFracDigits = int(fracPart.count(u'0'));
        f.maxFracDigits = f.minFracDigits + int(fracPart.count(u'#'));
    }
    return f;
}

QString groupThousands(const std::string &digits)
{
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u',';
        out += QChar(digits[i]);
    }
    return out;
}

} // namespace

QString FormatNumber(double value, QStringView format)
{
    if (!std::isfinite(value))
        return QString();
    const ParsedFormat f = parse(format);
    const Decimal d = Decimal::fromDouble(value).rounded(f.decimalPoint ? f.maxFracDigits : 0);

    std::string intDigits = d.intDigits;
    if (int(intDigits.size()) < f.minIntDigits)
        intDigits.insert(0, f.minIntDigits - intDigits.size(), '0');
    std::string fracDigits = d.fracDigits;
    if (int(fracDigits.size()) < f.minFracDigits)
        fracDigits.append(f.minFracDigits - fracDigits.size(), '0');

    QString out;
    out += f.prefix;
    if (d.negative) // a value that rounds to zero has lost its sign
        out += u'-';
    out += f.grouping ? groupThousands(intDigits) : QString::fromLatin1(intDigits.c_str());
    if (f.decimalPoint) {
        out += u'.';
        out += QString::fromLatin1(fracDigits.c_str());
    }
    out += f.suffix;
    return out;
}

QString FormatValue(const Value &value, QStringView format)
{
    return value.isEmpty() ? QString() : FormatNumber(value.toDouble(), format);
}

QString PlainNumberText(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return QStringLiteral("0");
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buf, res.ptr - buf).toUpper(); // "1e+15" -> "1E+15"
    if (text.endsWith(LargestRoundedText)) // it would read back as infinity
        text = (value < 0 ? QStringLiteral("-") : QString()) + LargestWrittenText;
    return text;
}

} // namespace zq
