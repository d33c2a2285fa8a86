#include "tally/input_sheet.h"
#include "tally/row_import.h"

#include <QStringEncoder>
#include <QTest>

using namespace zq;
using namespace Qt::StringLiterals;

namespace {
constexpr int MaxRows = 500;

QString repeated(const QString &line, int times)
{
    QString s;
    s.reserve(line.size() * times);
    for (int i = 0; i < times; ++i)
        s += line;
    return s;
}

// The grid's rows 1..n as "key|count|amount" lines.
QStringList cells(const CellGrid &grid, int n)
{
    QStringList out;
    for (int r = 1; r <= n; ++r)
        out << grid.text(r, 1) + u'|' + grid.text(r, 2) + u'|' + grid.text(r, 3);
    return out;
}
} // namespace

class TestRowImport : public QObject
{
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void appendedAfterTheLastRow();
};

// Clipboard text as spreadsheets write it, CSV files, and hostile text. Good
// payloads give the cells typed rows would show; a bad one names its line
// and why.
void TestRowImport::rows_data()
{
    QTest::addColumn<QString>("file");       // the encoding of a CSV file; empty: the clipboard
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("room");
    QTest::addColumn<QStringList>("rows");   // expected cells, when all read
    QTest::addColumn<int>("badLine");
    QTest::addColumn<QString>("reason");     // a part of the reason

    const auto good = [](const char *name, const QString &file, const QString &text, const QStringList &rows) {
        QTest::newRow(name) << file << text << MaxRows << rows << 0 << QString();
    };
    const auto bad = [](const char *name, const QString &text, int line, const QString &reason, int room = MaxRows) {
        QTest::newRow(name) << QString() << text << room << QStringList() << line << reason;
    };
    // LibreOffice Calc 7.4 on Linux: LF, a line end after the last row, the
    // figures as formatted in the sheet (here #,##0.00).
    good("calc", {}, u"店番号\t件数\t金額\n101\t3\t1,000.00\n102\t1\t250.00\n103\t12\t1,234,567.00\n"_s,
         {u"101 |3 |1,000 "_s, u"102 |1 |250 "_s, u"103 |12 |1,234,567 "_s});
    // Excel: CR LF, yen-formatted amounts.
    good("excel", {}, u"7\t2\t¥12,000\r\n8\t1\t-￥500\r\n"_s, {u"7 |2 |12,000 "_s, u"8 |1 |-500 "_s});
    good("full width, blanks, fractions, empty cells", {}, u"１０１\t３\t１，０００\n 12.6 \t\t1234.5\n\t\t\n5\t1\t2\t\t\n"_s,
         {u"101 |3 |1,000 "_s, u"13 |0 |1,235 "_s, u"5 |1 |2 "_s});
    bad("quoted cells", u"\"101\"\t\"1,000\"\t\"2\"\"\"\n"_s, 1, u"金額が数値ではありません"_s);
    bad("formula", u"=1+1\t1\t1\n"_s, 1, u"店番号が数値ではありません"_s);
    bad("1e999", u"1\t1\t1e999\n"_s, 1, u"金額の数値が大きすぎます"_s);
    bad("NUL", u"1\t1\t1\n2\t2\t2"_s + QChar(0) + u"\n"_s, 2, u"金額が数値ではありません"_s);
    bad("lone quote", u"1\t1\t1\n2\t\"2\t2\n3\t3\t3\n"_s, 2, u"引用符"_s);
    bad("decimal comma", u"1\t1\t1,5\n"_s, 1, u"金額が数値ではありません"_s);
    bad("two columns", u"店番号\t金額\n1\t1000\n"_s, 2, u"3つの列（店番号、件数、金額）"_s);
    bad("text after the captions", u"店番号\t件数\t金額\n1\t1\t1\nabc\t1\t1\n"_s, 3, u"店番号が数値ではありません"_s);
    bad("501 rows", repeated(u"1\t2\t3\n"_s, 501), 501, u"あと500行まで"_s);
    bad("beyond the room left", u"1\t1\t1\n2\t2\t2\n"_s, 2, u"あと1行まで"_s, 1);
    bad("month full", u"1\t1\t1\n"_s, 1, u"もう行が入りません"_s, 0);
    // 10 MB: rows far beyond the limit, and a single line of digits.
    bad("10 MB of rows", repeated(u"123\t45\t678,901\r\n"_s, 600000), 501, u"あと500行まで"_s);
    bad("10 MB line", u"1\t1\t"_s + QString(10'000'000, u'9'), 1, u"金額の数値が大きすぎます"_s);
    // CSV files: commas in CP932 or UTF-8, or Excel's "Unicode text" (UTF-16, tabs).
    const QStringList sheetRows{u"101 |3 |1,000 "_s, u"102 |1 |250 "_s};
    for (const char *encoding : {"CP932", "UTF-8", "UTF-8 BOM"})
        good(encoding, QString::fromLatin1(encoding), u"店番号,件数,金額\r\n101,3,\"1,000\"\r\n102,1,250\r\n"_s, sheetRows);
    good("UTF-16 BOM", u"UTF-16 BOM"_s, u"店番号\t件数\t金額\r\n101\t3\t1,000\r\n102\t1\t250\r\n"_s, sheetRows);
    QTest::newRow("neither") << u"bytes"_s << u"1,1,\x82\n"_s << MaxRows << QStringList() << 0 << u"文字コード"_s;
}

void TestRowImport::rows()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(int, room);
    QFETCH(QStringList, rows);
    QFETCH(int, badLine);
    QFETCH(QString, reason);

    QByteArray bytes = file == u"CP932" ? QByteArray(QStringEncoder("CP932").encode(text)) : text.toUtf8();
    if (file.endsWith(u"BOM"))
        bytes = file.startsWith(u"UTF-16")
                    ? "\xff\xfe" + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2)
                    : "\xef\xbb\xbf" + bytes;
    else if (file == u"bytes")
        bytes = text.toLatin1();
    const RowsRead read = file.isEmpty() ? ReadTallyRows(text, u'\t', room, u"店番号"_s)
                                         : ReadTallyCsv(bytes, room, u"店番号"_s);
    QCOMPARE(read.badLine, badLine);
    QVERIFY2(read.reason.contains(reason), qPrintable(read.reason));
    if (!read.reason.isEmpty()) {
        const QString message = RowsRefusedText(read);
        QVERIFY(badLine == 0 || message.startsWith(QStringLiteral("%1行目").arg(badLine)));
        QVERIFY(message.size() < 200);               // a long line is shortened
        QVERIFY(!message.contains(QChar(0)));         // a NUL shows as ␀
        return;
    }
    TallyWorkspace ws;
    TextGrid grid(MaxRows + 1, 4);
    ClearInputGrid(grid, QStringLiteral("店番号"), MaxRows);
    AppendTallyRows(ws, grid, read, MaxRows);
    QCOMPARE(cells(grid, int(read.rows.size())), rows);
}

// Pasted rows follow the typed ones; the boxes stand on the row after them,
// the totals count them, and 入力確定 takes them all.
void TestRowImport::appendedAfterTheLastRow()
{
    TallyWorkspace ws;
    ws.CurRow = ws.CurLine = 1;
    TextGrid grid(MaxRows + 1, 4);
    ClearInputGrid(grid, QStringLiteral("店番号"), MaxRows);
    EnterInBox(ws, grid, InputColumn::Key, u"5", MaxRows);
    EnterInBox(ws, grid, InputColumn::Count, u"2", MaxRows);
    EnterInBox(ws, grid, InputColumn::Amount, u"1000", MaxRows);
    EnterInBox(ws, grid, InputColumn::Key, u"9", MaxRows); // row 2: a key alone
    QCOMPARE(LastFilledRow(grid, MaxRows), 2);

    const RowsRead read = ReadTallyRows(repeated(QStringLiteral("7\t1\t100\n"), 30), u'\t', 498, QString());
    QCOMPARE(int(read.rows.size()), 30);
    const RowsAppended view = AppendTallyRows(ws, grid, read, MaxRows);
    QCOMPARE(grid.text(3, 1), u"7 "_s);
    QCOMPARE(grid.text(32, 3), u"100 "_s);
    QCOMPARE(grid.text(33, 1), QString());
    QCOMPARE(view.countTotal, u"32 "_s);
    QCOMPARE(view.amountTotal, u"4,000 "_s);
    QCOMPARE(ws.CurRow, 33);
    QCOMPARE(grid.topRow(), 24);
    QCOMPARE(ws.CurLine, 10);
    QCOMPARE(grid.row(), 32);
    QCOMPARE(grid.col(), 3);
}

QTEST_APPLESS_MAIN(TestRowImport)
#include "tst_row_import.moc"
