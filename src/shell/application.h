#pragma once

#include "platform/services.h"
#include "platform/tool_window.h"
#include "shell/journal_file.h"
#include "shell/setq_file.h"
#include "shell/store.h"
#include "shell/work_journal.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

namespace zq {

class MenuWindow;
class KasanWindow;
class FileCtlWindow;
class ShukeiWindow;

// Owns the program-wide store and the window flow: at most one of the main
// windows (MENU, KASAN, ...) is open at a time; each goes back by showing a
// fresh MENU and closing itself.
class Application : public QObject
{
    Q_OBJECT
public:
    // What ends the event loop once the program has ended.
    using EventLoopEnd = std::function<void()>;

    // setq: the program folder, and where SETQ.DAT is kept. endEventLoop:
    // QCoreApplication::quit unless given (the tests count the calls
    // instead of leaving their own event loop).
    Application(const Services &services, const SetqLocation &setq, EventLoopEnd endEventLoop = {},
                QObject *parent = nullptr);
    ~Application() override;

    Store &store() { return m_store; }
    const Services &services() const { return m_services; }
    ActivationTracker &tracker() { return m_tracker; }
    QString programFolder() const { return m_setq.programFolder(); }
    const SetqLocation &setqLocation() const { return m_setq; }

    // Keeps a journal of the typed work in `folder` (the user's data
    // folder) from now on. Call before start().
    void keepJournal(const QString &folder);

    // The start of the program: the main menu, or with a file given on the
    // command line the window of that file with the file opened, as its
    // ﾌｧｲﾙを開く opens one. A file that cannot be read is reported over the
    // main menu. Work that a program which did not end cleanly left in the
    // journal folder is offered first, over the main menu.
    void start(const QString &file = QString());

    // Shows a fresh main menu (load and activation run again).
    MenuWindow *showMenu();
    // The same, returning once the window is on the screen.
    MenuWindow *showMenuOnScreen();
    KasanWindow *openAdder();
    FileCtlWindow *openStorageFolder();
    ShukeiWindow *openTally();

    // Shows the help, owned by the calling window; HelpShown becomes 1.
    void showHelp(QWidget *owner);
    // Starts the calculator program from the program folder, not waiting for
    // it; says so when it cannot be started.
    void launchCalculator(QWidget *owner);
    QString calculatorPath() const;

    // Ends the program at once: with closeHelp, open help windows are closed
    // first when help was shown in this run. No further window events run.
    void endProgram(QWidget *owner, bool closeHelp);
    bool hasEnded() const { return m_ended; }
    // The program ends as the user asked (not with the desktop session): the
    // journal is no longer needed.
    void endCleanly();

    // Brings the journal up to date with what the windows hold and show.
    // It runs before any window of the program paints and after every key
    // and click, so whatever the user has seen is written.
    void checkpoint();
    // A tally has just run on the workspace as it stands.
    void noteTally();
    // Where the journal is kept; empty without one.
    QString journalPath() const { return m_journal ? m_journal->path() : QString(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static QList<QPointer<ToolWindow>> toolWindows();
    WorkState currentWork() const;
    // The newest work a program left unsaved; its journal stays locked.
    bool takeLeftWork(LeftJournal *journal, WorkState *work);
    void restoreWork(const WorkState &work);
    void warnJournal();

    Store m_store;
    Services m_services;
    ActivationTracker m_tracker;
    SetqLocation m_setq;
    EventLoopEnd m_endEventLoop;
    bool m_ended = false;

    QPointer<KasanWindow> m_kasan;
    QPointer<ShukeiWindow> m_shukei;
    std::unique_ptr<JournalFile> m_journal;
    WorkState m_journaled;         // what the journal holds
    TallyWorkspace m_tallyInput;   // the workspace the results were computed from
    bool m_journalBroken = false;  // the last write failed: the next one rewrites it whole
    bool m_journalWarned = false;
    bool m_checkpointPosted = false;
    bool m_sessionEnding = false;
    WorkState m_failed;            // what the last failed write held
    bool m_retried = false;
};

} // namespace zq
