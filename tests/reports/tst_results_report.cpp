#include "../support/tally_data.h"

#include "../support/recording_canvas.h"
#include "reports/results_report.h"

#include <QTest>

using namespace zq;
using namespace zq::test;

namespace {
constexpr double cw = 9.5 / 2; // "A" in the body font of the recording canvas
constexpr double ch = 9.5;

PrintRecord print(const TallyData &d, int rowsPerPage, RecordingCanvas **canvasOut = nullptr)
{
    PrintRecord record;
    RecordingCanvas canvas(record);
    if (!DrawResultsReport(canvas, d.ws, d.results, rowsPerPage))
        qWarning("print failed");
    Q_UNUSED(canvasOut);
    return record;
}

const PrintedItem *find(const PrintRecord &r, const QString &text, int page = 0)
{
    for (const PrintedItem &item : r.items)
        if (item.kind == PrintedItem::Text && item.text == text && (page == 0 || item.page == page))
            return &item;
    return nullptr;
}

double rightEdge(const PrintedItem &item)
{
    double units = 0;
    for (QChar c : item.text)
        units += c.unicode() < 0x80 ? 0.5 : 1.0;
    return item.x + units * 9.5;
}

// Vertical rules of a width on a page, as their X in units of cw.
QList<double> verticals(const PrintRecord &r, double width, int page = 1)
{
    QList<double> xs;
    double current = 0;
    for (const PrintedItem &item : r.items) {
        if (item.page != page)
            continue;
        if (item.kind == PrintedItem::LineWidth)
            current = item.value;
        else if (item.kind == PrintedItem::Line && item.x == item.x2 && current == width)
            xs << item.x / cw;
    }
    return xs;
}
} // namespace

class TestResultsReport : public QObject
{
    Q_OBJECT
private slots:
    void pageCount_data();
    void pageCount();
    void workedPositionsTwoMonths();
    void oneMonth();
    void tenAndElevenRows();
    void shortLastPageRules();
    void firstKeyLineBelowCaptions();
    void emptyMonthCellsPrintBlank();
    void largePageScalesDown();
};

void TestResultsReport::pageCount_data()
{
    QTest::addColumn<int>("keys");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<int>("pages");
    QTest::newRow("25 by 10") << 25 << 10 << 3;
    QTest::newRow("40 by 40") << 40 << 40 << 1;
    QTest::newRow("41 by 40") << 41 << 40 << 2;
    QTest::newRow("10 by 10") << 10 << 10 << 1;
    QTest::newRow("11 by 10") << 11 << 10 << 2;
    QTest::newRow("1 by 40") << 1 << 40 << 1;
}

void TestResultsReport::pageCount()
{
    QFETCH(int, keys);
    QFETCH(int, perPage);
    QFETCH(int, pages);
    QCOMPARE(ResultsReportPages(keys, perPage), pages);
}

void TestResultsReport::workedPositionsTwoMonths()
{
    const TallyData d({{{3, 2, 1000}, {7, 12, 1234567}}, {{3, 1, 200}, {5, 4, 800}}});
    const PrintRecord r = print(d, 10);
    QVERIFY(r.ended);
    QCOMPARE(r.items.first().text, QStringLiteral("ＭＳ 明朝"));
    QCOMPARE(r.items.first().value, 12.0);
    const PrintedItem *pg = find(r, QStringLiteral("PG: 1/1"));
    QVERIFY(pg);
    QCOMPARE(pg->x, 77 * cw);
    QCOMPARE(pg->y, 1.5 * ch);
    QCOMPARE(find(r, QStringLiteral("4月度"))->x, 35.5 * cw);
    QCOMPARE(find(r, QStringLiteral("5月度"))->x, 54.5 * cw);
    QCOMPARE(find(r, QStringLiteral("4月度"))->y, 3 * ch);
    QCOMPARE(find(r, QStringLiteral("合　　計"))->x, 74 * cw);
    QList<double> counts, amounts;
    for (const PrintedItem &item : r.texts()) {
        if (item.text == QStringLiteral("件数"))
            counts << item.x / cw;
        if (item.text == QStringLiteral("金 額"))
            amounts << item.x / cw;
    }
    QCOMPARE(counts, (QList<double>{29, 48, 68}));
    QCOMPARE(amounts, (QList<double>{39, 58, 79}));
    QCOMPARE(find(r, QStringLiteral("NO"))->x, 13 * cw);
    QCOMPARE(find(r, QStringLiteral("担当者NO"))->x, 18 * cw);

    // Key 7: sequence 2, counts 12, amount 1,234,567, nothing in month 2.
    const PrintedItem *amount = find(r, QStringLiteral("1,234,567"));
    QVERIFY(amount);
    QCOMPARE(rightEdge(*amount), 46 * cw);
    const double y = amount->y;
    QList<double> ends;
    for (const PrintedItem &item : r.texts())
        if (item.y == y)
            ends << rightEdge(item) / cw;
    QCOMPARE(ends, (QList<double>{15, 25, 33, 46, 72, 87}));

    QCOMPARE(verticals(r, 1), (QList<double>{34, 53, 73}));
    QCOMPARE(verticals(r, 3), (QList<double>{16, 28, 47, 66}));
    QCOMPARE(verticals(r, 6), (QList<double>{10, 88}));
}

void TestResultsReport::oneMonth()
{
    const TallyData d({{{1, 1, 1}}});
    const PrintRecord r = print(d, 40);
    QCOMPARE(find(r, QStringLiteral("PG: 1/1"))->x, 58 * cw);
    QCOMPARE(verticals(r, 6), (QList<double>{10, 69}));
    double right = 0;
    for (const PrintedItem &line : r.lines())
        right = qMax(right, line.x2);
    QCOMPARE(right, 69 * cw);
}

void TestResultsReport::tenAndElevenRows()
{
    const PrintRecord ten = print(TallyData({distinctRows(10)}), 10);
    QCOMPARE(ten.pages, 1);
    QVERIFY(find(ten, QStringLiteral("PG: 1/1")));
    QVERIFY(find(ten, QStringLiteral("合　計")));
    QVERIFY(!find(ten, QStringLiteral("NextPage↓")));

    const PrintRecord eleven = print(TallyData({distinctRows(11)}), 10);
    QCOMPARE(eleven.pages, 2);
    QVERIFY(find(eleven, QStringLiteral("PG: 1/2"), 1));
    QVERIFY(find(eleven, QStringLiteral("PG: 2/2"), 2));
    QVERIFY(find(eleven, QStringLiteral("NextPage↓"), 1));
    QVERIFY(!find(eleven, QStringLiteral("合　計"), 1));
    QVERIFY(find(eleven, QStringLiteral("合　計"), 2));
    // Sequence 11 is the one key line of page 2, at the first line slot.
    const QList<PrintedItem> pageTwo = eleven.texts(2);
    const PrintedItem *seq = nullptr;
    for (const PrintedItem &item : pageTwo)
        if (item.text == QLatin1String("11") && qFuzzyCompare(rightEdge(item), 15 * cw))
            seq = &item;
    QVERIFY(seq);
    QCOMPARE(seq->y, (1.9 * 2 + 2.3) * ch);
    // The captions repeat on page 2.
    QVERIFY(find(eleven, QStringLiteral("4月度"), 2));
}

void TestResultsReport::shortLastPageRules()
{
    const PrintRecord r = print(TallyData({distinctRows(13)}), 10);
    QCOMPARE(r.pages, 2);
    // Page 2 holds three key lines: bottom border and verticals end below
    // the closing line.
    const int n = 3;
    const double bottom = (1.9 * (n + 2) + 3.7) * ch;
    bool borderFound = false;
    for (const PrintedItem &line : r.lines(2)) {
        if (line.x == line.x2)
            QCOMPARE(line.y2, bottom);
        else if (line.y == bottom)
            borderFound = true;
    }
    QVERIFY(borderFound);
    const PrintedItem *total = find(r, QStringLiteral("合　計"), 2);
    QVERIFY(total->y + ch < bottom);
}

void TestResultsReport::firstKeyLineBelowCaptions()
{
    const PrintRecord r = print(TallyData({distinctRows(2)}), 10);
    const PrintedItem *caption = find(r, QStringLiteral("担当者NO"));
    double firstLine = 1e9;
    for (const PrintedItem &item : r.texts())
        if (item.text == QLatin1String("1") && qFuzzyCompare(rightEdge(item), 15 * cw))
            firstLine = item.y;
    QVERIFY(firstLine >= 5.7 * ch);             // below the rule under the captions
    QVERIFY(firstLine >= caption->y + ch);      // never over the captions
}

void TestResultsReport::emptyMonthCellsPrintBlank()
{
    const TallyData d({{{8, 1, 100}}, {{9, 1, 1}}, {{8, 2, 300}}});
    const PrintRecord r = print(d, 10);
    // Key 8's line: month 1 and 3 values, nothing at month 2's field ends.
    const QList<PrintedItem> texts = r.texts();
    const PrintedItem *key = nullptr;
    for (const PrintedItem &item : texts)
        if (item.text == QLatin1String("8") && qFuzzyCompare(rightEdge(item), 25 * cw))
            key = &item;
    QVERIFY(key);
    for (const PrintedItem &item : texts) {
        if (item.y != key->y)
            continue;
        QVERIFY(!item.text.isEmpty());
        QVERIFY(!qFuzzyCompare(rightEdge(item), 52 * cw));
        QVERIFY(!qFuzzyCompare(rightEdge(item), 65 * cw));
    }
}

void TestResultsReport::largePageScalesDown()
{
    const TallyData d({distinctRows(40), distinctRows(40), distinctRows(40), distinctRows(40),
                       distinctRows(40), distinctRows(40)});
    PrintRecord record;
    RecordingCanvas canvas(record);
    canvas.setPageSize(842 - 36, 595 - 36); // landscape A4 less margins
    QVERIFY(DrawResultsReport(canvas, d.ws, d.results, 40));
    double scale = 0;
    for (const PrintedItem &item : record.items)
        if (item.kind == PrintedItem::Scale)
            scale = item.value;
    const double height = (1.9 * 42 + 3.7) * ch + 1;
    QCOMPARE(scale, (595 - 36) / height);
    // The same layout: positions stay in units of cw and ch.
    QCOMPARE(find(record, QStringLiteral("PG: 1/1"))->x, (19 * 6 + 39) * cw);

    PrintRecord roomy;
    RecordingCanvas big(roomy);
    QVERIFY(DrawResultsReport(big, d.ws, d.results, 40));
    for (const PrintedItem &item : roomy.items)
        if (item.kind == PrintedItem::Scale)
            QCOMPARE(item.value, 1.0);
}

QTEST_APPLESS_MAIN(TestResultsReport)
#include "tst_results_report.moc"
