// The real zq, typed into through the input plugin of the tests, killed with
// SIGKILL at random moments and started again: every start must bring back
// exactly what a run without a crash showed after some step, and never less
// than what the killed program had shown.

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <random>
#include <thread>

class TestCrashJournal : public QObject
{
    Q_OBJECT
private slots:
    void killedAndRestarted_data();
    void killedAndRestarted();
};

namespace {

QStringList tapeScript(std::mt19937 &rng)
{
    const QStringList forms = {QStringLiteral("%1"), QStringLiteral("%1.5"), QStringLiteral("%1+-2"),
                               QStringLiteral("%1/4"), QStringLiteral("-%1"), QStringLiteral("%1*-3"),
                               QStringLiteral("1,%1")};
    QStringList steps;
    for (int i = 0; i < 400; ++i) {
        const int pick = int(rng() % 100);
        QString entry = forms[rng() % forms.size()].arg(rng() % 100000);
        if (pick < 4)
            entry = QStringLiteral("**"); // クリア
        else if (pick < 7)
            entry = QStringLiteral("5/0"); // 入力エラー！
        steps << QStringLiteral("key Text1 ") + entry;
    }
    return steps;
}

QStringList tallyScript(std::mt19937 &rng)
{
    QStringList steps = {QStringLiteral("key Text1 4"), QStringLiteral("key Text2 6"),
                         QStringLiteral("key Combo1 SHOP"), QStringLiteral("click Command6")};
    const auto rows = [&](int n) {
        for (int r = 0; r < n; ++r) {
            steps << QStringLiteral("key Text3 %1").arg(1 + rng() % 7)
                  << QStringLiteral("key Text4 %1").arg(1 + rng() % 5)
                  << QStringLiteral("key Text5 %1").arg(100 + rng() % 99900);
        }
    };
    rows(15);
    // Rows from a spreadsheet, journalled as typed ones are.
    steps << QStringLiteral("paste Text3 店番号\\t件数\\t金額\\n201\\t2\\t1,500\\n202\\t3\\t２，５００\\n7\\t1\\t99\\n");
    rows(2);
    steps << QStringLiteral("key Text3 *") << QStringLiteral("click Command2");
    rows(12);
    steps << QStringLiteral("click Command11") << QStringLiteral("click Command1") << QStringLiteral("click Command9")
          << QStringLiteral("click Command2");
    rows(10);
    steps << QStringLiteral("key Text3 *") << QStringLiteral("click Command1") << QStringLiteral("click Command3")
          << QStringLiteral("click Command8");
    return steps;
}

// One run of zq with the driver.
class Run
{
public:
    Run(const QString &home, const QString &script, const QString &tool, bool reference)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/share"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(ZQ_TEST_PLUGINS));
        env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("zqcrashdriver"));
        env.insert(QStringLiteral("ZQ_CRASH_SCRIPT"), script);
        env.insert(QStringLiteral("ZQ_CRASH_TOOL"), tool);
        env.insert(QStringLiteral("ZQ_CRASH_REFERENCE"), reference ? QStringLiteral("1") : QStringLiteral("0"));
        m_process.setProcessEnvironment(env);
        // What zq says on its error output (a sanitizer's report) shows in the test's.
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(ZQ_TEST_PROGRAM), {});
    }
    ~Run()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
    }

    // The next line the driver prints; empty when it printed none in time.
    QString line()
    {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(60000))
                return QString();
        return QString::fromUtf8(m_process.readLine()).chopped(1);
    }
    // The dump lines up to the line `end`.
    QStringList dumpUntil(const QString &end)
    {
        QStringList dump;
        for (QString l = line(); !l.isEmpty() && l != end; l = line())
            if (l.startsWith(QStringLiteral("dump ")))
                dump << l;
        return dump;
    }
    void write(const QString &line) { m_process.write((line + u'\n').toUtf8()); }
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
    }

private:
    QProcess m_process;
};

} // namespace

void TestCrashJournal::killedAndRestarted_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("kills");
    QTest::newRow("adding machine") << "Command8" << 15;
    QTest::newRow("tally") << "Command6" << 15;
}

void TestCrashJournal::killedAndRestarted()
{
    QFETCH(QString, tool);
    QFETCH(int, kills);
    std::mt19937 rng(20261208);
    const QStringList steps = tool == QLatin1String("Command8") ? tapeScript(rng) : tallyScript(rng);
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("script"));
    {
        QFile f(script);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write((steps.join(u'\n') + u'\n').toUtf8());
    }

    // What the window shows after each step of a run without a crash.
    QList<QStringList> shown;
    {
        QTemporaryDir home;
        Run reference(home.path(), script, tool, true);
        shown << reference.dumpUntil(QStringLiteral("ready"));
        reference.write(QStringLiteral("from 1"));
        for (QString l = reference.line(); !l.isEmpty() && l != QLatin1String("done"); l = reference.line()) {
            if (l.startsWith(QStringLiteral("shown ")))
                shown << QStringList();
            else
                shown.last() << l;
        }
    }
    QCOMPARE(shown.size(), steps.size() + 1);
    for (int i = 0; i < steps.size(); ++i)
        if (steps[i].startsWith(u"paste "))
            QVERIFY(shown[i + 1].join(u'\n').contains(QStringLiteral(",3=2,500|"))); // the rows went in

    QTemporaryDir home;
    int confirmed = 0; // the last step the killed program had shown
    int compared = 0;
    int killed = 0;
    int lost = 0;
    for (int run = 0; run <= kills; ++run) {
        Run zq(home.path(), script, tool, false);
        const QStringList restored = zq.dumpUntil(QStringLiteral("ready"));
        QVERIFY2(!restored.isEmpty(), "zq did not start");
        int at = -1;
        for (int m = confirmed; m < shown.size() && at < 0; ++m)
            if (shown[m] == restored)
                at = m;
        for (int m = 0; m < confirmed && at < 0; ++m)
            if (shown[m] == restored)
                lost = qMax(lost, confirmed - m);
        if (at < 0) {
            QStringList differences;
            for (int i = 0; i < qMax(restored.size(), shown[confirmed].size()); ++i)
                if (restored.value(i) != shown[confirmed].value(i))
                    differences << QStringLiteral("got  ") + restored.value(i).left(160)
                                << QStringLiteral("want ") + shown[confirmed].value(i).left(160);
            QFAIL(qPrintable(QStringLiteral("start %1 after step %2 (%3):\n%4")
                                 .arg(run)
                                 .arg(confirmed)
                                 .arg(steps.value(confirmed - 1), differences.join(u'\n'))));
        }
        ++compared;
        if (run == kills || at == steps.size())
            break;
        zq.write(QStringLiteral("from %1").arg(at + 1));
        // The kills spread over the whole script.
        const int target = qMin(int(steps.size()), qMax(at + 1, int((run + 1) * steps.size() / (kills + 1) + rng() % 3)));
        for (QString l = zq.line(); !l.isEmpty(); l = zq.line()) {
            if (l.startsWith(QStringLiteral("shown ")))
                confirmed = l.mid(6).toInt();
            if (confirmed >= target || l == QLatin1String("done"))
                break;
        }
        // Somewhere in the steps after it, mid-write or between two.
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 1500));
        zq.kill();
        ++killed;
    }
    qInfo("%s: %d kills, %d starts compared, %d of %d steps shown before the last kill, %d lost", qPrintable(tool),
          killed, compared, confirmed, int(steps.size()), lost);
    QCOMPARE(killed, kills);
    QCOMPARE(lost, 0);
}

QTEST_APPLESS_MAIN(TestCrashJournal)
#include "tst_crash_journal.moc"
