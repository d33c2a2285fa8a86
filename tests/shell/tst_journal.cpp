#include "../support/app_fixture.h"
#include "../support/files.h"

#include "adder/kasan_window.h"
#include "tally/shukei_window.h"
#include "platform/legacy_grid.h"
#include "shell/journal_file.h"
#include "shell/work_journal.h"

#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <random>

using namespace zq;
using namespace zq::test;

class TestJournal : public QObject
{
    Q_OBJECT
private slots:
    void everyRecordReadsBack();
    void damagedJournals_data();
    void damagedJournals();
    void anyDamageIsSafe();
    void startAfterAnEnd_data();
    void startAfterAnEnd();
    void locksAsQtLocks();
    void fullDiskWarnsOnceAndCatchesUp();
    void crashWithTheListOpen();
};

namespace {

bool same(const WorkState &a, const WorkState &b)
{
    const TallyWork &x = a.tally;
    const TallyWork &y = b.tally;
    return a.tape == b.tape && x.open == y.open && SameWorkspace(x.ws, y.ws) && x.header == y.header
           && x.gridRow == y.gridRow && x.gridCol == y.gridCol && x.gridTop == y.gridTop && x.screen == y.screen
           && x.tallied == y.tallied && SameWorkspace(x.tallyInput, y.tallyInput) && x.resultMonth == y.resultMonth
           && (!x.open || x.cells == y.cells);
}

// A random change of the kind the windows make.
void change(WorkState &s, std::mt19937 &rng)
{
    const auto text = [&rng] {
        static const QStringList texts = {QString(), QStringLiteral("1,234 "), QStringLiteral("店番号"),
                                          QStringLiteral("a b%\n\"x\"'"), QStringLiteral("4月〜6月 𠮷")};
        return texts[rng() % texts.size()];
    };
    TapeWork &tape = s.tape;
    TallyWork &tally = s.tally;
    tally.cells.resize(TallyMaxRows * 3);
    switch (rng() % 12) {
    case 0: case 1: case 2: // an entry
        if (tape.entries.size() < AdderMaxRows) {
            tape.open = true;
            tape.entries << double(int(rng() % 20001) - 10000) / 4;
            tape.total += tape.entries.last();
            tape.shownTotal = text();
        }
        break;
    case 3: // クリア, or an opened tape file
        tape = TapeWork{true, rng() % 2 ? QVector<double>{} : QVector<double>{1e15, -0.5}, 7, 1, text(), text(),
                        text(), text()};
        break;
    case 4: tape = TapeWork{}; break;
    case 5: // a confirmed month, the period or the item
        tally.open = true;
        tally.ws.MonthRows[1 + rng() % 6] = 0;
        tally.ws.MonthCount = int(rng() % 7);
        tally.ws.PeriodMonth = QVector<int>(tally.ws.MonthCount + 1, int(rng() % 13));
        tally.ws.ItemName = text();
        for (int m = 1; m <= 2; ++m) {
            const int rows = int(rng() % 5);
            tally.ws.MonthRows[m] = rows;
            tally.ws.Key[m] = tally.ws.Cases[m] = tally.ws.Amount[m] = QVector<double>(rows + 1, double(rng() % 99));
        }
        break;
    case 6: case 7: // typing into the grid
        tally.open = true;
        for (int i = int(rng() % 3); i >= 0; --i)
            tally.cells[rng() % tally.cells.size()] = text();
        tally.ws.CurRow = 1 + int(rng() % TallyMaxRows);
        tally.gridRow = tally.ws.CurRow;
        tally.gridCol = int(rng() % 4);
        break;
    case 8: // a month brought into the grid
        tally.open = true;
        tally.cells.fill(QString());
        for (int r = 1; r <= 20; ++r)
            tally.cells[TallyWork::CellIndex(r, 3)] = QString::number(r * 1000);
        tally.header = text();
        break;
    case 9:
        tally.open = true;
        tally.screen.texts[rng() % TallyScreen::TextCount] = text();
        tally.screen.flags = int(rng() % 256);
        break;
    case 10: // 集計, a result month, or reset
        tally.open = true;
        tally.tallied = rng() % 4 != 0;
        tally.tallyInput = tally.tallied ? (rng() % 2 ? tally.ws : TallyWorkspace{}) : TallyWorkspace{};
        tally.resultMonth = tally.tallied ? int(rng() % 7) : 0;
        break;
    case 11: tally = TallyWork{}; break;
    }
}

// A journal of a few records: three entries, a tally with a period.
QByteArray sampleJournal(WorkState *states)
{
    QByteArray bytes = JournalHeader();
    WorkState s;
    for (int i = 0; i < 3; ++i) {
        WorkState next = s;
        next.tape.open = true;
        next.tape.entries << i + 1;
        bytes += JournalRecords(s, next);
        states[i] = s = next;
    }
    return bytes;
}

} // namespace

// The journal of `steps` random changes, checked by `each` after every one.
static QByteArray randomJournal(quint32 seed, int steps, const std::function<void(const QByteArray &, const WorkState &)> &each)
{
    std::mt19937 rng(seed);
    WorkState journaled;
    QByteArray bytes = JournalHeader();
    for (int step = 0; step < steps; ++step) {
        WorkState next = journaled;
        change(next, rng);
        bytes += JournalRecords(journaled, next);
        journaled = next;
        each(bytes, journaled);
    }
    return bytes;
}

// The journal of every change reads back as the state after it, at every
// record, whatever the texts hold.
void TestJournal::everyRecordReadsBack()
{
    randomJournal(17, 600, [](const QByteArray &bytes, const WorkState &journaled) {
        JournalReading reading;
        QCOMPARE(ReadJournal(bytes, &reading), JournalKind::Readable);
        QVERIFY(!reading.torn && same(reading.state, journaled));
        QVERIFY(JournalRecords(journaled, journaled).isEmpty());
    });
}

void TestJournal::damagedJournals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kind");    // JournalKind
    QTest::addColumn<int>("records"); // whole records read
    QTest::addColumn<bool>("torn");
    WorkState states[3];
    const QByteArray whole = sampleJournal(states);
    const QByteArray last = whole.mid(whole.lastIndexOf('\n', whole.size() - 2) + 1);
    const QByteArray before = whole.left(whole.size() - last.size());
    QByteArray flipped = whole;
    flipped[flipped.size() - 12] ^= 0x01;
    QTest::newRow("whole") << whole << 0 << 3 << false;
    QCOMPARE(last.count('\n'), 1);
    QTest::newRow("power cut in the last record") << whole.chopped(5) << 0 << 2 << true;
    QTest::newRow("last record without its line end") << whole.chopped(1) << 0 << 2 << true;
    QTest::newRow("one bit of it damaged") << flipped << 0 << 2 << true;
    QTest::newRow("garbage after it") << whole + QByteArray("\0\xff\xfe garbage\n", 12) << 0 << 3 << true;
    QTest::newRow("garbage in the middle") << before + "E 1 1 1 ' ' 00000000\n" + last << 0 << 2 << true;
    QTest::newRow("header only") << JournalHeader() << 0 << 0 << false;
    QTest::newRow("empty") << QByteArray() << 2 << 0 << false;
    QTest::newRow("torn header") << QByteArray("ZQJOU") << 2 << 0 << false;
    QTest::newRow("not a journal") << QByteArray("1,2,3\r\n") << 2 << 0 << false;
    QTest::newRow("newer version") << QByteArray("ZQJOURNAL 2\n") + whole.mid(JournalHeader().size()) << 1 << 0
                                   << false;
    // Records whose checksum is right but whose values the program never
    // holds: reading stops before them.
    const QByteArray tape = JournalHeader() + JournalLine("T 0 1 ' ' ' ' 1 5");
    QByteArray full = JournalHeader() + JournalLine("T 0 1 ' ' ' ' 1000" + QByteArray(" 1").repeated(1000));
    QTest::newRow("an entry past the 1000th") << full + JournalLine("E 1 1 1 ' '") << 0 << 1 << true;
    QTest::newRow("a list longer than it says") << tape + JournalLine("T 0 1 ' ' ' ' 1 5 6") << 0 << 1 << true;
    QTest::newRow("a month 7") << tape + JournalLine("M 7 0 0 0 0") << 0 << 1 << true;
    QTest::newRow("rows beyond the month's lists") << tape + JournalLine("M 1 3 1 0 1 0 1 0") << 0 << 1 << true;
    QTest::newRow("not a number") << tape + JournalLine("E nan 1 1 ' '") << 0 << 1 << true;
    QTest::newRow("an unknown record") << tape + JournalLine("Z 1") << 0 << 1 << true;
}

void TestJournal::damagedJournals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, kind);
    QFETCH(int, records);
    QFETCH(bool, torn);
    JournalReading reading;
    QCOMPARE(int(ReadJournal(bytes, &reading)), kind);
    QCOMPARE(reading.records, records);
    QCOMPARE(reading.torn, torn);
}

// Whatever a damaged journal holds, reading it never crashes, never reads
// more than was written, and never brings back a value the program cannot
// hold.
void TestJournal::anyDamageIsSafe()
{
    std::mt19937 rng(5);
    const QByteArray journal = randomJournal(5, 80, [](const QByteArray &, const WorkState &) {});
    const int lines = int(journal.count('\n')) - 1;
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = journal;
        for (int k = int(rng() % 4); k >= 0; --k) {
            const qsizetype at = JournalHeader().size() + qsizetype(rng() % (damaged.size() - JournalHeader().size()));
            damaged[at] = char(rng() % 256);
        }
        JournalReading reading;
        QCOMPARE(ReadJournal(damaged, &reading), JournalKind::Readable);
        QVERIFY(reading.records <= lines);
        QVERIFY(reading.state.tape.entries.size() <= AdderMaxRows);
        QVERIFY(reading.state.tally.ws.MonthCount <= TallyMaxMonths);
    }
}

void TestJournal::startAfterAnEnd_data()
{
    QTest::addColumn<QString>("end");   // how the first program ended
    QTest::addColumn<bool>("answer");   // はい to the question
    QTest::addColumn<bool>("asked");
    QTest::newRow("crash, はい") << "crash" << true << true;
    QTest::newRow("crash, いいえ") << "crash" << false << true;
    QTest::newRow("終了") << "exit" << true << false;
    QTest::newRow("still running") << "running" << true << false;
}

// A start after a program that did not end cleanly offers its tape; a clean
// end leaves nothing, and a program still running keeps its own.
void TestJournal::startAfterAnEnd()
{
    QFETCH(QString, end);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QTemporaryDir folder;
    auto first = std::make_unique<AppFixture>();
    first->app->keepJournal(folder.path());
    first->app->start();
    AppFixture::window(QStringLiteral("MENU"))->findChild<QPushButton *>(QStringLiteral("Command8"))->click();
    auto *entry = AppFixture::window(QStringLiteral("KASAN"))->findChild<QLineEdit *>(QStringLiteral("Text1"));
    for (const char *typed : {"12", "7+-2", "**", "3"}) {
        QTest::keyClicks(entry, QString::fromLatin1(typed));
        QTest::keyClick(entry, Qt::Key_Return);
        first->app->checkpoint();
    }
    if (end == QLatin1String("exit"))
        first->app->endProgram(nullptr, true);
    if (end != QLatin1String("running"))
        first.reset(); // a crash ends nothing: the journal stays behind

    AppFixture second;
    second.fake.answer = answer;
    second.app->keepJournal(folder.path());
    second.app->start();
    QCOMPARE(second.fake.questions.size(), asked ? 1 : 0);
    const QStringList files = QDir(folder.path()).entryList(QDir::Files, QDir::Name);
    if (asked)
        QVERIFY2(second.fake.questions.first().contains(QStringLiteral("加算機のテープ：1件　合計 3")),
                 qPrintable(second.fake.questions.first()));
    if (asked && answer) {
        QVERIFY(AppFixture::window(QStringLiteral("KASAN")));
        const AdderValues &a = second.app->store().adder;
        QCOMPARE(a.TapeCount, 1);
        QCOMPARE(a.TapeTotal, 3.0);
        const QWidget *kasan = AppFixture::window(QStringLiteral("KASAN"));
        QCOMPARE(kasan->findChild<QLabel *>(QStringLiteral("Label4"))->text(), QStringLiteral("17. "));
        QCOMPARE(files.size(), 2); // the new journal and its lock: the old one is gone
    } else {
        QVERIFY(AppFixture::window(QStringLiteral("MENU")));
        QCOMPARE(files.contains(QLatin1String(JournalBackupName)), asked);
    }
    QCOMPARE(files.filter(QStringLiteral(".zqj")).size() - files.filter(QStringLiteral(".lock")).size()
                 - files.filter(QStringLiteral(".bak")).size(),
             end == QLatin1String("running") ? 2 : 1);
}

// A journal that cannot be written is said once; typing goes on, and once
// the disk has room again the journal holds everything.
// A program that locks with QLockFile (an earlier version) and this one see
// each other's locks held, and a lock its program left behind is free.
void TestJournal::locksAsQtLocks()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.zqj.lock"));
    {
        RunLock ours(path);
        QVERIFY(ours.tryLock());
        QLockFile theirs(path);
        theirs.setStaleLockTime(0);
        QVERIFY(!theirs.tryLock(0));
        QVERIFY(!RunLock(path).tryLock());
    } // gone without unlocking, as after kill -9
    QVERIFY(QFile::exists(path));
    RunLock left(path);
    QVERIFY(left.tryLock());
    left.unlock();
    QVERIFY(!QFile::exists(path));

    QLockFile theirs(path);
    QVERIFY(theirs.tryLock(0));
    RunLock ours(path);
    QVERIFY(!ours.tryLock());
    theirs.unlock();
    QVERIFY(ours.tryLock());
}

void TestJournal::fullDiskWarnsOnceAndCatchesUp()
{
    QTemporaryDir folder;
    AppFixture fx;
    fx.app->keepJournal(folder.path());
    fx.app->start();
    fx.app->openAdder();
    auto *entry = AppFixture::window(QStringLiteral("KASAN"))->findChild<QLineEdit *>(QStringLiteral("Text1"));
    const auto type = [&](int from, int to) {
        for (int i = from; i <= to; ++i) {
            QTest::keyClicks(entry, QString::number(i));
            QTest::keyClick(entry, Qt::Key_Return);
            fx.app->checkpoint();
            QCoreApplication::processEvents();
        }
    };
    {
        const FileSizeLimit full(QFileInfo(fx.app->journalPath()).size() + 40);
        type(1, 30);
    }
    QCOMPARE(fx.fake.warnings.size(), 1);
    QVERIFY(fx.fake.warnings.first().startsWith(QStringLiteral("入力の控えを保存できません")));
    QCOMPARE(fx.app->store().adder.TapeCount, 30);
    type(31, 32);
    JournalReading reading;
    QCOMPARE(ReadJournal(fileBytes(fx.app->journalPath()), &reading), JournalKind::Readable);
    QVERIFY(!reading.torn);
    QCOMPARE(reading.state.tape.entries.size(), 32);
    QCOMPARE(reading.state.tape.total, 528.0);
    QCOMPARE(fx.fake.warnings.size(), 1);
}

// The list sets month 1 as the input month while the grid still shows the
// month before it; brought back, the window shows month 1 as closing the
// list does, so that 入力確定 cannot write one month's rows over another.
void TestJournal::crashWithTheListOpen()
{
    QTemporaryDir folder;
    const TallyData data({{{3, 2, 1000}, {7, 1, 500}}, {{9, 1, 200}}}, 4, QStringLiteral("店番号"));
    {
        AppFixture first;
        first.app->keepJournal(folder.path());
        first.app->start();
        QWidget *shukei = first.app->openTally();
        ShowTally(*first.app, shukei, data);
        child<QPushButton>(shukei, QStringLiteral("Command2"))->setEnabled(true);
        click(shukei, QStringLiteral("Command2")); // month 2 in the grid
        click(shukei, QStringLiteral("Command10"));
        QVERIFY(AppFixture::window(QStringLiteral("ICHIRAN")));
        first.app->checkpoint();
    }
    AppFixture second;
    second.fake.answer = true;
    second.app->keepJournal(folder.path());
    second.app->start();
    QWidget *shukei = AppFixture::window(QStringLiteral("SHUKEI"));
    QVERIFY(shukei);
    const TallyWorkspace &ws = second.app->store().tally;
    QCOMPARE(ws.InputMonth, 1);
    QCOMPARE(child<LegacyGrid>(shukei, QStringLiteral("G1"))->text(1, 1), QStringLiteral("3 "));
    click(shukei, QStringLiteral("Command11"));
    QCOMPARE(ws.Key[1], data.ws.Key[1]);
    QCOMPARE(ws.Key[2], data.ws.Key[2]);
}

QTEST_MAIN(TestJournal)
#include "tst_journal.moc"
