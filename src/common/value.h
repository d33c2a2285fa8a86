#pragma once

#include <QString>

#include <optional>

namespace zq {

// A program-wide value that may be empty: what a never-set variable or a
// freshly sized list holds. The empty value equals 0 in comparisons and sums
// and reads as "" where text is expected, but stays distinguishable from 0.
class Value
{
public:
    Value() = default;
    Value(double number) : m_number(number) {}

    bool isEmpty() const { return !m_number.has_value(); }
    double toDouble() const { return m_number.value_or(0.0); }

    Value &operator+=(const Value &other)
    {
        if (!isEmpty() || !other.isEmpty())
            m_number = toDouble() + other.toDouble();
        return *this;
    }

    friend Value operator+(Value a, const Value &b) { return a += b; }
    friend bool operator==(const Value &a, const Value &b) { return a.toDouble() == b.toDouble(); }
    friend auto operator<=>(const Value &a, const Value &b) { return a.toDouble() <=> b.toDouble(); }

private:
    std::optional<double> m_number;
};

} // namespace zq
