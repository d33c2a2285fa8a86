#include "../support/tally_data.h"

#include "../support/recording_canvas.h"
#include "reports/input_detail.h"

#include <QTest>

using namespace zq;
using namespace zq::test;

namespace {
constexpr double cw = 9.5 / 2;
constexpr double ch = 9.5;

PrintRecord print(const TallyWorkspace &ws, const QList<int> &months)
{
    PrintRecord record;
    RecordingCanvas canvas(record);
    if (!DrawInputDetail(canvas, ws, months))
        qWarning("print failed");
    return record;
}

// The row-number text of row r and the colon after it.
const PrintedItem *rowNumber(const PrintRecord &r, int row, int page)
{
    for (const PrintedItem &item : r.items)
        if (item.kind == PrintedItem::Text && item.page == page && item.text == QString::number(row))
            return &item;
    return nullptr;
}

double rightEdge(const PrintedItem &item)
{
    return item.x + item.text.size() * cw;
}
} // namespace

class TestInputDetail : public QObject
{
    Q_OBJECT
private slots:
    void headingTotalsTheRowsPrinted();
    void blocksOfSixty_data();
    void blocksOfSixty();
    void rowsBeyond180OnNextPage();
    void eachMonthOnItsOwnPage();
    void rowNumberWithColonAndFormats();
    void rules();
};

void TestInputDetail::headingTotalsTheRowsPrinted()
{
    TallyData d({{{1, 5, 100000}, {2, 7, 245600}}}, 4);
    // Totals of an earlier tally (or none at all) never reach the heading.
    d.results.MonthCountTotal = {0, 99};
    d.results.MonthAmountTotal = {0, 1};
    QCOMPARE(InputDetailHeading(d.ws, 1), QStringLiteral(" 4 月度　　合計：　12件　　　345,600円"));
    const PrintRecord r = print(d.ws, {1});
    bool found = false;
    for (const PrintedItem &item : r.texts())
        if (item.text == InputDetailHeading(d.ws, 1)) {
            found = true;
            QCOMPARE(item.x, 6 * cw);
            QCOMPARE(item.y, 3.8 * ch);
        }
    QVERIFY(found);
}

void TestInputDetail::blocksOfSixty_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("line");
    QTest::newRow("60th ends the left block") << 60 << 60 << 5 << 60;
    QTest::newRow("61st tops the middle block") << 61 << 61 << 43 << 1;
    QTest::newRow("121st tops the right block") << 121 << 121 << 81 << 1;
    QTest::newRow("180th ends the page") << 180 << 180 << 81 << 60;
}

void TestInputDetail::blocksOfSixty()
{
    QFETCH(int, rows);
    QFETCH(int, row);
    QFETCH(int, block);
    QFETCH(int, line);
    const TallyData d({distinctRows(rows, 1000)});
    const PrintRecord r = print(d.ws, {1});
    QCOMPARE(r.pages, 1);
    const PrintedItem *number = rowNumber(r, row, 1);
    QVERIFY(number);
    QCOMPARE(rightEdge(*number), (block + 4) * cw);
    QCOMPARE(number->y, 1.9 * (line + 4) * ch);
}

void TestInputDetail::rowsBeyond180OnNextPage()
{
    const TallyData d({distinctRows(181, 1000)});
    const PrintRecord r = print(d.ws, {1});
    QCOMPARE(r.pages, 2);
    const PrintedItem *number = rowNumber(r, 181, 2);
    QVERIFY(number);
    QCOMPARE(rightEdge(*number), 9 * cw);
    QCOMPARE(number->y, 1.9 * 5 * ch);
    // Heading and captions again on page 2, three caption sets a page.
    int headings = 0;
    int captions = 0;
    for (const PrintedItem &item : r.texts(2)) {
        headings += item.text == InputDetailHeading(d.ws, 1);
        captions += item.text == QStringLiteral("金　額");
    }
    QCOMPARE(headings, 1);
    QCOMPARE(captions, 3);
}

void TestInputDetail::eachMonthOnItsOwnPage()
{
    const TallyData d({distinctRows(3), distinctRows(2), distinctRows(1)}, 11);
    const PrintRecord r = print(d.ws, {1, 2, 3});
    QCOMPARE(r.pages, 3);
    for (int m = 1; m <= 3; ++m) {
        bool found = false;
        for (const PrintedItem &item : r.texts(m))
            found = found || item.text == InputDetailHeading(d.ws, m);
        QVERIFY2(found, qPrintable(QString::number(m)));
    }
    QVERIFY(InputDetailHeading(d.ws, 2).startsWith(QStringLiteral(" 12 月度")));
    // One month alone: one page, no blank page after it.
    QCOMPARE(print(d.ws, {2}).pages, 1);
}

void TestInputDetail::rowNumberWithColonAndFormats()
{
    Rows rows = distinctRows(11);
    rows.append({123456, 1234, 1234567});
    const TallyData d({rows});
    const PrintRecord r = print(d.ws, {1});
    const QList<PrintedItem> texts = r.texts();
    int at = -1;
    for (int i = 0; i < texts.size(); ++i)
        if (texts[i].text == QLatin1String("12") && qFuzzyCompare(rightEdge(texts[i]), 9 * cw))
            at = i;
    QVERIFY(at >= 0);
    QCOMPARE(texts[at + 1].text, QStringLiteral(":"));
    QCOMPARE(texts[at + 1].x, 9 * cw);
    QCOMPARE(texts[at + 2].text, QStringLiteral("123456"));
    QCOMPARE(rightEdge(texts[at + 2]), 18 * cw);
    QCOMPARE(texts[at + 3].text, QStringLiteral("1234"));
    QCOMPARE(rightEdge(texts[at + 3]), 24 * cw);
    QCOMPARE(texts[at + 4].text, QStringLiteral("1,234,567"));
    QCOMPARE(rightEdge(texts[at + 4]), 37 * cw);
}

void TestInputDetail::rules()
{
    const TallyData d({distinctRows(2)});
    const PrintRecord r = print(d.ws, {1});
    const QList<PrintedItem> lines = r.lines();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].y, 6.08 * ch);
    QCOMPARE(lines[1].y, 8.55 * ch);
    for (const PrintedItem &l : lines) {
        QCOMPARE(l.x, 4 * cw);
        QCOMPARE(l.x2, 115 * cw);
    }
}

QTEST_APPLESS_MAIN(TestInputDetail)
#include "tst_input_detail.moc"
