#pragma once

#include <QString>
#include <QStringView>

namespace zq {

// The arithmetic of ZQ電卓, a business calculator as Japanese offices know
// it: twelve digits, operations carried out as they are keyed (2 + 3 × 4 =
// gives 20), a repeated ＝ repeating the last operation (the first number of
// a × being the constant), percent with add-on and discount, square root,
// memory, grand total and the 10 % consumption tax.
//
// Every figure is a decimal of at most twelve digits. Each result is worked
// out exactly and brought to the twelve digits once, the digits that do not
// fit cut off, as a desk calculator set to F shows it (2 ÷ 3 = 0.66666666666).
// A result beyond twelve integer digits is an overflow: E, with the top
// twelve digits of the result shown (the figure divided by 10^12); C
// releases it and the figure can be used on.
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
        GrandTotal,   // GT: recalls the sum of the results of ＝ and %; twice clears it
        TaxIn,        // 税込: the price with 10 % tax, rounded down; again: the tax
        TaxOut,       // 税抜: the price without it, rounded down; again: the tax
    };

    void press(Key key);
    // Ctrl+V: a number in any usual form ("1,234.5", full-width digits and
    // commas, "-3") becomes the entry. False, and nothing changes, for
    // anything else or a number of more than twelve integer digits.
    bool paste(QStringView text);

    // "1,234.5", "0.", "-12." (the point always shows); in the error state
    // the figure kept (the top digits of an overflow).
    QString displayText() const;
    // Ctrl+C: the number shown, plain ("1234.5", "-12"); empty in the error state.
    QString copyText() const;
    double value() const;
    bool hasError() const { return m_error; }
    bool hasMemory() const { return m_memory.m != 0; }
    bool hasGrandTotal() const { return m_grandTotal.m != 0 || m_grandTotalOverflow; }
    // The operation waiting for its second number: "＋", "－", "×", "÷" or empty.
    QString pendingOperator() const;

    // A figure: m / 10^e, |m| < 10^12, at most twelve digits with the zero
    // before the point of a fraction; no trailing zeros after the point.
    struct Figure {
        long long m = 0;
        int e = 0;
    };
    // An exact value, as an operation on two figures gives it.
    struct Exact;

private:
    enum class Op { None, Add, Subtract, Multiply, Divide };

    void typeDigits(QStringView digits);
    void typePoint();
    void backspace();
    void operation(Op op, Key last);
    void equals(Op markup);
    void percent();
    void tax(Key key, Key last);
    void grandTotal(Key last);
    void finishPending();
    void showResult(Figure value, bool operand);
    Figure result(const Exact &exact);
    bool apply(Op op, Figure a, Figure b, Figure *r);
    void addToGrandTotal(Figure r);
    void setError();
    void allClear();

    Figure m_value;            // the number shown
    QString m_entry;           // the digits being typed, empty when none are
    bool m_operand = false;    // the number shown is the second number of m_op
    Figure m_accumulator;
    Op m_op = Op::None;
    Op m_constantOp = Op::None; // what a ＝ without an operation repeats
    Figure m_constant;
    Figure m_memory;
    Figure m_grandTotal;
    bool m_grandTotalOverflow = false;
    Figure m_grandTotalTop;     // the top digits of an overflowed grand total
    Key m_lastKey = Key::AllClear;
    Op m_markup = Op::None;     // × % then ＋ or －: the next ＝ adds to or takes from the base
    Figure m_percentBase;       // the first number of the last × %
    bool m_percentOfProduct = false;
    Figure m_taxPrice;          // the price of the last 税込 / 税抜, and its result
    Figure m_taxResult;
    bool m_taxShown = false;    // a repeated 税込 / 税抜 shows the tax
    bool m_error = false;
};

} // namespace zq
