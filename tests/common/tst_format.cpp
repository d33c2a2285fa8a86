#include "common/format.h"

#include <QTest>

using namespace zq;

class TestFormat : public QObject
{
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
    void emptyValue();
};

void TestFormat::formats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("0 zero") << "0" << 0.0 << "0";
    QTest::newRow("0 half up") << "0" << 5.5 << "6";
    QTest::newRow("0 negative half away") << "0" << -5.5 << "-6";
    QTest::newRow("0 no minus zero") << "0" << -0.4 << "0";
    QTest::newRow("0 no separators") << "0" << 1234567.0 << "1234567";
    QTest::newRow("0_ blank") << "0 " << 12.0 << "12 ";
    QTest::newRow("0_ zero") << "0 " << 0.0 << "0 ";
    QTest::newRow("#0_ one") << "#0 " << 1.0 << "1 ";
    QTest::newRow("#0_ zero") << "#0 " << 0.0 << "0 ";
    QTest::newRow("#0_ thousand") << "#0 " << 1000.0 << "1000 ";
    QTest::newRow("#0_ rounds") << "#0 " << 12.5 << "13 ";
    QTest::newRow("###0_ zero") << "###0 " << 0.0 << "0 ";
    QTest::newRow("###0_ wide") << "###0 " << 12345.0 << "12345 ";
    QTest::newRow("#_ zero is one blank") << "# " << 0.0 << " ";
    QTest::newRow("#_ seven") << "# " << 7.0 << "7 ";
    QTest::newRow("#_ rounds to zero") << "# " << 0.4 << " ";
    QTest::newRow("#_ negative rounds to zero") << "# " << -0.4 << " ";
    QTest::newRow("#_ negative") << "# " << -3.0 << "-3 ";
    QTest::newRow("####0: one") << "####0:" << 1.0 << "1:";
    QTest::newRow("####0: 61") << "####0:" << 61.0 << "61:";
    QTest::newRow("####0: 1000") << "####0:" << 1000.0 << "1000:";
    QTest::newRow("#,0 millions") << "#,0" << 1234567.0 << "1,234,567";
    QTest::newRow("#,0 negative rounds away") << "#,0" << -1234.5 << "-1,235";
    QTest::newRow("#,0 zero") << "#,0" << 0.0 << "0";
    QTest::newRow("#,0 carry") << "#,0" << 999.5 << "1,000";
    QTest::newRow("#,0 hundred") << "#,0" << 100.0 << "100";
    QTest::newRow("#,0 1e15") << "#,0" << 1e15 << "1,000,000,000,000,000";
    QTest::newRow("#,0 1e20") << "#,0" << 1e20 << "100,000,000,000,000,000,000";
    QTest::newRow("#,0_ blank") << "#,0 " << 1234.0 << "1,234 ";
    QTest::newRow("#,0.##### point stays") << "#,0.#####" << 12.0 << "12.";
    QTest::newRow("#,0.##### five places") << "#,0.#####" << 1.234567 << "1.23457";
    QTest::newRow("#,0.##### trailing zeros") << "#,0.#####" << 1234.5 << "1,234.5";
    QTest::newRow("#,0.##### tiny") << "#,0.#####" << 0.000001 << "0.";
    QTest::newRow("#,0.###### point stays") << "#,0.######" << 12.0 << "12.";
    QTest::newRow("#,0.###### 15 digits") << "#,0.######" << 0.1 + 0.2 << "0.3";
    QTest::newRow("#,0.###### no minus zero") << "#,0.######" << -0.0000004 << "0.";
    QTest::newRow("#,0.###### minus zero value") << "#,0.######" << -0.0 << "0.";
    QTest::newRow("#,0.###### six places") << "#,0.######" << 2.0 / 3.0 << "0.666667";
    QTest::newRow("#,0.###### 1e15") << "#,0.######" << 1e15 << "1,000,000,000,000,000.";
    QTest::newRow("#,0.###### 15 significant") << "#,0.######" << 123456789.123456789 << "123,456,789.123457";
    QTest::newRow("#,0.###### half at sixth") << "#,0.######" << 0.0000005 << "0.000001";
    QTest::newRow("#,0.###### negative half") << "#,0.######" << -0.0000005 << "-0.000001";
    QTest::newRow("#,0.######_ blank") << "#,0.###### " << 12.0 << "12. ";
    QTest::newRow("#,0.######_ negative") << "#,0.###### " << -2.5 << "-2.5 ";
    QTest::newRow("#,0.######_ grouping") << "#,0.###### " << 1234567.1234567 << "1,234,567.123457 ";
}

void TestFormat::formats()
{
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatNumber(value, format), text);
}

void TestFormat::emptyValue()
{
    const Value empty;
    QVERIFY(empty.isEmpty());
    QCOMPARE(FormatValue(empty, u"#,0 "), QString());
    QCOMPARE(FormatValue(Value(0.0), u"#,0 "), QStringLiteral("0 "));
    QVERIFY(empty == Value(0.0));
    QVERIFY(empty < Value(1.0));
    QVERIFY((empty + empty).isEmpty());
    QCOMPARE((empty + Value(2.0)).toDouble(), 2.0);
    QVERIFY(!Value(0.0).isEmpty());
}

QTEST_APPLESS_MAIN(TestFormat)
#include "tst_format.moc"
