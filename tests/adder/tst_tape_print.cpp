#include "adder/tape.h"
#include "adder/tape_print.h"
#include "../support/recording_canvas.h"

#include <QTest>

using namespace zq;

namespace {

// Body font metrics of the recording canvas: 9.5 points.
constexpr double cw = 9.5 / 2;
constexpr double ch = 9.5;

AdderValues tapeOf(int count, double each = 1.5)
{
    AdderValues a;
    ProgramValues p;
    ActivateTape(a, p);
    for (int i = 1; i <= count; ++i) {
        a.Tape[i] = each * i;
        a.TapeTotal += a.Tape[i];
    }
    a.TapeCount = count;
    return a;
}

PrintRecord print(const AdderValues &a)
{
    PrintRecord record;
    RecordingCanvas canvas(record);
    if (!PrintTape(canvas, a))
        qWarning("print failed");
    return record;
}

const PrintedItem *findText(const PrintRecord &r, const QString &text, int page = 0)
{
    for (const PrintedItem &item : r.items)
        if (item.kind == PrintedItem::Text && item.text == text && (page == 0 || item.page == page))
            return &item;
    return nullptr;
}

double rightEdge(const PrintedItem &item)
{
    return item.x + item.text.size() * cw; // ASCII texts: half-width
}

} // namespace

class TestTapePrint : public QObject
{
    Q_OBJECT
private slots:
    void openingAndHeader();
    void emptyTapePrintsHeaderOnly();
    void entryPositions_data();
    void entryPositions();
    void pagesOf240Entries();
    void withoutRowNumbers();
    void headerTotalHasFiveFractionDigits();
    void failedJobIsReported();
    void fullPageScalesToPaper();
};

void TestTapePrint::openingAndHeader()
{
    const PrintRecord r = print(tapeOf(3));
    QVERIFY(r.ended);
    QCOMPARE(r.items.first().kind, PrintedItem::Font);
    QCOMPARE(r.items.first().text, QStringLiteral("ＭＳ ゴシック"));
    QCOMPARE(r.items.first().value, 12.0);
    // The opening blank at the top left, then the body font.
    QCOMPARE(r.items.at(1).text, QStringLiteral(" "));
    QCOMPARE(r.items.at(2).value, 9.5);
    const PrintedItem *header = findText(r, TapeHeaderText(3, 9.0));
    QVERIFY(header);
    QCOMPARE(header->text, QStringLiteral("合計: 件数： 3    金額：9."));
    QCOMPARE(header->x, 3 * cw);
    QCOMPARE(header->y, 2 * ch);
}

void TestTapePrint::emptyTapePrintsHeaderOnly()
{
    const PrintRecord r = print(tapeOf(0));
    QCOMPARE(r.pages, 1);
    const QList<PrintedItem> texts = r.texts();
    QCOMPARE(texts.size(), 2); // opening blank and header
    QCOMPARE(texts.last().text, QStringLiteral("合計: 件数： 0    金額：0."));
}

void TestTapePrint::entryPositions_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("line");
    QTest::newRow("first") << 1 << 1 << 0 << 1;
    QTest::newRow("60th") << 60 << 1 << 0 << 60;
    QTest::newRow("61st opens column 2") << 61 << 1 << 27 << 1;
    QTest::newRow("121st opens column 3") << 121 << 1 << 54 << 1;
    QTest::newRow("181st opens column 4") << 181 << 1 << 81 << 1;
    QTest::newRow("240th ends page 1") << 240 << 1 << 81 << 60;
    QTest::newRow("241st starts page 2") << 241 << 2 << 0 << 1;
    QTest::newRow("301st") << 301 << 2 << 27 << 1;
}

void TestTapePrint::entryPositions()
{
    QFETCH(int, entry);
    QFETCH(int, page);
    QFETCH(int, offset);
    QFETCH(int, line);
    const PrintRecord r = print(tapeOf(310));
    const PrintedItem *number = findText(r, QStringLiteral("%1:").arg(entry), page);
    const PrintedItem *amount = findText(r, QString::number(entry * 1.5, 'f', entry % 2 ? 1 : 0)
                                                + (entry % 2 ? "" : "."),
                                         page);
    QVERIFY(number);
    QVERIFY(amount);
    const double y = 3 * ch + 1.2 * ch * line;
    QCOMPARE(number->y, y);
    QCOMPARE(amount->y, y);
    QCOMPARE(rightEdge(*number), (offset + 11) * cw);
    QCOMPARE(rightEdge(*amount), (offset + 31) * cw);
}

void TestTapePrint::pagesOf240Entries()
{
    const PrintRecord exact = print(tapeOf(240));
    QCOMPARE(exact.pages, 1);
    const PrintRecord more = print(tapeOf(241));
    QCOMPARE(more.pages, 2);
    const QString header = TapeHeaderText(241, tapeOf(241).TapeTotal);
    QVERIFY(findText(more, header, 1));
    const PrintedItem *second = findText(more, header, 2);
    QVERIFY(second);
    QCOMPARE(second->x, 3 * cw);
    QCOMPARE(second->y, 2 * ch);
    QCOMPARE(more.texts(2).size(), 3); // header, number and amount of entry 241
    const PrintRecord thousand = print(tapeOf(1000));
    QCOMPARE(thousand.pages, 5);
}

void TestTapePrint::withoutRowNumbers()
{
    AdderValues a = tapeOf(70);
    a.HideRowNumbers = 1;
    const PrintRecord r = print(a);
    QVERIFY(!findText(r, QStringLiteral("1:")));
    QCOMPARE(r.texts().size(), 2 + 70);
    const PrintedItem *amount = findText(r, QStringLiteral("105.")); // entry 70
    QVERIFY(amount);
    QCOMPARE(rightEdge(*amount), (27 + 31) * cw);
    QCOMPARE(amount->y, 3 * ch + 1.2 * ch * 10);
}

void TestTapePrint::headerTotalHasFiveFractionDigits()
{
    AdderValues a = tapeOf(0);
    a.TapeCount = 1;
    a.Tape[1] = 0.1234567;
    a.TapeTotal = 0.1234567;
    const PrintRecord r = print(a);
    QVERIFY(findText(r, QStringLiteral("合計: 件数： 1    金額：0.12346")));
    QVERIFY(findText(r, QStringLiteral("0.123457")));
}

void TestTapePrint::failedJobIsReported()
{
    PrintRecord record;
    RecordingCanvas canvas(record, false);
    QVERIFY(!PrintTape(canvas, tapeOf(2)));
    QVERIFY(record.ended);
}

void TestTapePrint::fullPageScalesToPaper()
{
    // Sixty lines run past a portrait A4 page: the page is drawn smaller,
    // same layout.
    PrintRecord record;
    RecordingCanvas canvas(record);
    canvas.setPageSize(595 - 36, 400);
    QVERIFY(PrintTape(canvas, tapeOf(60)));
    const QList<PrintedItem> scales = record.of(PrintedItem::Scale);
    QCOMPARE(scales.size(), 1);
    QCOMPARE(scales.first().value, 400 / ((3 + 1.2 * 60 + 1) * ch));
    const PrintedItem *last = findText(record, QStringLiteral("60:"));
    QVERIFY(last);
    QCOMPARE(last->y, 3 * ch + 1.2 * ch * 60);
}

QTEST_APPLESS_MAIN(TestTapePrint)
#include "tst_tape_print.moc"
