#include "adder/entry_line.h"

#include "common/format.h"
#include "common/number.h"

#include <array>
#include <cmath>

namespace zq {

bool IsClearCommand(QStringView typed)
{
    return NormalizeTyped(typed) == u"**";
}

QString EntryPreview(QStringView typed)
{
    const QString text = NormalizeTyped(typed);
    if (text.contains(u'/') || text.contains(u'-'))
        return typed.toString();
    double value = 0.0;
    if (ReadsAsNumber(text, &value))
        return FormatNumber(value, u"#,0.######");
    return typed.toString();
}

EntryEvaluation EvaluateEntry(QStringView typed)
{
    const QString text = NormalizeTyped(typed);
    EntryEvaluation result;

    const NumberReading whole = ReadNumber(text);
    if (whole.overflow)
        return {false, 0.0};
    result.value = whole.value;

    QStringView s = text;
    double sign = 1.0;
    if (s.startsWith(u'-')) {
        s = s.mid(1);
        sign = -1.0;
    }

    enum class Op { Minus, Plus, Times, Divide };
    struct Operator {
        QStringView token;
        Op op;
    };
    static const std::array<Operator, 8> operators = {{
        {u"+-", Op::Minus}, {u"-+", Op::Minus}, {u"--", Op::Plus}, {u"++", Op::Plus},
        {u"*", Op::Times},  {u"/", Op::Divide}, {u"+", Op::Plus},  {u"-", Op::Minus},
    }};

    for (const Operator &o : operators) {
        const qsizetype p = s.indexOf(o.token);
        if (p < 0)
            continue;
        const NumberReading left = ReadNumber(s.left(p));
        const NumberReading right = ReadNumber(s.mid(p + o.token.size()));
        if (left.overflow || right.overflow)
            return {false, 0.0};
        const double a = sign * left.value;
        const double b = right.value;
        double v = 0.0;
        switch (o.op) {
        case Op::Plus: v = a + b; break;
        case Op::Minus: v = a - b; break;
        case Op::Times: v = a * b; break;
        case Op::Divide:
            if (b == 0.0)
                return {false, 0.0};
            v = a / b;
            break;
        }
        if (!std::isfinite(v))
            return {false, 0.0};
        result.value = v;
        break;
    }
    return result;
}

} // namespace zq
