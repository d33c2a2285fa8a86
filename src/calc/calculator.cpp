#include "calc/calculator.h"

#include "common/number.h"

#include <cmath>

namespace zq {

using Figure = Calculator::Figure;
using Wide = __int128;

// An exact value num / den (den > 0), as an operation on two figures gives
// it: numerators below 10^26, denominators below 10^25.
struct Calculator::Exact {
    Wide num = 0;
    Wide den = 1;
};

namespace {

using Exact = Calculator::Exact;

Wide pow10(int n)
{
    Wide p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

Wide magnitude(Wide v)
{
    return v < 0 ? -v : v;
}

int digitCount(Wide v)
{
    int n = 1;
    for (v = magnitude(v); v >= 10; v /= 10)
        ++n;
    return n;
}

Exact exactOf(Figure f)
{
    return {f.m, pow10(f.e)};
}

// The exact value cut to the twelve digits shown; false when its integer
// part needs more than twelve.
bool cutToDigits(const Exact &x, Figure *out)
{
    const Wide whole = magnitude(x.num) / x.den;
    if (whole >= pow10(Calculator::Digits))
        return false;
    Wide rest = magnitude(x.num) % x.den;
    Wide m = whole;
    int e = 0;
    for (int places = Calculator::Digits - digitCount(whole); e < places; ++e) {
        rest *= 10;
        m = m * 10 + rest / x.den;
        rest %= x.den;
    }
    while (e > 0 && m % 10 == 0) {
        m /= 10;
        --e;
    }
    out->m = (x.num < 0 ? -1 : 1) * static_cast<long long>(m);
    out->e = m == 0 ? 0 : e;
    return true;
}

// The top twelve digits of a value beyond them: the value divided by 10^12.
Figure topDigits(Exact x)
{
    Figure top;
    x.den *= pow10(Calculator::Digits);
    cutToDigits(x, &top);
    return top;
}

Exact sum(Figure a, Figure b, int sign = 1)
{
    const Exact x = exactOf(a);
    const Exact y = exactOf(b);
    return {x.num * y.den + sign * y.num * x.den, x.den * y.den};
}

Exact product(Figure a, Figure b, int hundredths = 0)
{
    return {Wide(a.m) * b.m, pow10(a.e + b.e + 2 * hundredths)};
}

// a / b; false for b = 0.
bool quotient(Figure a, Figure b, Exact *q, int hundreds = 0)
{
    if (b.m == 0)
        return false;
    const Wide num = Wide(a.m) * pow10(b.e + 2 * hundreds);
    const Wide den = Wide(b.m) * pow10(a.e);
    *q = den < 0 ? Exact{-num, -den} : Exact{num, den};
    return true;
}

Wide integerRoot(Wide n)
{
    Wide r = static_cast<Wide>(std::sqrt(static_cast<long double>(n)));
    while (r > 0 && r * r > n)
        --r;
    while ((r + 1) * (r + 1) <= n)
        ++r;
    return r;
}

// √ of a figure (not negative), cut to twelve digits.
Figure squareRoot(Figure f)
{
    const int wholeDigits = digitCount(integerRoot(f.m / pow10(f.e)));
    const int places = Calculator::Digits - wholeDigits;
    Figure out;
    cutToDigits({integerRoot(Wide(f.m) * pow10(2 * places - f.e)), pow10(places)}, &out);
    return out;
}

// A typed or pasted number: "-12.50", "0.", digits and one point. False
// for anything else or more than twelve integer digits.
bool readFigure(QStringView text, Figure *out)
{
    bool negative = false;
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        negative = text.startsWith(u'-');
        text = text.mid(1);
    }
    Wide num = 0;
    int places = -1; // fraction digits read, -1 before the point
    int digits = 0;
    for (QChar c : text) {
        if (c == u'.' && places < 0) {
            places = 0;
        } else if (c >= u'0' && c <= u'9') {
            ++digits;
            if (places >= 20)
                continue; // beyond any digit shown, and cut anyway
            num = num * 10 + (c.unicode() - u'0');
            if (places >= 0)
                ++places;
            else if (num >= pow10(Calculator::Digits))
                return false;
        } else {
            return false;
        }
    }
    return digits > 0 && cutToDigits({negative ? -num : num, pow10(qMax(places, 0))}, out);
}

// The figure as the display writes it, without separators: "-1234.5", "0".
QString plainText(Figure f)
{
    QString digits = QString::number(f.m < 0 ? -f.m : f.m);
    if (f.e > 0) {
        if (digits.size() <= f.e)
            digits = QString(f.e + 1 - digits.size(), u'0') + digits;
        digits.insert(digits.size() - f.e, u'.');
    }
    return (f.m < 0 ? QStringLiteral("-") : QString()) + digits;
}

// Places a typed entry takes on the display; the zero of "0." is one.
int entryDigits(QStringView entry)
{
    int n = 0;
    for (QChar c : entry)
        n += c.isDigit() ? 1 : 0;
    return n;
}

// A number with separators in its integer part and the point always shown.
QString withSeparators(QStringView digits)
{
    QString sign;
    if (digits.startsWith(u'-')) {
        sign = QStringLiteral("-");
        digits = digits.mid(1);
    }
    const qsizetype point = digits.indexOf(u'.');
    const QStringView whole = point < 0 ? digits : digits.left(point);
    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += u',';
        grouped += whole[i];
    }
    return sign + (grouped.isEmpty() ? QStringLiteral("0") : grouped) + u'.'
           + (point < 0 ? QString() : digits.mid(point + 1).toString());
}

Figure negated(Figure f)
{
    f.m = -f.m;
    return f;
}

} // namespace

void Calculator::press(Key key)
{
    if (m_error && key != Key::Clear && key != Key::AllClear)
        return;
    const Key last = m_lastKey;
    m_lastKey = key;
    const Op markup = m_markup;
    m_markup = Op::None;
    switch (key) {
    case Key::Digit0: case Key::Digit1: case Key::Digit2: case Key::Digit3: case Key::Digit4:
    case Key::Digit5: case Key::Digit6: case Key::Digit7: case Key::Digit8: case Key::Digit9:
        typeDigits(QString(QChar(u'0' + (int(key) - int(Key::Digit0)))));
        break;
    case Key::DoubleZero: typeDigits(u"00"); break;
    case Key::Point: typePoint(); break;
    case Key::Backspace: backspace(); break;
    case Key::Sign:
        if (!m_entry.isEmpty()) {
            m_entry = m_entry.startsWith(u'-') ? m_entry.mid(1) : QStringLiteral("-") + m_entry;
            m_value = negated(m_value);
        } else {
            showResult(negated(m_value), m_op != Op::None);
        }
        break;
    case Key::Add: operation(Op::Add, last); break;
    case Key::Subtract: operation(Op::Subtract, last); break;
    case Key::Multiply: operation(Op::Multiply, last); break;
    case Key::Divide: operation(Op::Divide, last); break;
    case Key::Equals: equals(markup); break;
    case Key::Percent: percent(); break;
    case Key::SquareRoot: {
        // √ of a negative number: E, with the root of its magnitude.
        const bool negative = m_value.m < 0;
        showResult(squareRoot(negative ? negated(m_value) : m_value), true);
        if (negative)
            setError();
        break;
    }
    case Key::Clear:
        // C releases an error and keeps its figure; otherwise it clears the entry.
        m_entry.clear();
        if (!m_error)
            m_value = Figure();
        m_error = false;
        m_operand = false;
        break;
    case Key::AllClear: allClear(); break;
    case Key::MemoryPlus:
    case Key::MemoryMinus: {
        finishPending();
        if (m_error)
            return;
        const Exact x = sum(m_memory, m_value, key == Key::MemoryPlus ? 1 : -1);
        Figure memory;
        if (!cutToDigits(x, &memory)) {
            m_value = topDigits(x);
            return setError();
        }
        m_memory = memory;
        m_entry.clear();
        m_operand = false;
        break;
    }
    case Key::MemoryRecall: showResult(m_memory, true); break;
    case Key::MemoryClear: m_memory = Figure(); break;
    case Key::GrandTotal: grandTotal(last); break;
    case Key::TaxIn:
    case Key::TaxOut: tax(key, last); break;
    }
}

bool Calculator::paste(QStringView text)
{
    if (m_error)
        return false;
    QString plain = NormalizeTyped(text);
    plain.remove(u',');
    plain.remove(u'，');
    Figure f;
    if (!readFigure(plain.trimmed(), &f))
        return false;
    showResult(f, true);
    return true;
}

QString Calculator::displayText() const
{
    if (!m_entry.isEmpty() && !m_error)
        return withSeparators(m_entry);
    return withSeparators(plainText(m_value));
}

QString Calculator::copyText() const
{
    if (m_error)
        return QString();
    if (!m_entry.isEmpty()) {
        QString t = m_entry;
        if (t.endsWith(u'.'))
            t.chop(1);
        return t == u"-0" ? QStringLiteral("0") : t;
    }
    return plainText(m_value);
}

double Calculator::value() const
{
    return double(m_value.m) / std::pow(10.0, m_value.e);
}

QString Calculator::pendingOperator() const
{
    switch (m_op) {
    case Op::Add: return QStringLiteral("＋");
    case Op::Subtract: return QStringLiteral("－");
    case Op::Multiply: return QStringLiteral("×");
    case Op::Divide: return QStringLiteral("÷");
    case Op::None: break;
    }
    return QString();
}

void Calculator::typeDigits(QStringView digits)
{
    if (m_entry.isEmpty())
        m_entry = QStringLiteral("0");
    for (QChar d : digits) {
        if (entryDigits(m_entry) >= Digits)
            break;
        if (m_entry == u"0" || m_entry == u"-0")
            m_entry.chop(1);
        m_entry += d;
    }
    readFigure(m_entry, &m_value);
    m_operand = true;
}

void Calculator::typePoint()
{
    // A point starts a new number as a digit does: what the display shows
    // is what the next key works with.
    if (m_entry.isEmpty())
        m_entry = QStringLiteral("0");
    if (!m_entry.contains(u'.'))
        m_entry += u'.';
    readFigure(m_entry, &m_value);
    m_operand = true;
}

void Calculator::backspace()
{
    if (m_entry.isEmpty())
        return;
    m_entry.chop(1);
    if (m_entry.isEmpty() || m_entry == u"-")
        m_entry = QStringLiteral("0");
    readFigure(m_entry, &m_value);
}

// An exact result as a figure; beyond twelve integer digits the error, with
// the top twelve digits as the figure.
Figure Calculator::result(const Exact &exact)
{
    Figure f;
    if (cutToDigits(exact, &f))
        return f;
    setError();
    return topDigits(exact);
}

bool Calculator::apply(Op op, Figure a, Figure b, Figure *r)
{
    Exact x;
    switch (op) {
    case Op::Add: x = sum(a, b); break;
    case Op::Subtract: x = sum(a, b, -1); break;
    case Op::Multiply: x = product(a, b); break;
    case Op::Divide:
        if (!quotient(a, b, &x)) {
            setError();
            *r = Figure();
            return false;
        }
        break;
    case Op::None: x = exactOf(b); break;
    }
    *r = result(x);
    return !m_error;
}

void Calculator::operation(Op op, Key last)
{
    if (m_op != Op::None && m_operand) {
        Figure r;
        apply(m_op, m_accumulator, m_value, &r);
        m_value = r;
    }
    // × % then ＋ or －: the ＝ that follows adds the percentage to its base,
    // or takes it off (500 × 10 % ＋ ＝ is 550).
    if (last == Key::Percent && m_percentOfProduct && (op == Op::Add || op == Op::Subtract))
        m_markup = op;
    m_entry.clear();
    m_accumulator = m_value;
    m_op = op;
    m_operand = false;
}

void Calculator::equals(Op markup)
{
    Figure r;
    if (markup != Op::None && m_op == markup && !m_operand) {
        apply(markup, m_percentBase, m_accumulator, &r);
        m_op = m_constantOp = Op::None;
    } else if (m_op != Op::None) {
        const Figure b = m_operand ? m_value : m_accumulator;
        // A repeated ＝ repeats the operation: × keeps its first number, the
        // others their second.
        m_constantOp = m_op;
        m_constant = m_op == Op::Multiply ? m_accumulator : b;
        const Op op = m_op;
        m_op = Op::None;
        apply(op, m_accumulator, b, &r);
    } else if (m_constantOp != Op::None) {
        if (m_constantOp == Op::Multiply)
            apply(Op::Multiply, m_constant, m_value, &r);
        else
            apply(m_constantOp, m_value, m_constant, &r);
    } else {
        m_entry.clear();
        m_operand = false;
        return;
    }
    if (!m_error)
        addToGrandTotal(r);
    m_value = r;
    m_entry.clear();
    m_operand = false;
}

void Calculator::percent()
{
    const Figure a = m_accumulator;
    const Figure b = m_value;
    m_percentOfProduct = m_op == Op::Multiply;
    Exact x;
    switch (m_op) {
    case Op::Multiply:
        x = product(a, b, 1);
        m_percentBase = a;
        break;
    case Op::Divide:
        if (!quotient(a, b, &x, 1)) {
            m_value = Figure();
            return setError();
        }
        break;
    case Op::Add:
    case Op::Subtract: {
        // a ± a × b / 100, as one exact figure.
        const Exact rate = sum({100, 0}, b, m_op == Op::Add ? 1 : -1);
        x = {Wide(a.m) * rate.num, pow10(a.e) * rate.den * 100};
        break;
    }
    case Op::None: x = product({1, 0}, b, 1); break;
    }
    const Figure r = result(x);
    if (!m_error)
        addToGrandTotal(r);
    m_op = m_constantOp = Op::None;
    m_value = r;
    m_entry.clear();
    m_operand = false;
}

void Calculator::tax(Key key, Key last)
{
    // Pressed again: the tax of the last 税込 or 税抜, then the price again.
    if (last == key && m_entry.isEmpty() && m_op == Op::None) {
        m_taxShown = !m_taxShown;
        const Figure price = key == Key::TaxIn ? m_taxResult : m_taxPrice;
        const Figure net = key == Key::TaxIn ? m_taxPrice : m_taxResult;
        Figure taxOnly;
        cutToDigits(sum(price, net, -1), &taxOnly);
        return showResult(m_taxShown ? taxOnly : m_taxResult, true);
    }
    finishPending();
    if (m_error)
        return;
    const Figure price = m_value;
    // Rounded down to whole units, as the tax is.
    Exact x = key == Key::TaxIn ? Exact{Wide(price.m) * 11, pow10(price.e) * 10}
                                : Exact{Wide(price.m) * 10, pow10(price.e) * 11};
    x.num /= x.den;
    x.den = 1;
    const Figure r = result(x);
    m_taxPrice = price;
    m_taxResult = r;
    m_taxShown = false;
    if (!m_error)
        showResult(r, true);
    else
        m_value = r;
}

void Calculator::grandTotal(Key last)
{
    // GT twice clears the grand total; an overflowed grand total shows E.
    if (last == Key::GrandTotal) {
        m_grandTotal = Figure();
        m_grandTotalOverflow = false;
        return;
    }
    if (m_grandTotalOverflow) {
        m_value = m_grandTotalTop;
        m_entry.clear();
        return setError();
    }
    showResult(m_grandTotal, true);
}

// The grand total's own overflow spoils no result: GT shows it when recalled.
void Calculator::addToGrandTotal(Figure r)
{
    if (m_grandTotalOverflow)
        return;
    const Exact x = sum(m_grandTotal, r);
    if (!cutToDigits(x, &m_grandTotal)) {
        m_grandTotalOverflow = true;
        m_grandTotalTop = topDigits(x);
    }
}

// M+, M−, 税込 and 税抜 first finish an operation that waits for its second number.
void Calculator::finishPending()
{
    if (m_op != Op::None)
        equals(Op::None);
}

void Calculator::showResult(Figure value, bool operand)
{
    m_value = value;
    m_entry.clear();
    m_operand = operand;
}

void Calculator::setError()
{
    m_error = true;
    m_entry.clear();
}

void Calculator::allClear()
{
    const Figure memory = m_memory;
    *this = Calculator();
    m_memory = memory;
}

} // namespace zq
