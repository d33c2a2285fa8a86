#include "adder/tape_sheet.h"

#include <QTest>

using namespace zq;

// The adding machine's rules on a grid in memory: ten data rows visible, as
// in the window.
class TestTapeSheet : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void activation();
    void entries_data();
    void entries();
    void tapeFullDoesNothing();
    void clear_data();
    void clear();
    void openedTapeFillsFromTop();

private:
    AdderValues adder;
    ProgramValues program;
    TextGrid grid{2, 2, 10};
};

void TestTapeSheet::init()
{
    adder = AdderValues{};
    program = ProgramValues{};
    grid = TextGrid(2, 2, 10);
    ActivateTapeSheet(adder, program, grid);
}

void TestTapeSheet::activation()
{
    QCOMPARE(grid.rows(), 1001);
    QCOMPARE(grid.cols(), 2);
    QCOMPARE(grid.text(0, 0), QStringLiteral("NO"));
    QCOMPARE(grid.text(1, 0), QStringLiteral("1 "));
    QCOMPARE(grid.text(1000, 0), QStringLiteral("1000 "));
    const QStringList rules = program.WorkText.split(QStringLiteral("\r\n"));
    QCOMPARE(rules.size(), 11);
    QCOMPARE(rules.last(), QStringLiteral("● 「**」ｴﾝﾀｰでクリアボタンと同じです。"));

    // Back from a secondary window the tape stays; otherwise a new one.
    EnterOnTape(adder, grid, program.MaxRows, u"9");
    KeepTapeOnReturn(program);
    ActivateTapeSheet(adder, program, grid);
    QCOMPARE(adder.Tape.value(1), 9.0);
    program.ReturnFlag = 0;
    ActivateTapeSheet(adder, program, grid);
    QCOMPARE(adder.Tape.value(1), 0.0);
}

void TestTapeSheet::entries_data()
{
    QTest::addColumn<int>("count");       // entries of `before` ahead of the last one
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("topRow");      // afterwards
    QTest::addColumn<QString>("cell");    // of row count + 1; empty: refused
    QTest::addColumn<QString>("total");   // Label2
    QTest::newRow("first") << 0 << "" << "12" << 1 << "12. " << "12. ";
    QTest::newRow("tenth: still on the first page") << 9 << "1.5" << "1" << 1 << "1. " << "14.5 ";
    QTest::newRow("eleventh scrolls one row") << 10 << "1.5" << "1" << 2 << "1. " << "16. ";
    QTest::newRow("twelfth") << 11 << "1.5" << "1" << 3 << "1. " << "17.5 ";
    QTest::newRow("divide by zero") << 1 << "1.5" << "10/0" << 1 << "" << "";
    QTest::newRow("zero by zero") << 0 << "" << "0/0" << 1 << "" << "";
    QTest::newRow("overflow") << 0 << "" << "1e309" << 1 << "" << "";
    QTest::newRow("total overflow") << 1 << "1.7e308" << "1.7e308" << 1 << "" << "";
}

void TestTapeSheet::entries()
{
    QFETCH(int, count);
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(int, topRow);
    QFETCH(QString, cell);
    QFETCH(QString, total);
    for (int i = 0; i < count; ++i)
        EnterOnTape(adder, grid, program.MaxRows, before);
    const TapeView view = EnterOnTape(adder, grid, program.MaxRows, typed);
    QCOMPARE(grid.text(count + 1, 1), cell);
    QCOMPARE(grid.topRow(), topRow);
    QVERIFY(view.emptyEntry);
    QVERIFY(!view.previousTotal && !view.previousCount);
    QCOMPARE(view.emptyDisplay, !cell.isEmpty()); // after an error it shows what is composed
    if (cell.isEmpty()) {
        QVERIFY(view.beep && view.inputError);
        QVERIFY(!view.total && !view.count);
        QCOMPARE(adder.TapeCount, count);
        return;
    }
    QVERIFY(!view.beep && !view.inputError);
    QCOMPARE(*view.total, total);
    QCOMPARE(*view.count, QString::number(count + 1) + u' ');
    QCOMPARE(grid.row(), count + 1);
    QCOMPARE(grid.col(), 1);
}

void TestTapeSheet::tapeFullDoesNothing()
{
    for (int i = 0; i < 1000; ++i)
        EnterOnTape(adder, grid, program.MaxRows, u"1");
    QCOMPARE(grid.topRow(), 991);
    const TapeView view = EnterOnTape(adder, grid, program.MaxRows, u"5");
    QVERIFY(!view.emptyEntry && !view.beep && !view.inputError && !view.total && !view.count);
    QCOMPARE(adder.TapeCount, 1000);
    QCOMPARE(adder.TapeTotal, 1000.0);
}

void TestTapeSheet::clear_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("typed"); // empty: the クリア button
    QTest::addColumn<QString>("previousTotal");
    QTest::addColumn<QString>("previousCount");
    QTest::newRow("button") << 12 << "" << "18. " << "12 ";
    QTest::newRow("** Enter") << 12 << "**" << "18. " << "12 ";
    QTest::newRow("full-width ＊＊ Enter") << 12 << "＊＊" << "18. " << "12 ";
    QTest::newRow("empty tape") << 0 << "" << "0. " << "0 ";
}

void TestTapeSheet::clear()
{
    QFETCH(int, count);
    QFETCH(QString, typed);
    QFETCH(QString, previousTotal);
    QFETCH(QString, previousCount);
    for (int i = 0; i < count; ++i)
        EnterOnTape(adder, grid, program.MaxRows, u"1.5");
    const TapeView view = typed.isEmpty() ? ClearTapeSheet(adder, grid, program.MaxRows)
                                          : EnterOnTape(adder, grid, program.MaxRows, typed);
    QCOMPARE(*view.previousTotal, previousTotal);
    QCOMPARE(*view.previousCount, previousCount);
    QCOMPARE(*view.total, QString());
    QCOMPARE(*view.count, QString());
    QVERIFY(view.beep && view.emptyEntry && view.emptyDisplay && !view.inputError);
    QCOMPARE(grid.topRow(), 1);
    for (int i = 1; i <= 12; ++i)
        QCOMPARE(grid.text(i, 1), QString());
    QCOMPARE(adder.TapeCount, 0);
    QCOMPARE(adder.TapeTotal, 0.0);
}

void TestTapeSheet::openedTapeFillsFromTop()
{
    for (int i = 0; i < 14; ++i)
        EnterOnTape(adder, grid, program.MaxRows, u"9");
    PrepareTapeSave(adder, program);
    QCOMPARE(adder.TapeTopRow, 5); // the newest entry on the last visible row
    QCOMPARE(program.ReturnFlag, 1);

    TapeFileContents file;
    file.count = 12;
    file.total = 78;
    file.topRow = 3;
    for (int i = 0; i <= 12; ++i)
        file.values << i;
    const TapeView view = ShowOpenedTape(adder, grid, program.MaxRows, file);
    QCOMPARE(grid.text(12, 1), QStringLiteral("12. "));
    QCOMPARE(grid.text(13, 1), QString()); // rows beyond the file's count are emptied
    QCOMPARE(grid.text(14, 1), QString());
    QCOMPARE(grid.topRow(), 1);
    QCOMPARE(*view.total, QStringLiteral("78. "));
    QCOMPARE(*view.count, QStringLiteral("12 "));
    QCOMPARE(*view.previousTotal, QString());
    QCOMPARE(*view.previousCount, QString());
    QVERIFY(view.beep && !view.emptyEntry && !view.emptyDisplay);
    // New entries continue the tape and the stored total.
    EnterOnTape(adder, grid, program.MaxRows, u"2");
    QCOMPARE(grid.text(13, 1), QStringLiteral("2. "));
    QCOMPARE(adder.TapeTotal, 80.0);
    QCOMPARE(grid.topRow(), 4);
}

QTEST_APPLESS_MAIN(TestTapeSheet)
#include "tst_tape_sheet.moc"
