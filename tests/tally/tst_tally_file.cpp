#include "../support/tally_data.h"

#include "tally/tally_file.h"

#include <QTest>

using namespace zq;
using namespace zq::test;

namespace {
QByteArray bytesOf(const TallyWorkspace &ws)
{
    bool ok = false;
    const QByteArray bytes = TallyFileBytes(ws, &ok);
    if (!ok)
        qWarning("not encodable");
    return bytes;
}
} // namespace

class TestTallyFile : public QObject
{
    Q_OBJECT
private slots:
    void goldenNoPeriod();
    void goldenPeriodAcrossTheYear();
    void itemNamesSavedAndReadBack_data();
    void itemNamesSavedAndReadBack();
    void roundTrip();
    void rejectedFiles_data();
    void rejectedFiles();
    void applyKeepsMonthsAbovePeriod();
    void saveNeedsTallyAndWritableName();
    void filesFromOtherEditors_data();
    void filesFromOtherEditors();
};

void TestTallyFile::goldenNoPeriod()
{
    TallyWorkspace ws;
    ws.MonthCount = 1;
    ws.ItemName = QStringLiteral("支払回数");
    ws.PeriodMonth = {0, 0};
    SetMonth(ws, 1, {{101, 3, 1500}, {102, 1, 25000}});
    QCOMPARE(bytesOf(ws), QByteArray("1,\"\x8ex\x95\xa5\x89\xf1\x90\x94\",0,0\r\n"
                                     "2\r\n"
                                     "0\r\n"
                                     "101,3,1500\r\n"
                                     "102,1,25000\r\n"));
}

void TestTallyFile::goldenPeriodAcrossTheYear()
{
    TallyWorkspace ws;
    ws.MonthCount = 4;
    ws.ItemName = QStringLiteral("店番号");
    ws.StartMonth = 11;
    ws.EndMonth = 2;
    ws.PeriodMonth = {0, 11, 12, 1, 2};
    SetMonth(ws, 1, {{1, 1, 10}, {2, 2, 20}, {3, 3, 30}});
    SetMonth(ws, 2, {});
    SetMonth(ws, 3, {{4, 1, -1}, {5, 1, 1.5}, {6, 1, 1}, {7, 1, 1}, {8, 1, 1}});
    SetMonth(ws, 4, {{9, 9, 9}});
    SetMonth(ws, 5, {{99, 99, 99}}); // beyond the period: never written
    const QByteArray bytes = bytesOf(ws);
    QVERIFY(bytes.startsWith("4,\"\x93X\x94\xd4\x8d\x86\",11,2\r\n3,0,5,1\r\n11\r\n12\r\n1\r\n2\r\n1,1,10\r\n"));
    QCOMPARE(bytes.count("\r\n"), 2 + 4 + 9);
    QVERIFY(bytes.endsWith("4,1,-1\r\n5,1,1.5\r\n6,1,1\r\n7,1,1\r\n8,1,1\r\n9,9,9\r\n"));
    QVERIFY(!bytes.contains("99"));
}

void TestTallyFile::itemNamesSavedAndReadBack_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("comma") << "店,番号" << QByteArray("\"\x93X,\x94\xd4\x8d\x86\"") << "店,番号";
    QTest::newRow("double quote becomes apostrophe") << "店\"番号" << QByteArray("\"\x93X'\x94\xd4\x8d\x86\"") << "店'番号";
    // An input method types 〜 (WAVE DASH) and −, held by code page 932 as ～ and －.
    QTest::newRow("input method look-alikes") << "4月〜6月−" << QByteArray("\"4\x8c\x8e\x81\x60" "6\x8c\x8e\x81\x7c\"")
                                              << "4月～6月－";
}

void TestTallyFile::itemNamesSavedAndReadBack()
{
    QFETCH(QString, item);
    QFETCH(QByteArray, written);
    QFETCH(QString, readBack);
    TallyWorkspace ws;
    ws.MonthCount = 1;
    ws.ItemName = item;
    ws.PeriodMonth = {0, 0};
    SetMonth(ws, 1, {{1, 2, 3}});
    const QByteArray bytes = bytesOf(ws);
    QVERIFY(bytes.startsWith("1," + written + ",0,0\r\n"));
    const auto c = ParseTallyFile(bytes, 500);
    QVERIFY(c);
    QCOMPARE(c->ItemName, readBack);
    QCOMPARE(c->Amount[1][1], 3.0);
}

void TestTallyFile::roundTrip()
{
    TallyWorkspace ws;
    ws.MonthCount = 3;
    ws.ItemName = QStringLiteral("担当者NO");
    ws.StartMonth = 12;
    ws.EndMonth = 2;
    ws.PeriodMonth = {0, 12, 1, 2};
    SetMonth(ws, 1, {{-5, 0, 123456789012345}, {0, 2, 0.5}});
    SetMonth(ws, 2, {});
    SetMonth(ws, 3, {{7, 1, 1e20}});
    const auto c = ParseTallyFile(bytesOf(ws), 500);
    QVERIFY(c);
    TallyWorkspace back;
    ApplyTallyFile(back, *c);
    QCOMPARE(back.MonthCount, 3);
    QCOMPARE(back.StartMonth, 12.0);
    QCOMPARE(back.EndMonth, 2.0);
    QCOMPARE(back.PeriodMonth, ws.PeriodMonth);
    for (int m = 1; m <= 3; ++m) {
        QCOMPARE(back.monthRows(m), ws.monthRows(m));
        QCOMPARE(back.Key[m], ws.Key[m]);
        QCOMPARE(back.Cases[m], ws.Cases[m]);
        QCOMPARE(back.Amount[m], ws.Amount[m]);
    }
}

void TestTallyFile::rejectedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = "2,\"a\",1,2\r\n1,1\r\n1\r\n2\r\n5,1,100\r\n6,2,200\r\n";
    QVERIFY(ParseTallyFile(good, 500));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("month count 0") << QByteArray("0,\"a\",0,0\r\n");
    QTest::newRow("month count 7") << QByteArray("7,\"a\",0,0\r\n");
    QTest::newRow("month count 1.5") << QByteArray("1.5,\"a\",0,0\r\n1\r\n0\r\n1,1,1\r\n");
    QTest::newRow("month count text") << QByteArray("x,\"a\",0,0\r\n");
    QTest::newRow("start month missing") << QByteArray("1,\"a\"\r\n");
    QTest::newRow("row count above 500") << QByteArray("1,\"a\",0,0\r\n501\r\n0\r\n");
    QTest::newRow("row count negative") << QByteArray("1,\"a\",0,0\r\n-1\r\n0\r\n");
    QTest::newRow("row count fraction") << QByteArray("1,\"a\",0,0\r\n0.5\r\n0\r\n");
    QTest::newRow("period month 13") << QByteArray("1,\"a\",0,0\r\n0\r\n13\r\n");
    QTest::newRow("period month negative") << QByteArray("1,\"a\",0,0\r\n0\r\n-1\r\n");
    QTest::newRow("period month fraction") << QByteArray("1,\"a\",0,0\r\n0\r\n1.5\r\n");
    QTest::newRow("key not a number") << QByteArray(good).replace("6,2,200", "x,2,200");
    QTest::newRow("amount not finite") << QByteArray(good).replace("6,2,200", "6,2,1e999");
    QTest::newRow("last row missing") << QByteArray(good).replace("6,2,200\r\n", "");
    QTest::newRow("row cut short") << QByteArray(good).replace("6,2,200", "6,2");
    QTest::newRow("period month missing") << QByteArray("2,\"a\",1,2\r\n0,0\r\n1\r\n");
}

void TestTallyFile::rejectedFiles()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!ParseTallyFile(bytes, 500));
}

void TestTallyFile::applyKeepsMonthsAbovePeriod()
{
    TallyWorkspace ws;
    SetMonth(ws, 3, {{1, 1, 1}});
    const auto c = ParseTallyFile("2,\"a\",1,2\r\n1,0\r\n1\r\n2\r\n5,1,100\r\n", 500);
    QVERIFY(c);
    ApplyTallyFile(ws, *c);
    QCOMPARE(ws.MonthCount, 2);
    QCOMPARE(ws.monthRows(1), 1);
    QCOMPARE(ws.monthRows(2), 0);
    QCOMPARE(ws.monthRows(3), 1);
    QCOMPARE(ws.ItemName, QStringLiteral("a"));
}

void TestTallyFile::filesFromOtherEditors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("item");
    const QByteArray rows = "2\r\n0\r\n5,1,100\r\n6,2,200\r\n";
    QTest::newRow("UTF-8 item name") << "1,\"担当者№\",0,0\r\n" + rows << "担当者№";
    QTest::newRow("UTF-8 with byte-order mark") << "\xEF\xBB\xBF" "1,\"店番号\",0,0\r\n" + rows << "店番号";
    QTest::newRow("quoted numbers") << QByteArray("\"1\",\"a\",\"0\",0\r\n\"2\"\r\n\"0\"\r\n\"5\",1,\"100\"\r\n6,\"2\",200\r\n") << "a";
}

void TestTallyFile::filesFromOtherEditors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, item);
    const auto c = ParseTallyFile(bytes, 500);
    QVERIFY(c);
    QCOMPARE(c->ItemName, item);
    QCOMPARE(c->MonthRows[1], 2);
    QCOMPARE(c->Key[1][2], 6.0);
    QCOMPARE(c->Cases[1][2], 2.0);
    QCOMPARE(c->Amount[1][1], 100.0);
}

void TestTallyFile::saveNeedsTallyAndWritableName()
{
    TallyData t({{{1, 2, 3}}});
    TallySave save = PrepareTallySave(t.ws, TallyResults{});
    QVERIFY(!save.tallied && save.bytes.isEmpty());
    save = PrepareTallySave(t.ws, t.results);
    QVERIFY(save.tallied && save.unwritable.isEmpty());
    QCOMPARE(save.bytes, bytesOf(t.ws));
    t.ws.ItemName = QStringLiteral("Café\"");
    QCOMPARE(PrepareTallySave(t.ws, t.results).unwritable, QStringLiteral("é")); // the quote is written as '
}

QTEST_APPLESS_MAIN(TestTallyFile)
#include "tst_tally_file.moc"
