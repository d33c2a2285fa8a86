#include "reports/results_list.h"

#include "common/format.h"

namespace zq {

QVector<int> ResultsListWidths(int months)
{
    QVector<int> widths{500, 900};
    for (int i = 1; i <= months; ++i)
        widths << 550 << 1100;
    widths << 650 << 1300;
    return widths;
}

void FillResultsList(CellGrid &grid, const TallyWorkspace &ws, const TallyResults &r)
{
    const int N = ws.listedMonths();
    const int R = r.PeriodKeyCount;
    grid.setCellTexts(R + 2, 2 * N + 4, [&ws, &r, N, R](int row, int col) -> QString {
        const ResultMatrix &M = r.Matrix;
        const int i = col / 2; // the month of columns 2i and 2i + 1
        if (row == 0) {
            if (col == 0)
                return QStringLiteral("NO ");
            if (col == 1)
                return ws.ItemName;
            if (col == 2 * N + 2)
                return QStringLiteral("件数");
            if (col == 2 * N + 3)
                return QStringLiteral("合計金額");
            return col % 2 == 0 ? QStringLiteral("件数")
                                : FormatNumber(ws.periodMonth(i), u"0") + QStringLiteral("月金額");
        }
        if (row == R + 1) {
            if (col == 1)
                return QStringLiteral("合　計　");
            if (col == 2 * N + 2)
                return FormatNumber(r.PeriodCountTotal, u"0 ");
            if (col == 2 * N + 3)
                return FormatNumber(r.PeriodAmountTotal, u"#,0 ");
            if (col < 2)
                return QString();
            return col % 2 == 0 ? FormatNumber(r.MonthCountTotal.value(i), u"0 ")
                                : FormatNumber(r.MonthAmountTotal.value(i), u"#,0 ");
        }
        if (col == 0)
            return FormatNumber(row, u"0 ");
        // Matrix columns: 2 the key, 2i + 1 and 2i + 2 month i's count and
        // amount, 2N + 3 and 2N + 4 the period's.
        return FormatValue(M.at(col + 1, row), col == 1 || col % 2 == 0 ? u"0 " : u"#,0 ");
    });
}

} // namespace zq
