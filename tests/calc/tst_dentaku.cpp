#include "../support/fake_services.h"

#include "calc/dentaku_window.h"

#include <QAccessible>
#include <QFile>
#include <QGuiApplication>

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace zq;
using Key = Calculator::Key;

class TestDentaku : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keyboard_data();
    void keyboard();
    void buttons();
    void copyAndPaste();
    void itsOwnProgram();

private:
    QString shown() const { return m_window->findChild<QLabel *>(QStringLiteral("Display"))->text(); }
    FakeServices m_fake;
    std::unique_ptr<DentakuWindow> m_window;
};

void TestDentaku::init()
{
    PrepareCalculatorProgram();
    m_fake.clipboardText.clear();
    m_fake.beeps = 0;
    m_window = std::make_unique<DentakuWindow>(m_fake, m_fake);
    m_window->show();
}

void TestDentaku::cleanup()
{
    m_window.reset();
}

void TestDentaku::keyboard_data()
{
    QTest::addColumn<QString>("typed"); // characters; "\n" Enter, "\b" Backspace, "\x1b" Esc, "\x7f" Delete
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits and operators") << "12+3*2\n" << "30.";
    QTest::newRow("= and %") << "200*5%" << "10.";
    QTest::newRow("decimal comma of the keypad") << "1,5+1=" << "2.5";
    QTest::newRow("backspace") << "123\b" << "12.";
    QTest::newRow("Esc is AC") << "5+3\x1b" "4=" << "4.";
    QTest::newRow("Delete is C") << "5+3\x7f" "4=" << "9.";
}

void TestDentaku::keyboard()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    for (QChar c : typed) {
        Qt::Key key = Qt::Key_unknown;
        switch (c.unicode()) {
        case u'\n': key = Qt::Key_Return; break;
        case u'\b': key = Qt::Key_Backspace; break;
        case 0x1b: key = Qt::Key_Escape; break;
        case 0x7f: key = Qt::Key_Delete; break;
        default: break;
        }
        QTest::sendKeyEvent(QTest::KeyAction::Click, m_window.get(), key,
                            key == Qt::Key_unknown ? QString(c) : QString(), Qt::NoModifier);
    }
    QCOMPARE(this->shown(), shown);
}

void TestDentaku::buttons()
{
    for (Key k : {Key::Digit7, Key::Add, Key::Digit5, Key::MemoryPlus, Key::TaxIn})
        m_window->button(k)->click();
    QCOMPARE(shown(), QStringLiteral("13."));
    auto *state = m_window->findChild<QLabel *>(QStringLiteral("State"));
    QVERIFY(state->text().contains(QStringLiteral("M")));
    // A screen reader hears what the display and the markers show.
    const auto spoken = [](QLabel *l) { return QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name); };
    QCOMPARE(spoken(m_window->findChild<QLabel *>(QStringLiteral("Display"))), QStringLiteral("表示 13."));
    QCOMPARE(spoken(state), QStringLiteral("状態 M  GT"));
    // Every key has a name for screen readers, and none takes the focus, so
    // that Enter is always ＝.
    const QList<QPushButton *> all = m_window->findChildren<QPushButton *>();
    QCOMPARE(all.size(), 30);
    for (QPushButton *b : all) {
        QVERIFY(!b->accessibleName().isEmpty());
        QCOMPARE(b->focusPolicy(), Qt::NoFocus);
    }
    QCOMPARE(m_window->button(Key::Sign)->accessibleName(), QStringLiteral("符号"));
}

void TestDentaku::copyAndPaste()
{
    m_window->button(Key::Digit1)->click();
    m_window->button(Key::Divide)->click();
    m_window->button(Key::Digit8)->click();
    m_window->button(Key::Equals)->click();
    QTest::keyClick(m_window.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(m_fake.clipboardText, QStringLiteral("0.125"));
    m_fake.clipboardText = QStringLiteral("１,２３４");
    QTest::keyClick(m_window.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(shown(), QStringLiteral("1,234."));
    m_fake.clipboardText = QStringLiteral("abc");
    QTest::keyClick(m_window.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_fake.beeps, 1);
    QCOMPARE(shown(), QStringLiteral("1,234."));
}

// Started as ZQDENTAK: the ZQ icon on its window, and the desktop entry
// that names its window class and that icon.
void TestDentaku::itsOwnProgram()
{
    QCOMPARE(m_window->windowIcon().availableSizes().size(), 6);
    QFile entry(QStringLiteral(ZQ_SOURCE_DIR "/data/") + QGuiApplication::desktopFileName() + QStringLiteral(".desktop"));
    QVERIFY2(entry.open(QIODevice::ReadOnly), qPrintable(entry.fileName()));
    const QString text = QString::fromUtf8(entry.readAll());
    QVERIFY(text.contains(QStringLiteral("\nStartupWMClass=") + QCoreApplication::applicationName() + u'\n'));
    QVERIFY(text.contains(QStringLiteral("\nIcon=org.zq.ZQ\n")));
}

QTEST_MAIN(TestDentaku)
#include "tst_dentaku.moc"
