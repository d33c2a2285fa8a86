#include "common/seq_file.h"
#include "common/format.h"

#include <QTest>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

using namespace zq;

class TestSeqFile : public QObject
{
    Q_OBJECT
private slots:
    void numberText_data();
    void numberText();
    void writerBytes();
    void writerTexts_data();
    void writerTexts();
    void readerValues();
    void readerDecodings_data();
    void readerDecodings();
    void asciiAsWindowsHasIt();
    void readerFailures_data();
    void readerFailures();
    void everyWrittenValueReadsBack();
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
    // Fifteen digits of the largest doubles would round past the largest
    // double; they are written toward zero so that they read back.
    QTest::newRow("largest") << std::numeric_limits<double>::max() << "1.79769313486231E+308";
    QTest::newRow("-largest") << -std::numeric_limits<double>::max() << "-1.79769313486231E+308";
    QTest::newRow("just below rounding up") << 1.79769313486231e308 << "1.79769313486231E+308";
    QTest::newRow("smallest") << std::numeric_limits<double>::denorm_min() << "4.94065645841247E-324";
}

void TestSeqFile::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(PlainNumberText(value), text);
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

void TestSeqFile::writerTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes"); // empty: refused
    QTest::addColumn<QString>("unwritable");
    QTest::newRow("double quote") << "a\"b" << QByteArray() << "\"";
    QTest::newRow("outside code page 932") << "café" << QByteArray() << "é";
    QTest::newRow("outside, twice and beyond the BMP") << "é😀é" << QByteArray() << "é😀";
    // What input methods type, written as Windows writes it.
    QTest::newRow("wave dash") << "4月〜6月" << QByteArray("4\x8c\x8e\x81\x60" "6\x8c\x8e") << "";
    QTest::newRow("minus sign") << "−" << QByteArray("\x81\x7c") << "";
    QTest::newRow("double vertical line") << "‖" << QByteArray("\x81\x61") << "";
    QTest::newRow("cent pound not") << "¢£¬" << QByteArray("\x81\x91\x81\x92\x81\xca") << "";
    QTest::newRow("em dash") << "—" << QByteArray("\x81\x5c") << "";
    QTest::newRow("the look-alikes themselves") << "～－∥―" << QByteArray("\x81\x60\x81\x7c\x81\x61\x81\x5c") << "";
}

void TestSeqFile::writerTexts()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, unwritable);
    SeqWriter w;
    w.text(text);
    w.endLine();
    bool ok = false;
    const QByteArray written = w.bytes(&ok);
    QCOMPARE(ok, !bytes.isEmpty());
    if (ok)
        QCOMPARE(written, "\"" + bytes + "\"\r\n");
    QCOMPARE(UnwritableCharacters(text), unwritable);
}

void TestSeqFile::readerValues()
{
    SeqReader r(QByteArray("\"\x8f\x57\x8c\x76\",1, 2.5 \r\n-3\n.5,1E+15\r\n"));
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

void TestSeqFile::readerDecodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("code page 932") << QByteArray("\"4\x8c\x8e\x81\x60\",\"2\"\r\n");
    QTest::newRow("UTF-8") << QByteArray("\"4\xe6\x9c\x88\xef\xbd\x9e\",\"2\"\r\n");
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xEF\xBB\xBF\"4\xe6\x9c\x88\xef\xbd\x9e\",2\r\n");
}

void TestSeqFile::readerDecodings()
{
    QFETCH(QByteArray, bytes);
    SeqReader r(bytes);
    QString text;
    double number = 0;
    QVERIFY(r.readText(&text));
    QCOMPARE(text, QStringLiteral("4月～"));
    QVERIFY(r.readWhole(&number)); // quoted or not
    QCOMPARE(number, 2.0);
    QVERIFY(r.atEnd());
}

// Every ASCII code reads and writes as itself, as in Windows' code page 932,
// with or without other characters beside it (the converter trades 0x1A,
// 0x1C and 0x7F round); the end-of-file mark 0x1A ends a file.
void TestSeqFile::asciiAsWindowsHasIt()
{
    QByteArray ascii;
    for (int b = 1; b < 0x80; ++b)
        if (b != '"')
            ascii += char(b);
    for (const QByteArray &beside : {QByteArray(), QByteArray("\x8c\x8e")}) { // 月
        const QString text = QString::fromLatin1(ascii) + (beside.isEmpty() ? QString() : QStringLiteral("月"));
        QCOMPARE(CodePage932Bytes(text), ascii + beside);
        SeqReader r("\"" + ascii + beside + "\"\r\n\x1a");
        QString read;
        QVERIFY(r.readText(&read));
        QCOMPARE(read, text);
        QVERIFY(r.atEnd());
    }
}

void TestSeqFile::readerFailures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kind");
    QTest::newRow("empty") << QByteArray() << "number";
    QTest::newRow("letters") << QByteArray("abc\r\n") << "number";
    QTest::newRow("number with letters") << QByteArray("12x\r\n") << "number";
    QTest::newRow("quoted text for a number") << QByteArray("\"12x\"\r\n") << "number";
    QTest::newRow("overflow") << QByteArray("1e999\r\n") << "number";
    QTest::newRow("inf") << QByteArray("inf\r\n") << "number";
    QTest::newRow("fraction for whole") << QByteArray("2.5\r\n") << "whole";
    QTest::newRow("unclosed quote") << QByteArray("\"abc\r\n") << "text";
    QTest::newRow("neither code page 932 nor UTF-8") << QByteArray("\"\x81\x20\xff\"\r\n") << "text";
    QTest::newRow("byte-order mark, then not UTF-8") << QByteArray("\xEF\xBB\xBF\"\x8f\x57\"\r\n") << "text";
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

void TestSeqFile::everyWrittenValueReadsBack()
{
    // Random doubles of every magnitude, the ends of the range, and amounts
    // as users type them (at most 15 digits), which must come back exactly.
    std::mt19937_64 random(20261208);
    QList<double> values{std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                         std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
                         1.797693134862315e308, 9.999999999999995e22, -0.0};
    while (values.size() < 20000) {
        const double v = std::bit_cast<double>(random());
        if (std::isfinite(v))
            values << v;
    }
    QList<double> typed;
    for (int i = 0; i < 5000; ++i) {
        const qint64 digits = qint64(random() % 1000000000000000ULL) - 500000000000000LL;
        typed << QStringLiteral("%1e-%2").arg(digits).arg(random() % 7).toDouble();
    }
    SeqWriter w;
    for (double v : values + typed) {
        w.number(v);
        w.endLine();
    }
    bool ok = false;
    SeqReader r(w.bytes(&ok));
    QVERIFY(ok);
    for (double v : values) {
        double back = 0;
        QVERIFY2(r.readNumber(&back), qPrintable(PlainNumberText(v)));
        QVERIFY2(std::fabs(back - v) <= std::fabs(v) * 1e-14, qPrintable(PlainNumberText(v)));
        QCOMPARE(PlainNumberText(back), PlainNumberText(v)); // saved again, the same bytes
    }
    for (double v : typed) {
        double back = 0;
        QVERIFY(r.readNumber(&back));
        QCOMPARE(back, v);
    }
    QVERIFY(r.atEnd());
}

QTEST_APPLESS_MAIN(TestSeqFile)
#include "tst_seq_file.moc"
