#include "../support/app_fixture.h"
#include "../support/tally_data.h"

#include "reports/chart_window.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QRadioButton>
#include <QValueAxis>

using namespace zq;
using namespace zq::test;

class TestChartWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void barsAndMeasures();
    void noKeys();
    void savePng();
    void printPicture_data();
    void printPicture();
    void thousandsOfKeys();

private:
    ChartWindow *open(const TallyData &data);
    QString folder() const { return m_fx->app->store().program.StorageFolder; }

    std::unique_ptr<AppFixture> m_fx;
    std::unique_ptr<OtherWindow> m_list;
};

namespace {

QBarSeries *bars(ChartWindow *w)
{
    return qobject_cast<QBarSeries *>(w->chart()->series().value(0));
}

// Keys 1..15 in month 1: amount 100 x key, count 16 - key; key 15 again in month 2.
TallyData fifteenKeys()
{
    Rows month1;
    for (int k = 1; k <= 15; ++k)
        month1.append({double(k), 16.0 - k, 100.0 * k});
    return TallyData({month1, {{15, 3, 50}}}, 4, QStringLiteral("店番号"));
}

} // namespace

void TestChartWindow::init()
{
    m_fx = std::make_unique<AppFixture>();
    m_list = std::make_unique<OtherWindow>(m_fx->app->tracker(), QStringLiteral("ICHIRAN"));
    m_list->showAndActivate();
}

void TestChartWindow::cleanup()
{
    m_list.reset();
    m_fx.reset();
}

ChartWindow *TestChartWindow::open(const TallyData &data)
{
    m_fx->app->store().tally = data.ws;
    m_fx->app->store().results = data.results;
    auto *w = new ChartWindow(*m_fx->app, m_list.get());
    w->showAndActivate();
    return w;
}

void TestChartWindow::barsAndMeasures()
{
    ChartWindow *w = open(fifteenKeys());
    QCOMPARE(AppFixture::window(QStringLiteral("GRAPH")), w);
    QCOMPARE(w->windowModality(), Qt::ApplicationModal);
    QCOMPARE(w->chart()->title(), QStringLiteral("店番号　4月度～5月度"));
    const QList<QBarSet *> sets = bars(w)->barSets();
    QCOMPARE(sets.size(), 10);
    QCOMPARE(sets.first()->label(), QStringLiteral("15"));
    QCOMPARE(sets.first()->at(1), 50.0);
    // その他 (keys 1..5) is a line on the totals' axis, not an eleventh bar.
    // The legend: the keys, その他, 月合計.
    QCOMPARE(w->chart()->series().size(), 3);
    auto *others = qobject_cast<QLineSeries *>(w->chart()->series().value(1));
    auto *totals = qobject_cast<QLineSeries *>(w->chart()->series().value(2));
    QCOMPARE((QStringList{others->name(), totals->name()}), (QStringList{"その他", "月合計"}));
    QCOMPARE(others->at(0).y(), 1500.0);
    QVERIFY(others->attachedAxes().contains(w->chart()->axes(Qt::Vertical, totals).value(0)));

    child<QRadioButton>(w, QStringLiteral("Option2"))->click();
    QCOMPARE(w->measure(), ChartMeasure::Counts);
    QCOMPARE(bars(w)->barSets().first()->at(1), 3.0);
    QCOMPARE(others->at(0).y(), 65.0);
    QCOMPARE(totals->at(0).y(), 120.0);
    QCOMPARE(totals->at(1).y(), 3.0);
    // The axes drawn are the ones chosen for the data.
    const ChartScales scales = BuildResultsChart(m_fx->app->store().tally, m_fx->app->store().results,
                                                 ChartMeasure::Counts).scales();
    const auto *left = qobject_cast<QValueAxis *>(w->chart()->axes(Qt::Vertical, bars(w)).value(0));
    const auto *right = qobject_cast<QValueAxis *>(w->chart()->axes(Qt::Vertical, totals).value(0));
    QCOMPARE((QList<double>{left->min(), left->max(), right->min(), right->max(), double(left->tickCount())}),
             (QList<double>{scales.keys.low, scales.keys.high, scales.totals.low, scales.totals.high,
                            double(scales.keys.intervals + 1)}));
}

void TestChartWindow::noKeys()
{
    ChartWindow *w = open(TallyData({{{0, 2, 500}}}));
    QCOMPARE(labelText(w, QStringLiteral("Label1")), QStringLiteral("集計結果データがありません"));
    QVERIFY(child<QLabel>(w, QStringLiteral("Label1"))->isVisible());
    QVERIFY(!child<QChartView>(w, QStringLiteral("Chart1"))->isVisible());
    for (const char *name : {"Command1", "Command2", "Command3"})
        QVERIFY(!child<QPushButton>(w, QString::fromLatin1(name))->isEnabled());
    click(w, QStringLiteral("Command4"));
    QVERIFY(!AppFixture::window(QStringLiteral("GRAPH")));
}

void TestChartWindow::savePng()
{
    ChartWindow *w = open(fifteenKeys());
    QTemporaryDir dir;
    m_fx->fake.dialogAnswers << dir.filePath(QStringLiteral("graph"));
    click(w, QStringLiteral("Command2"));
    QCOMPARE(m_fx->fake.log.last(), QStringLiteral("save:%1|PNGﾌｧｲﾙ (*.png)|*.png|1").arg(folder()));
    QImage saved;
    QVERIFY(saved.load(dir.filePath(QStringLiteral("graph.png")), "PNG"));
    QCOMPARE(saved.size(), child<QChartView>(w, QStringLiteral("Chart1"))->size() * 2);
    QCOMPARE(saved.pixel(saved.rect().center()), w->renderImage().pixel(saved.rect().center()));
}

void TestChartWindow::printPicture_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("output");
    QTest::newRow("印刷") << QStringLiteral("Command1") << QStringLiteral("printer");
    QTest::newRow("PDFで保存") << QStringLiteral("Command3") << QStringLiteral("pdf");
}

void TestChartWindow::printPicture()
{
    QFETCH(QString, button);
    QFETCH(QString, output);
    ChartWindow *w = open(fifteenKeys());
    click(w, button);
    QCOMPARE(m_fx->fake.log.last(), QStringLiteral("picture:集計結果グラフ|%1|landscape|%2").arg(output, folder()));
    QImage blank(m_fx->fake.picture.size(), m_fx->fake.picture.format());
    blank.fill(Qt::white);
    QVERIFY(m_fx->fake.picture != blank);
}

void TestChartWindow::thousandsOfKeys()
{
    const TallyData data(LargestTally());
    ChartWindow *w = open(data);
    w->grab();
    w->renderImage(1);
    QCOMPARE(bars(w)->count(), 10);
}

QTEST_MAIN(TestChartWindow)
#include "tst_chart_window.moc"
