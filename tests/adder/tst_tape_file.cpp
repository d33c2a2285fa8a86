#include "adder/tape.h"
#include "adder/tape_file.h"

#include <QTest>

#include <limits>

using namespace zq;

namespace {
AdderValues tapeOf(const QList<double> &values)
{
    AdderValues a;
    ProgramValues p;
    ActivateTape(a, p);
    for (double v : values) {
        ++a.TapeCount;
        a.Tape[a.TapeCount] = v;
        a.TapeTotal += v;
    }
    a.TapeTopRow = TapeTopRowFor(a.TapeCount);
    return a;
}
} // namespace

class TestTapeFile : public QObject
{
    Q_OBJECT
private slots:
    void goldenTwelveEntries();
    void goldenEmptyTape();
    void roundTripKeepsEveryDigit();
    void rejectedFiles_data();
    void rejectedFiles();
    void acceptedVariants_data();
    void acceptedVariants();
    void applyReplacesWholeTape();
};

void TestTapeFile::goldenTwelveEntries()
{
    QList<double> values;
    for (int i = 1; i <= 12; ++i)
        values << i * 1.5;
    const AdderValues a = tapeOf(values);
    QCOMPARE(a.TapeTopRow, 3);
    const QByteArray expected = "12,117,3\r\n"
                                "1.5\r\n3\r\n4.5\r\n6\r\n7.5\r\n9\r\n10.5\r\n12\r\n13.5\r\n15\r\n16.5\r\n18\r\n";
    QCOMPARE(TapeFileBytes(a), expected);
    QCOMPARE(TapeFileBytes(a).count("\r\n"), 13);
}

void TestTapeFile::goldenEmptyTape()
{
    const AdderValues a = tapeOf({});
    QCOMPARE(TapeFileBytes(a), QByteArray("0,0,1\r\n"));
    const auto c = ParseTapeFile(TapeFileBytes(a), 1000);
    QVERIFY(c);
    QCOMPARE(c->count, 0);
    QCOMPARE(c->topRow, 1);
}

void TestTapeFile::roundTripKeepsEveryDigit()
{
    const QList<double> values{-1234.567891, 0.000001, 98765432109876.5, -0.5, 1e20};
    const AdderValues a = tapeOf(values);
    const auto c = ParseTapeFile(TapeFileBytes(a), 1000);
    QVERIFY(c);
    QCOMPARE(c->count, values.size());
    QCOMPARE(c->total, a.TapeTotal);
    for (int i = 0; i < values.size(); ++i)
        QCOMPARE(c->values[i + 1], values[i]);
}

void TestTapeFile::rejectedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("count above 1000") << QByteArray("1001,0,1\r\n");
    QTest::newRow("negative count") << QByteArray("-1,0,1\r\n");
    QTest::newRow("fractional count") << QByteArray("1.5,0,1\r\n1\r\n");
    QTest::newRow("count not a number") << QByteArray("abc,0,1\r\n");
    QTest::newRow("header cut short") << QByteArray("2,3\r\n");
    QTest::newRow("missing entry line") << QByteArray("3,6,1\r\n1\r\n2\r\n");
    QTest::newRow("entry not a number") << QByteArray("2,3,1\r\n1\r\nx\r\n");
    QTest::newRow("entry overflows") << QByteArray("1,0,1\r\n1e999\r\n");
    QTest::newRow("total not finite") << QByteArray("0,1e400,1\r\n");
    QTest::newRow("binary") << QByteArray("\x00\x01\x02", 3);
    QTest::newRow("huge top row") << QByteArray("0,0,99999\r\n");
}

void TestTapeFile::rejectedFiles()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!ParseTapeFile(bytes, 1000));
}

void TestTapeFile::acceptedVariants_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("last");
    QTest::newRow("line feeds only") << QByteArray("2,3,1\n1\n2\n") << 2 << 2.0;
    QTest::newRow("no leading zero") << QByteArray("1,.5,1\r\n.5\r\n") << 1 << 0.5;
    QTest::newRow("exponent") << QByteArray("1,1E+15,1\r\n1E+15\r\n") << 1 << 1e15;
    QTest::newRow("no final line end") << QByteArray("1,7,1\r\n7") << 1 << 7.0;
    QTest::newRow("values on one line") << QByteArray("2,3,1\r\n1,2\r\n") << 2 << 2.0;
    QTest::newRow("quoted entry") << QByteArray("1,1,1\r\n\"1\"\r\n") << 1 << 1.0;
    QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF" "2,3,1\r\n1\r\n2\r\n") << 2 << 2.0;
    // Saved before the largest doubles were written toward zero.
    QTest::newRow("largest double rounded up") << QByteArray("1,1.79769313486232E+308,1\r\n-1.79769313486232E+308\r\n")
                                               << 1 << -std::numeric_limits<double>::max();
}

void TestTapeFile::acceptedVariants()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, count);
    QFETCH(double, last);
    const auto c = ParseTapeFile(bytes, 1000);
    QVERIFY(c);
    QCOMPARE(c->count, count);
    QCOMPARE(c->values[count], last);
}

void TestTapeFile::applyReplacesWholeTape()
{
    AdderValues a = tapeOf({5, 6, 7, 8});
    const auto c = ParseTapeFile(QByteArray("2,3.5,1\r\n1\r\n2.5\r\n"), 1000);
    QVERIFY(c);
    ApplyTapeFile(a, 1000, *c);
    QCOMPARE(a.TapeCount, 2);
    QCOMPARE(a.TapeTotal, 3.5);
    QCOMPARE(a.Tape.size(), 1001);
    QCOMPARE(a.Tape[2], 2.5);
    QCOMPARE(a.Tape[3], 0.0); // rows beyond the new count are gone
    // New entries continue the tape.
    QCOMPARE(ConfirmEntry(a, 1000, u"4"), EntryOutcome::Appended);
    QCOMPARE(a.TapeCount, 3);
    QCOMPARE(a.TapeTotal, 7.5);
}

QTEST_APPLESS_MAIN(TestTapeFile)
#include "tst_tape_file.moc"
