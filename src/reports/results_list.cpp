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
    const ResultMatrix &M = r.Matrix;
    grid.setCols(2 * N + 4);
    grid.setRows(R + 2);
    grid.clear();

    grid.setText(0, 0, QStringLiteral("NO "));
    grid.setText(0, 1, ws.ItemName);
    for (int i = 1; i <= N; ++i) {
        grid.setText(0, 2 * i, QStringLiteral("件数"));
        grid.setText(0, 2 * i + 1, FormatNumber(ws.periodMonth(i), u"0") + QStringLiteral("月金額"));
    }
    grid.setText(0, 2 * N + 2, QStringLiteral("件数"));
    grid.setText(0, 2 * N + 3, QStringLiteral("合計金額"));
    grid.setText(R + 1, 1, QStringLiteral("合　計　"));

    for (int row = 1; row <= R; ++row) {
        grid.setText(row, 0, FormatNumber(row, u"0 "));
        grid.setText(row, 1, FormatValue(M.at(2, row), u"0 "));
        for (int i = 1; i <= N; ++i) {
            grid.setText(row, 2 * i, FormatValue(M.at(2 * i + 1, row), u"0 "));
            grid.setText(row, 2 * i + 1, FormatValue(M.at(2 * i + 2, row), u"#,0 "));
        }
        grid.setText(row, 2 * N + 2, FormatValue(M.at(2 * N + 3, row), u"0 "));
        grid.setText(row, 2 * N + 3, FormatValue(M.at(2 * N + 4, row), u"#,0 "));
    }
    for (int i = 1; i <= N; ++i) {
        grid.setText(R + 1, 2 * i, FormatNumber(r.MonthCountTotal.value(i), u"0 "));
        grid.setText(R + 1, 2 * i + 1, FormatNumber(r.MonthAmountTotal.value(i), u"#,0 "));
    }
    grid.setText(R + 1, 2 * N + 2, FormatNumber(r.PeriodCountTotal, u"0 "));
    grid.setText(R + 1, 2 * N + 3, FormatNumber(r.PeriodAmountTotal, u"#,0 "));
}

} // namespace zq
