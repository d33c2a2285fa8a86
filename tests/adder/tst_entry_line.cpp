#include "adder/entry_line.h"
#include "adder/tape.h"

#include <QTest>

#include <limits>

using namespace zq;

class TestEntryLine : public QObject
{
    Q_OBJECT
private slots:
    void evaluate_data();
    void evaluate();
    void preview_data();
    void preview();
    void clearCommand_data();
    void clearCommand();
    void confirmAppends();
    void confirmRefusesErrorsAndKeepsTape_data();
    void confirmRefusesErrorsAndKeepsTape();
    void totalOverflowIsAnError();
    void limitOfRows();
    void clearAndLeave();
    void topRow_data();
    void topRow();
};

void TestEntryLine::evaluate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");

    QTest::newRow("plain") << "12" << true << 12.0;
    QTest::newRow("+- pair") << "7+-2" << true << 5.0;
    QTest::newRow("-+ pair") << "7-+2" << true << 5.0;
    QTest::newRow("-- pair") << "7--2" << true << 9.0;
    QTest::newRow("++ pair") << "7++2" << true << 9.0;
    QTest::newRow("times") << "6*7" << true << 42.0;
    QTest::newRow("divide") << "10/4" << true << 2.5;
    QTest::newRow("plus") << "2+3" << true << 5.0;
    QTest::newRow("minus") << "9-3" << true << 6.0;
    QTest::newRow("second operator ends R") << "2+3+4" << true << 5.0;
    QTest::newRow("times before plus") << "2+3*4" << true << 8.0;
    QTest::newRow("sign after times") << "5*-3" << true << -15.0;
    QTest::newRow("sign after divide") << "5/-2" << true << -2.5;
    QTest::newRow("leading minus on left") << "-5-3" << true << -8.0;
    QTest::newRow("leading minus times minus") << "-5*-3" << true << 15.0;
    QTest::newRow("empty left times") << "*5" << true << 0.0;
    QTest::newRow("empty left plus") << "+5" << true << 5.0;
    QTest::newRow("empty") << "" << true << 0.0;
    QTest::newRow("no digits") << "abc" << true << 0.0;
    QTest::newRow("minus alone") << "-" << true << 0.0;
    QTest::newRow("thousands separator ends") << "1,234" << true << 1.0;
    QTest::newRow("negative plain") << "-12.5" << true << -12.5;
    QTest::newRow("exponent with minus is an operator") << "1e-5" << true << -4.0;
    QTest::newRow("divide by zero") << "10/0" << false << 0.0;
    QTest::newRow("zero by zero") << "0/0" << false << 0.0;
    QTest::newRow("divide by empty") << "5/" << false << 0.0;
    QTest::newRow("overflow reading") << "1e400" << false << 0.0;
    QTest::newRow("overflow in right operand") << "1+1e400" << false << 0.0;
    QTest::newRow("overflow of product") << "1e200*1e200" << false << 0.0;
    QTest::newRow("overflow of quotient") << "1e300/1e-100" << false << 0.0;
    QTest::newRow("full-width digits") << "１２" << true << 12.0;
    QTest::newRow("full-width plus") << "７＋２" << true << 9.0;
    QTest::newRow("full-width minus pair") << "７＋－２" << true << 5.0;
    QTest::newRow("full-width times") << "３＊４" << true << 12.0;
    QTest::newRow("full-width divide") << "９／２" << true << 4.5;
    QTest::newRow("full-width point") << "１．５" << true << 1.5;
    // What input methods commit (more rows through the window in tst_kasan).
    QTest::newRow("input method plus minus pair") << "8+\u22123" << true << 5.0;
    QTest::newRow("times and divide signs") << "３×４÷２" << true << 12.0;
}

void TestEntryLine::evaluate()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const EntryEvaluation e = EvaluateEntry(text);
    QCOMPARE(e.ok, ok);
    if (ok)
        QCOMPARE(e.value, value);
}

void TestEntryLine::preview_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("number") << "1234" << "1,234.";
    QTest::newRow("fraction") << "1234.5" << "1,234.5";
    QTest::newRow("minus as typed") << "-5" << "-5";
    QTest::newRow("divide as typed") << "10/4" << "10/4";
    QTest::newRow("plus expression as typed") << "2+3" << "2+3";
    QTest::newRow("text as typed") << "abc" << "abc";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("full-width number") << "１２３４" << "1,234.";
    QTest::newRow("full-width minus as typed") << "５－２" << "５－２";
}

void TestEntryLine::preview()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QCOMPARE(EntryPreview(typed), shown);
}

void TestEntryLine::clearCommand_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("clears");
    QTest::newRow("**") << "**" << true;
    QTest::newRow("full-width") << "＊＊" << true;
    QTest::newRow("mixed") << "*＊" << true;
    QTest::newRow("single") << "*" << false;
    QTest::newRow("three") << "***" << false;
    QTest::newRow("with blank") << "** " << false;
}

void TestEntryLine::clearCommand()
{
    QFETCH(QString, typed);
    QFETCH(bool, clears);
    QCOMPARE(IsClearCommand(typed), clears);
}

void TestEntryLine::confirmAppends()
{
    AdderValues a;
    ProgramValues p;
    ActivateTape(a, p);
    QCOMPARE(p.MaxRows, 1000);
    QCOMPARE(ConfirmEntry(a, p.MaxRows, u"12"), EntryOutcome::Appended);
    QCOMPARE(ConfirmEntry(a, p.MaxRows, u"7+-2"), EntryOutcome::Appended);
    QCOMPARE(a.TapeCount, 2);
    QCOMPARE(a.Tape[1], 12.0);
    QCOMPARE(a.Tape[2], 5.0);
    QCOMPARE(a.TapeTotal, 17.0);
    QCOMPARE(a.EntryValue, 5.0);
    QCOMPARE(TapeAmountText(a.TapeTotal), QStringLiteral("17. "));
    QCOMPARE(TapeCountText(a.TapeCount), QStringLiteral("2 "));
}

void TestEntryLine::confirmRefusesErrorsAndKeepsTape_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("divide by zero") << "10/0";
    QTest::newRow("zero by zero") << "0/0";
    QTest::newRow("overflow") << "9e999";
}

void TestEntryLine::confirmRefusesErrorsAndKeepsTape()
{
    QFETCH(QString, typed);
    AdderValues a;
    ProgramValues p;
    ActivateTape(a, p);
    ConfirmEntry(a, p.MaxRows, u"3");
    QCOMPARE(ConfirmEntry(a, p.MaxRows, typed), EntryOutcome::InputError);
    QCOMPARE(a.TapeCount, 1);
    QCOMPARE(a.TapeTotal, 3.0);
    QCOMPARE(a.Tape[1], 3.0);
}

void TestEntryLine::totalOverflowIsAnError()
{
    AdderValues a;
    ProgramValues p;
    ActivateTape(a, p);
    QCOMPARE(ConfirmEntry(a, p.MaxRows, u"1.5e308"), EntryOutcome::Appended);
    QCOMPARE(ConfirmEntry(a, p.MaxRows, u"1.5e308"), EntryOutcome::InputError);
    QCOMPARE(a.TapeCount, 1);
    QCOMPARE(a.TapeTotal, 1.5e308);
    QVERIFY(a.Tape[2] == 0.0);
}

void TestEntryLine::limitOfRows()
{
    AdderValues a;
    ProgramValues p;
    ActivateTape(a, p);
    for (int i = 0; i < 1000; ++i)
        QCOMPARE(ConfirmEntry(a, p.MaxRows, u"1"), EntryOutcome::Appended);
    QCOMPARE(ConfirmEntry(a, p.MaxRows, u"1"), EntryOutcome::TapeFull);
    QCOMPARE(ConfirmEntry(a, p.MaxRows, u"1/0"), EntryOutcome::TapeFull);
    QCOMPARE(a.TapeCount, 1000);
    QCOMPARE(a.TapeTotal, 1000.0);
}

void TestEntryLine::clearAndLeave()
{
    AdderValues a;
    ProgramValues p;
    ActivateTape(a, p);
    ConfirmEntry(a, p.MaxRows, u"4");
    ConfirmEntry(a, p.MaxRows, u"6");
    const PreviousCalculation prev = ClearTape(a);
    QCOMPARE(prev.count, 2);
    QCOMPARE(prev.total, 10.0);
    QCOMPARE(a.TapeCount, 0);
    QCOMPARE(a.TapeTotal, 0.0);
    ConfirmEntry(a, p.MaxRows, u"8");
    QCOMPARE(a.Tape[1], 8.0);

    // Coming back from a secondary window keeps the tape.
    p.ReturnFlag = 1;
    ActivateTape(a, p);
    QCOMPARE(a.Tape[1], 8.0);

    LeaveAdder(a, p);
    QCOMPARE(a.TapeCount, 0);
    QCOMPARE(a.TapeTotal, 0.0);
    QVERIFY(a.Tape.isEmpty());
    QCOMPARE(p.MaxRows, 0);
    QCOMPARE(p.ReturnFlag, 0);
}

void TestEntryLine::topRow_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("top");
    QTest::newRow("empty") << 0 << 1;
    QTest::newRow("nine") << 9 << 1;
    QTest::newRow("ten") << 10 << 1;
    QTest::newRow("eleven") << 11 << 2;
    QTest::newRow("twelve") << 12 << 3;
    QTest::newRow("thousand") << 1000 << 991;
}

void TestEntryLine::topRow()
{
    QFETCH(int, count);
    QFETCH(int, top);
    QCOMPARE(TapeTopRowFor(count), top);
}

QTEST_APPLESS_MAIN(TestEntryLine)
#include "tst_entry_line.moc"
