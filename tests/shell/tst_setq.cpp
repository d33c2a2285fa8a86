#include "../support/files.h"

#include "shell/drives.h"
#include "shell/setq_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zq;
using namespace zq::test;

class TestSetq : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void firstRunCreatesFile();
    void readsAndCarriesFieldsThrough();
    void emptyOrDamagedFileChangesNothing_data();
    void emptyOrDamagedFileChangesNothing();
    void registeringWritesCodePage932();
    void unwritableProgramFolderUsesConfigFolder();
    void installedProgramHonoursItsSetq();
    void inputMethodFolderReadsBackAsItself();
    void failedSaveKeepsOldFile();
    void driveOf_data();
    void driveOf();
    void storageChoiceStart_data();
    void storageChoiceStart();
    void folderRegistration();
    void installedFolderIsNeverWritten();

private:
    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<QTemporaryDir> m_config;
    QString setqPath() const { return QDir(m_program->path()).filePath("SETQ.DAT"); }
};

void TestSetq::init()
{
    m_program = std::make_unique<QTemporaryDir>();
    m_config = std::make_unique<QTemporaryDir>();
}

void TestSetq::firstRunCreatesFile()
{
    SetqLocation loc(m_program->path(), m_config->path());
    ProgramValues p;
    ReadStorageSetting(p, loc);
    QCOMPARE(p.StorageFolder, m_program->path());
    QCOMPARE(fileBytes(setqPath()), "\"" + m_program->path().toLocal8Bit() + "\",0,0,0\r\n");
}

void TestSetq::readsAndCarriesFieldsThrough()
{
    QVERIFY(writeBytes(setqPath(), "\"/data/\x8f\x57\x8c\x76\",3,-1,2.5\r\n"));
    SetqLocation loc(m_program->path(), m_config->path());
    ProgramValues p;
    ReadStorageSetting(p, loc);
    QCOMPARE(p.StorageFolder, QStringLiteral("/data/集計"));
    QCOMPARE(p.SetqField2, 3.0);
    QCOMPARE(p.SetqField3, -1.0);
    QCOMPARE(p.SetqField4, 2.5);
    p.StorageFolder = QStringLiteral("/other");
    QVERIFY(WriteStorageSetting(p, loc));
    QCOMPARE(fileBytes(setqPath()), QByteArray("\"/other\",3,-1,2.5\r\n"));
}

void TestSetq::emptyOrDamagedFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("unclosed quote") << QByteArray("\"/data,0,0,0\r\n");
    QTest::newRow("field not a number") << QByteArray("\"/data\",x,0,0\r\n");
    QTest::newRow("not code page 932") << QByteArray("\"/d\x81\x20\xff\",0,0,0\r\n");
}

void TestSetq::emptyOrDamagedFileChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(writeBytes(setqPath(), bytes));
    SetqLocation loc(m_program->path(), m_config->path());
    ProgramValues p;
    ReadStorageSetting(p, loc);
    QCOMPARE(p.StorageFolder, QString());
    p.StorageFolder = QStringLiteral("/before");
    p.SetqField2 = 7;
    ReadStorageSetting(p, loc);
    QCOMPARE(p.StorageFolder, QStringLiteral("/before"));
    QCOMPARE(p.SetqField2, 7.0);
    QCOMPARE(fileBytes(setqPath()), bytes); // not repaired behind the user's back
}

void TestSetq::registeringWritesCodePage932()
{
    SetqLocation loc(m_program->path(), m_config->path());
    ProgramValues p;
    p.StorageFolder = QStringLiteral("/home/経理/ﾃﾞｰﾀ");
    QVERIFY(WriteStorageSetting(p, loc));
    QCOMPARE(fileBytes(setqPath()), QByteArray("\"/home/\x8c\x6f\x97\x9d/\xc3\xde\xb0\xc0\",0,0,0\r\n"));
    ProgramValues back;
    ReadStorageSetting(back, loc);
    QCOMPARE(back.StorageFolder, p.StorageFolder);
}

void TestSetq::unwritableProgramFolderUsesConfigFolder()
{
    // A program folder that cannot take a file: here one that is not a
    // folder at all (a read-only one behaves alike for ordinary users).
    const QString program = QDir(m_program->path()).filePath(QStringLiteral("zq-binary"));
    QVERIFY(writeBytes(program, "x"));
    const QString config = QDir(m_config->path()).filePath(QStringLiteral("ZQ"));
    SetqLocation loc(program, config, QStringLiteral("/home/user/Documents"));
    QCOMPARE(loc.path(), QDir(config).filePath(QStringLiteral("SETQ.DAT")));
    // A new file names the documents folder, not the program folder.
    ProgramValues p;
    ReadStorageSetting(p, loc);
    QCOMPARE(p.StorageFolder, QStringLiteral("/home/user/Documents"));
    QCOMPARE(fileBytes(loc.path()), QByteArray("\"/home/user/Documents\",0,0,0\r\n"));
    QCOMPARE(loc.defaultStorageFolder(), QStringLiteral("/home/user/Documents"));
    p.StorageFolder = QStringLiteral("/registered");
    QVERIFY(WriteStorageSetting(p, loc));
    ProgramValues again;
    ReadStorageSetting(again, loc);
    QCOMPARE(again.StorageFolder, QStringLiteral("/registered"));
}

void TestSetq::installedProgramHonoursItsSetq()
{
    // An installed program whose folder holds a SETQ.DAT it cannot rewrite.
    QVERIFY(writeBytes(setqPath(), "\"/shared/data\",1,2,3\r\n"));
    const QString config = QDir(m_config->path()).filePath(QStringLiteral("ZQ"));
    SetqLocation loc(m_program->path(), config, QStringLiteral("/home/user/Documents"), false);
    ProgramValues p;
    ReadStorageSetting(p, loc);
    QCOMPARE(p.StorageFolder, QStringLiteral("/shared/data"));
    QCOMPARE(p.SetqField3, 2.0);
    QVERIFY(!QFile::exists(QDir(config).filePath(QStringLiteral("SETQ.DAT"))));
    // Registering writes the user's own file, which is read from then on.
    p.StorageFolder = QStringLiteral("/mine");
    QVERIFY(WriteStorageSetting(p, loc));
    QCOMPARE(fileBytes(setqPath()), QByteArray("\"/shared/data\",1,2,3\r\n"));
    QCOMPARE(fileBytes(QDir(config).filePath(QStringLiteral("SETQ.DAT"))), QByteArray("\"/mine\",1,2,3\r\n"));
    ProgramValues again;
    ReadStorageSetting(again, loc);
    QCOMPARE(again.StorageFolder, QStringLiteral("/mine"));
}

void TestSetq::inputMethodFolderReadsBackAsItself()
{
    // A folder typed with an input method: 〜 (WAVE DASH) is written as ～,
    // and the folder on disk is found again when the file is read.
    const QString folder = QDir(m_program->path()).filePath(QStringLiteral("４月〜６月−"));
    QVERIFY(QDir().mkpath(QDir(folder).filePath(QStringLiteral("内訳"))));
    SetqLocation loc(m_program->path(), m_config->path());
    ProgramValues p;
    p.StorageFolder = QDir(folder).filePath(QStringLiteral("内訳"));
    QVERIFY(WriteStorageSetting(p, loc));
    QVERIFY(fileBytes(setqPath()).contains("\x81\x60\x82\x55\x8c\x8e\x81\x7c/"));
    ProgramValues back;
    ReadStorageSetting(back, loc);
    QCOMPARE(back.StorageFolder, p.StorageFolder);
    // A folder that is gone stays as it was written.
    QVERIFY(QDir(folder).removeRecursively());
    ReadStorageSetting(back, loc);
    QCOMPARE(back.StorageFolder, QDir(m_program->path()).filePath(QStringLiteral("４月～６月－/内訳")));
}

void TestSetq::failedSaveKeepsOldFile()
{
    SetqLocation loc(m_program->path(), m_config->path());
    ProgramValues p;
    p.StorageFolder = QStringLiteral("/old");
    QVERIFY(WriteStorageSetting(p, loc));
    p.StorageFolder = QStringLiteral("/has\"quote");
    QVERIFY(!WriteStorageSetting(p, loc));
    p.StorageFolder = QStringLiteral("/café");
    QVERIFY(!WriteStorageSetting(p, loc));
    QCOMPARE(fileBytes(setqPath()), QByteArray("\"/old\",0,0,0\r\n"));
}

void TestSetq::driveOf_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("drive");
    const QStringList drives{"/", "/media/usb", "/media/usb2"};
    QTest::newRow("root") << "/" << "/";
    QTest::newRow("under root") << "/home/a" << "/";
    QTest::newRow("volume itself") << "/media/usb" << "/media/usb";
    QTest::newRow("inside volume") << "/media/usb/data" << "/media/usb";
    QTest::newRow("similar name") << "/media/usb2/x" << "/media/usb2";
    QTest::newRow("prefix is not a parent") << "/media/usbx" << "/";
    QTest::newRow("drive letter of another system") << "C:\\Users\\data" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("relative") << "data" << "";
}

void TestSetq::driveOf()
{
    QFETCH(QString, folder);
    QFETCH(QString, drive);
    QCOMPARE(DriveOf(folder, {"/", "/media/usb", "/media/usb2"}), drive);
}

void TestSetq::storageChoiceStart_data()
{
    QTest::addColumn<QString>("stored");   // "<temp>" stands for an existing folder
    QTest::addColumn<bool>("rewritten");   // SETQ.DAT names the default folder afterwards
    QTest::addColumn<bool>("treeDefault"); // the tree opens at the default folder
    QTest::newRow("existing folder") << "<temp>" << false << false;
    QTest::newRow("folder gone") << "/no/such/folder" << false << true;
    QTest::newRow("drive not here") << "Q:\\data" << true << true;
}

void TestSetq::storageChoiceStart()
{
    QFETCH(QString, stored);
    QFETCH(bool, rewritten);
    QFETCH(bool, treeDefault);
    QTemporaryDir folder;
    stored.replace(QStringLiteral("<temp>"), folder.path());
    SetqLocation loc(m_program->path(), m_config->path());
    ProgramValues p;
    p.StorageFolder = stored;
    QVERIFY(WriteStorageSetting(p, loc));
    const StorageChoiceStart start = StartStorageChoice(p, loc, {QStringLiteral("/")});
    QCOMPARE(start.drive, QStringLiteral("/"));
    QCOMPARE(start.folder, treeDefault ? m_program->path() : stored);
    // A folder gone: the drive of the setting read again follows.
    QCOMPARE(start.settingDrive, treeDefault && !rewritten ? QStringLiteral("/") : QString());
    QCOMPARE(p.StorageFolder, rewritten ? m_program->path() : stored); // a folder gone stays registered
    ProgramValues back;
    ReadStorageSetting(back, loc);
    QCOMPARE(back.StorageFolder, p.StorageFolder);
}

void TestSetq::folderRegistration()
{
    SetqLocation loc(m_program->path(), m_config->path());
    ProgramValues p;
    p.SetqField2 = 3;
    FolderRegistration r = RegisterFolder(p, loc, QString());
    QCOMPARE(r.folder, m_program->path()); // an empty box registers the default folder
    QCOMPARE(r.bytes, "\"" + m_program->path().toLocal8Bit() + "\",3,0,0\r\n");
    QVERIFY(r.unwritable.isEmpty());
    r = RegisterFolder(p, loc, QStringLiteral("/data/é\"x"));
    QCOMPARE(r.unwritable, QStringLiteral("é\""));
}

void TestSetq::installedFolderIsNeverWritten()
{
    // The package's layout: <prefix>/lib/zq beside <prefix>/share/applications,
    // here writable, as /usr/lib/zq is for root.
    const QString program = QDir(m_program->path()).filePath(QStringLiteral("lib/zq"));
    QVERIFY(QDir().mkpath(program));
    QVERIFY(!IsInstalledProgramFolder(program));
    QVERIFY(QDir().mkpath(QDir(m_program->path()).filePath(QStringLiteral("share/applications"))));
    QVERIFY(writeBytes(QDir(m_program->path()).filePath(QStringLiteral("share/applications/org.zq.ZQ.desktop")), "x"));
    QVERIFY(IsInstalledProgramFolder(program));
    SetqLocation loc(program, m_config->path(), QStringLiteral("/home/u/Documents"));
    QCOMPARE(loc.writePath(), QDir(m_config->path()).filePath(QStringLiteral("SETQ.DAT")));
    QCOMPARE(loc.defaultStorageFolder(), QStringLiteral("/home/u/Documents"));
}

QTEST_APPLESS_MAIN(TestSetq)
#include "tst_setq.moc"
