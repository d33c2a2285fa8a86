#include "reports/results_report.h"

#include "common/font_names.h"
#include "common/format.h"

namespace zq {

namespace {

constexpr double LinePitch = 1.9; // ch
constexpr double TopOffset = 2.3; // ch

// Key line k stands in line slot k + 1: slot 1 (3.35..5.25 ch) is taken by
// the column captions, which the first key line would otherwise overprint.
// The slots, rules and closing line below all count from there.
int slotOf(int line)
{
    return line + 1;
}

// A matrix cell right-aligned at its field end; an empty cell (a key without
// rows in the month) prints nothing.
void printCell(PrintCanvas &c, double x, double y, const Value &value, QStringView format)
{
    if (!value.isEmpty())
        c.printRightAligned(x, y, FormatValue(value, format));
}

struct Geometry {
    double cw;
    double ch;
    int months;

    void hline(PrintCanvas &c, double y, double x1, double x2) const { c.drawLine(x1 * cw, y * ch, x2 * cw, y * ch); }
    void vline(PrintCanvas &c, double x, double y1, double y2) const { c.drawLine(x * cw, y1 * ch, x * cw, y2 * ch); }
};

void drawRules(PrintCanvas &c, const Geometry &g, int n)
{
    const int N = g.months;
    const double xr = 19 * N + 50;
    const int last = slotOf(n); // slot of the last key line
    const double yb = LinePitch * (last + 1) + 3.7;

    c.setLineWidth(1);
    g.hline(c, 4.1, 10, xr);
    for (int j = 1; j <= n - 1; ++j)
        g.hline(c, LinePitch * slotOf(j) + 3.35, 10, xr);
    for (int i = 1; i <= N; ++i)
        g.vline(c, 19 * i + 15, 4.1, yb);
    g.vline(c, 19 * N + 35, 4.1, yb);

    c.setLineWidth(3);
    g.hline(c, 5.7, 10, xr);
    g.hline(c, LinePitch * last + 3.4, 10, xr);
    g.vline(c, 16, 2.6, yb);
    g.vline(c, 28, 2.6, yb);
    for (int i = 1; i <= N; ++i)
        g.vline(c, 19 * i + 28, 2.6, yb);

    c.setLineWidth(6);
    g.hline(c, 2.6, 10, xr);
    g.hline(c, yb, 10, xr);
    g.vline(c, 10, 2.6, yb);
    g.vline(c, xr, 2.6, yb);
}

} // namespace

int ResultsReportPages(int keys, int rowsPerPage)
{
    return rowsPerPage > 0 ? int(double(keys) / rowsPerPage + 0.99) : 0;
}

bool DrawResultsReport(PrintCanvas &c, const TallyWorkspace &ws, const TallyResults &r, int rowsPerPage)
{
    const int N = ws.listedMonths();
    const int R = r.PeriodKeyCount;
    const ResultMatrix &M = r.Matrix;

    const CharCell cell = OpenPrintJob(c, MinchoFont);
    const Geometry g{cell.cw, cell.ch, N};
    const double cw = g.cw;
    const double ch = g.ch;
    // Every page as wide as the table and as tall as a full page of lines.
    const int fullPage = qMax(1, qMin(R, rowsPerPage));
    c.fitToPage((19 * N + 50) * cw + 1, (LinePitch * (slotOf(fullPage) + 1) + 3.7) * ch + 1);

    const int pages = ResultsReportPages(R, rowsPerPage);
    int first = 1;
    int last = qMin(R, rowsPerPage);
    for (int page = 1;; ++page) {
        // Page header
        c.printAt((19 * N + 39) * cw, 1.5 * ch,
                  QStringLiteral("PG:") + u' ' + QString::number(page) + u'/' + FormatNumber(pages, u"0"));
        for (int i = 1; i <= N; ++i)
            c.printAt((19 * i + 16.5) * cw, 3 * ch,
                      FormatNumber(ws.periodMonth(i), u"0") + QStringLiteral("月度"));
        c.printAt((19 * N + 36) * cw, 3 * ch, QStringLiteral("合　　計"));
        c.printAt(13 * cw, 4.5 * ch, QStringLiteral("NO"));
        c.printAt(18 * cw, 4.5 * ch, ws.ItemName);
        for (int i = 1; i <= N; ++i) {
            c.printAt((19 * i + 10) * cw, 4.5 * ch, QStringLiteral("件数"));
            c.printAt((19 * i + 20) * cw, 4.5 * ch, QStringLiteral("金 額"));
        }
        c.printAt((19 * N + 30) * cw, 4.5 * ch, QStringLiteral("件数"));
        c.printAt((19 * N + 41) * cw, 4.5 * ch, QStringLiteral("金 額"));

        // Key lines
        int k = 0;
        for (int row = first; row <= last; ++row) {
            ++k;
            const double y = (LinePitch * slotOf(k) + TopOffset) * ch;
            c.printRightAligned(15 * cw, y, FormatNumber(row, u"0"));
            printCell(c, 25 * cw, y, M.at(2, row), u"0");
            for (int i = 1; i <= N; ++i) {
                printCell(c, (19 * i + 14) * cw, y, M.at(2 * i + 1, row), u"0");
                printCell(c, (19 * i + 27) * cw, y, M.at(2 * i + 2, row), u"#,0");
            }
            printCell(c, (19 * N + 34) * cw, y, M.at(2 * N + 3, row), u"0");
            printCell(c, (19 * N + 49) * cw, y, M.at(2 * N + 4, row), u"#,0");
        }

        // Closing line
        const int n = last - first + 1;
        const double y = (LinePitch * (slotOf(n) + 1) + 2.5) * ch;
        if (last >= R) {
            c.printAt(18 * cw, y, QStringLiteral("合　計"));
            for (int i = 1; i <= N; ++i) {
                c.printRightAligned((19 * i + 14) * cw, y, FormatNumber(r.MonthCountTotal.value(i), u"0"));
                c.printRightAligned((19 * i + 27) * cw, y, FormatNumber(r.MonthAmountTotal.value(i), u"#,0"));
            }
            c.printRightAligned((19 * N + 34) * cw, y, FormatNumber(r.PeriodCountTotal, u"0"));
            c.printRightAligned((19 * N + 49) * cw, y, FormatNumber(r.PeriodAmountTotal, u"#,0"));
        } else {
            c.printAt(18 * cw, y, QStringLiteral("NextPage↓"));
        }
        drawRules(c, g, n);

        if (last >= R)
            break;
        c.newPage();
        first = last + 1;
        last = qMin(last + rowsPerPage, R);
    }
    return c.endDocument();
}

} // namespace zq
