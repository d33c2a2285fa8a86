#include "calc/calculator.h"

#include <QTest>

using namespace zq;
using Key = Calculator::Key;

namespace {

// Keys as the table writes them: digits and "." one key each, then
// + - * / = % √ ± C AC M+ M- MR MC GT 税込 税抜 BS 00, separated by blanks.
void press(Calculator &c, const QString &keys)
{
    static const QHash<QString, Key> named = {
        {"+", Key::Add}, {"-", Key::Subtract}, {"*", Key::Multiply}, {"/", Key::Divide},
        {"=", Key::Equals}, {"%", Key::Percent}, {"√", Key::SquareRoot}, {"±", Key::Sign},
        {"C", Key::Clear}, {"AC", Key::AllClear}, {"M+", Key::MemoryPlus}, {"M-", Key::MemoryMinus},
        {"MR", Key::MemoryRecall}, {"MC", Key::MemoryClear}, {"GT", Key::GrandTotal},
        {"税込", Key::TaxIn}, {"税抜", Key::TaxOut}, {"BS", Key::Backspace}, {"00", Key::DoubleZero},
    };
    for (const QString &token : keys.split(u' ', Qt::SkipEmptyParts)) {
        if (named.contains(token)) {
            c.press(named[token]);
            continue;
        }
        for (QChar ch : token)
            c.press(ch == u'.' ? Key::Point : Key(int(Key::Digit0) + ch.digitValue()));
    }
}

} // namespace

class TestCalculator : public QObject
{
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
    void indicators();
    void pasteAndCopy_data();
    void pasteAndCopy();
};

void TestCalculator::keys_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    // Entry
    QTest::newRow("nothing yet") << "" << "0.";
    QTest::newRow("separators") << "1234567" << "1,234,567.";
    QTest::newRow("fraction as typed") << "1234.50" << "1,234.50";
    QTest::newRow("twelve digits at most") << "1234567890123" << "123,456,789,012.";
    QTest::newRow("the leading zero is a digit") << "0.000000000001" << "0.00000000000";
    QTest::newRow("00 key") << "5 00" << "500.";
    QTest::newRow("one point only") << "1.2.3" << "1.23";
    QTest::newRow("backspace") << "123 BS" << "12.";
    QTest::newRow("backspace to zero") << "7 BS BS" << "0.";
    QTest::newRow("sign while typing") << "12 ±" << "-12.";
    // Operations as keyed, chained left to right
    QTest::newRow("chained") << "2 + 3 * 4 =" << "20.";
    QTest::newRow("operator replaced") << "8 + * 2 =" << "16.";
    QTest::newRow("an operator twice is no constant") << "8 / / 2 = 6 =" << "3.";
    QTest::newRow("a point starts a new number") << "5 + . =" << "5.";
    QTest::newRow("also after a result") << "7 税抜 . + 1 =" << "1.";
    QTest::newRow("subtract into minus") << "3 - 5 =" << "-2.";
    QTest::newRow("third") << "1 / 3 =" << "0.33333333333";
    QTest::newRow("two thirds cut") << "2 / 3 =" << "0.66666666666";
    QTest::newRow("one rounding, from the exact quotient") << "3 / 0.30011 =" << "9.99633467728";
    QTest::newRow("exact decimals") << "0.3 - 0.1 =" << "0.2";
    QTest::newRow("decimal noise") << "0.1 + 0.2 =" << "0.3";
    QTest::newRow("result continues") << "5 + 5 = * 3 =" << "30.";
    // Repeated ＝
    QTest::newRow("+ repeats the second number") << "5 + 3 = =" << "11.";
    QTest::newRow("- repeats") << "10 - 2 = = =" << "4.";
    QTest::newRow("/ repeats the divisor") << "100 / 2 = =" << "25.";
    QTest::newRow("* keeps the first number") << "3 * 5 = 4 =" << "12.";
    QTest::newRow("* squares") << "5 * =" << "25.";
    // Percent
    QTest::newRow("percent of") << "200 * 5 %" << "10.";
    QTest::newRow("markup") << "200 + 10 %" << "220.";
    QTest::newRow("discount") << "200 - 10 %" << "180.";
    QTest::newRow("ratio") << "50 / 200 %" << "25.";
    QTest::newRow("percent alone") << "7 %" << "0.07";
    QTest::newRow("add-on") << "500 * 10 % + =" << "550.";
    QTest::newRow("discount from the rate") << "500 * 10 % - =" << "450.";
    QTest::newRow("no add-on after a markup") << "500 * 10 % 200 + 10 % + =" << "440.";
    // Square root and sign
    QTest::newRow("root") << "2 √" << "1.41421356237";
    QTest::newRow("root as second number") << "2 + 9 √ =" << "5.";
    QTest::newRow("sign of a result") << "2 + 3 = ±" << "-5.";
    // Tax at 10 %, rounded down to whole units
    QTest::newRow("tax in") << "1000 税込" << "1,100.";
    QTest::newRow("tax in rounded down") << "1234 税込" << "1,357.";
    QTest::newRow("tax out") << "1100 税抜" << "1,000.";
    QTest::newRow("tax out rounded down") << "1000 税抜" << "909.";
    QTest::newRow("tax in on half a yen") << "1235 税込" << "1,358.";
    QTest::newRow("tax out on more than half") << "1156 税抜" << "1,050.";
    QTest::newRow("税込 again shows the tax") << "2000 税込 税込" << "200.";
    QTest::newRow("and then the price") << "2000 税込 税込 税込" << "2,200.";
    QTest::newRow("税抜 again shows the tax") << "2000 税抜 税抜" << "182.";
    QTest::newRow("tax in finishes the sum") << "100 + 200 税込" << "330.";
    QTest::newRow("tax result as an operand") << "100 税込 + 500 =" << "610.";
    // Memory and grand total
    QTest::newRow("memory") << "100 M+ 30 M- 5 MR" << "70.";
    QTest::newRow("M+ finishes the sum") << "2 * 3 M+ AC MR" << "6.";
    QTest::newRow("memory kept by AC") << "9 M+ AC 1 + MR =" << "10.";
    QTest::newRow("memory cleared") << "9 M+ MC MR" << "0.";
    QTest::newRow("grand total of results") << "2 + 3 = 4 * 5 = GT" << "25.";
    QTest::newRow("grand total cleared by AC") << "2 + 3 = AC GT" << "0.";
    QTest::newRow("GT twice clears it") << "2 * 3 = GT GT 4 * 5 = GT" << "20.";
    QTest::newRow("GT with the memory holding a value") << "9 M+ 2 + 3 = GT" << "5.";
    QTest::newRow("GT overflow spoils no result") << "300001000000 + = =" << "900,003,000,000.";
    QTest::newRow("GT overflow shown by GT") << "300001000000 + = = GT" << "1.500005 E";
    // Clearing and errors
    QTest::newRow("C clears the entry only") << "5 + 3 C 4 =" << "9.";
    QTest::newRow("AC clears all") << "5 + 3 AC 4 =" << "4.";
    QTest::newRow("divide by zero") << "5 / 0 =" << "0. E";
    QTest::newRow("overflow: E and the top twelve digits") << "999999999999 + 1 =" << "1. E";
    QTest::newRow("C releases it, the figure goes on") << "999999999999 + 1 = C =" << "2.";
    QTest::newRow("overflow by multiplying") << "100000000 * 100000 =" << "10. E";
    QTest::newRow("root of a negative") << "4 ± √" << "2. E";
    QTest::newRow("keys ignored in error") << "5 / 0 = 7 + 1 =" << "0. E";
    QTest::newRow("C leaves the error") << "5 / 0 = C" << "0.";
    QTest::newRow("after C a fresh start") << "5 / 0 = C 2 + 2 =" << "4.";
    QTest::newRow("largest fits") << "999999999999 + 0 =" << "999,999,999,999.";
    QTest::newRow("rounded to the digits left") << "99999999999.9 + 0.04 =" << "99,999,999,999.9";
    QTest::newRow("cut, never carried") << "99999999999.9 + 0.09 =" << "99,999,999,999.9";
}

void TestCalculator::keys()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    Calculator c;
    press(c, keys);
    QCOMPARE(c.displayText() + (c.hasError() ? QStringLiteral(" E") : QString()), shown);
}

void TestCalculator::indicators()
{
    Calculator c;
    press(c, "7 +");
    QCOMPARE(c.pendingOperator(), QStringLiteral("＋"));
    QVERIFY(!c.hasMemory() && !c.hasGrandTotal());
    press(c, "2 = M+");
    QCOMPARE(c.pendingOperator(), QString());
    QVERIFY(c.hasMemory() && c.hasGrandTotal());
    press(c, "/ 0 =");
    QVERIFY(c.hasError());
    QCOMPARE(c.copyText(), QString());
    QVERIFY(!c.paste(u"5"));
    press(c, "AC");
    QVERIFY(!c.hasError() && c.hasMemory() && !c.hasGrandTotal());
}

void TestCalculator::pasteAndCopy_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("copied");
    QTest::newRow("separators") << "1,234.5" << true << "1,234.5" << "1234.5";
    QTest::newRow("full width") << "１２３" << true << "123." << "123";
    QTest::newRow("blanks and minus") << " -42 " << true << "-42." << "-42";
    QTest::newRow("cut to twelve digits") << "3.14159265358979" << true << "3.14159265358" << "3.14159265358";
    QTest::newRow("full-width comma") << "１，２３４" << true << "1,234." << "1234";
    QTest::newRow("text") << "abc" << false << "0." << "0";
    QTest::newRow("too large") << "1e12" << false << "0." << "0";
}

void TestCalculator::pasteAndCopy()
{
    QFETCH(QString, pasted);
    QFETCH(bool, taken);
    QFETCH(QString, shown);
    QFETCH(QString, copied);
    Calculator c;
    QCOMPARE(c.paste(pasted), taken);
    QCOMPARE(c.displayText(), shown);
    QCOMPARE(c.copyText(), copied);
    if (taken) { // the pasted number is an operand like a typed one
        press(c, "+ 1 =");
        QCOMPARE(c.value(), QLocale::c().toDouble(copied) + 1);
    }
}

QTEST_APPLESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
