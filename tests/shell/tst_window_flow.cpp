#include "../support/app_fixture.h"
#include "../support/files.h"

#include "adder/kasan_window.h"
#include "platform/indexed_toolbar.h"
#include "shell/filectl_window.h"
#include "tally/shukei_window.h"
#include "platform/legacy_grid.h"
#include "platform/twips.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <functional>
#include <optional>

using namespace zq;
using namespace zq::test;

namespace {
// A modal secondary window of the program.
class ModalWindow : public SecondaryWindow
{
public:
    ModalWindow(ActivationTracker &t, ToolWindow *owner) : SecondaryWindow(t, QStringLiteral("MODAL"), owner)
    {
        setWindowModality(Qt::ApplicationModal);
    }
    int activations = 0;

protected:
    void activated() override { ++activations; }
};
} // namespace

class TestWindowFlow : public QObject
{
    Q_OBJECT
private slots:
    void menuLayout();
    void menuItems_data();
    void menuItems();
    void menuToAdderAndBack();
    void endProgram_data();
    void endProgram();
    void closingLastWindowEndsProgram();
    void activationRule();
    void fileOnCommandLine_data();
    void fileOnCommandLine();
    void enterPressesFocusedButton_data();
    void enterPressesFocusedButton();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
};

void TestWindowFlow::menuLayout()
{
    AppFixture fx;
    fx.app->showMenu();
    QWidget *menu = AppFixture::window(QStringLiteral("MENU"));
    QVERIFY(menu);
    QCOMPARE(menu->windowTitle(), QStringLiteral("ZQ加算・集計器"));
    QCOMPARE(child<QPushButton>(menu, QStringLiteral("Command8"))->text(), QStringLiteral("加算機"));
    QCOMPARE(child<QPushButton>(menu, QStringLiteral("Command6"))->text(), QStringLiteral("集計器"));
    QCOMPARE(child<QPushButton>(menu, QStringLiteral("Command9"))->text(), QStringLiteral("終了"));
    // One below the other, 480 twips apart, each 1815 x 375.
    const QRect c8 = child<QWidget>(menu, QStringLiteral("Command8"))->geometry();
    const QRect c6 = child<QWidget>(menu, QStringLiteral("Command6"))->geometry();
    const QRect c9 = child<QWidget>(menu, QStringLiteral("Command9"))->geometry();
    QCOMPARE(c8.size(), TwipsSize(1815, 375));
    QCOMPARE(c6.top() - c8.top(), Px(480));
    QCOMPARE(c9.top() - c6.top(), Px(480));
    QCOMPARE(child<QWidget>(menu, QStringLiteral("Image1"))->geometry(), TwipsRect(120, 480, 2760, 1140));
    auto *toolbar = child<IndexedToolbar>(menu, QStringLiteral("Toolbar1"));
    QCOMPARE(toolbar->buttonCount(), 2);
    QCOMPARE(toolbar->button(1)->toolTip(), QStringLiteral("ZQ電卓"));
    QCOMPARE(toolbar->button(2)->toolTip(), QStringLiteral("ﾍﾙﾌﾟ"));
    QVERIFY(child<QPushButton>(menu, QStringLiteral("Command8"))->isEnabled());
    QVERIFY(child<QPushButton>(menu, QStringLiteral("Command9"))->isEnabled());
}

void TestWindowFlow::menuItems_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");

    QTest::newRow("MX11") << "MX1" << "MX11" << "ﾌｧｲﾙを格納するﾌｫﾙﾀﾞ指定(&A)" << "Ctrl+A";
    QTest::newRow("MX14") << "MX1" << "MX14" << "-" << "";
    QTest::newRow("MX15") << "MX1" << "MX15" << "終了(&E)" << "Ctrl+E";
    QTest::newRow("MX21") << "MX2" << "MX21" << "ZQ電卓(&D)" << "Ctrl+D";
    QTest::newRow("MX31") << "MX3" << "MX31" << "ﾍﾙﾌﾟ(&H)" << "Ctrl+H";
    QTest::newRow("MX32") << "MX3" << "MX32" << "-" << "";
    QTest::newRow("MX33") << "MX3" << "MX33" << "ﾊﾞｰｼﾞｮﾝ情報(&V)" << "Ctrl+V";
}

void TestWindowFlow::menuItems()
{
    QFETCH(QString, menu);
    QFETCH(QString, item);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    AppFixture fx;
    fx.app->showMenu();
    QWidget *w = AppFixture::window(QStringLiteral("MENU"));
    auto *m = child<QMenu>(w, menu);
    QVERIFY(m);
    const QStringList titles{QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("ﾂｰﾙ(&T)"), QStringLiteral("ﾍﾙﾌﾟ(&H)")};
    QCOMPARE(m->title(), titles.at(menu.back().digitValue() - 1));
    QAction *action = nullptr;
    for (QAction *a : m->actions())
        if (a->objectName() == item)
            action = a;
    QVERIFY(action);
    if (caption == QLatin1String("-")) {
        QVERIFY(action->isSeparator());
    } else {
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut().toString(), shortcut);
    }
}

void TestWindowFlow::menuToAdderAndBack()
{
    AppFixture fx;
    fx.app->showMenu();
    QWidget *first = AppFixture::window(QStringLiteral("MENU"));
    click(first, QStringLiteral("Command8"));
    QVERIFY(AppFixture::window(QStringLiteral("KASAN")));
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("MENU")), 0);

    click(AppFixture::window(QStringLiteral("KASAN")), QStringLiteral("Command3"));
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("KASAN")), 0);
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("MENU")), 1);
    QCOMPARE(fx.quitCalls, 0);
    QVERIFY(!fx.app->hasEnded());
}

void TestWindowFlow::endProgram_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("helpShown");
    QTest::addColumn<int>("helpCloses");

    QTest::newRow("MENU 終了 after help") << "MENU" << "Command9" << true << 1;
    QTest::newRow("MENU 終了 without help") << "MENU" << "Command9" << false << 0;
    QTest::newRow("MENU MX15 after help") << "MENU" << "MX15" << true << 0;
    QTest::newRow("KASAN 終了 after help") << "KASAN" << "Command1" << true << 1;
    QTest::newRow("KASAN 終了 without help") << "KASAN" << "Command1" << false << 0;
}

void TestWindowFlow::endProgram()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(bool, helpShown);
    QFETCH(int, helpCloses);
    AppFixture fx;
    if (window == QLatin1String("KASAN"))
        fx.app->openAdder();
    else
        fx.app->showMenu();
    fx.app->store().program.HelpShown = helpShown ? 1 : 0;
    QWidget *w = AppFixture::window(window);
    QVERIFY(w);
    if (control.startsWith(QLatin1String("MX")))
        w->findChild<QAction *>(control)->trigger();
    else
        click(w, control);
    QCOMPARE(fx.fake.count(QStringLiteral("help-close:")), helpCloses);
    if (helpCloses)
        QCOMPARE(fx.fake.log.last(), QStringLiteral("help-close:") + window);
    QVERIFY(fx.app->hasEnded());
    QCOMPARE(fx.quitCalls, 1);
    QCOMPARE(AppFixture::visibleWindowCount(window), 0);
    QCOMPARE(fx.app->store().program.HelpShown, helpCloses ? 0 : (helpShown ? 1 : 0));
}

void TestWindowFlow::closingLastWindowEndsProgram()
{
    AppFixture fx;
    fx.app->openAdder();
    QWidget *kasan = AppFixture::window(QStringLiteral("KASAN"));
    QVERIFY(kasan);
    // The title-bar close box on the only window ends the event loop.
    QTimer::singleShot(0, kasan, &QWidget::close);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
}

void TestWindowFlow::activationRule()
{
    AppFixture fx;
    ActivationTracker &tracker = fx.app->tracker();
    auto *owner = new OtherWindow(tracker);
    owner->showAndActivate();
    owner->showAndActivate(); // already the active one
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(owner, &activate); // the focus back from a message box or another program
    QCOMPARE(owner->activations, 1);

    auto *modal = new ModalWindow(tracker, owner);
    bool modalShown = true;
    owner->onActivated = [&] { modalShown = modal->isVisible() || QApplication::activeModalWidget(); };
    modal->showAndActivate();
    QCOMPARE(modal->activations, 1);
    // Closing the secondary window brings its owner back, once the modal
    // window is out of the way.
    modal->close();
    QCOMPARE(owner->activations, 2);
    QVERIFY(!modalShown);
    QCOMPARE(tracker.lastActive(), owner);
    owner->close();
}

void TestWindowFlow::fileOnCommandLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("window"); // shown afterwards
    QTest::addColumn<QString>("cell");   // row 1, column 1 of its grid (G, or G3 for the results)
    QTest::newRow("tape") << "t.KSN" << QByteArray("2,5,1\r\n2\r\n3\r\n") << "KASAN" << "2. ";
    QTest::newRow("tape, lower case") << "t.ksn" << QByteArray("1,7,1\r\n7\r\n") << "KASAN" << "7. ";
    QTest::newRow("tally") << "t.SUK" << QByteArray("1,\"店番号\",4,4\r\n2\r\n4\r\n9,1,100\r\n3,2,50\r\n")
                           << "SHUKEI" << "3 ";
    QTest::newRow("damaged tape") << "bad.KSN" << QByteArray("3,6,1\r\n1\r\n") << "MENU" << "";
    QTest::newRow("damaged tally") << "bad.SUK" << QByteArray("9\r\n") << "MENU" << "";
    QTest::newRow("missing") << "" << QByteArray() << "MENU" << "";
    QTest::newRow("not a file of the program") << "notes.txt" << QByteArray("1") << "MENU" << "";
}

void TestWindowFlow::fileOnCommandLine()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, window);
    QFETCH(QString, cell);
    QTemporaryDir dir;
    const QString path = dir.filePath(name.isEmpty() ? QStringLiteral("missing.SUK") : name);
    if (!name.isEmpty())
        QVERIFY(writeBytes(path, bytes));
    AppFixture fx;
    fx.app->start(path);
    QWidget *shown = AppFixture::window(window);
    QVERIFY(shown);
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("MENU")), window == QLatin1String("MENU") ? 1 : 0);
    QVERIFY(!fx.app->store().program.StorageFolder.isEmpty()); // read as the menu reads it
    if (cell.isEmpty()) {
        QCOMPARE(fx.fake.warnings, QStringList{QStringLiteral("ファイルを読み込めませんでした！\n") + path});
        QCOMPARE(fx.fake.overUnshownWindow, 0); // over the menu once it is on the screen
        return;
    }
    QVERIFY(fx.fake.warnings.isEmpty());
    const QString grid = window == QLatin1String("KASAN") ? QStringLiteral("G") : QStringLiteral("G3");
    QCOMPARE(child<LegacyGrid>(shown, grid)->text(1, 1), cell);
    QCOMPARE(fx.app->store().program.ReturnFlag, window == QLatin1String("KASAN") ? 1 : 0);
}

void TestWindowFlow::enterPressesFocusedButton_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("opens");
    QTest::newRow("MENU 加算機") << "MENU" << "Command8" << "KASAN";
    QTest::newRow("MENU 集計器") << "MENU" << "Command6" << "SHUKEI";
    QTest::newRow("FILECTL 閉じる") << "FILECTL" << "Command1" << "MENU";
    QTest::newRow("INSATSU キャンセル") << "INSATSU" << "Command2" << "";
}

void TestWindowFlow::enterPressesFocusedButton()
{
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(QString, opens);
    AppFixture fx;
    if (window == QLatin1String("MENU")) {
        fx.app->showMenu();
    } else if (window == QLatin1String("FILECTL")) {
        fx.app->openStorageFolder();
    } else {
        fx.app->openAdder();
        child<IndexedToolbar>(AppFixture::window(QStringLiteral("KASAN")), QStringLiteral("Toolbar1"))
            ->button(3)
            ->trigger();
    }
    QWidget *w = AppFixture::window(window);
    QVERIFY(w);
    auto *b = child<QPushButton>(w, button);
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Return);
    QCOMPARE(AppFixture::visibleWindowCount(window), 0);
    if (!opens.isEmpty())
        QVERIFY(AppFixture::window(opens));
}

void TestWindowFlow::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("diskFull"); // else the target is a folder
    QTest::newRow("tape, disk full") << "tape" << true;
    QTest::newRow("tally, disk full") << "tally" << true;
    QTest::newRow("storage folder, disk full") << "folder" << true;
    QTest::newRow("tally over a folder") << "tally" << false;
}

void TestWindowFlow::failedSaveKeepsOldFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, diskFull);
    AppFixture fx;
    QTemporaryDir userDir;
    QString folder = userDir.path();
    QString target;
    std::function<void()> save;
    if (kind == QLatin1String("tape")) {
        QWidget *kasan = fx.app->openAdder();
        for (const char *entry : {"1234.5", "-7", "8"}) {
            typeText(child<QWidget>(kasan, QStringLiteral("Text1")), QString::fromLatin1(entry));
            pressEnter(child<QWidget>(kasan, QStringLiteral("Text1")));
        }
        target = QDir(folder).filePath(QStringLiteral("old.KSN"));
        save = [kasan] { child<IndexedToolbar>(kasan, QStringLiteral("Toolbar1"))->button(2)->trigger(); };
    } else if (kind == QLatin1String("tally")) {
        QWidget *shukei = fx.app->openTally();
        const QString source = QDir(folder).filePath(QStringLiteral("source.SUK"));
        QVERIFY(writeBytes(source, "1,\"\x93\x58\x94\xd4\x8d\x86\",0,0\r\n2\r\n0\r\n5,1,100\r\n6,2,200\r\n"));
        fx.fake.dialogAnswers << source;
        child<IndexedToolbar>(shukei, QStringLiteral("Toolbar1"))->button(1)->trigger();
        QVERIFY(fx.app->store().results.PeriodKeyCount > 0);
        target = QDir(folder).filePath(QStringLiteral("old.SUK"));
        save = [shukei] { shukei->findChild<QAction *>(QStringLiteral("M3"))->trigger(); };
    } else {
        fx.app->showMenu(); // creates SETQ.DAT
        QWidget *filectl = fx.app->openStorageFolder();
        auto *text2 = child<QLineEdit>(filectl, QStringLiteral("Text2"));
        text2->setText(folder);
        folder = fx.programDir.path();
        target = QDir(folder).filePath(QStringLiteral("SETQ.DAT"));
        save = [filectl] { click(filectl, QStringLiteral("Command3")); };
    }
    QByteArray old;
    if (diskFull) {
        if (!QFile::exists(target))
            QVERIFY(writeBytes(target, "old file\r\n"));
        old = fileBytes(target);
    } else {
        QVERIFY(QDir(folder).mkdir(QFileInfo(target).fileName()));
    }
    const QStringList files = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    const QString storageBefore = fx.app->store().program.StorageFolder;
    const int warningsBefore = fx.fake.warnings.size();
    fx.fake.dialogAnswers << target;
    {
        std::optional<FileSizeLimit> limit;
        if (diskFull)
            limit.emplace(8); // below the size of every new file here
        save();
    }
    if (diskFull)
        QCOMPARE(fileBytes(target), old);
    else
        QVERIFY(QFileInfo(target).isDir());
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), files);
    QCOMPARE(fx.fake.warnings.size(), warningsBefore + 1);
    QCOMPARE(fx.fake.warnings.last(), QStringLiteral("ファイルを保存できませんでした！\n") + target);
    if (kind == QLatin1String("folder")) {
        QWidget *filectl = AppFixture::window(QStringLiteral("FILECTL"));
        QVERIFY(!child<QLabel>(filectl, QStringLiteral("Label3"))->isVisible()); // no "保存しました"
        QCOMPARE(fx.app->store().program.StorageFolder, storageBefore);
    }
}

QTEST_MAIN(TestWindowFlow)
#include "tst_window_flow.moc"
