#include "shell/application.h"

#include "adder/kasan_window.h"
#include "adder/tape.h"
#include "adder/tape_file.h"
#include "common/file_io.h"
#include "platform/accessible_names.h"
#include "platform/user_files.h"
#include "shell/command_line.h"
#include "shell/filectl_window.h"
#include "shell/menu_window.h"
#include "tally/shukei_window.h"
#include "tally/tally_file.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QThread>
#include <QWindow>

namespace zq {

Application::Application(const Services &services, const SetqLocation &setq, EventLoopEnd endEventLoop,
                         QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_setq(setq)
    , m_endEventLoop(endEventLoop ? std::move(endEventLoop) : EventLoopEnd([] { QCoreApplication::quit(); }))
{
    InstallAccessibleNames();
}

Application::~Application()
{
    if (m_journal)
        QCoreApplication::instance()->removeEventFilter(this);
    m_tracker.setSuspended(true);
    for (const QPointer<ToolWindow> &w : toolWindows())
        delete w.data();
}

QList<QPointer<ToolWindow>> Application::toolWindows()
{
    QList<QPointer<ToolWindow>> windows;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *tool = qobject_cast<ToolWindow *>(w))
            windows << tool;
    return windows;
}

void Application::keepJournal(const QString &folder)
{
    m_journal = std::make_unique<JournalFile>(folder);
    QCoreApplication::instance()->installEventFilter(this);
    // At a logout the desktop may close the windows: that is no clean end.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { m_sessionEnding = true; });
}

bool Application::takeLeftWork(LeftJournal *journal, WorkState *work)
{
    bool found = false;
    for (LeftJournal &left : FindLeftJournals(m_journal->folder())) {
        JournalReading reading;
        const JournalKind kind = ReadJournal(left.bytes, &reading);
        if (kind == JournalKind::Newer)
            continue; // for the version that wrote it
        if (kind == JournalKind::NotJournal || !HasUnsavedWork(reading.state)) {
            if (reading.torn)
                SetAsideLeftJournal(left); // damaged before anything was whole: kept, not offered
            else
                RemoveLeftJournal(left); // nothing in it to bring back
            continue;
        }
        if (found)
            continue; // offered at a later start
        *journal = std::move(left);
        *work = reading.state;
        found = true;
    }
    return found;
}

void Application::start(const QString &file)
{
    MenuWindow *menu = nullptr;
    if (m_journal) {
        LeftJournal left;
        WorkState work;
        const bool found = takeLeftWork(&left, &work);
        // This program's own journal, from the start on.
        m_journalBroken = !m_journal->rewrite(JournalHeader());
        if (found) {
            menu = showMenuOnScreen();
            if (m_services.messages->ask(menu, RestoreQuestion(work))) {
                restoreWork(work);
                menu->close();
                // In the new journal before the old one goes.
                checkpoint();
                m_journal->sync();
                if (!m_journalBroken) // kept until the new journal holds it
                    RemoveLeftJournal(left);
                return;
            }
            SetAsideLeftJournal(left);
        }
    }

    const DocumentKind kind = KindOfDocument(file);
    if (kind == DocumentKind::None) {
        if (!menu)
            showMenu();
        return;
    }
    // The file dialogs of the window open in the storage folder, as after
    // the main menu.
    ReadStorageSetting(m_store.program, m_setq);
    const QString path = QFileInfo(file).absoluteFilePath();
    QByteArray bytes;
    const bool read = ReadFileBytes(path, &bytes);
    if (read && kind == DocumentKind::Tape) {
        if (const std::optional<TapeFileContents> tape = ParseTapeFile(bytes, AdderMaxRows)) {
            openAdder()->showOpenedTape(*tape);
            if (menu)
                menu->close();
            return;
        }
    }
    if (read && kind == DocumentKind::Tally) {
        if (const std::optional<TallyFileContents> tally = ParseTallyFile(bytes, TallyMaxRows)) {
            openTally()->showOpenedFile(*tally);
            if (menu)
                menu->close();
            return;
        }
    }
    WarnUnreadable(m_services, menu ? menu : showMenuOnScreen(), path);
}

void Application::restoreWork(const WorkState &work)
{
    if (work.tally.open)
        openTally()->showRestored(work.tally);
    else
        openAdder()->showRestoredTape(work.tape);
}

WorkState Application::currentWork() const
{
    WorkState work;
    if (m_kasan && m_store.program.MaxRows == AdderMaxRows)
        work.tape = CaptureTape(m_store.adder, m_kasan->shownLabels());
    if (m_shukei && m_store.program.MaxRows == TallyMaxRows) {
        TallyWork &tally = work.tally;
        tally.open = true;
        tally.ws = m_store.tally;
        CaptureInputGrid(m_shukei->inputGrid(), tally);
        tally.screen = m_shukei->screen();
        tally.tallied = !SameResults(m_store.results, TallyResults{});
        if (tally.tallied) {
            tally.tallyInput = m_tallyInput;
            tally.resultMonth = m_store.results.ResultMonth;
        }
    }
    return work;
}

void Application::noteTally()
{
    m_tallyInput = m_store.tally;
}

void Application::checkpoint()
{
    m_checkpointPosted = false;
    if (!m_journal || m_ended)
        return;
    // Past this size the journal is written again as it stands.
    constexpr qint64 CompactAt = 1 << 20;
    const WorkState now = currentWork();
    const QByteArray records = JournalRecords(m_journaled, now);
    if (records.isEmpty() && !m_journalBroken)
        return;
    // A journal that could not be written is written anew at the next
    // change, not at every repaint.
    if (m_journalBroken && m_retried && JournalRecords(m_failed, now).isEmpty())
        return;
    const bool written = m_journalBroken || m_journal->size() + records.size() > CompactAt
                             ? m_journal->rewrite(JournalHeader() + JournalRecords(WorkState{}, now))
                             : m_journal->append(records);
    m_journalBroken = !written;
    m_retried = !written;
    if (written) {
        m_journaled = now;
        return;
    }
    m_failed = now;
    if (!m_journalWarned) {
        m_journalWarned = true;
        // Not from inside a paint: once the event that wrote is done.
        QMetaObject::invokeMethod(this, &Application::warnJournal, Qt::QueuedConnection);
    }
}

void Application::warnJournal()
{
    QWidget *owner = m_tracker.lastActive();
    m_services.messages->beep();
    m_services.messages->warn(owner, QStringLiteral("入力の控えを保存できません（ディスクの空きが足りない"
                                                    "などのため）。\n入力はこのまま続けられますが、異常終了し"
                                                    "たときには復元できません。\n")
                                         + QDir::toNativeSeparators(m_journal ? m_journal->path() : QString()));
}

bool Application::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::UpdateRequest:
        checkpoint(); // before the window paints what has changed
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::InputMethod:
    case QEvent::Shortcut:
    case QEvent::Close:
        // Once the event has been handled.
        if (!m_checkpointPosted) {
            m_checkpointPosted = true;
            QMetaObject::invokeMethod(this, &Application::checkpoint, Qt::QueuedConnection);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void Application::endCleanly()
{
    if (!m_journal || m_sessionEnding)
        return;
    QCoreApplication::instance()->removeEventFilter(this);
    m_journal->remove();
    m_journal.reset();
}

MenuWindow *Application::showMenu()
{
    auto *menu = new MenuWindow(*this);
    menu->showAndActivate();
    return menu;
}

// The main menu as start-up shows it before a question or a warning: once
// the window manager has placed it and it is on the screen, so that the
// message box is centred over it, not put in the screen's corner.
MenuWindow *Application::showMenuOnScreen()
{
    MenuWindow *menu = showMenu();
    QElapsedTimer waited;
    waited.start();
    while (menu->windowHandle() && !menu->windowHandle()->isExposed() && waited.elapsed() < 2000) {
        // Keys and clicks wait until the question or warning is up.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!menu->windowHandle()->isExposed())
            QThread::msleep(2);
    }
    return menu;
}

KasanWindow *Application::openAdder()
{
    auto *kasan = new KasanWindow(*this);
    m_kasan = kasan;
    kasan->showAndActivate();
    return kasan;
}

FileCtlWindow *Application::openStorageFolder()
{
    auto *window = new FileCtlWindow(*this);
    window->showAndActivate();
    return window;
}

ShukeiWindow *Application::openTally()
{
    auto *window = new ShukeiWindow(*this);
    m_shukei = window;
    window->showAndActivate();
    return window;
}

void Application::showHelp(QWidget *owner)
{
    m_store.program.HelpShown = 1;
    if (m_services.help)
        m_services.help->showHelp(owner);
}

QString Application::calculatorPath() const
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(programFolder()) + QStringLiteral("\\ZQDENTAK.EXE");
#else
    return QDir(programFolder()).filePath(QStringLiteral("ZQDENTAK"));
#endif
}

void Application::launchCalculator(QWidget *owner)
{
    m_store.program.WorkText = calculatorPath();
    if (m_services.launcher && m_services.launcher->launch(m_store.program.WorkText))
        return;
    m_services.messages->beep();
    m_services.messages->warn(owner, QStringLiteral("ZQ電卓を起動できませんでした！\n")
                                         + QDir::toNativeSeparators(m_store.program.WorkText));
}

void Application::endProgram(QWidget *owner, bool closeHelp)
{
    if (m_ended)
        return;
    if (closeHelp && m_store.program.HelpShown == 1) {
        m_store.program.HelpShown = 0;
        if (m_services.help)
            m_services.help->closeAllHelp(owner);
    }
    // 終了 is a clean end whatever the desktop session is doing.
    m_sessionEnding = false;
    endCleanly();
    m_ended = true;
    m_tracker.setSuspended(true);
    for (const QPointer<ToolWindow> &w : toolWindows()) {
        if (w) {
            w->hide();
            w->deleteLater();
        }
    }
    m_endEventLoop();
}

} // namespace zq
