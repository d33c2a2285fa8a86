#pragma once

#include "platform/services.h"
#include "platform/tool_window.h"
#include "shell/setq_file.h"
#include "shell/store.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

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

    // The start of the program: the main menu, or with a file given on the
    // command line the window of that file with the file opened, as its
    // ﾌｧｲﾙを開く opens one. A file that cannot be read is reported over the
    // main menu.
    void start(const QString &file = QString());

    // Shows a fresh main menu (load and activation run again).
    MenuWindow *showMenu();
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

private:
    static QList<QPointer<ToolWindow>> toolWindows();

    Store m_store;
    Services m_services;
    ActivationTracker m_tracker;
    SetqLocation m_setq;
    EventLoopEnd m_endEventLoop;
    bool m_ended = false;
};

} // namespace zq
