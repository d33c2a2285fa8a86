#include "reports/input_detail.h"

#include "common/font_names.h"
#include "common/format.h"

namespace zq {

namespace {
constexpr int BlockOffsets[] = {5, 43, 81};
constexpr double RuleLeft = 4;
constexpr double RuleRight = 115;
} // namespace

QString InputDetailHeading(const TallyWorkspace &ws, int month)
{
    double cases = 0;
    double amount = 0;
    for (int r = 1; r <= ws.monthRows(month); ++r) {
        cases += ws.Cases[month].value(r);
        amount += ws.Amount[month].value(r);
    }
    // The month is printed as a number: a blank for its sign, then a blank.
    return u' ' + QString::number(ws.periodMonth(month)) + u' ' + QStringLiteral("月度　　合計：　")
           + FormatNumber(cases, u"0") + QStringLiteral("件　　　") + FormatNumber(amount, u"#,0")
           + QStringLiteral("円");
}

bool DrawInputDetail(PrintCanvas &c, const TallyWorkspace &ws, const QList<int> &months)
{
    const auto [cw, ch] = OpenPrintJob(c, MinchoFont);
    // The longest block of the job must fit the paper whole: a page of
    // sixty lines a block is made smaller, one of a few rows is printed at
    // the size of the body font, as the tape is.
    int lines = 0;
    for (int m : months)
        lines = qMax(lines, qMin(ws.monthRows(m), DetailLinesPerBlock));
    c.fitToPage(RuleRight * cw + 1, (1.9 * (lines + 4) + 1) * ch);

    for (int index = 0; index < months.size(); ++index) {
        const int m = months[index];
        const int rows = ws.monthRows(m);
        int first = 1;
        int last = qMin(rows, DetailRowsPerPage);
        for (;;) {
            c.printAt(6 * cw, 3.8 * ch, InputDetailHeading(ws, m));
            for (int b : BlockOffsets) {
                c.printAt((b + 2) * cw, 6.65 * ch, QStringLiteral("NO"));
                c.printAt((b + 6) * cw, 6.65 * ch, ws.ItemName);
                c.printAt((b + 16) * cw, 6.65 * ch, QStringLiteral("件数"));
                c.printAt((b + 25) * cw, 6.65 * ch, QStringLiteral("金　額"));
            }
            int b = BlockOffsets[0];
            int line = 0;
            for (int r = first; r <= last; ++r) {
                ++line;
                const double y = 1.9 * (line + 4) * ch;
                c.printRightAligned((b + 4) * cw, y, FormatNumber(r, u"0"));
                c.printText(QStringLiteral(":"), false);
                c.printRightAligned((b + 13) * cw, y, FormatNumber(ws.Key[m].value(r), u"0"));
                c.printRightAligned((b + 19) * cw, y, FormatNumber(ws.Cases[m].value(r), u"0"));
                c.printRightAligned((b + 32) * cw, y, FormatNumber(ws.Amount[m].value(r), u"#,0"));
                if (r % DetailLinesPerBlock == 0) {
                    line = 0;
                    b += 38;
                }
            }
            c.setLineWidth(3);
            c.drawLine(RuleLeft * cw, 6.08 * ch, RuleRight * cw, 6.08 * ch);
            c.drawLine(RuleLeft * cw, 8.55 * ch, RuleRight * cw, 8.55 * ch);
            if (last >= rows)
                break;
            first = last + 1;
            last = qMin(last + DetailRowsPerPage, rows);
            c.newPage();
        }
        if (index + 1 < months.size())
            c.newPage();
    }
    return c.endDocument();
}

} // namespace zq
