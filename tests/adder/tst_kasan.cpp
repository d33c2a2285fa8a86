#include "../support/app_fixture.h"
#include "../support/files.h"

#include "adder/entry_line.h"
#include "adder/kasan_window.h"
#include "platform/indexed_toolbar.h"
#include "platform/legacy_grid.h"
#include "platform/tool_window.h"
#include "platform/twips.h"
#include "shell/application.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QMenu>
#include <QRadioButton>
#include <QMessageBox>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zq;
using namespace zq::test;

class TestKasan : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layout();
    void entryAppendsRow();
    void operatorRules_data();
    void operatorRules();
    void previewWhileTyping_data();
    void previewWhileTyping();
    void inputErrorLeavesTape_data();
    void inputErrorLeavesTape();
    void scrollsToKeepNewestRowAtBottom();
    void thousandEntryLimit();
    void clearButtonAndStarStar_data();
    void clearButtonAndStarStar();
    void rulesBox();
    void tabReachesButtons();
    void backToMenuStartsAfresh();
    void dialogFocusDoesNotReactivate();
    void realMessageBoxDoesNotReactivate();
    void returnFromOtherWindowReactivates();
    void saveTapeFile();
    void saveCancelledOrFailing();
    void openTapeFile();
    void openRejectedChangesNothing_data();
    void openRejectedChangesNothing();
    void printWindowFlow_data();
    void printWindowFlow();
    void previewAndPdf_data();
    void previewAndPdf();
    void printFailureKeepsTape();
    void printWindowClosesWithAdder();
    void helpAndEnd();
    void corrections();

private:
    IndexedToolbar *toolbar() { return child<IndexedToolbar>(m_kasan, QStringLiteral("Toolbar1")); }
    void enter(const QString &text);
    QWidget *m_kasan = nullptr;
    LegacyGrid *m_grid = nullptr;
    QLineEdit *m_text1 = nullptr;
    std::unique_ptr<AppFixture> m_fx;
};

// Entry 37 of 40 corrected by keys, an entry inserted and one deleted from
// the pop-up menu, and every step undone and redone, クリア included.
void TestKasan::corrections()
{
    QVERIFY(QTest::qWaitForWindowActive(m_kasan));
    for (int i = 1; i <= 40; ++i)
        enter(QString::number(i));
    const AdderValues &a = m_fx->app->store().adder;
    const auto key = [this](Qt::Key k, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
        QTest::keyClick(m_text1, k, mods);
    };
    for (int i = 0; i < 4; ++i)
        key(Qt::Key_Up);
    key(Qt::Key_F2, Qt::NoModifier);
    QCOMPARE(labelText(m_kasan, QStringLiteral("Label1")).left(4), QStringLiteral("訂正37"));
    enter(QStringLiteral("1/0")); // what the entry line refuses changes nothing
    QCOMPARE(m_fx->fake.warnings, QStringList{QStringLiteral("入力エラー！")});
    enter(QStringLiteral("300+70"));
    QCOMPARE(a.Tape[37], 370.0);
    QCOMPARE(labelText(m_kasan, QStringLiteral("Label2")), TapeAmountText(820 - 37 + 370));
    QCOMPARE(m_grid->text(37, 1), TapeAmountText(370));
    enter(QStringLiteral("1")); // Enter appends again
    QCOMPARE(a.TapeCount, 41);

    m_grid->mousePressed(Qt::RightButton, 2, 1); // the pop-up on row 2
    auto *menu = child<QMenu>(m_kasan, QStringLiteral("MT"));
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
    m_kasan->findChild<QAction *>(QStringLiteral("MT2"))->trigger();
    QCOMPARE(a.TapeCount, 40);
    QCOMPARE(m_grid->text(2, 1), TapeAmountText(3));
    click(m_kasan, QStringLiteral("Command2")); // クリア
    QCOMPARE(a.TapeCount, 0);
    QList<double> seen;
    for (int i = 0; i < 4; ++i) {
        key(Qt::Key_Z);
        seen << a.TapeTotal;
    }
    // クリア, 削除, the appended 1 and the correction undone.
    QCOMPARE(seen, (QList<double>{1 + 820 - 37 + 370 - 2, 1 + 820 - 37 + 370, 820 - 37 + 370, 820}));
    QCOMPARE(labelText(m_kasan, QStringLiteral("Label4")), QString()); // 前の計算 as before クリア
    key(Qt::Key_Y);
    QCOMPARE(a.Tape[37], 370.0);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(a.TapeCount, 41);
}

void TestKasan::init()
{
    m_fx = std::make_unique<AppFixture>();
    m_fx->app->openAdder();
    m_kasan = AppFixture::window(QStringLiteral("KASAN"));
    QVERIFY(m_kasan);
    m_grid = child<LegacyGrid>(m_kasan, QStringLiteral("G"));
    m_text1 = child<QLineEdit>(m_kasan, QStringLiteral("Text1"));
    QVERIFY(m_grid && m_text1);
}

void TestKasan::cleanup()
{
    m_fx.reset();
}

void TestKasan::enter(const QString &text)
{
    typeText(m_text1, text);
    pressEnter(m_text1);
}

void TestKasan::layout()
{
    QCOMPARE(m_kasan->windowTitle(), QStringLiteral(" ZQ加算機"));
    QCOMPARE(m_kasan->size(), TwipsSize(6975, 5835));
    QCOMPARE(child<QWidget>(m_kasan, QStringLiteral("G"))->geometry(), TwipsRect(120, 640, 2655, 3070));
    QCOMPARE(child<QWidget>(m_kasan, QStringLiteral("Label2"))->geometry(), TwipsRect(1680, 4440, 3495, 375));
    QCOMPARE(child<QPushButton>(m_kasan, QStringLiteral("Command2"))->text(), QStringLiteral("クリア **"));
    QCOMPARE(child<QPushButton>(m_kasan, QStringLiteral("Command3"))->text(), QStringLiteral("ﾒﾆｭｰへ"));
    QCOMPARE(labelText(m_kasan, QStringLiteral("Label10")), QStringLiteral("件"));
    // The entry box lies entirely behind the end button.
    const QRect box = m_text1->geometry();
    const QWidget *end = child<QWidget>(m_kasan, QStringLiteral("Command1"));
    QVERIFY(end->geometry().contains(box));
    QVERIFY(m_text1->parentWidget()->children().indexOf(m_text1)
            < m_text1->parentWidget()->children().indexOf(const_cast<QWidget *>(end)));
    // The grid: header, row numbers, widths, ten data rows.
    QCOMPARE(m_grid->rows(), 1001);
    QCOMPARE(m_grid->cols(), 2);
    QCOMPARE(m_grid->text(0, 0), QStringLiteral("NO"));
    QCOMPARE(m_grid->text(1, 0), QStringLiteral("1 "));
    QCOMPARE(m_grid->text(1000, 0), QStringLiteral("1000 "));
    QCOMPARE(m_grid->colWidth(0), 600);
    QCOMPARE(m_grid->colWidth(1), 1800);
    QCOMPARE(m_grid->headerAlignment(0), Qt::AlignHCenter);
    QCOMPARE(m_grid->colAlignment(0), Qt::AlignRight);
    QCOMPARE(m_grid->visibleDataRows(), 10);
    QCOMPARE(m_fx->app->store().program.MaxRows, 1000);
}

void TestKasan::entryAppendsRow()
{
    enter(QStringLiteral("12"));
    QCOMPARE(m_grid->text(1, 1), QStringLiteral("12. "));
    QCOMPARE(labelTexts(m_kasan, {"Label2", "Label5", "Label1"}), (QStringList{"12. ", "1 ", ""}));
    QCOMPARE(m_text1->text(), QString());
    QCOMPARE(m_grid->row(), 1);
    QCOMPARE(m_grid->col(), 1);
    enter(QStringLiteral("0.125"));
    QCOMPARE(m_grid->text(2, 1), QStringLiteral("0.125 "));
    QCOMPARE(labelTexts(m_kasan, {"Label2", "Label5"}), (QStringList{"12.125 ", "2 "}));
    QCOMPARE(m_grid->row(), 2);
    const AdderValues &a = m_fx->app->store().adder;
    QCOMPARE(a.TapeCount, 2);
    QCOMPARE(a.TapeTotal, 12.125);
}

void TestKasan::operatorRules_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("inputMethod"); // committed by an input method, not typed key by key
    QTest::newRow("+-") << "7+-2" << "5. " << false;
    QTest::newRow("--") << "7--2" << "9. " << false;
    QTest::newRow("2+3*4") << "2+3*4" << "8. " << false;
    QTest::newRow("5/-2") << "5/-2" << "-2.5 " << false;
    QTest::newRow("-5-3") << "-5-3" << "-8. " << false;
    QTest::newRow("minus alone") << "-" << "0. " << false;
    QTest::newRow("1,234") << "1,234" << "1. " << false;
    QTest::newRow("large") << "1234567*1000" << "1,234,567,000. " << false;
    QTest::newRow("full width") << "１２＊３" << "36. " << false;
    QTest::newRow("input method minus sign") << "７\u2212２" << "5. " << true;
    QTest::newRow("input method leading minus") << "\u2212５" << "-5. " << true;
    QTest::newRow("input method +−") << "８＋\u2212３" << "5. " << true;
    QTest::newRow("kana mode ー") << "１０ー４" << "6. " << true;
    QTest::newRow("kana mode ・ 。") << "１０・４。" << "2.5 " << true;
}

void TestKasan::operatorRules()
{
    QFETCH(QString, typed);
    QFETCH(QString, cell);
    QFETCH(bool, inputMethod);
    if (inputMethod) {
        // What is being composed shows in the display, the box being hidden.
        QInputMethodEvent composing(typed, {});
        QApplication::sendEvent(m_text1, &composing);
        QCOMPARE(labelText(m_kasan, QStringLiteral("Label1")), EntryPreview(typed));
        // Its candidates show by the display, not by the hidden box.
        auto *display = child<QLabel>(m_kasan, QStringLiteral("Label1"));
        const QPoint caret = m_text1->mapTo(m_kasan, m_text1->inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
        QVERIFY(QRect(display->mapTo(m_kasan, QPoint()), display->size()).contains(caret));
        commitText(m_text1, typed, typed);
        QCOMPARE(labelText(m_kasan, QStringLiteral("Label1")), typed);
        pressEnter(m_text1);
    } else {
        enter(typed);
    }
    QCOMPARE(m_grid->text(1, 1), cell);
    QCOMPARE(labelText(m_kasan, QStringLiteral("Label2")), cell);
}

void TestKasan::previewWhileTyping_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("number") << "1234567" << "1,234,567.";
    QTest::newRow("expression") << "12/5" << "12/5";
    QTest::newRow("incomplete") << "12*" << "12*";
    QTest::newRow("full width") << "１０００" << "1,000.";
}

void TestKasan::previewWhileTyping()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    typeText(m_text1, typed);
    QCOMPARE(labelText(m_kasan, QStringLiteral("Label1")), shown);
}

void TestKasan::inputErrorLeavesTape_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("divide by zero") << "10/0";
    QTest::newRow("total overflow") << "1.7e308";
}

void TestKasan::inputErrorLeavesTape()
{
    QFETCH(QString, typed);
    enter(QStringLiteral("1.7e308"));
    QCOMPARE(m_fx->fake.warnings.size(), 0);
    const int beeps = m_fx->fake.beeps;
    enter(typed);
    QCOMPARE(m_fx->fake.warnings, QStringList{QStringLiteral("入力エラー！")});
    QCOMPARE(m_fx->fake.beeps, beeps + 1);
    // The beep sounds before the box.
    QCOMPARE(m_fx->fake.log.mid(m_fx->fake.log.size() - 2),
             (QStringList{QStringLiteral("beep"), QStringLiteral("warn:入力エラー！")}));
    QCOMPARE(m_text1->text(), QString());
    QCOMPARE(m_fx->app->store().adder.TapeCount, 1);
    QCOMPARE(m_grid->text(2, 1), QString());
    QCOMPARE(labelText(m_kasan, QStringLiteral("Label5")), QStringLiteral("1 "));
    QVERIFY(!labelText(m_kasan, QStringLiteral("Label2")).contains(u'i'));
}

void TestKasan::scrollsToKeepNewestRowAtBottom()
{
    for (int i = 1; i <= 12; ++i)
        enter(QString::number(i));
    // The newest row is the last whole row shown.
    const QRect newest = m_grid->cellRect(12, 1);
    QVERIFY(!newest.isEmpty());
    QVERIFY(newest.bottom() < m_grid->viewport()->height());
    QVERIFY(m_grid->cellRect(2, 1).isEmpty());
}

void TestKasan::thousandEntryLimit()
{
    AdderValues &adder = m_fx->app->store().adder;
    adder.TapeCount = 1000;
    adder.Tape.resize(1001);
    typeText(m_text1, QStringLiteral("5"));
    pressEnter(m_text1);
    // Refused without a word; the text stays in the box.
    QCOMPARE(m_text1->text(), QStringLiteral("5"));
    QCOMPARE(adder.TapeCount, 1000);
    QVERIFY(m_fx->fake.warnings.isEmpty());
}

void TestKasan::clearButtonAndStarStar_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("button") << "button";
    QTest::newRow("** Enter") << "**";
}

void TestKasan::clearButtonAndStarStar()
{
    QFETCH(QString, how);
    for (int i = 0; i < 12; ++i)
        enter(QStringLiteral("1.5"));
    const int beeps = m_fx->fake.beeps;
    if (how == QLatin1String("button"))
        click(m_kasan, QStringLiteral("Command2"));
    else
        enter(how);
    QCOMPARE(m_fx->fake.beeps, beeps + 1);
    QCOMPARE(labelTexts(m_kasan, {"Label4", "Label6", "Label2", "Label5", "Label1"}),
             (QStringList{"18. ", "12 ", "", "", ""}));
    QCOMPARE(m_text1->text(), QString());
    QCOMPARE(m_grid->text(12, 1), QString());
    // The next entry starts the tape again at row 1.
    enter(QStringLiteral("4"));
    QCOMPARE(m_grid->text(1, 1), QStringLiteral("4. "));
    QCOMPARE(labelTexts(m_kasan, {"Label2", "Label4"}), (QStringList{"4. ", "18. "}));
}

void TestKasan::rulesBox()
{
    QFrame *box = child<QFrame>(m_kasan, QStringLiteral("Picture1"));
    QVERIFY(box->isHidden());
    click(m_kasan, QStringLiteral("Command4"));
    QVERIFY(box->isVisible());
    const QStringList lines = m_fx->app->store().program.WorkText.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines.first(), QStringLiteral("● 加算のみです。"));
    QCOMPARE(lines.last(), QStringLiteral("● 「**」ｴﾝﾀｰでクリアボタンと同じです。"));
    QVERIFY(labelText(m_kasan, QStringLiteral("Label3")).contains(QStringLiteral("● １０００件までです。")));
    QCOMPARE(box->findChild<QPushButton *>(QStringLiteral("Command5"))->text(), QStringLiteral("閉"));
    click(box, QStringLiteral("Command5"));
    QVERIFY(box->isHidden());
    // A click never takes the keyboard away from the entry line; Tab may.
    QCOMPARE(child<QPushButton>(m_kasan, QStringLiteral("Command4"))->focusPolicy(), Qt::TabFocus);
}

void TestKasan::tabReachesButtons()
{
    enter(QStringLiteral("5"));
    const auto focusName = [this] { return m_kasan->focusWidget()->objectName(); };
    QCOMPARE(focusName(), QStringLiteral("Text1"));
    QTest::keyClick(m_kasan->focusWidget(), Qt::Key_Tab);
    QCOMPARE(focusName(), QStringLiteral("Command4"));
    QTest::keyClick(m_kasan->focusWidget(), Qt::Key_Tab);
    QCOMPARE(focusName(), QStringLiteral("Command2"));
    QTest::keyClick(m_kasan->focusWidget(), Qt::Key_Tab);
    QTest::keyClick(m_kasan->focusWidget(), Qt::Key_Tab);
    QCOMPARE(focusName(), QStringLiteral("Command1"));
    QTest::keyClick(m_kasan->focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(m_kasan->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focusName(), QStringLiteral("Command2"));
    // Enter presses クリア, which hands the focus back to the entry line.
    QTest::keyClick(m_kasan->focusWidget(), Qt::Key_Return);
    QCOMPARE(labelText(m_kasan, QStringLiteral("Label4")), QStringLiteral("5. "));
    QCOMPARE(m_fx->app->store().adder.TapeCount, 0);
    QCOMPARE(focusName(), QStringLiteral("Text1"));
}

void TestKasan::backToMenuStartsAfresh()
{
    enter(QStringLiteral("5"));
    enter(QStringLiteral("6"));
    click(m_kasan, QStringLiteral("Command3"));
    QVERIFY(!AppFixture::window(QStringLiteral("KASAN")));
    QWidget *menu = AppFixture::window(QStringLiteral("MENU"));
    QVERIFY(menu);
    const Store &s = m_fx->app->store();
    QCOMPARE(s.adder.TapeCount, 0);
    QCOMPARE(s.adder.TapeTotal, 0.0);
    QVERIFY(s.adder.Tape.isEmpty());
    QCOMPARE(s.program.MaxRows, 0);
    QCOMPARE(s.program.ReturnFlag, 0);

    click(menu, QStringLiteral("Command8"));
    QWidget *kasan = AppFixture::window(QStringLiteral("KASAN"));
    QVERIFY(kasan);
    QVERIFY(kasan != m_kasan);
    auto *grid = child<LegacyGrid>(kasan, QStringLiteral("G"));
    QCOMPARE(grid->text(1, 1), QString());
    QCOMPARE(labelTexts(kasan, {"Label2", "Label5"}), (QStringList{"", ""}));
    auto *text1 = child<QLineEdit>(kasan, QStringLiteral("Text1"));
    typeText(text1, QStringLiteral("3"));
    pressEnter(text1);
    QCOMPARE(grid->text(1, 1), QStringLiteral("3. "));
    QCOMPARE(labelText(kasan, QStringLiteral("Label2")), QStringLiteral("3. "));
}

void TestKasan::dialogFocusDoesNotReactivate()
{
    enter(QStringLiteral("8"));
    // Focus coming back from a message box, a dialog or another application
    // is a plain window activation of KASAN: it must not start a new tape.
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(m_kasan, &deactivate);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(m_kasan, &activate);
    QCOMPARE(m_fx->app->store().adder.Tape.value(1), 8.0);
    enter(QStringLiteral("2"));
    QCOMPARE(m_fx->app->store().adder.TapeTotal, 10.0);
    QCOMPARE(m_fx->app->store().adder.Tape.value(1), 8.0);
}

void TestKasan::realMessageBoxDoesNotReactivate()
{
    enter(QStringLiteral("7"));
    QTimer::singleShot(0, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Check"), QStringLiteral("x"),
                    QMessageBox::Ok, m_kasan);
    box.exec();
    QCoreApplication::processEvents();
    QCOMPARE(m_fx->app->store().adder.Tape.value(1), 7.0);
}

void TestKasan::returnFromOtherWindowReactivates()
{
    enter(QStringLiteral("9"));
    ActivationTracker &tracker = m_fx->app->tracker();
    auto *other = new OtherWindow(tracker);
    other->showAndActivate();
    QCOMPARE(other->activations, 1);

    // Coming back from one of the program's own windows runs KASAN's
    // activation: with ReturnFlag set the tape stays...
    m_fx->app->store().program.ReturnFlag = 1;
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(m_kasan, &activate);
    QCOMPARE(m_fx->app->store().adder.Tape.value(1), 9.0);

    // ...and without it the activation starts a new tape array.
    other->showAndActivate();
    QCOMPARE(other->activations, 2);
    m_fx->app->store().program.ReturnFlag = 0;
    QApplication::sendEvent(m_kasan, &activate);
    QCOMPARE(m_fx->app->store().adder.Tape.value(1), 0.0);
    other->close();
}

void TestKasan::saveTapeFile()
{
    QTemporaryDir dir;
    m_fx->app->store().program.StorageFolder = dir.path();
    for (const char *v : {"12", "-0.5", "1234.125"})
        enter(QString::fromLatin1(v));
    const QString path = dir.filePath(QStringLiteral("tape.KSN"));
    m_fx->fake.dialogAnswers << path;
    toolbar()->button(2)->trigger();
    QCOMPARE(m_fx->fake.log.last(), QStringLiteral("save:%1|入力ﾌｧｲﾙ (*.KSN)|*.KSN|1").arg(dir.path()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("3,1245.625,1\r\n12\r\n-0.5\r\n1234.125\r\n"));
    QCOMPARE(m_fx->app->store().program.ReturnFlag, 1);
    QCOMPARE(m_fx->app->store().adder.TapeTopRow, 1);
    QVERIFY(m_fx->fake.warnings.isEmpty());
}

void TestKasan::saveCancelledOrFailing()
{
    QTemporaryDir dir;
    enter(QStringLiteral("1"));
    toolbar()->button(2)->trigger(); // cancelled: no answer
    QVERIFY(m_fx->fake.warnings.isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);

    // A target that cannot be written is reported; an existing file there
    // stays as it was.
    const QString blocked = dir.filePath(QStringLiteral("blocked.KSN"));
    QDir(dir.path()).mkdir(QStringLiteral("blocked.KSN"));
    m_fx->fake.dialogAnswers << blocked << dir.filePath(QStringLiteral("missing/x.KSN"));
    toolbar()->button(2)->trigger();
    toolbar()->button(2)->trigger();
    QCOMPARE(m_fx->fake.warnings.size(), 2);
    QVERIFY(m_fx->fake.warnings.first().startsWith(QStringLiteral("ファイルを保存できませんでした！")));
    QVERIFY(QFileInfo(blocked).isDir());
    QCOMPARE(m_fx->app->store().adder.TapeCount, 1);
}

void TestKasan::openTapeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.KSN"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray bytes = "12,78,3\r\n";
        for (int i = 1; i <= 12; ++i)
            bytes += QByteArray::number(i) + "\r\n";
        f.write(bytes);
    }
    for (int i = 0; i < 15; ++i)
        enter(QStringLiteral("100"));
    click(m_kasan, QStringLiteral("Command2")); // fills the previous-calculation box
    for (int i = 0; i < 14; ++i)
        enter(QStringLiteral("9"));
    m_fx->fake.dialogAnswers << path;
    const int beeps = m_fx->fake.beeps;
    toolbar()->button(1)->trigger();
    QVERIFY(m_fx->fake.log.contains(QStringLiteral("open:%1|入力ﾌｧｲﾙ (*.KSN)|*.KSN")
                                        .arg(m_fx->app->store().program.StorageFolder)));
    QCOMPARE(m_fx->fake.beeps, beeps + 1);
    QCOMPARE(m_grid->text(12, 1), QStringLiteral("12. "));
    QCOMPARE(m_grid->text(13, 1), QString()); // rows beyond the file's count are emptied
    QCOMPARE(m_grid->text(14, 1), QString());
    QCOMPARE(m_grid->topRow(), 1);
    QCOMPARE(labelTexts(m_kasan, {"Label2", "Label5", "Label4", "Label6"}), (QStringList{"78. ", "12 ", "", ""}));
    QCOMPARE(m_fx->app->store().program.ReturnFlag, 1);
}

void TestKasan::openRejectedChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kind"); // what stands at the path: a file with the bytes, or not a file
    QTest::newRow("count above 1000") << QByteArray("1001,0,1\r\n") << "file";
    QTest::newRow("missing line") << QByteArray("3,6,1\r\n1\r\n2\r\n") << "file";
    QTest::newRow("not a number") << QByteArray("2,3,1\r\n1\r\nabc\r\n") << "file";
    QTest::newRow("not finite") << QByteArray("1,1,1\r\n1e999\r\n") << "file";
    QTest::newRow("empty") << QByteArray() << "file";
    QTest::newRow("a pipe named bad.KSN") << QByteArray() << "fifo";
    QTest::newRow("a folder named bad.KSN") << QByteArray() << "folder";
    QTest::newRow("a device") << QByteArray() << "device";
}

void TestKasan::openRejectedChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("bad.KSN"));
    if (kind == QLatin1String("file"))
        QVERIFY(writeBytes(path, bytes));
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("bad.KSN")));
    else if (kind == QLatin1String("device"))
        path = QStringLiteral("/dev/zero");
    else
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    // A pipe must be refused without being opened: should opening it wait
    // for a writer, one comes after two seconds and the test fails instead
    // of hanging.
    std::atomic<bool> returned{false};
    std::atomic<bool> waitedForWriter{false};
    std::thread writer;
    if (kind == QLatin1String("fifo")) {
        writer = std::thread([&] {
            for (int i = 0; i < 200 && !returned; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            while (!returned) {
                const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    waitedForWriter = true; // a reader had the pipe open
                    ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
    }
    enter(QStringLiteral("5"));
    enter(QStringLiteral("6"));
    m_fx->fake.dialogAnswers << path;
    toolbar()->button(1)->trigger();
    returned = true;
    if (writer.joinable())
        writer.join();
    QVERIFY(!waitedForWriter);
    QCOMPARE(m_fx->fake.warnings, QStringList{QStringLiteral("ファイルを読み込めませんでした！\n") + path});
    const AdderValues &a = m_fx->app->store().adder;
    QCOMPARE(a.TapeCount, 2);
    QCOMPARE(a.TapeTotal, 11.0);
    QCOMPARE(a.Tape[1], 5.0);
    QCOMPARE(a.Tape[2], 6.0);
    QCOMPARE(m_grid->text(2, 1), QStringLiteral("6. "));
    QCOMPARE(labelText(m_kasan, QStringLiteral("Label2")), QStringLiteral("11. "));
    // A missing file is reported the same way; a cancelled dialog says nothing.
    m_fx->fake.dialogAnswers << dir.filePath(QStringLiteral("gone.KSN"));
    toolbar()->button(1)->trigger();
    toolbar()->button(1)->trigger();
    QCOMPARE(m_fx->fake.warnings.size(), 2);
}

void TestKasan::printWindowFlow_data()
{
    QTest::addColumn<bool>("hideNumbers");
    QTest::newRow("する") << false;
    QTest::newRow("しない") << true;
}

void TestKasan::printWindowFlow()
{
    QFETCH(bool, hideNumbers);
    for (int i = 1; i <= 3; ++i)
        enter(QString::number(i * 10));
    toolbar()->button(3)->trigger();
    QCOMPARE(m_fx->app->store().program.ReturnFlag, 1);
    QWidget *insatsu = AppFixture::window(QStringLiteral("INSATSU"));
    QVERIFY(insatsu);
    QCOMPARE(insatsu->windowTitle(), QStringLiteral("印刷"));
    auto *option1 = child<QRadioButton>(insatsu, QStringLiteral("Option1"));
    auto *option2 = child<QRadioButton>(insatsu, QStringLiteral("Option2"));
    QCOMPARE(option1->text(), QStringLiteral("する"));
    QCOMPARE(option2->text(), QStringLiteral("しない"));
    QVERIFY(option1->isChecked());
    QCOMPARE(m_fx->app->store().adder.HideRowNumbers, 0);
    if (hideNumbers)
        option2->click();
    QCOMPARE(m_fx->app->store().adder.HideRowNumbers, hideNumbers ? 1 : 0);
    click(insatsu, QStringLiteral("Command1"));

    QCOMPARE(m_fx->fake.printJobs.size(), size_t(1));
    const PrintRecord &job = m_fx->fake.printJobs.front();
    QVERIFY(job.ended);
    bool numbered = false;
    for (const PrintedItem &item : job.texts())
        numbered = numbered || item.text == QLatin1String("1:");
    QCOMPARE(numbered, !hideNumbers);
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("INSATSU")), 0);
    // Back in the adding machine: activation ran, the tape is still there.
    QCOMPARE(m_fx->app->tracker().lastActive(), m_kasan);
    QCOMPARE(m_fx->app->store().adder.HideRowNumbers, 0);
    QCOMPARE(m_fx->app->store().adder.Tape.value(3), 30.0);
    QCOMPARE(labelText(m_kasan, QStringLiteral("Label2")), QStringLiteral("60. "));
    enter(QStringLiteral("4"));
    QCOMPARE(m_grid->text(4, 1), QStringLiteral("4. "));
    QCOMPARE(labelText(m_kasan, QStringLiteral("Label2")), QStringLiteral("64. "));
}

void TestKasan::previewAndPdf_data()
{
    QTest::addColumn<QString>("from"); // a toolbar button, or a button of INSATSU
    QTest::addColumn<bool>("hideNumbers");
    QTest::addColumn<QString>("logged");
    QTest::addColumn<bool>("printWindowStays");
    QTest::newRow("toolbar preview") << "6" << false << "preview:ZQ加算機|portrait" << false;
    QTest::newRow("toolbar PDF") << "7" << false << "pdf:ZQ加算機|portrait|%1" << false;
    QTest::newRow("INSATSU preview without numbers") << "Command3" << true << "preview:ZQ加算機|portrait" << true;
    QTest::newRow("INSATSU PDF") << "Command4" << false << "pdf:ZQ加算機|portrait|%1" << false;
}

// The tape seen before paper is used, or saved as a PDF file: the same
// drawing as the printout, with the row-number option of INSATSU.
void TestKasan::previewAndPdf()
{
    QFETCH(QString, from);
    QFETCH(bool, hideNumbers);
    QFETCH(QString, logged);
    QFETCH(bool, printWindowStays);
    QCOMPARE(toolbar()->buttonCount(), 7);
    QCOMPARE(toolbar()->button(5)->toolTip(), QStringLiteral("ﾍﾙﾌﾟ"));
    QCOMPARE(toolbar()->button(6)->toolTip(), QStringLiteral("印刷プレビュー"));
    QCOMPARE(toolbar()->button(7)->toolTip(), QStringLiteral("PDFに保存"));
    for (int i = 1; i <= 45; ++i)
        enter(QString::number(i));
    if (from.startsWith(QLatin1String("Command"))) {
        toolbar()->button(3)->trigger();
        QWidget *insatsu = AppFixture::window(QStringLiteral("INSATSU"));
        if (hideNumbers)
            child<QRadioButton>(insatsu, QStringLiteral("Option2"))->click();
        click(insatsu, from);
    } else {
        toolbar()->button(from.toInt())->trigger();
    }
    QCOMPARE(m_fx->fake.log.last(), logged.arg(m_fx->app->store().program.StorageFolder));
    QCOMPARE(m_fx->fake.printJobs.size(), size_t(1));
    const PrintRecord &job = m_fx->fake.printJobs.front();
    QCOMPARE(job.pages, 1);
    bool numbered = false;
    for (const PrintedItem &item : job.texts())
        numbered = numbered || item.text == QLatin1String("45:");
    QCOMPARE(numbered, !hideNumbers);
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("INSATSU")), printWindowStays ? 1 : 0);
    QCOMPARE(m_fx->app->store().adder.TapeCount, 45);
}

void TestKasan::printFailureKeepsTape()
{
    enter(QStringLiteral("7"));
    m_fx->fake.printSucceeds = false;
    toolbar()->button(3)->trigger();
    click(AppFixture::window(QStringLiteral("INSATSU")), QStringLiteral("Command1"));
    QCOMPARE(m_fx->fake.warnings, QStringList{QStringLiteral("印刷できませんでした！")});
    QCOMPARE(m_fx->app->store().adder.Tape.value(1), 7.0);
    QCOMPARE(m_grid->text(1, 1), QStringLiteral("7. "));

    // Cancel prints nothing.
    toolbar()->button(3)->trigger();
    click(AppFixture::window(QStringLiteral("INSATSU")), QStringLiteral("Command2"));
    QCOMPARE(m_fx->fake.printJobs.size(), size_t(1));
    QCOMPARE(m_fx->app->store().adder.Tape.value(1), 7.0);
}

void TestKasan::printWindowClosesWithAdder()
{
    toolbar()->button(3)->trigger();
    QVERIFY(AppFixture::window(QStringLiteral("INSATSU")));
    click(m_kasan, QStringLiteral("Command3"));
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("INSATSU")), 0);
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("KASAN")), 0);
    QVERIFY(AppFixture::window(QStringLiteral("MENU")));
}

void TestKasan::helpAndEnd()
{
    toolbar()->button(5)->trigger();
    toolbar()->button(5)->trigger();
    QCOMPARE(m_fx->fake.count(QStringLiteral("help-show:KASAN")), 2);
    QCOMPARE(m_fx->app->store().program.HelpShown, 1);
    click(m_kasan, QStringLiteral("Command1"));
    QCOMPARE(m_fx->fake.count(QStringLiteral("help-close:KASAN")), 1);
    QVERIFY(m_fx->app->hasEnded());
}

QTEST_MAIN(TestKasan)
#include "tst_kasan.moc"
