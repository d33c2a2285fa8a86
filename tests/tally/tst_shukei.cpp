#include "../support/app_fixture.h"
#include "../support/files.h"

#include "platform/indexed_toolbar.h"
#include "platform/key_box.h"
#include "platform/legacy_grid.h"
#include "platform/tool_window.h"
#include "platform/twips.h"
#include "tally/input_sheet.h"
#include "tally/shukei_window.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QAbstractItemView>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QStringEncoder>

using namespace zq;
using namespace zq::test;

class TestShukei : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensFromMenuFresh();
    void layout();
    void periodEntry_data();
    void periodEntry();
    void warningDoesNotResetWindow();
    void itemByEnterAndByList();
    void inputWalkBoxesSitOnRows();
    void clickInColumn2OfLine7();
    void overflowAndFullWidthInBoxes();
    void threeMonthsAcrossTheYear();
    void starEndsMonth();
    void confirmAfterGridClear();
    void confirmColumnIsTheTypedOne_data();
    void confirmColumnIsTheTypedOne();
    void resetEmptiesEverything();
    void returnPathKeepsItem();
    void backToMenuClearsWorkspace();
    void endButtons();
    void rowsFromASpreadsheet();

private:
    QWidget *w() const { return m_window; }
    KeyBox *box(const char *name) const { return child<KeyBox>(m_window, QString::fromLatin1(name)); }
    QPushButton *button(const char *name) const { return child<QPushButton>(m_window, QString::fromLatin1(name)); }
    LegacyGrid *g1() const { return child<LegacyGrid>(m_window, QStringLiteral("G1")); }
    TallyWorkspace &ws() { return m_fx->app->store().tally; }
    void enterIn(const char *name, const QString &text);
    void typeRow(const QString &key, const QString &count, const QString &amount);
    // Period, item and データ入力: the boxes ready for month 1.
    void startInput(const QString &start, const QString &end, const QString &item);

    std::unique_ptr<AppFixture> m_fx;
    QWidget *m_window = nullptr;
};

void TestShukei::init()
{
    m_fx = std::make_unique<AppFixture>();
    m_fx->app->showMenu();
    click(AppFixture::window(QStringLiteral("MENU")), QStringLiteral("Command6"));
    m_window = AppFixture::window(QStringLiteral("SHUKEI"));
    QVERIFY(m_window);
}

void TestShukei::cleanup()
{
    m_fx.reset();
}

void TestShukei::enterIn(const char *name, const QString &text)
{
    QWidget *target = child<QWidget>(m_window, QString::fromLatin1(name));
    if (auto *combo = qobject_cast<QComboBox *>(target)) {
        combo->setFocus(); // as the user clicks into it
        combo->setEditText(QString());
        typeText(combo, text);
        pressEnter(combo);
        return;
    }
    typeText(target, text);
    pressEnter(target);
}

void TestShukei::typeRow(const QString &key, const QString &count, const QString &amount)
{
    enterIn("Text3", key);
    enterIn("Text4", count);
    enterIn("Text5", amount);
}

void TestShukei::startInput(const QString &start, const QString &end, const QString &item)
{
    enterIn("Text1", start);
    enterIn("Text2", end);
    enterIn("Combo1", item);
    click(w(), QStringLiteral("Command6"));
}

void TestShukei::opensFromMenuFresh()
{
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("MENU")), 0);
    QCOMPARE(w()->windowTitle(), QStringLiteral("実績集計"));
    QCOMPARE(m_fx->app->store().program.MaxRows, 500);
    for (const char *name : {"Command1", "Command2", "Command3", "Command6", "Command8", "Command9", "Command10"})
        QVERIFY2(!button(name)->isEnabled(), name);
    for (const char *name : {"G1", "Text3", "Text4", "Text5"})
        QVERIFY2(!child<QWidget>(w(), QString::fromLatin1(name))->isEnabled(), name);
    QVERIFY(!child<QWidget>(w(), QStringLiteral("Frame3"))->isEnabled());
    auto *combo = child<QComboBox>(w(), QStringLiteral("Combo1"));
    QCOMPARE(combo->count(), 4);
    QCOMPARE(combo->currentText(), QStringLiteral("支払回数"));
    QCOMPARE(ws().ItemName, QStringLiteral("支払回数"));
    QCOMPARE(g1()->text(0, 1), QStringLiteral("支払回数"));
    QCOMPARE(g1()->rows(), 501);
    QCOMPARE(g1()->text(500, 0), QStringLiteral("500 "));
    QVERIFY(labelText(w(), QStringLiteral("Label23")).contains(QStringLiteral("ﾏｳｽｸﾘｯｸ")));
    QCOMPARE(labelText(w(), QStringLiteral("Label20")), QStringLiteral("** "));
    QCOMPARE(w()->focusWidget(), box("Text1"));
    QCOMPARE(ws().InputMonth, 1);
    QCOMPARE(ws().CurRow, 1);
}

void TestShukei::layout()
{
    QCOMPARE(static_cast<QMainWindow *>(w())->centralWidget()->size(), TwipsSize(10545, 7050));
    QCOMPARE(child<QWidget>(w(), QStringLiteral("Frame2"))->geometry(), TwipsRect(120, 1960, 6015, 5010));
    QCOMPARE(child<QWidget>(w(), QStringLiteral("Frame3"))->geometry(), TwipsRect(6240, 0, 4215, 5415));
    QCOMPARE(g1()->geometry(), TwipsRect(120, 600, 5790, 2740));
    QCOMPARE(g1()->colWidth(3), 2680);
    QCOMPARE(g1()->colAlignment(0), Qt::AlignHCenter);
    QCOMPARE(g1()->visibleDataRows(), 10);
    QCOMPARE(button("Command11")->text(), QStringLiteral("入力確定"));
    QCOMPARE(button("Command2")->text(), QStringLiteral("次月度 ＞"));
    QCOMPARE(button("Command3")->text(), QStringLiteral("＜ 前月度"));
    QCOMPARE(button("Command4")->text(), QStringLiteral("ﾘｾｯﾄ"));
    auto *toolbar = child<IndexedToolbar>(w(), QStringLiteral("Toolbar1"));
    QCOMPARE(toolbar->buttonCount(), 6);
    QVERIFY(!toolbar->button(3));
    QCOMPARE(toolbar->button(6)->toolTip(), QStringLiteral("ﾍﾙﾌﾟ"));
    // The earlier program's items in their places; the CSV rows after ﾌｧｲﾙを開く, the previews and PDF
    // files right after their printouts.
    const QStringList items{"M1", "L1", "M2", "M21", "M3", "L2", "M4", "M41", "M42", "M5", "M51", "M52", "L3", "M6", "L4", "M7"};
    QStringList names;
    for (QAction *a : child<QMenu>(w(), QStringLiteral("MMM"))->actions())
        names << a->objectName();
    QCOMPARE(names, items);
    for (const char *popup : {"MM1", "MM5"})
        QVERIFY(!child<QMenu>(w(), QString::fromLatin1(popup))->menuAction()->isVisible());
    QCOMPARE(w()->findChild<QAction *>(QStringLiteral("MM31"))->shortcut().toString(), QStringLiteral("Ctrl+D"));
}

void TestShukei::periodEntry_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("label2");
    QTest::addColumn<QString>("label3");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<int>("monthCount");

    QTest::newRow("11 to 4") << "11" << "4" << "11 " << "4 " << QStringList{} << 6;
    QTest::newRow("11 to 5") << "11" << "5" << "11 " << "" << QStringList{"６ｹ月以内！"} << 0;
    QTest::newRow("13") << "13" << "" << "" << "" << QStringList{"月が違います！", "月が違います！"} << 0;
    QTest::newRow("0 skips the end") << "0" << "" << "** " << "** " << QStringList{} << 1;
    QTest::newRow("end 1.5") << "1" << "1.5" << "1 " << "" << QStringList{"月が違います！"} << 0;
}

void TestShukei::periodEntry()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, label2);
    QFETCH(QString, label3);
    QFETCH(QStringList, warnings);
    QFETCH(int, monthCount);
    enterIn("Text1", start);
    if (start != QLatin1String("0"))
        enterIn("Text2", end);
    else
        QCOMPARE(w()->focusWidget(), child<QComboBox>(w(), QStringLiteral("Combo1")));
    QCOMPARE(labelText(w(), QStringLiteral("Label2")), label2);
    QCOMPARE(labelText(w(), QStringLiteral("Label3")), label3);
    QCOMPARE(m_fx->fake.warnings, warnings);
    QCOMPARE(m_fx->fake.beeps, warnings.size());
    QCOMPARE(ws().MonthCount, monthCount);
    QCOMPARE(box("Text1")->text(), QString());
}

void TestShukei::warningDoesNotResetWindow()
{
    enterIn("Text1", QStringLiteral("4"));
    enterIn("Text2", QStringLiteral("12"));
    QCOMPARE(m_fx->fake.warnings, QStringList{QStringLiteral("６ｹ月以内！")});
    // The box closing gives the focus back: a plain activation of SHUKEI.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(w(), &activate);
    QCOMPARE(child<QComboBox>(w(), QStringLiteral("Combo1"))->count(), 4);
    QCOMPARE(labelText(w(), QStringLiteral("Label2")), QStringLiteral("4 "));
    QCOMPARE(ws().StartMonth, 4.0);
}

void TestShukei::itemByEnterAndByList()
{
    enterIn("Text1", QStringLiteral("3"));
    enterIn("Text2", QStringLiteral("5"));
    // The item box gets the focus with its name selected: typing replaces it.
    auto *combo = child<QComboBox>(w(), QStringLiteral("Combo1"));
    QCOMPARE(w()->focusWidget(), combo);
    QCOMPARE(combo->lineEdit()->selectedText(), QStringLiteral("支払回数"));
    enterIn("Combo1", QStringLiteral("部門コード"));
    QCOMPARE(ws().ItemName, QStringLiteral("部門コード"));
    QCOMPARE(g1()->text(0, 1), QStringLiteral("部門コード"));
    QCOMPARE(labelText(w(), QStringLiteral("Label20")), QStringLiteral("3 "));
    const QString help = labelText(w(), QStringLiteral("Label23"));
    QVERIFY(help.contains(QStringLiteral("● 入力終了＝ 部門コード入力の最終行に  ｢*｣ ｴﾝﾀｰ すると")));
    QVERIFY(help.contains(QStringLiteral("● 移動方法＝↓↑→← ｷｰで移動できます。")));
    QVERIFY(button("Command6")->isEnabled());
    QCOMPARE(w()->focusWidget(), button("Command6"));
    QCOMPARE(m_fx->app->store().program.WorkText.count(QStringLiteral("\r\n")), 4);

    // A typed name that is in the list is still typed: variant B, also once
    // the focus has moved on to Command6.
    enterIn("Combo1", QStringLiteral("店番号"));
    QCOMPARE(w()->focusWidget(), button("Command6"));
    QCOMPARE(ws().ItemName, QStringLiteral("店番号"));
    QVERIFY(labelText(w(), QStringLiteral("Label23")).contains(QStringLiteral("店番号入力の最終行に  ｢*｣ ｴﾝﾀｰ すると")));

    // A name typed through an input method is not completed from the list.
    combo->setFocus();
    combo->setEditText(QString());
    commitText(combo->lineEdit(), QStringLiteral("たんとう"), QStringLiteral("担当"));
    QCOMPARE(combo->currentText(), QStringLiteral("担当"));
    QVERIFY(!combo->lineEdit()->hasSelectedText());
    pressEnter(combo);
    QCOMPARE(ws().ItemName, QStringLiteral("担当"));
    QCOMPARE(g1()->text(0, 1), QStringLiteral("担当"));

    // A click on a list entry: variant A.
    combo->showPopup();
    QTest::qWait(QApplication::doubleClickInterval() + 50); // a release right after opening is ignored
    const QModelIndex third = combo->view()->model()->index(2, 0);
    QTest::mouseClick(combo->view()->viewport(), Qt::LeftButton, {}, combo->view()->visualRect(third).center());
    QCOMPARE(ws().ItemName, QStringLiteral("店番号"));
    QVERIFY(labelText(w(), QStringLiteral("Label23")).contains(QStringLiteral("店番号入力の最終行に  ｢*｣ ｴﾝﾀｰ するか")));
}

void TestShukei::inputWalkBoxesSitOnRows()
{
    startInput(QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("担当者NO"));
    QVERIFY(g1()->isEnabled());
    QCOMPARE(w()->focusWidget(), box("Text3"));
    QWidget *frame2 = child<QWidget>(w(), QStringLiteral("Frame2"));
    for (int r = 1; r <= 11; ++r) {
        typeRow(QString::number(100 + r), QStringLiteral("1"), QString::number(r * 1000));
        const int line = qMin(r + 1, 10);
        QCOMPARE(ws().CurLine, line);
        // The boxes stand inside the cells of their row and column.
        for (int c = 1; c <= 3; ++c) {
            QWidget *b = box(c == 1 ? "Text3" : c == 2 ? "Text4" : "Text5");
            QCOMPARE(b->y(), Px(InputBoxTop(line)));
            QRect cell = g1()->cellRect(ws().CurRow, c);
            cell.moveTopLeft(g1()->viewport()->mapTo(frame2, cell.topLeft()));
            QVERIFY2(cell.contains(b->geometry()), qPrintable(QStringLiteral("row %1 col %2").arg(r).arg(c)));
        }
    }
    QCOMPARE(g1()->topRow(), 3);
    QCOMPARE(ws().CurRow, 12);
    QCOMPARE(g1()->text(11, 3), QStringLiteral("11,000 "));
    QCOMPARE(labelTexts(w(), {"Label24", "Label25"}), (QStringList{"11 ", "66,000 "}));
    QCOMPARE(w()->focusWidget(), box("Text3"));
}

void TestShukei::clickInColumn2OfLine7()
{
    startInput(QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("担当者NO"));
    g1()->setTopRow(5);
    const QRect cell = g1()->cellRect(11, 2);
    QTest::mouseClick(g1()->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(ws().CurRow, 11);
    QCOMPARE(ws().CurLine, 7);
    QCOMPARE(box("Text3")->y(), Px(InputBoxTop(7)));
    QCOMPARE(box("Text5")->y(), Px(InputBoxTop(7)));
    QCOMPARE(w()->focusWidget(), box("Text4"));
    enterIn("Text4", QStringLiteral("42"));
    QCOMPARE(g1()->text(11, 2), QStringLiteral("42 "));
    // A click on a row number or on the header row moves no focus: the
    // amount box keeps it, though the count's column is the grid's current.
    QCOMPARE(w()->focusWidget(), box("Text5"));
    QTest::mouseClick(g1()->viewport(), Qt::LeftButton, {}, g1()->cellRect(12, 0).center());
    QTest::mouseClick(g1()->viewport(), Qt::LeftButton, {}, g1()->cellRect(0, 2).center());
    QCOMPARE(w()->focusWidget(), box("Text5"));
    QCOMPARE(ws().CurRow, 11);
    typeText(w()->focusWidget(), QStringLiteral("7"));
    pressEnter(w()->focusWidget());
    QCOMPARE(g1()->text(11, 3), QStringLiteral("7 "));
    QCOMPARE(g1()->text(11, 2), QStringLiteral("42 "));
}

void TestShukei::overflowAndFullWidthInBoxes()
{
    startInput(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("担当者NO"));
    enterIn("Text3", QStringLiteral("１２"));
    QCOMPARE(g1()->text(1, 1), QStringLiteral("12 "));
    enterIn("Text4", QStringLiteral("1e400"));
    QCOMPARE(m_fx->fake.beeps, 1);
    QVERIFY(m_fx->fake.warnings.isEmpty());
    QCOMPARE(box("Text4")->text(), QStringLiteral("1e400"));
    QCOMPARE(g1()->text(1, 2), QString());
    QCOMPARE(w()->focusWidget(), box("Text4"));
}

void TestShukei::threeMonthsAcrossTheYear()
{
    startInput(QStringLiteral("12"), QStringLiteral("2"), QStringLiteral("店番号"));
    QCOMPARE(ws().MonthCount, 3);
    QCOMPARE(labelText(w(), QStringLiteral("Label20")), QStringLiteral("12 "));

    typeRow("1", "2", "1000");
    typeRow("2", "3", "2000");
    click(w(), QStringLiteral("Command11"));
    QCOMPARE(ws().monthRows(1), 2);
    QVERIFY(button("Command1")->isEnabled());
    QVERIFY(button("Command2")->isEnabled());
    QVERIFY(!button("Command3")->isEnabled());
    QCOMPARE(w()->focusWidget(), button("Command2"));
    QCOMPARE(m_fx->fake.beeps, 0);

    click(w(), QStringLiteral("Command2"));
    QCOMPARE(ws().InputMonth, 2);
    QCOMPARE(labelText(w(), QStringLiteral("Label20")), QStringLiteral("1 "));
    QCOMPARE(m_fx->fake.beeps, 1);
    QCOMPARE(g1()->text(1, 1), QString());
    QCOMPARE(box("Text3")->geometry(), TwipsRect(720, 900, 450, 195));
    typeRow("7", "1", "70");
    click(w(), QStringLiteral("Command11"));
    click(w(), QStringLiteral("Command2"));
    QCOMPARE(labelText(w(), QStringLiteral("Label20")), QStringLiteral("2 "));
    typeRow("9", "9", "9");
    typeRow("8", "8", "8");
    click(w(), QStringLiteral("Command11"));
    QCOMPARE(m_fx->fake.beeps, 3); // new month 2, new month 3, last month confirmed

    click(w(), QStringLiteral("Command3"));
    click(w(), QStringLiteral("Command3"));
    QCOMPARE(ws().InputMonth, 1);
    QCOMPARE(g1()->text(2, 3), QStringLiteral("2,000 "));
    QCOMPARE(labelTexts(w(), {"Label24", "Label25"}), (QStringList{"5 ", "3,000 "}));
    QVERIFY(!button("Command3")->isEnabled());
    click(w(), QStringLiteral("Command2"));
    click(w(), QStringLiteral("Command2"));
    QCOMPARE(ws().InputMonth, 3);
    QCOMPARE(g1()->text(1, 1), QStringLiteral("9 "));
    QCOMPARE(g1()->text(2, 2), QStringLiteral("8 "));
    QCOMPARE(labelTexts(w(), {"Label24", "Label25"}), (QStringList{"17 ", "17 "}));
    QVERIFY(!button("Command2")->isEnabled());
    QCOMPARE(w()->focusWidget(), button("Command3"));
}

void TestShukei::starEndsMonth()
{
    startInput(QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("店番号"));
    for (int r = 1; r <= 6; ++r)
        typeRow(QString::number(r), "1", "1");
    // Back up to row 5 and end the month there.
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(box("Text3"), Qt::Key_Up);
    QCOMPARE(ws().CurRow, 5);
    enterIn("Text3", QStringLiteral("*"));
    QCOMPARE(ws().monthRows(1), 4);
    QCOMPARE(g1()->text(5, 1), QString());
    QCOMPARE(g1()->text(6, 3), QString());
    QCOMPARE(box("Text3")->text(), QString());
    QVERIFY(button("Command1")->isEnabled());
    QCOMPARE(w()->focusWidget(), button("Command2"));
}

void TestShukei::confirmAfterGridClear()
{
    startInput(QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("店番号"));
    // Right after Command6 on a fresh window: nothing to confirm.
    click(w(), QStringLiteral("Command11"));
    QCOMPARE(ws().monthRows(1), 0);
    typeRow("1", "1", "1");
    click(w(), QStringLiteral("Command11"));
    click(w(), QStringLiteral("Command2"));
    // A new month with the row-number column current: still nothing, not
    // 500 rows of zeros.
    QCOMPARE(g1()->col(), 0);
    click(w(), QStringLiteral("Command11"));
    QCOMPARE(ws().monthRows(2), 0);
}

void TestShukei::confirmColumnIsTheTypedOne_data()
{
    QTest::addColumn<bool>("inputMethod");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("rows");
    // An arrow is no typed character: the column to confirm stays the key's.
    QTest::newRow("arrow") << false << 1 << 8;
    // Text committed by an input method is typed: the count's column.
    QTest::newRow("input method commit") << true << 2 << 7;
}

void TestShukei::confirmColumnIsTheTypedOne()
{
    QFETCH(bool, inputMethod);
    QFETCH(int, column);
    QFETCH(int, rows);
    startInput(QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("店番号"));
    for (int r = 1; r <= 7; ++r)
        typeRow(QString::number(r), "1", "1");
    enterIn("Text3", QStringLiteral("8")); // a key alone on row 8
    if (inputMethod)
        commitText(box("Text4"), QStringLiteral("２"), QStringLiteral("２"));
    else
        QTest::keyClick(box("Text4"), Qt::Key_Up);
    QCOMPARE(g1()->col(), column);
    click(w(), QStringLiteral("Command11"));
    QCOMPARE(ws().monthRows(1), rows);
}

void TestShukei::resetEmptiesEverything()
{
    startInput(QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("店番号"));
    typeRow("1", "2", "3");
    click(w(), QStringLiteral("Command11"));
    click(w(), QStringLiteral("Command4"));
    for (const char *label : {"Label2", "Label3", "Label24", "Label25", "Label8", "Label15", "Label17"})
        QCOMPARE(labelText(w(), QString::fromLatin1(label)), QString());
    QCOMPARE(labelText(w(), QStringLiteral("Label20")), QStringLiteral("** "));
    QCOMPARE(ws().ItemName, QStringLiteral("支払回数"));
    QCOMPARE(ws().MonthCount, 0);
    QCOMPARE(ws().monthRows(1), 0);
    QCOMPARE(m_fx->app->store().program.MaxRows, 500);
    QCOMPARE(g1()->text(1, 1), QString());
    QCOMPARE(g1()->text(1, 0), QStringLiteral("1 "));
    QCOMPARE(g1()->text(0, 1), QStringLiteral("支払回数"));
    for (const char *name : {"Command1", "Command2", "Command3", "Command6", "Command10"})
        QVERIFY2(!button(name)->isEnabled(), name);
    QCOMPARE(w()->focusWidget(), box("Text1"));
    QCOMPARE(box("Text3")->geometry(), TwipsRect(740, 900, 450, 195));
    // "*" after a reset has no period: the tally stays off.
    enterIn("Text3", QStringLiteral("*"));
    QVERIFY(!button("Command1")->isEnabled());
}

void TestShukei::returnPathKeepsItem()
{
    startInput(QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("部門"));
    typeRow("11", "1", "100");
    click(w(), QStringLiteral("Command11"));
    click(w(), QStringLiteral("Command2"));
    typeRow("22", "2", "200");
    click(w(), QStringLiteral("Command11"));

    // The list window closes with ReturnFlag set and month 2 chosen.
    auto *list = new OtherWindow(m_fx->app->tracker(), QStringLiteral("ICHIRAN"));
    list->showAndActivate();
    m_fx->app->store().program.ReturnFlag = 1;
    ws().InputMonth = 2;
    list->close();
    static_cast<ToolWindow *>(w())->showAndActivate();

    QCOMPARE(ws().ItemName, QStringLiteral("部門"));
    QCOMPARE(g1()->text(0, 1), QStringLiteral("部門"));
    QCOMPARE(ws().InputMonth, 1);
    QCOMPARE(g1()->text(1, 1), QStringLiteral("11 "));
    QCOMPARE(labelText(w(), QStringLiteral("Label20")), QStringLiteral("4 "));
    QVERIFY(labelText(w(), QStringLiteral("Label23")).contains(QStringLiteral("部門入力")));
    QCOMPARE(child<QComboBox>(w(), QStringLiteral("Combo1"))->count(), 4);
    QCOMPARE(m_fx->app->store().program.ReturnFlag, 0);
    QVERIFY(button("Command2")->isEnabled());
    QCOMPARE(w()->focusWidget(), box("Text3"));
}

void TestShukei::backToMenuClearsWorkspace()
{
    startInput(QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("店番号"));
    typeRow("1", "1", "1");
    click(w(), QStringLiteral("Command11"));
    click(w(), QStringLiteral("Command5"));
    QVERIFY(AppFixture::window(QStringLiteral("MENU")));
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("SHUKEI")), 0);
    QCOMPARE(ws().MonthCount, 0);
    QCOMPARE(ws().monthRows(1), 0);
    QCOMPARE(m_fx->app->store().program.MaxRows, 0);
    // A new tally window starts empty.
    click(AppFixture::window(QStringLiteral("MENU")), QStringLiteral("Command6"));
    QWidget *again = AppFixture::window(QStringLiteral("SHUKEI"));
    QCOMPARE(child<LegacyGrid>(again, QStringLiteral("G1"))->text(1, 1), QString());
    QCOMPARE(labelText(again, QStringLiteral("Label2")), QString());
}

void TestShukei::endButtons()
{
    m_fx->app->store().program.HelpShown = 1;
    w()->findChild<QAction *>(QStringLiteral("MM41"))->trigger();
    QCOMPARE(m_fx->fake.count(QStringLiteral("help-show:SHUKEI")), 1);
    click(w(), QStringLiteral("Command7"));
    QCOMPARE(m_fx->fake.count(QStringLiteral("help-close:SHUKEI")), 1);
    QVERIFY(m_fx->app->hasEnded());
}

QTEST_MAIN(TestShukei)
#include "tst_shukei.moc"

// Rows pasted with Ctrl+V, from the grid's pop-up and from a CSV file follow
// the typed rows; a refused paste changes nothing.
void TestShukei::rowsFromASpreadsheet()
{
    auto *csvItem = w()->findChild<QAction *>(QStringLiteral("M21"));
    auto *paste = w()->findChild<QAction *>(QStringLiteral("MM51"));
    QVERIFY(!csvItem->isEnabled() && !paste->isEnabled()); // not before データ入力
    startInput(QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("店番号"));
    QVERIFY(csvItem->isEnabled() && paste->isEnabled());
    typeRow("1", "1", "1000");

    const auto clipboard = [this](const QString &text) {
        m_fx->fake.clipboardText = text;
        QGuiApplication::clipboard()->setText(text); // what enables the box menu's 貼り付け
    };
    // One cell goes into the box, as before.
    clipboard(QStringLiteral("1234\n"));
    QTest::keyClick(box("Text3"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box("Text3")->text(), QStringLiteral("1234"));
    QCOMPARE(g1()->text(2, 1), QString());

    clipboard(QStringLiteral("店番号\t件数\t金額\n101\t2\t3,000\n102\t1\t500\n"));
    // The box's own pop-up menu pastes the rows too.
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2), box("Text4")->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(box("Text4"), &menuEvent);
    auto *boxMenu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(boxMenu);
    QAction *boxPaste = boxMenu->actions().value(5); // 元に戻す, やり直す, -, 切り取り, コピー, 貼り付け
    boxMenu->close();
    boxPaste->trigger();
    QCOMPARE(g1()->text(2, 1), QStringLiteral("101 "));
    QCOMPARE(child<QLabel>(w(), QStringLiteral("Label25"))->text(), QStringLiteral("4,500 "));
    QCOMPARE(box("Text3")->text(), QString()); // the box follows the rows, without the unconfirmed key
    QCOMPARE(w()->focusWidget(), box("Text3"));
    QCOMPARE(ws().CurRow, 4);
    QCOMPARE(box("Text3")->y(), Px(InputBoxTop(4)));

    // Line 2 is no row: a warning naming it, and the month as it was.
    clipboard(QStringLiteral("7\t1\t1\n8\t1\t=A1*2\n"));
    paste->trigger();
    QCOMPARE(m_fx->fake.warnings.size(), 1);
    QVERIFY2(m_fx->fake.warnings[0].startsWith(QStringLiteral("2行目を取り込めません：金額が数値ではありません\n「8\t1\t=A1*2」")),
             qPrintable(m_fx->fake.warnings[0]));
    QCOMPARE(g1()->text(4, 1), QString());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("店舗.csv"));
    QVERIFY(writeBytes(path, QStringEncoder("CP932").encode(QStringLiteral("103,4,\"12,000\"\r\n"))));
    m_fx->fake.dialogAnswers << path;
    csvItem->trigger();
    QVERIFY(m_fx->fake.log.contains(QStringLiteral("open:%1|CSVﾌｧｲﾙ (*.csv *.txt)|*.csv *.txt")
                                        .arg(m_fx->app->store().program.StorageFolder)));
    click(w(), QStringLiteral("Command11"));
    QCOMPARE(ws().monthRows(1), 4);
    QCOMPARE(ws().Amount[1].value(4), 12000.0);
}
