#include "common/seq_file.h"

#include <QTest>

using namespace zq;

class TestSeqFile : public QObject
{
    Q_OBJECT
private slots:
    void numberText_data();
    void numberText();
    void writerBytes();
    void writerRefusesWhatCannotBeRead_data();
    void writerRefusesWhatCannotBeRead();
    void readerValues();
    void readerFailures_data();
    void readerFailures();
    void readerRoundTrip();
};

void TestSeqFile::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("minus zero") << -0.0 << "0";
    QTest::newRow("whole") << 12.0 << "12";
    QTest::newRow("negative") << -5.0 << "-5";
    QTest::newRow("fraction") << 0.5 << "0.5";
    QTest::newRow("mixed") << 1234.5 << "1234.5";
    QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("1e15 exponent") << 1e15 << "1E+15";
    QTest::newRow("small plain") << 0.0001 << "0.0001";
    QTest::newRow("small exponent") << 0.00001 << "1E-05";
    QTest::newRow("third") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("negative small") << -2.5e-7 << "-2.5E-07";
    QTest::newRow("sum noise") << 0.1 + 0.2 << "0.3";
}

void TestSeqFile::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(SeqNumberText(value), text);
}

void TestSeqFile::writerBytes()
{
    SeqWriter w;
    w.text(QStringLiteral("C:\\加算～")).number(0).number(-1.5);
    w.endLine();
    w.number(7);
    w.endLine();
    bool ok = false;
    const QByteArray bytes = w.bytes(&ok);
    QVERIFY(ok);
    QCOMPARE(bytes, QByteArray("\"C:\\\x89\xc1\x8e\x5a\x81\x60\",0,-1.5\r\n7\r\n"));
}

void TestSeqFile::writerRefusesWhatCannotBeRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("double quote") << "a\"b";
    QTest::newRow("outside code page 932") << "café";
}

void TestSeqFile::writerRefusesWhatCannotBeRead()
{
    QFETCH(QString, text);
    SeqWriter w;
    w.text(text);
    w.endLine();
    bool ok = true;
    w.bytes(&ok);
    QVERIFY(!ok);
}

void TestSeqFile::readerValues()
{
    SeqReader r(QByteArray("\"\x8f\x57\x8c\x76\",1, 2.5 \r\n-3\n.5,1E+15\r\n"));
    QVERIFY(r.decoded());
    QString text;
    double a = 0, b = 0, c = 0, d = 0, e = 0;
    QVERIFY(r.readText(&text));
    QCOMPARE(text, QStringLiteral("集計"));
    QVERIFY(r.readWhole(&a));
    QVERIFY(r.readNumber(&b));
    QVERIFY(r.readNumber(&c));
    QVERIFY(r.readNumber(&d));
    QVERIFY(r.readNumber(&e));
    QCOMPARE(a, 1.0);
    QCOMPARE(b, 2.5);
    QCOMPARE(c, -3.0);
    QCOMPARE(d, 0.5);
    QCOMPARE(e, 1e15);
    QVERIFY(r.atEnd());
    QVERIFY(!r.readNumber(&a));
}

void TestSeqFile::readerFailures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kind");
    QTest::newRow("empty") << QByteArray() << "number";
    QTest::newRow("letters") << QByteArray("abc\r\n") << "number";
    QTest::newRow("number with letters") << QByteArray("12x\r\n") << "number";
    QTest::newRow("quoted number") << QByteArray("\"12\"\r\n") << "number";
    QTest::newRow("overflow") << QByteArray("1e999\r\n") << "number";
    QTest::newRow("inf") << QByteArray("inf\r\n") << "number";
    QTest::newRow("fraction for whole") << QByteArray("2.5\r\n") << "whole";
    QTest::newRow("unclosed quote") << QByteArray("\"abc\r\n") << "text";
    QTest::newRow("not code page 932") << QByteArray("\"\x81\x20\xff\"\r\n") << "text";
}

void TestSeqFile::readerFailures()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kind);
    SeqReader r(bytes);
    double v = 0;
    QString t;
    if (kind == QLatin1String("number"))
        QVERIFY(!r.readNumber(&v));
    else if (kind == QLatin1String("whole"))
        QVERIFY(!r.readWhole(&v));
    else
        QVERIFY(!r.readText(&t));
}

void TestSeqFile::readerRoundTrip()
{
    const QList<double> values{0, -1234.56789012345, 123456.789012345, 1e-7, 9.99999999999999e300};
    SeqWriter w;
    for (double v : values) {
        w.number(v);
        w.endLine();
    }
    SeqReader r(w.bytes(nullptr));
    for (double v : values) {
        double read = 1;
        QVERIFY(r.readNumber(&read));
        QCOMPARE(read, v);
    }
}

QTEST_APPLESS_MAIN(TestSeqFile)
#include "tst_seq_file.moc"
