#include "../support/tally_data.h"

#include "engine/tally_engine.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace zq;
using namespace zq::test;

namespace {

TallyWorkspace workspace(const QList<Rows> &months)
{
    return TallyInput(months, 1);
}

Rows table(const QVector<double> &key, const QVector<double> &cases, const QVector<double> &amount, int n)
{
    Rows out;
    for (int i = 1; i <= n; ++i)
        out.append({key[i], cases[i], amount[i]});
    return out;
}

Rows monthTable(const TallyResults &r, int m)
{
    return table(r.SumKey[m], r.SumCases[m], r.SumAmount[m], r.MonthKeyCount[m]);
}

Rows periodTable(const TallyResults &r)
{
    return table(r.PeriodKey, r.PeriodCases, r.PeriodAmount, r.PeriodKeyCount);
}

} // namespace

class TestTallyEngine : public QObject
{
    Q_OBJECT
private slots:
    void workedExample();
    void oneMonthPeriod();
    void monthWithOneRow();
    void allRowsOneKey();
    void keyZeroWithoutNegativeKey();
    void keyZeroAfterNegativeKey();
    void keyInMonthsOneAndThreeOnly();
    void runsAreRepeatable();
    void staleLongerTallyAddsNoPhantomRow();
    void shellSortGaps_data();
    void shellSortGaps();
    void worstCase();
};

void TestTallyEngine::workedExample()
{
    const TallyWorkspace ws = workspace({{{7, 1, 500}, {3, 2, 1000}, {7, 1, 300}}, {{3, 1, 200}, {5, 4, 800}}});
    TallyResults r;
    r.ResultMonth = 5;
    RunTally(ws, r);
    QCOMPARE(r.MonthCountTotal, (QVector<double>{0, 4, 5}));
    QCOMPARE(r.MonthAmountTotal, (QVector<double>{0, 1800, 1000}));
    QCOMPARE(r.PeriodCountTotal, 9.0);
    QCOMPARE(r.PeriodAmountTotal, 2800.0);
    QCOMPARE(monthTable(r, 1), (Rows{{3, 2, 1000}, {7, 2, 800}}));
    QCOMPARE(monthTable(r, 2), (Rows{{3, 1, 200}, {5, 4, 800}}));
    QCOMPARE(r.MergedRows, 4);
    QCOMPARE(periodTable(r), (Rows{{3, 3, 1200}, {5, 4, 800}, {7, 2, 800}}));
    QCOMPARE(r.PeriodKeyCount, 3);
    QCOMPARE(r.ResultMonth, 0);
    // Matrix: columns 0..8, rows 0..3.
    QCOMPARE(r.Matrix.columnCount(), 9);
    QCOMPARE(r.Matrix.rowCount(), 4);
    QCOMPARE(r.Matrix.at(2, 2).toDouble(), 5.0);
    QVERIFY(r.Matrix.at(3, 2).isEmpty());
    QVERIFY(r.Matrix.at(4, 2).isEmpty());
    QCOMPARE(r.Matrix.at(5, 2).toDouble(), 4.0);
    QCOMPARE(r.Matrix.at(6, 2).toDouble(), 800.0);
    QCOMPARE(r.Matrix.at(7, 2).toDouble(), 4.0);
    QCOMPARE(r.Matrix.at(8, 2).toDouble(), 800.0);
    QCOMPARE(r.Matrix.at(3, 1).toDouble(), 2.0);
    QCOMPARE(r.Matrix.at(6, 1).toDouble(), 200.0);
    QVERIFY(r.Matrix.at(0, 1).isEmpty());
    QVERIFY(r.Matrix.at(1, 1).isEmpty());
    QVERIFY(r.Matrix.at(2, 0).isEmpty());
    // The input keeps its order of entry.
    QCOMPARE(ws.Key[1], (QVector<double>{0, 7, 3, 7}));
}

void TestTallyEngine::oneMonthPeriod()
{
    const TallyWorkspace ws = workspace({{{2, 1, 10}, {1, 1, 20}, {2, 3, 30}}});
    TallyResults r;
    RunTally(ws, r);
    QCOMPARE(r.MergedRows, r.MonthKeyCount[1]);
    QCOMPARE(periodTable(r), monthTable(r, 1));
    QCOMPARE(r.Matrix.columnCount(), 7);
    QCOMPARE(r.Matrix.at(5, 2).toDouble(), 4.0);
    QCOMPARE(r.Matrix.at(6, 2).toDouble(), 40.0);
}

void TestTallyEngine::monthWithOneRow()
{
    TallyResults r;
    RunTally(workspace({{{9, 2, 50}}}), r);
    QCOMPARE(monthTable(r, 1), (Rows{{9, 2, 50}}));
    RunTally(workspace({{{0, 2, 50}}}), r);
    QCOMPARE(r.MonthKeyCount[1], 0);
    QCOMPARE(r.MonthCountTotal[1], 2.0);
}

void TestTallyEngine::allRowsOneKey()
{
    TallyResults r;
    RunTally(workspace({{{4, 1, 10}, {4, 2, 20}, {4, 3, 30}, {4, 4, 40}}}), r);
    QCOMPARE(monthTable(r, 1), (Rows{{4, 10, 100}}));
    QCOMPARE(r.MonthCountTotal[1], 10.0);
    QCOMPARE(r.MonthAmountTotal[1], 100.0);
}

void TestTallyEngine::keyZeroWithoutNegativeKey()
{
    // Kept as the tally has always worked: key 0 forms no group of its own.
    TallyResults r;
    RunTally(workspace({{{0, 5, 500}, {2, 1, 10}, {0, 1, 100}}, {{0, 7, 70}}}), r);
    QCOMPARE(monthTable(r, 1), (Rows{{2, 1, 10}}));
    QCOMPARE(r.MonthKeyCount[2], 0);
    QCOMPARE(r.MonthCountTotal[1], 7.0);
    QCOMPARE(r.MonthAmountTotal[1], 610.0);
    QCOMPARE(r.PeriodCountTotal, 14.0);
    QCOMPARE(periodTable(r), (Rows{{2, 1, 10}}));
    QCOMPARE(r.Matrix.rowCount(), 2);
}

void TestTallyEngine::keyZeroAfterNegativeKey()
{
    TallyResults r;
    RunTally(workspace({{{0, 5, 500}, {-3, 1, 10}, {0, 1, 100}, {4, 2, 20}}}), r);
    QCOMPARE(monthTable(r, 1), (Rows{{-3, 1, 10}, {0, 6, 600}, {4, 2, 20}}));
    QCOMPARE(r.PeriodKeyCount, 3);
    QCOMPARE(r.Matrix.at(2, 2).toDouble(), 0.0);
    QVERIFY(!r.Matrix.at(2, 2).isEmpty());
}

void TestTallyEngine::keyInMonthsOneAndThreeOnly()
{
    TallyResults r;
    RunTally(workspace({{{8, 1, 100}}, {{9, 1, 1}}, {{8, 2, 300}}}), r);
    QCOMPARE(periodTable(r), (Rows{{8, 3, 400}, {9, 1, 1}}));
    QCOMPARE(r.Matrix.at(3, 1).toDouble(), 1.0);
    QVERIFY(r.Matrix.at(5, 1).isEmpty());
    QVERIFY(r.Matrix.at(6, 1).isEmpty());
    QCOMPARE(r.Matrix.at(7, 1).toDouble(), 2.0);
    QCOMPARE(r.Matrix.at(8, 1).toDouble(), 300.0);
    QCOMPARE(r.Matrix.at(10, 1).toDouble(), 400.0);
}

void TestTallyEngine::runsAreRepeatable()
{
    const TallyWorkspace ws = workspace({{{5, 1, 1}, {1, 2, 2}, {5, 3, 3}}, {{2, 1, 1}}});
    TallyResults first;
    RunTally(ws, first);
    TallyResults second = first;
    RunTally(ws, second);
    QCOMPARE(periodTable(second), periodTable(first));
    QCOMPARE(monthTable(second, 1), monthTable(first, 1));
    QCOMPARE(second.MergedRows, first.MergedRows);
    QCOMPARE(second.PeriodCountTotal, first.PeriodCountTotal);
}

void TestTallyEngine::staleLongerTallyAddsNoPhantomRow()
{
    // A three-month tally, then the same workspace cut to two months with a
    // negative key: month 3's counter must not add rows to the merge.
    TallyWorkspace ws = workspace({{{-1, 1, 1}}, {{2, 1, 1}}, {{3, 1, 1}, {4, 1, 1}}});
    TallyResults r;
    RunTally(ws, r);
    QCOMPARE(r.MonthKeyCount[3], 2);
    ws.MonthCount = 2;
    RunTally(ws, r);
    QCOMPARE(r.MergedRows, 2);
    QCOMPARE(periodTable(r), (Rows{{-1, 1, 1}, {2, 1, 1}}));
}

void TestTallyEngine::shellSortGaps_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("distinct"); // every key once: sorted the quicker way
    for (int n : {0, 1, 2, 5, 6, 7, 21, 22, 100, 500, 3000})
        for (bool distinct : {false, true})
            QTest::newRow(qPrintable(QStringLiteral("%1%2").arg(n).arg(distinct ? " distinct" : ""))) << n << distinct;
}

void TestTallyEngine::shellSortGaps()
{
    QFETCH(int, n);
    QFETCH(bool, distinct);
    QVector<double> key(n + 1), cases(n + 1), amount(n + 1);
    QRandomGenerator rng(n);
    for (int i = 1; i <= n; ++i) {
        key[i] = distinct ? (i * 7919) % 3001 - 1500.5 : rng.bounded(50) - 10;
        cases[i] = i;
        amount[i] = key[i] * 1000 + i; // travels with its row
    }
    KeySort(key, cases, amount, n);
    for (int i = 2; i <= n; ++i)
        QVERIFY(key[i - 1] <= key[i]);
    for (int i = 1; i <= n; ++i)
        QCOMPARE(amount[i], key[i] * 1000 + cases[i]);
}

void TestTallyEngine::worstCase()
{
    QList<Rows> months;
    for (int m = 0; m < 6; ++m) {
        Rows rows;
        for (int i = 0; i < 500; ++i)
            rows.append({double(m * 1000 + 500 - i), 1, double(i)});
        months << rows;
    }
    const TallyWorkspace ws = workspace(months);
    TallyResults r;
    RunTally(ws, r);
    QCOMPARE(r.MergedRows, 3000);
    QCOMPARE(r.PeriodKeyCount, 3000);
    QCOMPARE(r.PeriodKey[1], 1.0);
    QCOMPARE(r.PeriodKey[3000], 5500.0);
    // Key 5500 is month 6's first row: count 1, amount 0; no rows elsewhere.
    QCOMPARE(r.Matrix.at(13, 3000).toDouble(), 1.0);
    QCOMPARE(r.Matrix.at(14, 3000).toDouble(), 0.0);
    QVERIFY(!r.Matrix.at(14, 3000).isEmpty());
    QVERIFY(r.Matrix.at(3, 3000).isEmpty());
}

QTEST_APPLESS_MAIN(TestTallyEngine)
#include "tst_tally_engine.moc"
