#include "common/number.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace zq;

class TestNumber : public QObject
{
    Q_OBJECT
private slots:
    void readNumber_data();
    void readNumber();
    void readsAsNumber_data();
    void readsAsNumber();
    void gridCellNumber_data();
    void gridCellNumber();
    void roundHalfAway_data();
    void roundHalfAway();
    void inputMethodCharacters_data();
    void inputMethodCharacters();
    void independentOfLocale();
};

void TestNumber::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("overflow");

    QTest::newRow("empty") << "" << 0.0 << false;
    QTest::newRow("plain") << "12" << 12.0 << false;
    QTest::newRow("fraction") << "12.5" << 12.5 << false;
    QTest::newRow("leading point") << ".5" << 0.5 << false;
    QTest::newRow("trailing point") << "5." << 5.0 << false;
    QTest::newRow("negative") << "-7.25" << -7.25 << false;
    QTest::newRow("plus sign") << "+3" << 3.0 << false;
    QTest::newRow("blanks skipped everywhere") << "  1 2 . 5 " << 12.5 << false;
    QTest::newRow("blank after sign") << "- 5" << -5.0 << false;
    QTest::newRow("second point ends") << "1.2.3" << 1.2 << false;
    QTest::newRow("comma ends") << "1,234" << 1.0 << false;
    QTest::newRow("letters end") << "12abc" << 12.0 << false;
    QTest::newRow("no leading number") << "abc12" << 0.0 << false;
    QTest::newRow("sign alone") << "-" << 0.0 << false;
    QTest::newRow("double sign") << "--5" << 0.0 << false;
    QTest::newRow("point alone") << "." << 0.0 << false;
    QTest::newRow("exponent") << "1e3" << 1000.0 << false;
    QTest::newRow("exponent upper") << "2.5E2" << 250.0 << false;
    QTest::newRow("negative exponent") << "5e-1" << 0.5 << false;
    QTest::newRow("exponent sign plus") << "5E+2" << 500.0 << false;
    QTest::newRow("exponent without digits") << "7e" << 7.0 << false;
    QTest::newRow("exponent sign without digits") << "7e-x" << 7.0 << false;
    QTest::newRow("operator ends") << "7+2" << 7.0 << false;
    QTest::newRow("inf is no number") << "inf" << 0.0 << false;
    QTest::newRow("nan is no number") << "nan" << 0.0 << false;
    QTest::newRow("hex is no number") << "0x1A" << 0.0 << false;
    QTest::newRow("hex prefix") << "&H10" << 0.0 << false;
    QTest::newRow("overflow by exponent") << "1e400" << 0.0 << true;
    QTest::newRow("negative overflow") << "-2e308" << 0.0 << true;
    QTest::newRow("overflow by digits") << QString(400, u'9') << 0.0 << true;
    QTest::newRow("underflow is zero") << "1e-400" << 0.0 << false;
    QTest::newRow("zero with huge exponent") << "0e99999" << 0.0 << false;
    QTest::newRow("largest double") << "1.7976931348623157e308" << std::numeric_limits<double>::max() << false;
    QTest::newRow("15 digits") << "123456789012345" << 123456789012345.0 << false;
}

void TestNumber::readNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, overflow);
    const NumberReading r = ReadNumber(text);
    QCOMPARE(r.overflow, overflow);
    if (!overflow) {
        QCOMPARE(r.value, value);
        QVERIFY(std::isfinite(r.value));
    }
}

void TestNumber::readsAsNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("whole") << "12" << true << 12.0;
    QTest::newRow("surrounding blanks") << " 12.5 " << true << 12.5;
    QTest::newRow("sign") << "+5" << true << 5.0;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("trailing operator") << "5+" << false << 0.0;
    QTest::newRow("letters") << "12a" << false << 0.0;
    QTest::newRow("inner blank") << "1 2" << false << 0.0;
    QTest::newRow("overflow") << "1e999" << false << 0.0;
    QTest::newRow("sign alone") << "+" << false << 0.0;
    QTest::newRow("thousands separator") << "1,234" << false << 0.0;
}

void TestNumber::readsAsNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    double v = -1;
    QCOMPARE(ReadsAsNumber(text, &v), isNumber);
    if (isNumber)
        QCOMPARE(v, value);
}

void TestNumber::gridCellNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blank") << "   " << 0.0;
    QTest::newRow("plain") << "12 " << 12.0;
    QTest::newRow("thousands") << "1,234 " << 1234.0;
    QTest::newRow("millions") << "-1,234,567 " << -1234567.0;
    QTest::newRow("fraction rounds") << "12.4" << 12.0;
    QTest::newRow("half up") << "12.5" << 13.0;
    QTest::newRow("negative half away") << "-12.5" << -13.0;
    QTest::newRow("non-numeric") << "abc" << 0.0;
    QTest::newRow("number then letters") << "12x" << 0.0;
    QTest::newRow("row number form") << "0 " << 0.0;
}

void TestNumber::gridCellNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(GridCellNumber(text), value);
}

void TestNumber::roundHalfAway_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("places");
    QTest::addColumn<double>("rounded");

    QTest::newRow("0.285 to 2") << 0.285 << 2 << 0.29;
    QTest::newRow("1.005 to 2") << 1.005 << 2 << 1.01;
    QTest::newRow("2.5 to 0") << 2.5 << 0 << 3.0;
    QTest::newRow("-2.5 to 0") << -2.5 << 0 << -3.0;
    QTest::newRow("0.4 to 0") << 0.4 << 0 << 0.0;
    QTest::newRow("9.995 to 2 carries") << 9.995 << 2 << 10.0;
    QTest::newRow("already short") << 1.5 << 3 << 1.5;
    // Fifteen digits of the largest doubles lie past the largest double.
    QTest::newRow("largest stays") << std::numeric_limits<double>::max() << 0 << std::numeric_limits<double>::max();
    QTest::newRow("-largest stays") << -std::numeric_limits<double>::max() << 2 << -std::numeric_limits<double>::max();
}

void TestNumber::roundHalfAway()
{
    QFETCH(double, value);
    QFETCH(int, places);
    QFETCH(double, rounded);
    QCOMPARE(RoundHalfAway(value, places), rounded);
}

void TestNumber::inputMethodCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("read");
    // What Japanese input methods commit for the keys 0-9 + - * / . and blank.
    QTest::newRow("full-width digits") << "０１２３４５６７８９" << "0123456789";
    QTest::newRow("full-width signs") << "＋－＊／．" << "+-*/.";
    QTest::newRow("full-width blank") << "　" << " ";
    QTest::newRow("minus sign") << "\u2212" << "-";
    QTest::newRow("times and divide signs") << "×÷" << "*/";
    QTest::newRow("kana mode - / .") << "ー・。" << "-/.";
    QTest::newRow("half-width kana - / .") << "ｰ･｡" << "-/.";
    QTest::newRow("other text stays") << "担当ab-1" << "担当ab-1";
}

void TestNumber::inputMethodCharacters()
{
    QFETCH(QString, typed);
    QFETCH(QString, read);
    QCOMPARE(NormalizeTyped(typed), read);
}

void TestNumber::independentOfLocale()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German));
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    QCOMPARE(ReadNumber(u"12.5").value, 12.5);
    QCOMPARE(ReadNumber(u"12,5").value, 12.0);
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(saved);
}

QTEST_APPLESS_MAIN(TestNumber)
#include "tst_number.moc"
