#include "../support/app_fixture.h"
#include "../support/files.h"

#include "platform/indexed_toolbar.h"
#include "platform/legacy_grid.h"
#include "platform/twips.h"
#include "tally/input_sheet.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QMenu>

using namespace zq;
using namespace zq::test;

class TestResultsPart : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tallyShowsResults();
    void stepButtonsClamp();
    void copyGrids();
    void popupAndSelection();
    void saveNeedsTally();
    void saveResetOpenGivesSameResults();
    void rejectedOpenChangesNothing_data();
    void rejectedOpenChangesNothing();
    void noPeriodTally();

private:
    QWidget *w() const { return m_window; }
    LegacyGrid *grid(const char *name) const { return child<LegacyGrid>(m_window, QString::fromLatin1(name)); }
    void enterIn(const char *name, const QString &text);
    void typeRow(const QString &key, const QString &count, const QString &amount);
    void workedExample();
    QStringList gridRows(const char *name) const;
    IndexedToolbar *toolbar() const { return child<IndexedToolbar>(m_window, QStringLiteral("Toolbar1")); }

    std::unique_ptr<AppFixture> m_fx;
    QWidget *m_window = nullptr;
};

void TestResultsPart::init()
{
    m_fx = std::make_unique<AppFixture>();
    m_fx->app->openTally();
    m_window = AppFixture::window(QStringLiteral("SHUKEI"));
    QVERIFY(m_window);
}

void TestResultsPart::cleanup()
{
    m_fx.reset();
}

void TestResultsPart::enterIn(const char *name, const QString &text)
{
    QWidget *target = child<QWidget>(m_window, QString::fromLatin1(name));
    if (auto *combo = qobject_cast<QComboBox *>(target))
        combo->setEditText(QString());
    typeText(target, text);
    pressEnter(target);
}

void TestResultsPart::typeRow(const QString &key, const QString &count, const QString &amount)
{
    enterIn("Text3", key);
    enterIn("Text4", count);
    enterIn("Text5", amount);
}

// Two months: (7, 1, 500), (3, 2, 1000), (7, 1, 300); then (3, 1, 200), (5, 4, 800).
void TestResultsPart::workedExample()
{
    enterIn("Text1", QStringLiteral("11"));
    enterIn("Text2", QStringLiteral("12"));
    enterIn("Combo1", QStringLiteral("担当者NO"));
    click(w(), QStringLiteral("Command6"));
    typeRow("7", "1", "500");
    typeRow("3", "2", "1000");
    typeRow("7", "1", "300");
    enterIn("Text3", QStringLiteral("*"));
    click(w(), QStringLiteral("Command2"));
    typeRow("3", "1", "200");
    typeRow("5", "4", "800");
    enterIn("Text3", QStringLiteral("*"));
    m_fx->fake.beeps = 0;
    click(w(), QStringLiteral("Command1"));
}

QStringList TestResultsPart::gridRows(const char *name) const
{
    return grid(name)->allText().split(u'\r');
}

void TestResultsPart::tallyShowsResults()
{
    workedExample();
    QCOMPARE(gridRows("G3"), (QStringList{QStringLiteral("NO\t担当者NO\t件数\t金　額"), QStringLiteral("1 \t3 \t3 \t1,200 "),
                                          QStringLiteral("2 \t5 \t4 \t800 "), QStringLiteral("3 \t7 \t2 \t800 ")}));
    QCOMPARE(gridRows("G2"), (QStringList{QStringLiteral("NO\t担当者NO\t件数\t金　額"), QStringLiteral("1 \t3 \t2 \t1,000 "),
                                          QStringLiteral("2 \t7 \t2 \t800 ")}));
    QCOMPARE(labelTexts(w(), {"Label8", "Label15", "Label16", "Label10", "Label11", "Label18", "Label17"}),
             (QStringList{"11", "4 ", "1,800 ", "11", "12", "9 ", "2,800 "}));
    QVERIFY(child<QWidget>(w(), QStringLiteral("Frame3"))->isEnabled());
    for (const char *name : {"Command8", "Command9", "Command10"})
        QVERIFY(child<QPushButton>(w(), QString::fromLatin1(name))->isEnabled());
    QCOMPARE(m_fx->fake.beeps, 1);
    QCOMPARE(w()->focusWidget(), child<QWidget>(w(), QStringLiteral("Command9")));
    QCOMPARE(m_fx->app->store().results.ResultMonth, 1);
}

void TestResultsPart::stepButtonsClamp()
{
    // The clamping itself is tst_result_grids'; here the buttons and labels.
    workedExample();
    click(w(), QStringLiteral("Command8"));
    QCOMPARE(m_fx->app->store().results.ResultMonth, 1);
    click(w(), QStringLiteral("Command9"));
    QCOMPARE(m_fx->app->store().results.ResultMonth, 2);
    QCOMPARE(labelText(w(), QStringLiteral("Label8")), QStringLiteral("12"));
    QCOMPARE(gridRows("G2").at(2), QStringLiteral("2 \t5 \t4 \t800 "));
    QCOMPARE(labelTexts(w(), {"Label15", "Label16"}), (QStringList{"5 ", "1,000 "}));
}

void TestResultsPart::copyGrids()
{
    workedExample();
    w()->findChild<QAction *>(QStringLiteral("MM21"))->trigger();
    QCOMPARE(m_fx->fake.clipboardText,
             QStringLiteral("NO\t担当者NO\t件数\t金　額\r1 \t3 \t3 \t1,200 \r2 \t5 \t4 \t800 \r3 \t7 \t2 \t800 "));
    QCOMPARE(m_fx->fake.log.mid(m_fx->fake.log.size() - 2, 1), QStringList{QStringLiteral("clipboard-clear")});
    QCOMPARE(grid("G3")->row(), 1);
    QCOMPARE(grid("G3")->col(), 1);
    // Ctrl+C while the month grid has the focus copies the month grid.
    grid("G2")->setFocus();
    QTest::keyClick(grid("G2"), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(m_fx->fake.clipboardText.startsWith(QStringLiteral("NO\t担当者NO\t件数\t金　額\r1 \t3 \t2 \t1,000 ")));
    QCOMPARE(m_fx->fake.clipboardText.count(u'\r'), 2);
}

void TestResultsPart::popupAndSelection()
{
    workedExample();
    LegacyGrid *g3 = grid("G3");
    const QRect cell = g3->cellRect(2, 2);
    QTest::mouseClick(g3->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(g3->highlightMode(), LegacyGrid::HighlightMode::WithFocus);
    QCOMPARE(g3->selectionLeft(), 1);
    QCOMPARE(g3->selectionRight(), 3);
    QCOMPARE(g3->selectionTop(), 2);
    QTest::mousePress(g3->viewport(), Qt::RightButton, {}, cell.center());
    auto *menu = w()->findChild<QMenu *>(QStringLiteral("MM2"));
    QVERIFY(menu->isVisible());
    menu->close();
    QTest::mouseRelease(g3->viewport(), Qt::RightButton, {}, cell.center());
}

void TestResultsPart::saveNeedsTally()
{
    toolbar()->button(2)->trigger();
    QCOMPARE(m_fx->fake.warnings, QStringList{QStringLiteral("集計が確定してから保存して下さい！")});
    QCOMPARE(m_fx->fake.beeps, 0);
    QCOMPARE(m_fx->fake.count(QStringLiteral("save:")), 0);

    // An item name the file cannot hold is refused before the dialog.
    workedExample();
    enterIn("Combo1", QStringLiteral("Café番号"));
    m_fx->fake.warnings.clear();
    m_fx->fake.beeps = 0;
    toolbar()->button(2)->trigger();
    QCOMPARE(m_fx->fake.warnings, QStringList{QStringLiteral("項目名の「é」はファイルに保存できません！")});
    QCOMPARE(m_fx->fake.beeps, 1);
    QCOMPARE(m_fx->fake.count(QStringLiteral("save:")), 0);
}

void TestResultsPart::saveResetOpenGivesSameResults()
{
    QTemporaryDir dir;
    m_fx->app->store().program.StorageFolder = dir.path();
    workedExample();
    const QStringList g3 = gridRows("G3");
    const QString path = dir.filePath(QStringLiteral("tally.SUK"));
    m_fx->fake.dialogAnswers << path;
    w()->findChild<QAction *>(QStringLiteral("M3"))->trigger();
    QCOMPARE(m_fx->fake.log.last(), QStringLiteral("save:%1|集計ﾌｧｲﾙ (*.SUK)|*.SUK|1").arg(dir.path()));
    QVERIFY(fileBytes(path).startsWith("2,\""));
    QVERIFY(m_fx->fake.warnings.isEmpty());

    // ﾘｾｯﾄ clears the results; they cannot be saved until the next tally.
    click(w(), QStringLiteral("Command4"));
    QCOMPARE(m_fx->app->store().results.PeriodKeyCount, 0);
    QCOMPARE(grid("G3")->rows(), 6);
    QCOMPARE(grid("G3")->text(1, 1), QString());
    QCOMPARE(gridRows("G2").first(), QStringLiteral("NO\t\t件数\t金　額")); // cleared before the item is chosen again
    QCOMPARE(grid("G2")->text(1, 1), QString());
    QVERIFY(!child<QWidget>(w(), QStringLiteral("Frame3"))->isEnabled());
    QCOMPARE(labelText(w(), QStringLiteral("Label17")), QString());
    toolbar()->button(2)->trigger();
    QCOMPARE(m_fx->fake.warnings, QStringList{QStringLiteral("集計が確定してから保存して下さい！")});
    m_fx->fake.warnings.clear();

    // The edit boxes stand on row 5 when the file is opened...
    LegacyGrid *input = grid("G1");
    input->setEnabled(true);
    QTest::mouseClick(input->viewport(), Qt::LeftButton, {}, input->cellRect(5, 2).center());
    QCOMPARE(m_fx->app->store().tally.CurRow, 5);

    m_fx->fake.dialogAnswers << path;
    toolbar()->button(1)->trigger();
    QVERIFY(m_fx->fake.log.contains(QStringLiteral("open:%1|集計ﾌｧｲﾙ (*.SUK)|*.SUK").arg(dir.path())));
    // ...and come back to row 1, where the next value typed goes.
    QCOMPARE(child<QWidget>(w(), QStringLiteral("Text3"))->y(), Px(InputBoxTop(1)));
    QCOMPARE(gridRows("G3"), g3);
    QCOMPARE(labelTexts(w(), {"Label2", "Label3", "Label20"}), (QStringList{"11 ", "12 ", "11 "}));
    QCOMPARE(child<QComboBox>(w(), QStringLiteral("Combo1"))->currentText(), QStringLiteral("担当者NO"));
    LegacyGrid *g1 = grid("G1");
    QCOMPARE(g1->text(0, 1), QStringLiteral("担当者NO"));
    QCOMPARE(g1->text(1, 1), QStringLiteral("7 "));
    QCOMPARE(g1->text(2, 3), QStringLiteral("1,000 "));
    QCOMPARE(labelTexts(w(), {"Label24", "Label25"}), (QStringList{"4 ", "1,800 "}));
    QVERIFY(g1->isEnabled());
    QCOMPARE(m_fx->app->store().tally.InputMonth, 1);
    QCOMPARE(m_fx->app->store().tally.CurRow, 1);

    // The opened tally can be saved again at once.
    const QString again = dir.filePath(QStringLiteral("again.SUK"));
    m_fx->fake.dialogAnswers << again;
    toolbar()->button(2)->trigger();
    QCOMPARE(fileBytes(again), fileBytes(path));

    // An item name typed with an input method, 〜 (WAVE DASH) in it, is saved
    // as code page 932 holds it and comes back so.
    auto *combo = child<QComboBox>(w(), QStringLiteral("Combo1"));
    combo->setFocus();
    combo->setEditText(QString());
    commitText(combo->lineEdit(), QStringLiteral("４がつ〜６がつ"), QStringLiteral("4月〜6月"));
    pressEnter(combo);
    m_fx->fake.dialogAnswers << again << again;
    toolbar()->button(2)->trigger();
    QVERIFY(m_fx->fake.warnings.isEmpty());
    QVERIFY(fileBytes(again).startsWith("2,\"4\x8c\x8e\x81\x60" "6\x8c\x8e\","));
    toolbar()->button(1)->trigger();
    QCOMPARE(m_fx->app->store().tally.ItemName, QStringLiteral("4月～6月"));
    QCOMPARE(grid("G1")->text(0, 1), QStringLiteral("4月～6月"));
}

void TestResultsPart::rejectedOpenChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("month count 9") << QByteArray("9,\"x\",1,2\r\n");
    QTest::newRow("rows missing") << QByteArray("1,\"x\",1,1\r\n3\r\n1\r\n1,1,1\r\n");
    QTest::newRow("period month 14") << QByteArray("1,\"x\",1,1\r\n0\r\n14\r\n");
}

void TestResultsPart::rejectedOpenChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    workedExample();
    const QStringList g3 = gridRows("G3");
    const QString g1 = grid("G1")->allText();
    const QString path = dir.filePath(QStringLiteral("bad.SUK"));
    QVERIFY(writeBytes(path, bytes));
    m_fx->fake.dialogAnswers << path;
    toolbar()->button(1)->trigger();
    QCOMPARE(m_fx->fake.warnings, QStringList{QStringLiteral("ファイルを読み込めませんでした！\n") + path});
    QCOMPARE(gridRows("G3"), g3);
    QCOMPARE(grid("G1")->allText(), g1);
    QCOMPARE(m_fx->app->store().tally.MonthCount, 2);
    QCOMPARE(m_fx->app->store().tally.ItemName, QStringLiteral("担当者NO"));
    QCOMPARE(labelText(w(), QStringLiteral("Label2")), QStringLiteral("11 "));
    // A cancelled dialog says nothing.
    toolbar()->button(1)->trigger();
    QCOMPARE(m_fx->fake.warnings.size(), 1);
}

void TestResultsPart::noPeriodTally()
{
    enterIn("Text1", QStringLiteral("0"));
    enterIn("Combo1", QStringLiteral("店番号"));
    click(w(), QStringLiteral("Command6"));
    typeRow("2", "1", "10");
    typeRow("0", "5", "50");
    enterIn("Text3", QStringLiteral("*"));
    click(w(), QStringLiteral("Command1"));
    QCOMPARE(labelText(w(), QStringLiteral("Label8")), QStringLiteral("0"));
    QCOMPARE(gridRows("G2"), (QStringList{QStringLiteral("NO\t店番号\t件数\t金　額"), QStringLiteral("1 \t2 \t1 \t10 ")}));
    // Key 0 is left out of the tables but counts in the totals.
    QCOMPARE(labelText(w(), QStringLiteral("Label15")), QStringLiteral("6 "));
    click(w(), QStringLiteral("Command9"));
    QCOMPARE(m_fx->app->store().results.ResultMonth, 1);

    // Saved and opened again: one month, so no next month to go to.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("one.SUK"));
    m_fx->fake.dialogAnswers << path << path;
    toolbar()->button(2)->trigger();
    QVERIFY(fileBytes(path).startsWith("1,\""));
    toolbar()->button(1)->trigger();
    QCOMPARE(labelTexts(w(), {"Label2", "Label20"}), (QStringList{" ", " "}));
    QVERIFY(!child<QPushButton>(w(), QStringLiteral("Command2"))->isEnabled());
}

QTEST_MAIN(TestResultsPart)
#include "tst_results_part.moc"
