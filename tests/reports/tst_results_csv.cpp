#include "../support/tally_data.h"

#include "reports/results_csv.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

using namespace zq;
using namespace zq::test;

class TestResultsCsv : public QObject
{
    Q_OBJECT
private slots:
    void golden_data();
    void golden();
    void cells_data();
    void cells();
    void header_data();
    void header();
};

void TestResultsCsv::golden_data()
{
    QTest::addColumn<QList<Rows>>("months");
    QTest::addColumn<QString>("file");
    // The worked example of the tally: key 5 has no rows in the first month.
    QTest::newRow("two months") << QList<Rows>{{{7, 1, 500}, {3, 2, 1000}, {7, 1, 300}}, {{3, 1, 200}, {5, 4, 800}}}
                                << "results_two_months.csv";
    QTest::newRow("one month") << QList<Rows>{{{2, 1, 10}, {1, 1, 1234567}, {2, 3, 30}}} << "results_one_month.csv";
    QTest::newRow("no keys") << QList<Rows>{{{0, 2, 50}}} << "results_no_keys.csv";
}

void TestResultsCsv::golden()
{
    QFETCH(QList<Rows>, months);
    QFETCH(QString, file);
    const TallyData data(months, 4, QStringLiteral("担当者NO"));
    const QByteArray bytes = ResultsListCsv(data.ws, data.results);
    QFile golden(QStringLiteral(ZQ_TEST_DATA "/reports/golden/") + file);
    if (qEnvironmentVariableIsSet("ZQ_WRITE_GOLDEN")) {
        QVERIFY(golden.open(QIODevice::WriteOnly));
        golden.write(bytes);
        return;
    }
    QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(golden.fileName()));
    QCOMPARE(bytes, golden.readAll());
}

void TestResultsCsv::cells_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("field");
    QTest::newRow("separators and blanks go") << "1,234,567 " << "1234567";
    QTest::newRow("negative decimal") << "-1,234.5 " << "-1234.5";
    QTest::newRow("empty month") << "" << "";
    QTest::newRow("text with a comma") << "A,B" << "\"A,B\"";
    QTest::newRow("text with a quote") << "5\"号" << "\"5\"\"号\"";
    QTest::newRow("full-width blanks trimmed") << "合　計　" << "合　計";
    QTest::newRow("not a figure") << "1,23" << "\"1,23\"";
}

void TestResultsCsv::cells()
{
    QFETCH(QString, shown);
    QFETCH(QString, field);
    TextGrid grid(2, 2);
    grid.setText(0, 0, QStringLiteral("h"));
    grid.setText(1, 0, QStringLiteral("x"));
    grid.setText(1, 1, shown);
    QCOMPARE(CsvBytes(CsvRows(grid)),
             QStringEncoder("CP932").encode(QStringLiteral("h,\r\nx,") + field + QStringLiteral("\r\n")));
}

// The header as a strict code page 932 reader gets it: every column named
// once, the item name as typed, "?" for what the code page cannot hold.
void TestResultsCsv::header_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("line");
    const QString months = QStringLiteral(",4月件数,4月金額,5月件数,5月金額,合計件数,合計金額");
    QTest::newRow("figure-like name") << "1,376" << QStringLiteral("NO,\"1,376\"") + months;
    QTest::newRow("outside the code page") << QStringLiteral("ｽﾀｯﾌ\"№,𠮷é")
                                           << QStringLiteral("NO,\"ｽﾀｯﾌ\"\"№,??\"") + months;
    QTest::newRow("look-alike") << QStringLiteral("A〜B") << QStringLiteral("NO,A～B") + months;
    QTest::newRow("no name") << "" << QStringLiteral("NO,キー") + months;
}

void TestResultsCsv::header()
{
    QFETCH(QString, item);
    QFETCH(QString, line);
    const TallyData data({{{1, 1, 1}}, {{2, 1, 1}}}, 4, item);
    const QByteArray bytes = ResultsListCsv(data.ws, data.results);
    QStringDecoder strict("CP932", QStringConverter::Flag::Stateless);
    const QString text = strict.decode(bytes);
    QVERIFY(!strict.hasError());
    QCOMPARE(text.section(QStringLiteral("\r\n"), 0, 0), line);
}

QTEST_MAIN(TestResultsCsv)
#include "tst_results_csv.moc"
