#include "../support/app_fixture.h"
#include "../support/files.h"
#include "../support/tally_data.h"

#include "platform/indexed_toolbar.h"
#include "platform/legacy_grid.h"
#include "reports/results_csv.h"
#include "tally/input_sheet.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QMenu>

using namespace zq;
using namespace zq::test;

class TestReportWindows : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listOneMonth();
    void listSixMonthsAndCopy();
    void listBackRestoresMonthOne();
    void listEndsProgram();
    void listPopupAndCloseBox();
    void listPrintsWithoutCheck();
    void resultsPrintEntryPoints();
    void inputPrintWindow();
    void inputPrintFailureKeepsWindow();
    void shownMonthPrint();
    void noInputData();
    void listWithThousandsOfKeys();
    void previewAndPdf_data();
    void previewAndPdf();
    void csvFiles();

private:
    // The tally window after a tally of `data`, month 1 in the grid.
    void tally(const TallyData &data);
    QWidget *openList();
    IndexedToolbar *toolbar(QWidget *window, const char *name) const
    {
        return child<IndexedToolbar>(window, QString::fromLatin1(name));
    }

    std::unique_ptr<AppFixture> m_fx;
    QWidget *m_shukei = nullptr;
};

void TestReportWindows::init()
{
    m_fx = std::make_unique<AppFixture>();
    m_fx->app->openTally();
    m_shukei = AppFixture::window(QStringLiteral("SHUKEI"));
    QVERIFY(m_shukei);
}

void TestReportWindows::cleanup()
{
    m_fx.reset();
}

void TestReportWindows::tally(const TallyData &data)
{
    ShowTally(*m_fx->app, m_shukei, data);
    QVERIFY(child<QPushButton>(m_shukei, QStringLiteral("Command10"))->isEnabled());
}

QWidget *TestReportWindows::openList()
{
    click(m_shukei, QStringLiteral("Command10"));
    return AppFixture::window(QStringLiteral("ICHIRAN"));
}

void TestReportWindows::listOneMonth()
{
    tally(TallyData({{{3, 2, 1000}, {7, 1, 500}}}, 4, QStringLiteral("店番号")));
    QWidget *list = openList();
    QVERIFY(list);
    QCOMPARE(list->windowTitle(), QStringLiteral(" 集計結果一覧表"));
    QCOMPARE(list->windowModality(), Qt::ApplicationModal);
    QCOMPARE(m_fx->app->store().tally.InputMonth, 1);
    auto *g4 = child<LegacyGrid>(list, QStringLiteral("G4"));
    QCOMPARE(g4->cols(), 6);
    QCOMPARE(g4->rows(), 4);
    const QStringList lines = g4->allText().split(u'\r');
    QCOMPARE(lines[0], QStringLiteral("NO \t店番号\t件数\t4月金額\t件数\t合計金額"));
    QCOMPARE(lines[1], QStringLiteral("1 \t3 \t2 \t1,000 \t2 \t1,000 "));
    QCOMPARE(lines[3], QStringLiteral("\t合　計　\t3 \t1,500 \t3 \t1,500 "));
    QCOMPARE(g4->colWidth(3), 1100);
    QCOMPARE(g4->colWidth(5), 1300);
    QCOMPARE(g4->colAlignment(0), Qt::AlignHCenter);
    QCOMPARE(g4->colAlignment(1), Qt::AlignHCenter);
    QCOMPARE(g4->colAlignment(4), Qt::AlignRight);
}

void TestReportWindows::listSixMonthsAndCopy()
{
    tally(TallyData({{{1, 1, 1000}}, {{2, 1, 1}}, {{1, 2, 2}}, {{3, 1, 1}}, {{1, 1, 1}}, {{4, 5, 12345}}}, 10));
    QWidget *list = openList();
    auto *g4 = child<LegacyGrid>(list, QStringLiteral("G4"));
    QCOMPARE(g4->cols(), 16);
    QCOMPARE(g4->text(0, 13), QStringLiteral("3月金額"));
    QCOMPARE(g4->text(0, 3), QStringLiteral("10月金額"));
    // Key 2 has rows in month 2 only: the other months are blank.
    QCOMPARE(g4->text(2, 1), QStringLiteral("2 "));
    QCOMPARE(g4->text(2, 2), QString());
    QCOMPARE(g4->text(2, 4), QStringLiteral("1 "));
    QCOMPARE(g4->text(4, 13), QStringLiteral("12,345 "));

    list->findChild<QAction *>(QStringLiteral("M11"))->trigger();
    const QStringList lines = m_fx->fake.clipboardText.split(u'\r');
    QCOMPARE(lines.size(), 4 + 2);
    for (const QString &line : lines)
        QCOMPARE(line.count(u'\t'), 15);
    QVERIFY(lines.first().startsWith(QStringLiteral("NO \t")));
    QVERIFY(m_fx->fake.log.contains(QStringLiteral("clipboard-clear")));
    QCOMPARE(g4->row(), 1);
    QCOMPARE(g4->col(), 1);
}

void TestReportWindows::listBackRestoresMonthOne()
{
    // Two months entered through the window, the item typed by the user.
    auto *combo = child<QComboBox>(m_shukei, QStringLiteral("Combo1"));
    combo->setEditText(QStringLiteral("部門"));
    pressEnter(combo);
    TallyData data({{{11, 1, 100}}, {{22, 2, 200}}}, 4, QStringLiteral("部門"));
    tally(data);
    click(m_shukei, QStringLiteral("Command6"));
    QWidget *list = openList();
    click(list, QStringLiteral("Command1"));
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("ICHIRAN")), 0);
    const TallyWorkspace &ws = m_fx->app->store().tally;
    QCOMPARE(ws.InputMonth, 1);
    QCOMPARE(ws.ItemName, QStringLiteral("部門"));
    auto *g1 = child<LegacyGrid>(m_shukei, QStringLiteral("G1"));
    QCOMPARE(g1->text(1, 1), QStringLiteral("11 "));
    QCOMPARE(g1->text(0, 1), QStringLiteral("部門"));
    QCOMPARE(m_fx->app->store().program.ReturnFlag, 0);
    // The results stay as they were.
    QCOMPARE(child<LegacyGrid>(m_shukei, QStringLiteral("G3"))->text(2, 1), QStringLiteral("22 "));
}

void TestReportWindows::listEndsProgram()
{
    tally(TallyData({{{5, 1, 100}}}));
    m_fx->app->store().program.HelpShown = 1;
    click(openList(), QStringLiteral("Command2"));
    QVERIFY(m_fx->app->hasEnded());
    QCOMPARE(m_fx->fake.count(QStringLiteral("help-close:ICHIRAN")), 1);
}

void TestReportWindows::listPopupAndCloseBox()
{
    tally(TallyData({{{5, 1, 100}}}));
    QWidget *list = openList();
    auto *g4 = child<LegacyGrid>(list, QStringLiteral("G4"));
    auto *menu = list->findChild<QMenu *>(QStringLiteral("M1"));
    const QPoint cell = g4->cellRect(1, 2).center();
    QTest::mouseClick(g4->viewport(), Qt::LeftButton, {}, cell);
    QVERIFY(!menu->isVisible());
    QCOMPARE(g4->highlightMode(), LegacyGrid::HighlightMode::WithFocus);
    QTest::mousePress(g4->viewport(), Qt::RightButton, {}, cell);
    QVERIFY(menu->isVisible());
    menu->close();
    // The title-bar close box acts as 戻る.
    list->close();
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("ICHIRAN")), 0);
    QCOMPARE(m_fx->app->store().tally.InputMonth, 1);
    QCOMPARE(m_fx->app->store().program.ReturnFlag, 0); // used up by the return
    QCOMPARE(child<LegacyGrid>(m_shukei, QStringLiteral("G1"))->text(1, 1), QStringLiteral("5 "));
}

void TestReportWindows::listPrintsWithoutCheck()
{
    tally(TallyData({{{0, 1, 100}}})); // key 0 only: no result rows
    QCOMPARE(m_fx->app->store().results.PeriodKeyCount, 0);
    QWidget *list = openList();
    toolbar(list, "Toolbar2")->button(1)->trigger();
    QCOMPARE(m_fx->fake.printJobs.size(), size_t(1));
    QVERIFY(m_fx->fake.log.contains(QStringLiteral("print:集計結果一覧表|landscape|")));
    QVERIFY(m_fx->fake.warnings.isEmpty());
}

void TestReportWindows::resultsPrintEntryPoints()
{
    // Before any result: the check answers.
    m_shukei->findChild<QAction *>(QStringLiteral("M5"))->trigger();
    QCOMPARE(m_fx->fake.warnings, QStringList{QStringLiteral("集計結果データがありません！")});
    QCOMPARE(m_fx->fake.beeps, 1);
    QVERIFY(m_fx->fake.printJobs.empty());

    tally(TallyData({distinctRows(15)}));
    m_shukei->findChild<QAction *>(QStringLiteral("M5"))->trigger();
    QCOMPARE(m_fx->fake.printJobs.size(), size_t(1));
    QCOMPARE(m_fx->fake.printJobs.back().pages, 2); // 10 lines a page
    toolbar(m_shukei, "Toolbar2")->button(1)->trigger();
    QCOMPARE(m_fx->fake.printJobs.size(), size_t(2));
    QCOMPARE(m_fx->fake.printJobs.back().pages, 1); // 40 lines a page
}

void TestReportWindows::inputPrintWindow()
{
    tally(TallyData({distinctRows(3), distinctRows(2)}));
    m_shukei->findChild<QAction *>(QStringLiteral("M4"))->trigger();
    QWidget *print1 = AppFixture::window(QStringLiteral("PRINT_1"));
    QVERIFY(print1);
    QCOMPARE(print1->windowTitle(), QStringLiteral(" 印刷"));
    QCOMPARE(labelText(print1, QStringLiteral("Label1")), QStringLiteral("入力した全データを各月ごとに印刷出力します。"));
    QCOMPARE(m_fx->app->store().program.ReturnFlag, 1);
    click(print1, QStringLiteral("Command1"));
    QCOMPARE(m_fx->fake.printJobs.size(), size_t(1));
    QCOMPARE(m_fx->fake.printJobs.back().pages, 2); // every month
    QVERIFY(m_fx->fake.log.contains(QStringLiteral("print:入力明細|portrait|")));
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("PRINT_1")), 0);
    // The tally window came back with month 1.
    QCOMPARE(m_fx->app->store().program.ReturnFlag, 0);
    QCOMPARE(m_fx->app->store().tally.InputMonth, 1);

    // Toolbar button 4 opens it too; キャンセル prints nothing.
    toolbar(m_shukei, "Toolbar1")->button(4)->trigger();
    click(AppFixture::window(QStringLiteral("PRINT_1")), QStringLiteral("Command2"));
    QCOMPARE(m_fx->fake.printJobs.size(), size_t(1));
}

void TestReportWindows::inputPrintFailureKeepsWindow()
{
    tally(TallyData({distinctRows(3)}));
    m_fx->fake.printSucceeds = false;
    toolbar(m_shukei, "Toolbar1")->button(4)->trigger();
    QWidget *print1 = AppFixture::window(QStringLiteral("PRINT_1"));
    click(print1, QStringLiteral("Command1"));
    QCOMPARE(m_fx->fake.warnings, QStringList{QStringLiteral("印刷できませんでした！")});
    QVERIFY(AppFixture::window(QStringLiteral("PRINT_1")));
}

void TestReportWindows::shownMonthPrint()
{
    tally(TallyData({distinctRows(3), distinctRows(2), {}}));
    m_fx->app->store().tally.InputMonth = 2;
    toolbar(m_shukei, "Toolbar3")->button(1)->trigger();
    QCOMPARE(m_fx->fake.printJobs.size(), size_t(1));
    const PrintRecord &job = m_fx->fake.printJobs.back();
    QCOMPARE(job.pages, 1);
    bool monthTwo = false;
    for (const PrintedItem &item : job.texts())
        monthTwo = monthTwo || item.text.startsWith(QStringLiteral(" 5 月度"));
    QVERIFY(monthTwo);
    // A shown month without rows still prints its heading (month 1 has rows).
    m_fx->app->store().tally.InputMonth = 3;
    toolbar(m_shukei, "Toolbar3")->button(1)->trigger();
    QCOMPARE(m_fx->fake.printJobs.size(), size_t(2));
}

void TestReportWindows::noInputData()
{
    m_shukei->findChild<QAction *>(QStringLiteral("M4"))->trigger();
    toolbar(m_shukei, "Toolbar1")->button(4)->trigger();
    toolbar(m_shukei, "Toolbar3")->button(1)->trigger();
    QCOMPARE(m_fx->fake.warnings, QStringList(3, QStringLiteral("入力データがありません！")));
    QCOMPARE(m_fx->fake.beeps, 3);
    QVERIFY(!AppFixture::window(QStringLiteral("PRINT_1")));
    QVERIFY(m_fx->fake.printJobs.empty());
}

void TestReportWindows::previewAndPdf_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("item"); // a menu item, or "Toolbar3:<button>"
    QTest::addColumn<QString>("logged");
    QTest::addColumn<int>("pages");
    QTest::newRow("入力明細印刷プレビュー") << "SHUKEI" << "M41" << "preview:入力明細|portrait" << 2;
    QTest::newRow("入力明細をPDFに保存") << "SHUKEI" << "M42" << "pdf:入力明細|portrait|%1" << 2;
    QTest::newRow("集計結果印刷プレビュー") << "SHUKEI" << "M51" << "preview:集計結果一覧表|landscape" << 2;
    QTest::newRow("集計結果をPDFに保存") << "SHUKEI" << "M52" << "pdf:集計結果一覧表|landscape|%1" << 2;
    QTest::newRow("list pop-up preview") << "ICHIRAN" << "M13" << "preview:集計結果一覧表|landscape" << 1;
    QTest::newRow("list pop-up PDF") << "ICHIRAN" << "M14" << "pdf:集計結果一覧表|landscape|%1" << 1;
    QTest::newRow("list toolbar preview") << "ICHIRAN" << "Toolbar3:1" << "preview:集計結果一覧表|landscape" << 1;
    QTest::newRow("list toolbar PDF") << "ICHIRAN" << "Toolbar3:2" << "pdf:集計結果一覧表|landscape|%1" << 1;
}

// Each printout can be seen first or saved as a PDF file: the same pages as
// on paper (10 key lines a page from the tally window, 40 from the list).
void TestReportWindows::previewAndPdf()
{
    QFETCH(QString, window);
    QFETCH(QString, item);
    QFETCH(QString, logged);
    QFETCH(int, pages);
    tally(TallyData({distinctRows(15), distinctRows(2)}));
    QWidget *w = window == QLatin1String("ICHIRAN") ? openList() : m_shukei;
    if (item.startsWith(QLatin1String("Toolbar3:")))
        toolbar(w, "Toolbar3")->button(item.mid(9).toInt())->trigger();
    else
        w->findChild<QAction *>(item)->trigger();
    QCOMPARE(m_fx->fake.log.last(), logged.arg(m_fx->app->store().program.StorageFolder));
    QCOMPARE(m_fx->fake.printJobs.size(), size_t(1));
    QCOMPARE(m_fx->fake.printJobs.back().pages, pages);
    QVERIFY(m_fx->fake.warnings.isEmpty());
}

// The results as spreadsheet files, from the list and from both result
// grids, after ｺﾋﾟｰ in their pop-up menus.
void TestReportWindows::csvFiles()
{
    tally(TallyData({distinctRows(15), distinctRows(2)}, 4, QStringLiteral("店番号")));
    QTemporaryDir dir;
    const auto names = [](QWidget *w, const char *menu) {
        QStringList out;
        for (QAction *a : w->findChild<QMenu *>(QString::fromLatin1(menu))->actions())
            out << a->objectName();
        return out;
    };
    QCOMPARE(names(m_shukei, "MM1"), (QStringList{"MM11", "MM12"}));
    QCOMPARE(names(m_shukei, "MM2"), (QStringList{"MM21", "MM22"}));

    m_fx->fake.dialogAnswers << dir.filePath(QStringLiteral("month")) << dir.filePath(QStringLiteral("period.csv"));
    m_shukei->findChild<QAction *>(QStringLiteral("MM12"))->trigger();
    m_shukei->findChild<QAction *>(QStringLiteral("MM22"))->trigger();
    QCOMPARE(m_fx->fake.log.last(), QStringLiteral("save:%1|CSVﾌｧｲﾙ (*.csv)|*.csv|1").arg(m_fx->app->store().program.StorageFolder));
    const QString month = QStringDecoder("CP932").decode(fileBytes(dir.filePath(QStringLiteral("month.csv"))));
    QCOMPARE(month.count(QStringLiteral("\r\n")), 17); // header, 15 keys, totals
    QVERIFY(month.startsWith(QStringLiteral("NO,店番号,4月件数,4月金額\r\n1,1,1,100\r\n")));
    QVERIFY(month.endsWith(QStringLiteral(",合計,15,1500\r\n")));
    const QString period = QStringDecoder("CP932").decode(fileBytes(dir.filePath(QStringLiteral("period.csv"))));
    QVERIFY(period.startsWith(QStringLiteral("NO,店番号,合計件数,合計金額\r\n1,1,2,200\r\n")));
    QVERIFY(period.endsWith(QStringLiteral(",総合計,17,1700\r\n")));

    QWidget *list = openList();
    QCOMPARE(names(list, "M1"), (QStringList{"M11", "M12", "M13", "M14", "M15"}));
    QCOMPARE(toolbar(list, "Toolbar2")->buttonCount(), 1);
    QCOMPARE(toolbar(list, "Toolbar3")->button(3)->toolTip(), QStringLiteral("CSVで保存"));
    const QString listed = dir.filePath(QStringLiteral("list.csv"));
    m_fx->fake.dialogAnswers << listed << listed;
    list->findChild<QAction *>(QStringLiteral("M12"))->trigger();
    const QByteArray expected = ResultsListCsv(m_fx->app->store().tally, m_fx->app->store().results);
    QCOMPARE(fileBytes(listed), expected);
    QVERIFY(QFile::remove(listed));
    toolbar(list, "Toolbar3")->button(3)->trigger();
    QCOMPARE(fileBytes(listed), expected);
    QVERIFY(m_fx->fake.warnings.isEmpty());
}

void TestReportWindows::listWithThousandsOfKeys()
{
    tally(TallyData(LargestTally()));
    QWidget *list = openList();
    auto *g4 = child<LegacyGrid>(list, QStringLiteral("G4"));
    QCOMPARE(g4->rows(), 3002);
    QCOMPARE(g4->text(3001, 1), QStringLiteral("合　計　"));
    QCOMPARE(g4->text(3001, 15), QStringLiteral("300,000 "));
}

QTEST_MAIN(TestReportWindows)
#include "tst_report_windows.moc"
