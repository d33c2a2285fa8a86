#include "calc/calculator.h"

#include "common/format.h"
#include "common/number.h"

#include <cmath>

namespace zq {

namespace {

constexpr double TaxRate = 0.10;

int integerDigits(double value)
{
    const double a = std::fabs(value);
    return a < 1.0 ? 1 : int(std::floor(std::log10(a))) + 1;
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

} // namespace

bool FitCalculatorDigits(double value, double *fitted)
{
    if (!std::isfinite(value))
        return false;
    double v = RoundHalfAway(value, Calculator::Digits - integerDigits(value));
    if (std::fabs(v) >= 1e12)
        return false;
    // Rounding may have carried into a new integer digit: one fraction digit less.
    v = RoundHalfAway(v, Calculator::Digits - integerDigits(v));
    *fitted = v == 0.0 ? 0.0 : v; // never "-0"
    return true;
}

void Calculator::press(Key key)
{
    if (m_error && key != Key::Clear && key != Key::AllClear)
        return;
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
            m_value = -m_value;
        } else {
            showResult(-m_value, m_op != Op::None);
        }
        break;
    case Key::Add: operation(Op::Add); break;
    case Key::Subtract: operation(Op::Subtract); break;
    case Key::Multiply: operation(Op::Multiply); break;
    case Key::Divide: operation(Op::Divide); break;
    case Key::Equals: equals(); break;
    case Key::Percent: percent(); break;
    case Key::SquareRoot:
        if (m_value < 0)
            setError();
        else
            showResult(std::sqrt(m_value), true);
        break;
    case Key::Clear:
        if (m_error) {
            m_error = false;
            m_accumulator = 0.0;
            m_op = m_constantOp = Op::None;
        }
        m_entry.clear();
        m_value = 0.0;
        m_operand = false;
        break;
    case Key::AllClear: allClear(); break;
    case Key::MemoryPlus:
    case Key::MemoryMinus: {
        finishPending();
        if (m_error)
            return;
        double memory = 0.0;
        if (!FitCalculatorDigits(m_memory + (key == Key::MemoryPlus ? m_value : -m_value), &memory))
            return setError();
        m_memory = memory;
        m_entry.clear();
        m_operand = false;
        break;
    }
    case Key::MemoryRecall: showResult(m_memory, true); break;
    case Key::MemoryClear: m_memory = 0.0; break;
    case Key::GrandTotal: showResult(m_grandTotal, true); break;
    case Key::TaxIn:
    case Key::TaxOut: {
        finishPending();
        if (m_error)
            return;
        const double price = key == Key::TaxIn ? m_value * (1.0 + TaxRate) : m_value / (1.0 + TaxRate);
        // Rounded down to whole units, as the tax is; the 15-digit form first, so
        // that 1000 × 1.1 is 1100 and not 1099.
        showResult(std::trunc(RoundHalfAway(price, 6)), true);
        break;
    }
    }
}

bool Calculator::paste(QStringView text)
{
    if (m_error)
        return false;
    QString plain = NormalizeTyped(text);
    plain.remove(u',');
    double v = 0.0;
    if (!ReadsAsNumber(plain, &v) || !FitCalculatorDigits(v, &v))
        return false;
    showResult(v, true);
    return true;
}

QString Calculator::displayText() const
{
    if (m_error)
        return QStringLiteral("E");
    if (!m_entry.isEmpty())
        return withSeparators(m_entry);
    return withSeparators(copyText());
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
    const int places = Digits - integerDigits(m_value);
    QString t = FormatNumber(m_value, QString(QStringLiteral("0.") + QString(places, u'#')));
    if (t.endsWith(u'.'))
        t.chop(1);
    return t;
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
    m_value = m_entry.toDouble();
    m_operand = true;
}

void Calculator::typePoint()
{
    if (m_entry.isEmpty())
        m_entry = QStringLiteral("0");
    if (!m_entry.contains(u'.'))
        m_entry += u'.';
    m_operand = true;
}

void Calculator::backspace()
{
    if (m_entry.isEmpty())
        return;
    m_entry.chop(1);
    if (m_entry.isEmpty() || m_entry == u"-")
        m_entry = QStringLiteral("0");
    m_value = m_entry.toDouble();
}

bool Calculator::apply(Op op, double a, double b, double *result)
{
    double r = 0.0;
    switch (op) {
    case Op::Add: r = a + b; break;
    case Op::Subtract: r = a - b; break;
    case Op::Multiply: r = a * b; break;
    case Op::Divide:
        if (b == 0.0)
            return false;
        r = a / b;
        break;
    case Op::None: r = b; break;
    }
    return FitCalculatorDigits(r, result);
}

void Calculator::operation(Op op)
{
    if (m_op != Op::None && m_operand) {
        double r = 0.0;
        if (!apply(m_op, m_accumulator, m_value, &r))
            return setError();
        m_value = r;
    }
    m_entry.clear();
    m_accumulator = m_value;
    m_op = op;
    m_operand = false;
}

void Calculator::equals()
{
    double r = 0.0;
    if (m_op != Op::None) {
        const double b = m_operand ? m_value : m_accumulator;
        if (!apply(m_op, m_accumulator, b, &r))
            return setError();
        // A repeated ＝ repeats the operation: × keeps its first number, the
        // others their second.
        m_constantOp = m_op;
        m_constant = m_op == Op::Multiply ? m_accumulator : b;
        m_op = Op::None;
    } else if (m_constantOp != Op::None) {
        const bool ok = m_constantOp == Op::Multiply ? apply(Op::Multiply, m_constant, m_value, &r)
                                                     : apply(m_constantOp, m_value, m_constant, &r);
        if (!ok)
            return setError();
    } else {
        m_entry.clear();
        m_operand = false;
        return;
    }
    double total = 0.0;
    if (!FitCalculatorDigits(m_grandTotal + r, &total))
        return setError();
    m_grandTotal = total;
    showResult(r, false);
}

void Calculator::percent()
{
    const double b = m_value;
    double r = 0.0;
    bool ok = true;
    switch (m_op) {
    case Op::Multiply: ok = FitCalculatorDigits(m_accumulator * b / 100.0, &r); break;
    case Op::Divide: ok = b != 0.0 && FitCalculatorDigits(m_accumulator / b * 100.0, &r); break;
    case Op::Add: ok = FitCalculatorDigits(m_accumulator + m_accumulator * b / 100.0, &r); break;
    case Op::Subtract: ok = FitCalculatorDigits(m_accumulator - m_accumulator * b / 100.0, &r); break;
    case Op::None: ok = FitCalculatorDigits(b / 100.0, &r); break;
    }
    double total = 0.0;
    if (!ok || !FitCalculatorDigits(m_grandTotal + r, &total))
        return setError();
    m_grandTotal = total;
    m_op = m_constantOp = Op::None;
    showResult(r, false);
}

// M+, M−, 税込 and 税抜 first finish an operation that waits for its second number.
void Calculator::finishPending()
{
    if (m_op != Op::None)
        equals();
}

void Calculator::showResult(double value, bool operand)
{
    double v = 0.0;
    if (!FitCalculatorDigits(value, &v))
        return setError();
    m_value = v;
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
    const double memory = m_memory;
    *this = Calculator();
    m_memory = memory;
}

} // namespace zq
