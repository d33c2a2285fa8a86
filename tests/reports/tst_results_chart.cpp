#include "../support/tally_data.h"

#include "reports/results_chart.h"

#include <QTest>

#include <cmath>

using namespace zq;
using namespace zq::test;

using Values = QVector<double>;

namespace {

QStringList names(const ResultsChart &chart)
{
    QStringList out;
    for (const ChartSeries &s : chart.series)
        out << s.name;
    return out;
}

// Keys with one row each in month 1, amount 100 each.
Rows tiedKeys(const QList<double> &keys)
{
    Rows rows;
    for (double key : keys)
        rows.append({key, 1, 100});
    return rows;
}

} // namespace

class TestResultsChart : public QObject
{
    Q_OBJECT
private slots:
    void workedExample_data();
    void workedExample();
    void title_data();
    void title();
    void keyChoice_data();
    void keyChoice();
    void thousandsOfKeys();
    void scales_data();
    void scales();
};

void TestResultsChart::workedExample_data()
{
    QTest::addColumn<ChartMeasure>("measure");
    QTest::addColumn<QList<Values>>("values");
    QTest::addColumn<Values>("totals");
    QTest::addColumn<double>("highestBar");
    // Keys 5 and 7 tie at 800: the smaller first, in both measures.
    QTest::newRow("amounts") << ChartMeasure::Amounts << QList<Values>{{1000, 200}, {0, 800}, {800, 0}}
                             << Values{1800, 1000} << 1000.0;
    QTest::newRow("counts") << ChartMeasure::Counts << QList<Values>{{2, 1}, {0, 4}, {2, 0}} << Values{4, 5} << 4.0;
}

void TestResultsChart::workedExample()
{
    QFETCH(ChartMeasure, measure);
    QFETCH(QList<Values>, values);
    QFETCH(Values, totals);
    QFETCH(double, highestBar);
    const TallyData data({{{7, 1, 500}, {3, 2, 1000}, {7, 1, 300}}, {{3, 1, 200}, {5, 4, 800}}}, 4,
                         QStringLiteral("店番号"));
    const ResultsChart chart = BuildResultsChart(data.ws, data.results, measure);
    QCOMPARE(chart.title, QStringLiteral("店番号　4月度～5月度"));
    QCOMPARE(chart.months, (QStringList{QStringLiteral("4月度"), QStringLiteral("5月度")}));
    QCOMPARE(names(chart), (QStringList{"3", "5", "7"}));
    QVERIFY(!chart.hasOthers);
    for (int k = 0; k < values.size(); ++k)
        QCOMPARE(chart.series[k].values, values[k]);
    QCOMPARE(chart.totals, totals);
    QCOMPARE(chart.barRange().high, highestBar);
}

void TestResultsChart::title_data()
{
    QTest::addColumn<int>("months");
    QTest::addColumn<int>("firstMonth");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("lastCaption");
    QTest::newRow("one month") << 1 << 4 << QStringLiteral("店番号　4月度") << QStringLiteral("4月度");
    QTest::newRow("six months over the year end")
        << 6 << 10 << QStringLiteral("店番号　10月度～3月度") << QStringLiteral("3月度");
}

void TestResultsChart::title()
{
    QFETCH(int, months);
    QFETCH(int, firstMonth);
    QFETCH(QString, title);
    QFETCH(QString, lastCaption);
    const TallyData data(QList<Rows>(months, Rows{{1, 1, 1}}), firstMonth, QStringLiteral("店番号"));
    const ResultsChart chart = BuildResultsChart(data.ws, data.results, ChartMeasure::Amounts);
    QCOMPARE(chart.title, title);
    QCOMPARE(chart.months.size(), months);
    QCOMPARE(chart.months.last(), lastCaption);
    QCOMPARE(chart.series.value(0).values, Values(months, 1));
}

void TestResultsChart::keyChoice_data()
{
    QTest::addColumn<QList<Rows>>("input");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<Values>("others"); // empty: no その他

    QStringList ten;
    for (int k = 10; k >= 1; --k)
        ten << QString::number(k);
    Rows tenRows;
    for (int k = 1; k <= 10; ++k)
        tenRows.append({double(k), 1, 10.0 * k});
    QTest::newRow("ten keys, no others") << QList<Rows>{tenRows} << ten << Values{};
    QTest::newRow("eleven keys") << QList<Rows>{tenRows + Rows{{11, 1, 5}}} << ten << Values{5};

    // Ties go to the smaller key as a number (-1 before 1, 9 before 10).
    QTest::newRow("ties at the cut")
        << QList<Rows>{tiedKeys({11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, -1})}
        << QStringList{"-1", "1", "2", "3", "4", "5", "6", "7", "8", "9"} << Values{200};
    // その他 sums the rest month by month, a negative amount included.
    QTest::newRow("others by month")
        << QList<Rows>{tiedKeys({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) + Rows{{20, 1, 30}},
                       Rows{{21, 2, 40}, {20, 1, -75}}}
        << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"} << Values{30, -35};

    // Key 0 forms a period row only after a negative key; it never gets a
    // bar, nor a share of その他, even with the largest amount.
    QTest::newRow("key 0 after a negative key")
        << QList<Rows>{{{0, 5, 500}, {-3, 1, 10}, {4, 2, 20}}} << QStringList{"4", "-3"} << Values{};
    QTest::newRow("key 0 past ten keys")
        << QList<Rows>{tiedKeys({-1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) + Rows{{0, 1, 9999}}}
        << QStringList{"-1", "1", "2", "3", "4", "5", "6", "7", "8", "9"} << Values{100};

    QTest::newRow("key 0 rows only") << QList<Rows>{{{0, 1, 50}}} << QStringList{} << Values{};
    QTest::newRow("no rows") << QList<Rows>{{}, {}} << QStringList{} << Values{};
}

void TestResultsChart::keyChoice()
{
    QFETCH(QList<Rows>, input);
    QFETCH(QStringList, keys);
    QFETCH(Values, others);
    const TallyData data(input);
    for (ChartMeasure measure : {ChartMeasure::Amounts, ChartMeasure::Counts}) {
        const ResultsChart chart = BuildResultsChart(data.ws, data.results, measure);
        QCOMPARE(chart.isEmpty(), keys.isEmpty());
        QCOMPARE(chart.hasOthers, !others.isEmpty());
        QCOMPARE(names(chart), others.isEmpty() ? keys : keys + QStringList{QStringLiteral("その他")});
        QCOMPARE(chart.totals.size(), input.size());
        if (measure == ChartMeasure::Amounts) {
            if (chart.hasOthers)
                QCOMPARE(chart.series.last().values, others);
        }
    }
}

void TestResultsChart::thousandsOfKeys()
{
    const TallyData data(LargestTally());
    const ResultsChart chart = BuildResultsChart(data.ws, data.results, ChartMeasure::Amounts);
    // All amounts tie: keys 1..10, all of month 1.
    QCOMPARE(chart.series.size(), ChartTopKeys + 1);
    QCOMPARE(chart.series[9].name, QStringLiteral("10"));
    QCOMPARE(chart.series.last().values, (Values{49000, 50000, 50000, 50000, 50000, 50000}));
}

void TestResultsChart::scales_data()
{
    QTest::addColumn<QList<Rows>>("input");
    QTest::addColumn<ChartMeasure>("measure");
    QTest::addColumn<double>("largestBar");
    QTest::addColumn<Values>("keyAxis"); // low, high; empty: not pinned
    // A round largest value still gets room above it.
    QTest::newRow("round top") << QList<Rows>{{{1, 1, 80000}}} << ChartMeasure::Amounts << 80000.0 << Values{0, 100000};
    QTest::newRow("one count") << QList<Rows>{{{1, 1, 80000}}} << ChartMeasure::Counts << 1.0 << Values{0, 2};
    QTest::newRow("all zero") << QList<Rows>{{{1, 1, 0}}} << ChartMeasure::Amounts << 1.0 << Values{0, 2};
    // A refund and a negative key: one zero line for both axes, and the
    // scale of the figures, not of hundreds of millions.
    const QList<Rows> refunds{{{-3, 1, -1500}, {5, 2, 3000}}, {{5, 1, 3000}, {7, 1, -200}}};
    QTest::newRow("negative amounts") << refunds << ChartMeasure::Amounts << 3000.0 << Values{};
    QTest::newRow("their counts") << refunds << ChartMeasure::Counts << 2.0 << Values{};
    QTest::newRow("only negative") << QList<Rows>{{{1, 1, -500}, {2, 1, -300}}} << ChartMeasure::Amounts << 0.0 << Values{};
    // 200 keys: その他, far above the ten, goes with the totals.
    Rows many;
    for (int k = 1; k <= 200; ++k)
        many.append({double(k), 1, 1000.0 + k});
    QTest::newRow("200 keys") << QList<Rows>(3, many) << ChartMeasure::Amounts << 1200.0 << Values{};
}

void TestResultsChart::scales()
{
    QFETCH(QList<Rows>, input);
    QFETCH(ChartMeasure, measure);
    QFETCH(double, largestBar);
    QFETCH(Values, keyAxis);
    const TallyData data(input);
    const ResultsChart chart = BuildResultsChart(data.ws, data.results, measure);
    QCOMPARE(std::max(0.0, chart.barRange().high), largestBar);
    const ChartScales s = chart.scales();
    if (!keyAxis.isEmpty())
        QCOMPARE((Values{s.keys.low, s.keys.high}), keyAxis);
    QVERIFY(s.keys.intervals == s.totals.intervals && s.keys.intervals >= 2 && s.keys.intervals <= 6);
    for (const auto &[axis, range] : {std::pair(s.keys, chart.barRange()), std::pair(s.totals, chart.totalRange())}) {
        const double step = axis.step();
        const double room = (range.high - range.low) / 20;
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        QVERIFY2(step >= 1 && (qFuzzyCompare(mantissa, 1) || qFuzzyCompare(mantissa, 2) || qFuzzyCompare(mantissa, 5)),
                 qPrintable(QString::number(step)));
        // Zero on the same tick of both axes; room beyond the figures, but
        // no more than three times their span.
        QCOMPARE(axis.low / step, std::round(s.keys.low / s.keys.step()));
        QVERIFY((range.high <= 0 || axis.high >= range.high + room) && (range.low >= 0 || axis.low <= range.low - room));
        QVERIFY(axis.high - axis.low <= 60 * room);
    }
}

QTEST_MAIN(TestResultsChart)
#include "tst_results_chart.moc"
