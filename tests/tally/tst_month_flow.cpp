#include "tally/input_sheet.h"
#include "tally/month_flow.h"
#include "tally/period_setup.h"

#include <QTest>

using namespace zq;

namespace {
constexpr int MaxRows = 500;

struct Flow {
    TallyWorkspace ws;
    TextGrid grid{MaxRows + 1, 4};
    MonthButtons buttons;

    explicit Flow(int months)
    {
        if (months > 0) {
            EnterStartMonth(ws, u"11");
            EnterEndMonth(ws, QString::number((11 + months - 2) % 12 + 1));
        }
        ws.ItemName = QStringLiteral("担当者NO");
        ws.CurRow = ws.CurLine = ws.InputMonth = 1;
        ClearInputGrid(grid, ws.ItemName, MaxRows);
        grid.setCurrentCell(1, 1);
    }
    void type(const QList<QStringList> &rows)
    {
        for (const QStringList &r : rows) {
            EnterInBox(ws, grid, InputColumn::Key, r[0], MaxRows);
            EnterInBox(ws, grid, InputColumn::Count, r[1], MaxRows);
            EnterInBox(ws, grid, InputColumn::Amount, r[2], MaxRows);
        }
    }
    // Each step reads the buttons and leaves them as it returns them.
    FlowResult step(const FlowResult &r)
    {
        buttons = r.buttons;
        return r;
    }
    FlowResult confirm() { return step(ConfirmMonth(ws, grid, buttons, ws.InputMonth, RowsToConfirm(grid, MaxRows))); }
    FlowResult next() { return step(NextMonth(ws, grid, buttons, MaxRows)); }
    FlowResult previous() { return step(PreviousMonth(ws, grid, buttons, MaxRows)); }
};
} // namespace

class TestMonthFlow : public QObject
{
    Q_OBJECT
private slots:
    void rowsToConfirm_data();
    void rowsToConfirm();
    void confirmStoresNumbers();
    void confirmButtonsAndBeep();
    void noPeriodNeverEnablesTally();
    void nextOpensFreshMonth();
    void roundTripShowsMonthsAsConfirmed();
    void navigationStaysInPeriod();
    void previousFromFirstMonthDoesNothing();
    void dataInputWithoutPeriod();
    void windowSteps();
    void enterInBoxes();
    void openedTally_data();
    void openedTally();
};

void TestMonthFlow::rowsToConfirm_data()
{
    QTest::addColumn<int>("filledRows");
    QTest::addColumn<bool>("keyOnNextRow");
    QTest::addColumn<int>("currentCol");
    QTest::addColumn<int>("rows");
    QTest::newRow("after an amount on row 7") << 7 << false << 3 << 7;
    QTest::newRow("a key alone on row 8") << 7 << true << 1 << 8;
    QTest::newRow("amount column with a key alone on row 8") << 7 << true << 3 << 7;
    QTest::newRow("fresh window, current column 1, empty") << 0 << false << 1 << 0;
    QTest::newRow("after a grid clear, empty") << 0 << false << 0 << 0;
    QTest::newRow("after a grid clear, 3 rows") << 3 << false << 0 << 3;
    QTest::newRow("after a grid clear, key on row 4") << 3 << true << 0 << 4;
}

void TestMonthFlow::rowsToConfirm()
{
    QFETCH(int, filledRows);
    QFETCH(bool, keyOnNextRow);
    QFETCH(int, currentCol);
    QFETCH(int, rows);
    Flow f(3);
    for (int r = 1; r <= filledRows; ++r)
        f.type({{QString::number(r), QStringLiteral("1"), QStringLiteral("10")}});
    if (keyOnNextRow)
        EnterInBox(f.ws, f.grid, InputColumn::Key, QStringLiteral("99"), MaxRows);
    f.grid.setCurrentCell(f.grid.row(), currentCol);
    QCOMPARE(RowsToConfirm(f.grid, MaxRows), rows);
}

void TestMonthFlow::confirmStoresNumbers()
{
    Flow f(3);
    f.grid.setText(1, 1, QStringLiteral("101 "));
    f.grid.setText(1, 2, QStringLiteral("3 "));
    f.grid.setText(1, 3, QStringLiteral("1,234 "));
    f.grid.setText(2, 3, QStringLiteral("12.5"));
    ConfirmMonth(f.ws, f.grid, f.buttons, 1, 2);
    QCOMPARE(f.ws.monthRows(1), 2);
    QCOMPARE(f.ws.Key[1], (QVector<double>{0, 101, 0}));
    QCOMPARE(f.ws.Cases[1], (QVector<double>{0, 3, 0}));
    QCOMPARE(f.ws.Amount[1], (QVector<double>{0, 1234, 13}));
    QCOMPARE(f.ws.ShownRows, 2);
    // Confirming with no rows keeps element 0 only.
    ConfirmMonth(f.ws, f.grid, f.buttons, 1, 0);
    QCOMPARE(f.ws.Key[1].size(), 1);
}

void TestMonthFlow::confirmButtonsAndBeep()
{
    Flow f(3);
    f.type({{"1", "1", "10"}});
    FlowResult r = f.confirm();
    QVERIFY(f.buttons.Command1);
    QVERIFY(f.buttons.Command2);
    QVERIFY(!f.buttons.Command3);
    QCOMPARE(r.focus, FlowFocus::Command2);
    QVERIFY(!r.beep);
    f.next();
    f.type({{"2", "1", "10"}});
    r = f.confirm();
    QVERIFY(f.buttons.Command3); // month 1 has rows
    QVERIFY(!r.beep);
    f.next();
    QCOMPARE(f.ws.InputMonth, 3);
    f.type({{"3", "1", "10"}});
    r = f.confirm();
    QVERIFY(r.beep); // the last month of the period
    QCOMPARE(r.focus, FlowFocus::None);
}

void TestMonthFlow::noPeriodNeverEnablesTally()
{
    Flow f(0);
    QCOMPARE(f.ws.MonthCount, 0);
    f.type({{"1", "1", "10"}});
    f.confirm();
    QVERIFY(!f.buttons.Command1);
    PrepareDataInput(f.ws);
    f.confirm();
    QVERIFY(f.buttons.Command1);
}

void TestMonthFlow::nextOpensFreshMonth()
{
    Flow f(3);
    f.type({{"1", "2", "300"}, {"4", "5", "600"}});
    f.confirm();
    const FlowResult r = f.next();
    QCOMPARE(f.ws.InputMonth, 2);
    QCOMPARE(r.boxesHome, BoxesHome::NewMonth);
    QVERIFY(r.beep);
    QCOMPARE(r.focus, FlowFocus::Text3);
    QCOMPARE(*r.monthLabel, QStringLiteral("12 "));
    QCOMPARE(*r.countTotal, QString());
    QCOMPARE(f.grid.text(1, 1), QString());
    QCOMPARE(f.grid.text(1, 0), QStringLiteral("1 "));
    QCOMPARE(f.ws.CurRow, 1);
    QCOMPARE(f.ws.CurLine, 1);
    QVERIFY(!f.buttons.Command2);
    QVERIFY(f.buttons.Command3);
}

void TestMonthFlow::roundTripShowsMonthsAsConfirmed()
{
    Flow f(3);
    f.type({{"101", "3", "1500"}, {"102", "1", "25000"}});
    f.confirm();
    f.next();
    f.type({{"201", "7", "1234567"}, {"202", "0", "-5"}, {"203", "2", "8"}});
    f.confirm();

    FlowResult r = f.previous();
    QCOMPARE(f.ws.InputMonth, 1);
    QCOMPARE(f.grid.text(1, 1), QStringLiteral("101 "));
    QCOMPARE(f.grid.text(2, 3), QStringLiteral("25,000 "));
    QCOMPARE(f.grid.text(3, 1), QString());
    QCOMPARE(*r.countTotal, QStringLiteral("4 "));
    QCOMPARE(*r.amountTotal, QStringLiteral("26,500 "));
    QCOMPARE(*r.monthLabel, QStringLiteral("11 "));
    QVERIFY(!f.buttons.Command3);
    QVERIFY(f.buttons.Command2);
    QCOMPARE(r.focus, FlowFocus::Command2);
    QCOMPARE(f.grid.col(), 3); // loaded through the current cell

    r = f.next();
    QCOMPARE(f.ws.InputMonth, 2);
    QCOMPARE(r.boxesHome, BoxesHome::Stay);
    QCOMPARE(f.grid.text(1, 1), QStringLiteral("201 "));
    QCOMPARE(f.grid.text(1, 3), QStringLiteral("1,234,567 "));
    QCOMPARE(f.grid.text(2, 2), QStringLiteral("0 "));
    QCOMPARE(f.grid.text(2, 3), QStringLiteral("-5 "));
    QCOMPARE(f.grid.text(3, 3), QStringLiteral("8 "));
    QCOMPARE(*r.countTotal, QStringLiteral("9 "));
    QCOMPARE(*r.amountTotal, QStringLiteral("1,234,570 "));
    QVERIFY(f.buttons.Command3);
    // Confirming the reloaded month right away keeps it as it was.
    f.confirm();
    QCOMPARE(f.ws.monthRows(2), 3);
    QCOMPARE(f.ws.Amount[2][1], 1234567.0);
}

void TestMonthFlow::navigationStaysInPeriod()
{
    Flow f(2);
    // Rows of an earlier, longer period in month 3.
    f.ws.MonthRows[3] = 2;
    f.ws.Key[3] = f.ws.Cases[3] = f.ws.Amount[3] = {0, 9, 9};
    f.type({{"1", "1", "1"}});
    f.confirm();
    f.next();
    f.type({{"2", "2", "2"}});
    f.confirm();
    QCOMPARE(f.ws.InputMonth, 2);
    // Next from the last month does nothing: month 3 is never reached.
    const FlowResult r = f.next();
    QVERIFY(!r.monthLabel && !r.beep);
    QCOMPARE(f.ws.InputMonth, 2);
    QCOMPARE(f.grid.text(1, 1), QStringLiteral("2 "));
    // Back to month 1 and forward again: month 2, not the stale month 3.
    f.previous();
    QVERIFY(f.buttons.Command2);
    f.next();
    QCOMPARE(f.ws.InputMonth, 2);
    QCOMPARE(f.grid.text(1, 1), QStringLiteral("2 "));
    QCOMPARE(f.ws.monthRows(3), 2); // untouched
}

void TestMonthFlow::previousFromFirstMonthDoesNothing()
{
    Flow f(3);
    f.type({{"1", "1", "1"}});
    const FlowResult r = f.previous();
    QCOMPARE(f.ws.InputMonth, 1);
    QVERIFY(!r.monthLabel);
    QCOMPARE(f.grid.text(1, 1), QStringLiteral("1 "));
}

void TestMonthFlow::dataInputWithoutPeriod()
{
    TallyWorkspace ws;
    QVERIFY(PrepareDataInput(ws));
    QCOMPARE(ws.MonthCount, 1);
    QCOMPARE(ws.PeriodMonth, (QVector<int>{0, 0}));
    QVERIFY(!PrepareDataInput(ws));
}

void TestMonthFlow::windowSteps()
{
    Flow f(2);
    ProgramValues program;
    // A fresh activation turns every month button off and homes the boxes.
    f.buttons = {true, true, true};
    FlowResult r = f.step(ActivateInput(f.ws, program, f.grid, f.buttons));
    QCOMPARE(program.MaxRows, TallyMaxRows);
    QVERIFY(!f.buttons.Command1 && !f.buttons.Command2 && !f.buttons.Command3);
    QCOMPARE(r.boxesHome, BoxesHome::Start);
    QCOMPARE(f.grid.text(0, 1), QStringLiteral("回数"));

    ItemView item = ShowChosenItem(f.ws, program, f.grid, HelpVariant::Enter);
    QCOMPARE(item.monthLabel, QStringLiteral("11 "));
    QCOMPARE(item.helpText, program.WorkText);
    QCOMPARE(f.grid.text(0, 1), QStringLiteral("担当者NO"));
    QCOMPARE(f.grid.row(), 1);
    QCOMPARE(f.grid.col(), 1);

    // Back from the list: month 1 returns, the buttons stay as they were.
    f.type({{"1", "1", "10"}});
    f.confirm();
    f.next();
    f.type({{"2", "2", "20"}});
    f.confirm();
    LeaveResultsList(f.ws, program);
    QCOMPARE(program.ReturnFlag, 1);
    r = f.step(ActivateInput(f.ws, program, f.grid, f.buttons));
    QVERIFY(f.buttons.Command1);
    r = f.step(ReturnToFirstMonth(f.ws, program, f.grid, f.buttons));
    QCOMPARE(f.ws.InputMonth, 1);
    QCOMPARE(f.grid.text(1, 1), QStringLiteral("1 "));
    QCOMPARE(*r.monthLabel, QStringLiteral("11 "));
    QVERIFY(!f.buttons.Command3 && f.buttons.Command2);
    QCOMPARE(program.ReturnFlag, 0);

    // ﾘｾｯﾄ empties everything and turns the buttons off.
    TallyResults results;
    results.PeriodKeyCount = 2;
    r = f.step(ResetInput(f.ws, results, program, f.grid));
    QCOMPARE(f.ws.MonthCount, 0);
    QCOMPARE(results.PeriodKeyCount, 0);
    QCOMPARE(f.grid.text(1, 1), QString());
    QCOMPARE(*r.monthLabel, QString());
    QCOMPARE(*r.countTotal, QString());
    QVERIFY(!f.buttons.Command1 && !f.buttons.Command2 && !f.buttons.Command3);
    QCOMPARE(f.ws.CurRow, 1);
}

void TestMonthFlow::enterInBoxes()
{
    Flow f(2);
    BoxEnterView v = EnterBox(f.ws, f.grid, f.buttons, InputColumn::Key, u"7", MaxRows);
    QCOMPARE(v.next, InputColumn::Count);
    QVERIFY(!v.countTotal && !v.amountTotal);
    v = EnterBox(f.ws, f.grid, f.buttons, InputColumn::Count, u"2", MaxRows);
    QCOMPARE(*v.countTotal, QStringLiteral("2 "));
    v = EnterBox(f.ws, f.grid, f.buttons, InputColumn::Amount, u"1500", MaxRows);
    QCOMPARE(*v.amountTotal, QStringLiteral("1,500 "));
    QCOMPARE(v.next, InputColumn::Key); // of the next row
    QCOMPARE(f.ws.CurRow, 2);
    v = EnterBox(f.ws, f.grid, f.buttons, InputColumn::Amount, u"1e400", MaxRows);
    QCOMPARE(v.outcome, BoxEnter::Refused);
    // "*" confirms the rows above the boxes' row.
    v = EnterBox(f.ws, f.grid, f.buttons, InputColumn::Key, u"*", MaxRows);
    QCOMPARE(v.outcome, BoxEnter::EndMark);
    QCOMPARE(f.ws.monthRows(1), 1);
    QVERIFY(v.confirmed.buttons.Command1 && v.confirmed.buttons.Command2);
    QCOMPARE(v.confirmed.focus, FlowFocus::Command2);
}

void TestMonthFlow::openedTally_data()
{
    QTest::addColumn<int>("months");
    QTest::addColumn<bool>("next");   // 次月度 ＞ afterwards
    QTest::addColumn<QString>("label");
    QTest::newRow("one month, no period") << 0 << false << " ";
    QTest::newRow("two months") << 2 << true << "11 ";
}

void TestMonthFlow::openedTally()
{
    QFETCH(int, months);
    QFETCH(bool, next);
    QFETCH(QString, label);
    Flow f(months);
    PrepareDataInput(f.ws);
    f.type({{"5", "2", "1000"}, {"6", "1", "500"}});
    f.confirm();
    f.grid.setTopRow(30);
    f.ws.CurRow = 12;
    f.buttons.Command3 = true; // left as it was
    const FlowResult r = f.step(ShowOpenedTally(f.ws, f.grid, f.buttons, MaxRows));
    QCOMPARE(f.grid.text(2, 1), QStringLiteral("6 "));
    QCOMPARE(f.grid.topRow(), 1);
    QCOMPARE(*r.countTotal, QStringLiteral("3 "));
    QCOMPARE(*r.amountTotal, QStringLiteral("1,500 "));
    QCOMPARE(*r.monthLabel, label);
    QCOMPARE(r.boxesHome, BoxesHome::Start);
    QCOMPARE(f.ws.CurRow, 1);
    QVERIFY(f.buttons.Command1 && f.buttons.Command3);
    QCOMPARE(f.buttons.Command2, next);
}

QTEST_APPLESS_MAIN(TestMonthFlow)
#include "tst_month_flow.moc"
