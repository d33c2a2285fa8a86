#pragma once

#include <QString>
#include <QStringView>

namespace zq {

// The arithmetic of ZQ電卓, a business calculator as Japanese offices know
// it: twelve digits, operations carried out as they are keyed (2 + 3 × 4 =
// gives 20), a repeated ＝ repeating the last operation (the first number of
// a × being the constant), percent, square root, memory, grand total and the
// 10 % consumption tax.
class Calculator
{
public:
    static constexpr int Digits = 12;

    enum class Key {
        Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
        DoubleZero, Point, Backspace, Sign,
        Add, Subtract, Multiply, Divide, Equals, Percent, SquareRoot,
        Clear,        // C: the entry, or the error state
        AllClear,     // AC: everything but the memory
        MemoryPlus, MemoryMinus, MemoryRecall, MemoryClear,
        GrandTotal,   // GT: recalls the sum of the results of ＝ and %
        TaxIn,        // 税込: the price with 10 % tax, rounded down to whole units
        TaxOut,       // 税抜: the price without it, rounded down to whole units
    };

    void press(Key key);
    // Ctrl+V: a number in any usual form ("1,234.5", full-width digits, "-3")
    // becomes the entry. False, and nothing changes, for anything else or a
    // number of more than twelve integer digits.
    bool paste(QStringView text);

    // "1,234.5", "0.", "-12." (the point always shows); "E" in the error state.
    QString displayText() const;
    // Ctrl+C: the number shown, plain ("1234.5", "-12"); empty in the error state.
    QString copyText() const;
    double value() const { return m_value; }
    bool hasError() const { return m_error; }
    bool hasMemory() const { return m_memory != 0.0; }
    bool hasGrandTotal() const { return m_grandTotal != 0.0; }
    // The operation waiting for its second number: "＋", "－", "×", "÷" or empty.
    QString pendingOperator() const;

private:
    enum class Op { None, Add, Subtract, Multiply, Divide };

    void typeDigits(QStringView digits);
    void typePoint();
    void backspace();
    void operation(Op op);
    void equals();
    void percent();
    void finishPending();
    void showResult(double value, bool operand);
    bool apply(Op op, double a, double b, double *result);
    void setError();
    void allClear();

    double m_value = 0.0;      // the number shown
    QString m_entry;           // the digits being typed, empty when none are
    bool m_operand = false;    // the number shown is the second number of m_op
    double m_accumulator = 0.0;
    Op m_op = Op::None;
    Op m_constantOp = Op::None; // what a ＝ without an operation repeats
    double m_constant = 0.0;
    double m_memory = 0.0;
    double m_grandTotal = 0.0;
    bool m_error = false;
};

// A number brought to the twelve digits the calculator shows: rounded half
// away from zero to the fraction digits that fit. False when its integer
// part needs more than twelve digits.
bool FitCalculatorDigits(double value, double *fitted);

} // namespace zq
