#include "tally/input_sheet.h"

#include <QTest>

using namespace zq;

namespace {
constexpr int MaxRows = 500;

struct Sheet {
    TallyWorkspace ws;
    TextGrid grid{MaxRows + 1, 4};
    Sheet()
    {
        ws.CurRow = 1;
        ws.CurLine = 1;
        ws.InputMonth = 1;
        ClearInputGrid(grid, QStringLiteral("店番号"), MaxRows);
    }
    BoxEnter enter(InputColumn column, const QString &text)
    {
        return EnterInBox(ws, grid, column, text, MaxRows);
    }
    void row(const QString &key, const QString &count, const QString &amount)
    {
        enter(InputColumn::Key, key);
        enter(InputColumn::Count, count);
        enter(InputColumn::Amount, amount);
    }
};
} // namespace

class TestInputSheet : public QObject
{
    Q_OBJECT
private slots:
    void layoutAndClear();
    void cellTexts_data();
    void cellTexts();
    void emptyBoxOverFilledCellKeepsIt();
    void overflowIsRefused();
    void walkScrollsAfterTenthRow();
    void endMarkCutsRows();
    void totals();
    void arrows_data();
    void arrows();
    void gridClick();
    void boxTop();
};

void TestInputSheet::layoutAndClear()
{
    TextGrid grid(3, 4);
    LayOutInputGrid(grid, MaxRows);
    QCOMPARE(grid.rows(), 501);
    QCOMPARE(grid.text(0, 0), QStringLiteral("NO"));
    QCOMPARE(grid.text(0, 1), QStringLiteral("回数"));
    QCOMPARE(grid.text(0, 2), QStringLiteral("件数"));
    QCOMPARE(grid.text(0, 3), QStringLiteral("金　額"));
    QCOMPARE(grid.text(1, 0), QStringLiteral("1 "));
    QCOMPARE(grid.text(500, 0), QStringLiteral("500 "));
    QCOMPARE(grid.col(), 0);
    grid.setText(4, 2, QStringLiteral("9 "));
    ClearInputGrid(grid, QStringLiteral("担当者NO"), MaxRows);
    QCOMPARE(grid.text(0, 1), QStringLiteral("担当者NO"));
    QCOMPARE(grid.text(4, 2), QString());
    QCOMPARE(grid.text(7, 0), QStringLiteral("7 "));
    QCOMPARE(grid.row(), 500);
    QCOMPARE(grid.col(), 0);
}

void TestInputSheet::cellTexts_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell");
    QTest::newRow("key") << 1 << "12" << "12 ";
    QTest::newRow("key rounds 12.6") << 1 << "12.6" << "13 ";
    QTest::newRow("key empty over empty cell") << 1 << "" << "0 ";
    QTest::newRow("key negative") << 1 << "-4" << "-4 ";
    QTest::newRow("key text") << 1 << "abc" << "0 ";
    QTest::newRow("key full width") << 1 << "１２３" << "123 ";
    QTest::newRow("count no separators") << 2 << "1234" << "1234 ";
    QTest::newRow("amount 1,234 reads 1") << 3 << "1,234" << "1 ";
    QTest::newRow("amount 1234") << 3 << "1234" << "1,234 ";
    QTest::newRow("amount millions") << 3 << "1234567.5" << "1,234,568 ";
    QTest::newRow("amount full width") << 3 << "５０００" << "5,000 ";
}

void TestInputSheet::cellTexts()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, cell);
    Sheet s;
    QCOMPARE(s.enter(InputColumn(column), typed), BoxEnter::Written);
    QCOMPARE(s.grid.text(1, column), cell);
    QCOMPARE(s.grid.row(), 1);
    QCOMPARE(s.grid.col(), column);
}

void TestInputSheet::emptyBoxOverFilledCellKeepsIt()
{
    Sheet s;
    s.row(QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("700"));
    s.ws.CurRow = 1;
    s.ws.CurLine = 1;
    QCOMPARE(s.enter(InputColumn::Key, QString()), BoxEnter::Kept);
    QCOMPARE(s.enter(InputColumn::Count, QString()), BoxEnter::Kept);
    QCOMPARE(s.enter(InputColumn::Amount, QString()), BoxEnter::Kept);
    QCOMPARE(s.grid.text(1, 1), QStringLiteral("5 "));
    QCOMPARE(s.grid.text(1, 3), QStringLiteral("700 "));
    QCOMPARE(s.ws.CurRow, 2); // the amount box still moves on
}

void TestInputSheet::overflowIsRefused()
{
    Sheet s;
    s.enter(InputColumn::Amount, QStringLiteral("10"));
    s.ws.CurRow = 1;
    s.ws.CurLine = 1;
    QCOMPARE(s.enter(InputColumn::Amount, QStringLiteral("1e400")), BoxEnter::Refused);
    QCOMPARE(s.grid.text(1, 3), QStringLiteral("10 "));
    QCOMPARE(s.ws.CurRow, 1);
}

void TestInputSheet::walkScrollsAfterTenthRow()
{
    Sheet s;
    for (int r = 1; r <= 9; ++r)
        s.row(QString::number(r), QStringLiteral("1"), QStringLiteral("100"));
    QCOMPARE(s.ws.CurRow, 10);
    QCOMPARE(s.ws.CurLine, 10);
    QCOMPARE(s.grid.topRow(), 1);
    s.row(QStringLiteral("10"), QStringLiteral("1"), QStringLiteral("100"));
    QCOMPARE(s.ws.CurRow, 11);
    QCOMPARE(s.ws.CurLine, 10);
    QCOMPARE(s.grid.topRow(), 2);
    s.row(QStringLiteral("11"), QStringLiteral("1"), QStringLiteral("100"));
    QCOMPARE(s.grid.topRow(), 3);
    QCOMPARE(s.grid.text(11, 1), QStringLiteral("11 "));
}

void TestInputSheet::endMarkCutsRows()
{
    Sheet s;
    for (int r = 1; r <= 7; ++r)
        s.row(QString::number(r), QStringLiteral("1"), QStringLiteral("100"));
    s.ws.CurRow = 5;
    QCOMPARE(s.enter(InputColumn::Key, QStringLiteral("*")), BoxEnter::EndMark);
    QCOMPARE(s.grid.text(4, 1), QStringLiteral("4 "));
    for (int r = 5; r <= 8; ++r)
        for (int c = 1; c <= 3; ++c)
            QCOMPARE(s.grid.text(r, c), QString());
    QCOMPARE(s.grid.text(5, 0), QStringLiteral("5 ")); // row numbers stay
    // "*" in the other boxes is just a text worth 0.
    QCOMPARE(s.enter(InputColumn::Count, QStringLiteral("*")), BoxEnter::Written);
    QCOMPARE(s.enter(InputColumn::Key, QStringLiteral("＊")), BoxEnter::EndMark);
}

void TestInputSheet::totals()
{
    Sheet s;
    QCOMPARE(CountTotalText(s.grid, MaxRows), QStringLiteral(" "));
    QCOMPARE(AmountTotalText(s.grid, MaxRows), QStringLiteral("0 "));
    s.row(QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("1500"));
    s.row(QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("250000"));
    QCOMPARE(CountTotalText(s.grid, MaxRows), QStringLiteral("7 "));
    QCOMPARE(AmountTotalText(s.grid, MaxRows), QStringLiteral("251,500 "));
    s.grid.setText(500, 3, QStringLiteral("1,000 "));
    QCOMPARE(AmountTotalText(s.grid, MaxRows), QStringLiteral("252,500 "));
}

void TestInputSheet::arrows_data()
{
    QTest::addColumn<QList<int>>("from"); // the boxes' row and line, the grid's top row
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("arrow");
    QTest::addColumn<bool>("emptyBox");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QList<int>>("to");
    using A = Arrow;
    const auto row = [](int r) { return QList<int>{r, r, 1}; };
    QTest::newRow("key up") << row(5) << 1 << int(A::Up) << true << 1 << row(4);
    QTest::newRow("key down") << row(5) << 1 << int(A::Down) << true << 1 << row(6);
    QTest::newRow("key right") << row(5) << 1 << int(A::Right) << true << 2 << row(5);
    QTest::newRow("key left wraps up") << row(5) << 1 << int(A::Left) << true << 3 << row(4);
    QTest::newRow("count up") << row(5) << 2 << int(A::Up) << true << 2 << row(4);
    QTest::newRow("count down") << row(5) << 2 << int(A::Down) << true << 2 << row(6);
    QTest::newRow("count right") << row(5) << 2 << int(A::Right) << true << 3 << row(5);
    QTest::newRow("count left") << row(5) << 2 << int(A::Left) << true << 1 << row(5);
    QTest::newRow("amount up keeps text") << row(5) << 3 << int(A::Up) << false << 3 << row(4);
    QTest::newRow("amount down keeps text") << row(5) << 3 << int(A::Down) << false << 3 << row(6);
    QTest::newRow("amount right wraps down") << row(5) << 3 << int(A::Right) << false << 1 << row(6);
    QTest::newRow("amount left") << row(5) << 3 << int(A::Left) << true << 2 << row(5);
    QTest::newRow("up from row 1") << row(1) << 1 << int(A::Up) << true << 1 << row(1);
    QTest::newRow("down from row 500") << QList<int>{500, 10, 491} << 2 << int(A::Down) << true << 2
                                       << QList<int>{500, 10, 491};
    QTest::newRow("up from the top line scrolls back") << QList<int>{21, 1, 21} << 1 << int(A::Up) << true << 1
                                                       << QList<int>{20, 1, 20};
}

void TestInputSheet::arrows()
{
    QFETCH(QList<int>, from);
    QFETCH(int, column);
    QFETCH(int, arrow);
    QFETCH(bool, emptyBox);
    QFETCH(int, focus);
    QFETCH(QList<int>, to);
    Sheet s;
    s.ws.CurRow = from[0];
    s.ws.CurLine = from[1];
    s.grid.setTopRow(from[2]);
    s.grid.setCurrentCell(from[0], column);
    const ArrowMove move = ArrowInBox(s.ws, s.grid, InputColumn(column), Arrow(arrow), MaxRows);
    QCOMPARE(move.emptyBox, emptyBox);
    QCOMPARE(int(move.focus), focus);
    QCOMPARE((QList<int>{s.ws.CurRow, s.ws.CurLine, s.grid.topRow()}), to);
}

void TestInputSheet::gridClick()
{
    Sheet s;
    s.grid.setTopRow(21);
    s.grid.setCurrentCell(27, 2);
    QCOMPARE(FollowGridClick(s.ws, s.grid, 27, 2), InputColumn::Count);
    QCOMPARE(s.ws.CurRow, 27);
    QCOMPARE(s.ws.CurLine, 7);
    // A row number or the header row: the boxes follow, no box takes the focus.
    QCOMPARE(FollowGridClick(s.ws, s.grid, 27, 0), std::nullopt);
    QCOMPARE(FollowGridClick(s.ws, s.grid, 0, 3), std::nullopt);
    QCOMPARE(FollowGridClick(s.ws, s.grid, -1, 1), std::nullopt);
}

void TestInputSheet::boxTop()
{
    QCOMPARE(InputBoxTop(1), 900);
    QCOMPARE(InputBoxTop(10), 3060);
}

QTEST_APPLESS_MAIN(TestInputSheet)
#include "tst_input_sheet.moc"
