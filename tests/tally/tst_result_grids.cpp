#include "../support/tally_data.h"

#include "tally/result_grids.h"

#include <QTest>

using namespace zq;
using namespace zq::test;

// The result grids' rules on grids in memory, on the worked example: two
// months from November, (7, 1, 500), (3, 2, 1000), (7, 1, 300); then
// (3, 1, 200), (5, 4, 800).
class TestResultGrids : public QObject
{
    Q_OBJECT
private slots:
    void periodResults();
    void stepping_data();
    void stepping();
};

namespace {
TallyData workedExample()
{
    TallyData t({{{7, 1, 500}, {3, 2, 1000}, {7, 1, 300}}, {{3, 1, 200}, {5, 4, 800}}}, 11);
    t.ws.EndMonth = 12;
    return t;
}

QStringList rows(const CellGrid &grid)
{
    QStringList out;
    for (int r = 0; r < grid.rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.cols(); ++c)
            cells << grid.text(r, c);
        out << cells.join(u'|');
    }
    return out;
}
} // namespace

void TestResultGrids::periodResults()
{
    TallyData t = workedExample();
    TextGrid g2(ResultGridDesignRows, 4), g3(ResultGridDesignRows, 4);
    const PeriodResultView view = ShowPeriodResults(g2, g3, t.ws, t.results);
    QCOMPARE(rows(g3), (QStringList{QStringLiteral("NO|担当者NO|件数|金　額"), QStringLiteral("1 |3 |3 |1,200 "),
                                    QStringLiteral("2 |5 |4 |800 "), QStringLiteral("3 |7 |2 |800 ")}));
    QCOMPARE(g2.text(0, 1), QStringLiteral("担当者NO"));
    QCOMPARE(view.startMonth, QStringLiteral("11"));
    QCOMPARE(view.endMonth, QStringLiteral("12"));
    QCOMPARE(view.countTotal, QStringLiteral("9 "));
    QCOMPARE(view.amountTotal, QStringLiteral("2,800 "));

    ClearResultGrid(g3, QStringLiteral("店番号"));
    QCOMPARE(rows(g3).first(), QStringLiteral("NO|店番号|件数|金　額"));
    QCOMPARE(g3.text(1, 1), QString());
}

void TestResultGrids::stepping_data()
{
    QTest::addColumn<int>("monthCount"); // of the workspace; the results are those of two months
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("firstRow");
    QTest::newRow("after a run: month 1") << 2 << 0 << 1 << 1 << "11" << "1 |3 |2 |1,000 ";
    QTest::newRow("next") << 2 << 1 << 1 << 2 << "12" << "1 |3 |1 |200 ";
    QTest::newRow("past the last stays") << 2 << 2 << 1 << 2 << "12" << "1 |3 |1 |200 ";
    QTest::newRow("before the first stays") << 2 << 1 << -1 << 1 << "11" << "1 |3 |2 |1,000 ";
    QTest::newRow("no months: still month 1") << 0 << 0 << 1 << 1 << "11" << "1 |3 |2 |1,000 ";
    QTest::newRow("beyond six months: clamped") << 9 << 6 << 1 << 6 << "0" << "";
}

void TestResultGrids::stepping()
{
    QFETCH(int, monthCount);
    QFETCH(int, from);
    QFETCH(int, delta);
    QFETCH(int, month);
    QFETCH(QString, label);
    QFETCH(QString, firstRow);
    TallyData t = workedExample();
    t.ws.MonthCount = monthCount;
    t.results.ResultMonth = from;
    TextGrid g2(ResultGridDesignRows, 4);
    g2.setText(1, 1, QStringLiteral("x")); // shown afresh
    const MonthResultView view = StepResultMonth(t.results, t.ws, g2, delta);
    QCOMPARE(t.results.ResultMonth, month);
    QCOMPARE(view.month, label);
    QCOMPARE(g2.rows(), t.results.monthKeyCount(month) + 1);
    if (!firstRow.isEmpty())
        QCOMPARE(rows(g2).at(1), firstRow);
}

QTEST_APPLESS_MAIN(TestResultGrids)
#include "tst_result_grids.moc"
