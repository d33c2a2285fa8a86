#include "../support/app_fixture.h"
#include "../support/files.h"

#include "platform/indexed_toolbar.h"
#include "platform/qt_services.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QFrame>
#include <QTreeView>

#include <csignal>

#include <sys/types.h>

using namespace zq;
using namespace zq::test;

namespace {
void trigger(QWidget *window, const QString &name)
{
    QAction *a = window->findChild<QAction *>(name);
    QVERIFY2(a, qPrintable(name));
    QVERIFY(a->isEnabled());
    a->trigger();
}
} // namespace

class TestStorageWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void firstRunCreatesSetq();
    void filectlShowsRegisteredFolder();
    void registerEmptyTakesProgramFolder();
    void registerTypedTextUnchanged();
    void pickerFillsText2();
    void unavailableDriveFallsBack();
    void missingFolderShowsProgramFolder();
    void failedRegisterIsReported();
    void newFolderInForceForFileDialogs();
    void versionWindowAndMenuReactivation();
    void helpFlag_data();
    void helpFlag();
    void calculatorLaunch();
    void calculatorMissing();
    void realLauncher();

private:
    QString setqPath() const { return QDir(m_fx->programDir.path()).filePath("SETQ.DAT"); }
    QString programFolder() const { return m_fx->programDir.path(); }
    QWidget *openFilectl();
    std::unique_ptr<AppFixture> m_fx;
};

void TestStorageWindow::init()
{
    m_fx = std::make_unique<AppFixture>();
}

void TestStorageWindow::cleanup()
{
    m_fx.reset();
}

QWidget *TestStorageWindow::openFilectl()
{
    m_fx->app->showMenu();
    QWidget *menu = AppFixture::window(QStringLiteral("MENU"));
    if (!menu)
        return nullptr;
    menu->findChild<QAction *>(QStringLiteral("MX11"))->trigger();
    return AppFixture::window(QStringLiteral("FILECTL"));
}

void TestStorageWindow::firstRunCreatesSetq()
{
    QVERIFY(!QFile::exists(setqPath()));
    m_fx->app->showMenu();
    QCOMPARE(fileBytes(setqPath()), "\"" + programFolder().toLocal8Bit() + "\",0,0,0\r\n");
    QCOMPARE(m_fx->app->store().program.StorageFolder, programFolder());
}

void TestStorageWindow::filectlShowsRegisteredFolder()
{
    QTemporaryDir folder;
    QVERIFY(writeBytes(setqPath(), "\"" + folder.path().toLocal8Bit() + "\",1,2,3\r\n"));
    QWidget *w = openFilectl();
    QVERIFY(w);
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("MENU")), 0);
    QCOMPARE(w->windowTitle(), QStringLiteral("　ﾌｧｲﾙを格納するフォルダ指定"));
    QCOMPARE(child<QLineEdit>(w, QStringLiteral("Text1"))->text(), folder.path());
    QVERIFY(child<QFrame>(w, QStringLiteral("Frame1"))->isHidden());
    QVERIFY(child<QLabel>(w, QStringLiteral("Label3"))->isHidden());
    QCOMPARE(child<QLabel>(w, QStringLiteral("Label3"))->text(), QStringLiteral("保存しました"));
}

void TestStorageWindow::registerEmptyTakesProgramFolder()
{
    QWidget *w = openFilectl();
    const int beeps = m_fx->fake.beeps;
    click(w, QStringLiteral("Command3"));
    QCOMPARE(child<QLineEdit>(w, QStringLiteral("Text2"))->text(), programFolder());
    QCOMPARE(fileBytes(setqPath()), "\"" + programFolder().toLocal8Bit() + "\",0,0,0\r\n");
    QVERIFY(child<QLabel>(w, QStringLiteral("Label3"))->isVisibleTo(w));
    QCOMPARE(m_fx->fake.beeps, beeps + 1);
    QVERIFY(m_fx->fake.warnings.isEmpty());
}

void TestStorageWindow::registerTypedTextUnchanged()
{
    QVERIFY(writeBytes(setqPath(), "\"" + programFolder().toLocal8Bit() + "\",4,5,6\r\n"));
    QWidget *w = openFilectl();
    auto *text2 = child<QLineEdit>(w, QStringLiteral("Text2"));
    text2->setText(QStringLiteral("/no/such/経理 "));
    click(w, QStringLiteral("Command3"));
    QCOMPARE(m_fx->app->store().program.StorageFolder, QStringLiteral("/no/such/経理 "));
    QCOMPARE(child<QLineEdit>(w, QStringLiteral("Text1"))->text(), QStringLiteral("/no/such/経理 "));
    QCOMPARE(fileBytes(setqPath()), QByteArray("\"/no/such/\x8c\x6f\x97\x9d \",4,5,6\r\n"));
}

void TestStorageWindow::pickerFillsText2()
{
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("sub"));
    QVERIFY(writeBytes(setqPath(), "\"" + folder.path().toLocal8Bit() + "\",0,0,0\r\n"));
    QWidget *w = openFilectl();
    auto *tree = child<QTreeView>(w, QStringLiteral("Dir1"));
    auto *model = qobject_cast<QFileSystemModel *>(tree->model());
    QVERIFY(model);
    // Before the picker is shown the tree does not touch Text2.
    tree->setCurrentIndex(model->index(folder.filePath(QStringLiteral("sub"))));
    QCOMPARE(child<QLineEdit>(w, QStringLiteral("Text2"))->text(), QString());
    click(w, QStringLiteral("Command2"));
    QVERIFY(child<QFrame>(w, QStringLiteral("Frame1"))->isVisibleTo(w));
    tree->setCurrentIndex(model->index(folder.path()));
    QCOMPARE(child<QLineEdit>(w, QStringLiteral("Text2"))->text(), folder.path());
    tree->setCurrentIndex(model->index(folder.filePath(QStringLiteral("sub"))));
    QCOMPARE(child<QLineEdit>(w, QStringLiteral("Text2"))->text(), folder.filePath(QStringLiteral("sub")));
}

void TestStorageWindow::unavailableDriveFallsBack()
{
    QVERIFY(writeBytes(setqPath(), "\"C:\\ZQ\\DATA\",7,8,9\r\n"));
    QWidget *w = openFilectl();
    QCOMPARE(m_fx->app->store().program.StorageFolder, programFolder());
    QCOMPARE(fileBytes(setqPath()), "\"" + programFolder().toLocal8Bit() + "\",7,8,9\r\n");
    QCOMPARE(child<QLineEdit>(w, QStringLiteral("Text1"))->text(), programFolder());
}

void TestStorageWindow::missingFolderShowsProgramFolder()
{
    QVERIFY(writeBytes(setqPath(), "\"/no/such/folder\",0,0,0\r\n"));
    QWidget *w = openFilectl();
    QCOMPARE(child<QLineEdit>(w, QStringLiteral("Text1"))->text(), programFolder());
    QCOMPARE(m_fx->app->store().program.StorageFolder, QStringLiteral("/no/such/folder"));
    QCOMPARE(fileBytes(setqPath()), QByteArray("\"/no/such/folder\",0,0,0\r\n"));
}

void TestStorageWindow::failedRegisterIsReported()
{
    QWidget *w = openFilectl();
    const QByteArray before = fileBytes(setqPath());
    auto *text2 = child<QLineEdit>(w, QStringLiteral("Text2"));
    text2->setText(QStringLiteral("/folder/with\"quote/café"));
    click(w, QStringLiteral("Command3"));
    QCOMPARE(m_fx->fake.warnings, QStringList{QStringLiteral("フォルダ名の「\"é」は登録できません！")});
    QVERIFY(child<QLabel>(w, QStringLiteral("Label3"))->isHidden());
    QCOMPARE(fileBytes(setqPath()), before);
    QCOMPARE(m_fx->app->store().program.StorageFolder, programFolder());
}

void TestStorageWindow::newFolderInForceForFileDialogs()
{
    // A folder named with an input method: 〜 (WAVE DASH) is stored as ～
    // and found on disk again when the menu reads SETQ.DAT back.
    QTemporaryDir parent;
    const QString folder = QDir(parent.path()).filePath(QStringLiteral("４月〜６月"));
    QVERIFY(QDir().mkpath(folder));
    QWidget *w = openFilectl();
    auto *text2 = child<QLineEdit>(w, QStringLiteral("Text2"));
    text2->setText(parent.path() + u'/');
    commitText(text2, QStringLiteral("４がつ〜６がつ"), QStringLiteral("４月〜６月"));
    click(w, QStringLiteral("Command3"));
    QVERIFY(m_fx->fake.warnings.isEmpty());
    QVERIFY(child<QLabel>(w, QStringLiteral("Label3"))->isVisibleTo(w));
    QVERIFY(fileBytes(setqPath()).contains("\x8c\x8e\x81\x60\x82\x55"));
    click(w, QStringLiteral("Command1"));
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("FILECTL")), 0);
    QWidget *menu = AppFixture::window(QStringLiteral("MENU"));
    QVERIFY(menu);
    click(menu, QStringLiteral("Command8"));
    QWidget *kasan = AppFixture::window(QStringLiteral("KASAN"));
    child<IndexedToolbar>(kasan, QStringLiteral("Toolbar1"))->button(2)->trigger();
    QCOMPARE(m_fx->fake.log.last(), QStringLiteral("save:%1|入力ﾌｧｲﾙ (*.KSN)|*.KSN|1").arg(folder));
}

void TestStorageWindow::versionWindowAndMenuReactivation()
{
    m_fx->app->showMenu();
    QWidget *menu = AppFixture::window(QStringLiteral("MENU"));
    trigger(menu, QStringLiteral("MX33"));
    QWidget *ver = AppFixture::window(QStringLiteral("VER"));
    QVERIFY(ver);
    QCOMPARE(ver->windowModality(), Qt::ApplicationModal);
    QCOMPARE(ver->windowTitle(), QStringLiteral("　ﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(labelTexts(ver, {"Label1", "Label2", "Label3"}),
             (QStringList{"ＺＱ加算機／集計器", "For Windows", "Version：　２．４０"}));
    // The menu reads SETQ.DAT again when the version window closes.
    QVERIFY(writeBytes(setqPath(), "\"/changed\",0,0,0\r\n"));
    click(ver, QStringLiteral("Command1"));
    QCOMPARE(AppFixture::visibleWindowCount(QStringLiteral("VER")), 0);
    QCOMPARE(AppFixture::window(QStringLiteral("MENU")), menu);
    QCOMPARE(m_fx->app->store().program.StorageFolder, QStringLiteral("/changed"));
}

void TestStorageWindow::helpFlag_data()
{
    QTest::addColumn<int>("shows");
    QTest::addColumn<int>("closes");
    QTest::newRow("never shown") << 0 << 0;
    QTest::newRow("shown once") << 1 << 1;
    QTest::newRow("shown twice") << 2 << 1;
    QTest::newRow("shown three times") << 3 << 1;
}

void TestStorageWindow::helpFlag()
{
    QFETCH(int, shows);
    QFETCH(int, closes);
    m_fx->app->showMenu();
    QWidget *menu = AppFixture::window(QStringLiteral("MENU"));
    for (int i = 0; i < shows; ++i) {
        if (i % 2)
            child<IndexedToolbar>(menu, QStringLiteral("Toolbar1"))->button(2)->trigger();
        else
            trigger(menu, QStringLiteral("MX31"));
    }
    QCOMPARE(m_fx->fake.count(QStringLiteral("help-show:MENU")), shows);
    QCOMPARE(m_fx->app->store().program.HelpShown, shows ? 1 : 0);
    click(menu, QStringLiteral("Command9"));
    QCOMPARE(m_fx->fake.count(QStringLiteral("help-close:")), closes);
    QCOMPARE(m_fx->fake.count(QStringLiteral("help-")), shows + closes);
    QVERIFY(m_fx->app->hasEnded());
}

void TestStorageWindow::calculatorLaunch()
{
    m_fx->app->showMenu();
    QWidget *menu = AppFixture::window(QStringLiteral("MENU"));
    trigger(menu, QStringLiteral("MX21"));
    const QString path = QDir(programFolder()).filePath(QStringLiteral("ZQDENTAK"));
    QCOMPARE(m_fx->fake.log.last(), QStringLiteral("launch:") + path);
    QCOMPARE(m_fx->app->store().program.WorkText, path);
    child<IndexedToolbar>(menu, QStringLiteral("Toolbar1"))->button(1)->trigger();
    QCOMPARE(m_fx->fake.count(QStringLiteral("launch:")), 2);
    QVERIFY(m_fx->fake.warnings.isEmpty());
}

void TestStorageWindow::calculatorMissing()
{
    m_fx->fake.launchSucceeds = false;
    m_fx->app->openAdder();
    QWidget *kasan = AppFixture::window(QStringLiteral("KASAN"));
    child<IndexedToolbar>(kasan, QStringLiteral("Toolbar1"))->button(4)->trigger();
    QCOMPARE(m_fx->fake.warnings.size(), 1);
    QVERIFY(m_fx->fake.warnings.first().startsWith(QStringLiteral("ZQ電卓を起動できませんでした！")));
    QVERIFY(AppFixture::window(QStringLiteral("KASAN")));
    // The window stays usable.
    auto *text1 = child<QLineEdit>(kasan, QStringLiteral("Text1"));
    typeText(text1, QStringLiteral("5"));
    pressEnter(text1);
    QCOMPARE(labelText(kasan, QStringLiteral("Label2")), QStringLiteral("5. "));
}

void TestStorageWindow::realLauncher()
{
    QtLaunchService launcher;
    QVERIFY(!launcher.launch(QDir(programFolder()).filePath(QStringLiteral("ZQDENTAK"))));
    const QString script = QDir(programFolder()).filePath(QStringLiteral("ZQDENTAK"));
    QVERIFY(writeBytes(script, "#!/bin/sh\nexit 0\n"));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(launcher.launch(script));

    // ZQ電卓 of the main menu starts the calculator built beside zq.
    QTemporaryDir config;
    FakeServices fake;
    Services services = fake.services();
    services.launcher = &launcher;
    Application app(services, SetqLocation(QStringLiteral(ZQ_PROGRAM_DIR), config.path()), [] {});
    app.showMenu();
    QWidget *menu = AppFixture::window(QStringLiteral("MENU"));
    menu->findChild<QAction *>(QStringLiteral("MX21"))->trigger();
    QVERIFY(fake.warnings.isEmpty());
    const pid_t pid = pid_t(launcher.lastProcessId());
    QVERIFY(pid > 0);
    QCOMPARE(::kill(pid, 0), 0); // running
    QCOMPARE(::kill(pid, SIGTERM), 0);
    // Gone, or a zombie waiting for whoever adopted it.
    const auto ended = [pid] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        return !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z ");
    };
    QTRY_VERIFY(ended());
}

QTEST_MAIN(TestStorageWindow)
#include "tst_storage_window.moc"
