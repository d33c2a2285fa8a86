#include "engine/tally_results.h"
#include "tally/period_setup.h"

#include <QTest>

using namespace zq;

class TestPeriodSetup : public QObject
{
    Q_OBJECT
private slots:
    void period_data();
    void period();
    void refusedEndChangesNothing();
    void startAlwaysTakesTypedValue_data();
    void startAlwaysTakesTypedValue();
    void monthDisplay();
    void helpTexts();
    void resetAndLeaving();
};

void TestPeriodSetup::period_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end"); // "-" = not entered
    QTest::addColumn<int>("startResult");
    QTest::addColumn<int>("endResult");
    QTest::addColumn<int>("monthCount");
    QTest::addColumn<QList<int>>("months");

    using S = StartMonthResult;
    using E = EndMonthResult;
    QTest::newRow("11-4 across the year") << "11" << "4" << int(S::Accepted) << int(E::Accepted) << 6
                                          << QList<int>{11, 12, 1, 2, 3, 4};
    QTest::newRow("11-5 too long") << "11" << "5" << int(S::Accepted) << int(E::TooLong) << 0 << QList<int>{};
    QTest::newRow("4-4 one month") << "4" << "4" << int(S::Accepted) << int(E::Accepted) << 1 << QList<int>{4};
    QTest::newRow("1-6 six months") << "1" << "6" << int(S::Accepted) << int(E::Accepted) << 6
                                    << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("1-7 too long") << "1" << "7" << int(S::Accepted) << int(E::TooLong) << 0 << QList<int>{};
    QTest::newRow("start 0: no period") << "0" << "-" << int(S::NoPeriod) << 0 << 1 << QList<int>{0};
    QTest::newRow("start empty: no period") << "" << "-" << int(S::NoPeriod) << 0 << 1 << QList<int>{0};
    QTest::newRow("start 13") << "13" << "-" << int(S::Refused) << 0 << 0 << QList<int>{};
    QTest::newRow("start abc") << "abc" << "-" << int(S::Refused) << 0 << 0 << QList<int>{};
    QTest::newRow("start 1.5 is no month") << "1.5" << "-" << int(S::Refused) << 0 << 0 << QList<int>{};
    QTest::newRow("start overflow") << "1e400" << "-" << int(S::Refused) << 0 << 0 << QList<int>{};
    QTest::newRow("end without start") << "-" << "3" << 0 << int(E::Accepted) << 4 << QList<int>{0, 1, 2, 3};
    QTest::newRow("end above 12 within six") << "10" << "14" << int(S::Accepted) << int(E::Accepted) << 5
                                             << QList<int>{10, 11, 12, 1, 2};
    QTest::newRow("end after start 13") << "13" << "3" << int(S::Refused) << int(E::Refused) << 0 << QList<int>{};
    QTest::newRow("end 2.5") << "1" << "2.5" << int(S::Accepted) << int(E::Refused) << 0 << QList<int>{};
    QTest::newRow("end 0") << "1" << "0" << int(S::Accepted) << int(E::Refused) << 0 << QList<int>{};
    QTest::newRow("end negative") << "1" << "-2" << int(S::Accepted) << int(E::Refused) << 0 << QList<int>{};
    QTest::newRow("end text") << "1" << "x" << int(S::Accepted) << int(E::Refused) << 0 << QList<int>{};
    QTest::newRow("full-width months") << "１１" << "２" << int(S::Accepted) << int(E::Accepted) << 4
                                       << QList<int>{11, 12, 1, 2};
}

void TestPeriodSetup::period()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(int, startResult);
    QFETCH(int, endResult);
    QFETCH(int, monthCount);
    QFETCH(QList<int>, months);
    TallyWorkspace ws;
    if (start != QLatin1String("-"))
        QCOMPARE(int(EnterStartMonth(ws, start)), startResult);
    if (end != QLatin1String("-"))
        QCOMPARE(int(EnterEndMonth(ws, end)), endResult);
    QCOMPARE(ws.MonthCount, monthCount);
    QCOMPARE(ws.PeriodMonth.size(), monthCount ? monthCount + 1 : 0);
    for (int i = 0; i < months.size(); ++i)
        QCOMPARE(ws.PeriodMonth[i + 1], months[i]);
}

void TestPeriodSetup::refusedEndChangesNothing()
{
    TallyWorkspace ws;
    EnterStartMonth(ws, u"3");
    QCOMPARE(EnterEndMonth(ws, u"5"), EndMonthResult::Accepted);
    QCOMPARE(EnterEndMonth(ws, u"0.5"), EndMonthResult::Refused);
    QCOMPARE(ws.EndMonth, 5.0);
    QCOMPARE(ws.MonthCount, 3);
    // Too long keeps the typed end month but not the count, as always.
    QCOMPARE(EnterEndMonth(ws, u"10"), EndMonthResult::TooLong);
    QCOMPARE(ws.EndMonth, 10.0);
    QCOMPARE(ws.MonthCount, 3);
    QCOMPARE(ws.PeriodMonth, (QVector<int>{0, 3, 4, 5}));
}

void TestPeriodSetup::startAlwaysTakesTypedValue_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::newRow("13") << "13" << 13.0;
    QTest::newRow("abc") << "abc" << 0.0;
    QTest::newRow("leading blanks") << "  7x" << 7.0;
}

void TestPeriodSetup::startAlwaysTakesTypedValue()
{
    QFETCH(QString, typed);
    QFETCH(double, value);
    TallyWorkspace ws;
    EnterStartMonth(ws, typed);
    QCOMPARE(ws.StartMonth, value);
}

void TestPeriodSetup::monthDisplay()
{
    QCOMPARE(MonthDisplay(4), QStringLiteral("4 "));
    QCOMPARE(MonthDisplay(12), QStringLiteral("12 "));
    QCOMPARE(MonthDisplay(14), QStringLiteral("14 "));
    QCOMPARE(MonthDisplay(0), QStringLiteral("** "));
}

void TestPeriodSetup::helpTexts()
{
    const QStringList click = InputHelpText(QStringLiteral("店番号"), HelpVariant::Click).split(QStringLiteral("\r\n"));
    QCOMPARE(click.size(), 5);
    QCOMPARE(click[0], QStringLiteral("● 入力方法＝数字入力して ｴﾝﾀｰ で確定して次項目へ進みます。"));
    QCOMPARE(click[1], QStringLiteral("● 移動方法＝↓↑→← ｷｰ か ﾏｳｽｸﾘｯｸで移動できます。"));
    QCOMPARE(click[2], QStringLiteral("● 入力終了＝ 店番号入力の最終行に  ｢*｣ ｴﾝﾀｰ するか"));
    QCOMPARE(click[3], QStringLiteral("　 　　　　　 「入力確定」ﾎﾞﾀﾝで次の月度分の入力へ進みます。"));
    QCOMPARE(click[4], QStringLiteral("※ ｢*｣ 入力行以降の行はカットされますので注意。"));
    const QStringList enter = InputHelpText(QStringLiteral("担当"), HelpVariant::Enter).split(QStringLiteral("\r\n"));
    QCOMPARE(enter.size(), 5);
    QCOMPARE(enter[0], click[0]);
    QCOMPARE(enter[1], QStringLiteral("● 移動方法＝↓↑→← ｷｰで移動できます。"));
    QCOMPARE(enter[2], QStringLiteral("● 入力終了＝ 担当入力の最終行に  ｢*｣ ｴﾝﾀｰ すると"));
    QCOMPARE(enter[3], QStringLiteral("　 　　　　　 次の月度分の入力へ進みます。"));
    QCOMPARE(enter[4], click[4]);
    QVERIFY(!InputHelpText(QString(), HelpVariant::Enter).endsWith(u'\n'));
}

void TestPeriodSetup::resetAndLeaving()
{
    TallyWorkspace ws;
    ProgramValues p;
    p.MaxRows = 500;
    p.ReturnFlag = 1;
    EnterStartMonth(ws, u"2");
    EnterEndMonth(ws, u"3");
    ws.ItemName = QStringLiteral("店番号");
    ws.MonthRows[1] = 2;
    ws.Key[1] = {0, 1, 2};
    TallyResults results;
    results.PeriodKeyCount = 3;
    results.PeriodKey = {0, 1, 2, 3};
    ResetTally(ws, results, p);
    QCOMPARE(results.PeriodKeyCount, 0);
    QVERIFY(results.PeriodKey.isEmpty());
    QCOMPARE(ws.MonthCount, 0);
    QCOMPARE(ws.monthRows(1), 0);
    QVERIFY(ws.Key[1].isEmpty());
    QVERIFY(ws.PeriodMonth.isEmpty());
    QCOMPARE(ws.ItemName, QString());
    QCOMPARE(p.ReturnFlag, 0);
    QCOMPARE(p.MaxRows, 500);
    ClearTallyOnLeaving(ws, results, p);
    QCOMPARE(p.MaxRows, 0);
}

QTEST_APPLESS_MAIN(TestPeriodSetup)
#include "tst_period_setup.moc"
