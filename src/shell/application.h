#pragma once

#include "platform/services.h"
#include "platform/tool_window.h"
#include "shell/store.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

namespace zq {

class MenuWindow;
class KasanWindow;

// Owns the program-wide store and the window flow: at most one of the main
// windows (MENU, KASAN, ...) is open at a time; each goes back by showing a
// fresh MENU and closing itself.
class Application : public QObject
{
    Q_OBJECT
public:
    Application(const Services &services, const QString &programFolder, QObject *parent = nullptr);
    ~Application() override;

    Store &store() { return m_store; }
    const Services &services() const { return m_services; }
    ActivationTracker &tracker() { return m_tracker; }
    QString programFolder() const { return m_programFolder; }

    // Shows a fresh main menu (load and activation run again).
    MenuWindow *showMenu();
    KasanWindow *openAdder();

    // Ends the program at once: with closeHelp, open help windows are closed
    // first when help was shown in this run. No further window events run.
    void endProgram(QWidget *owner, bool closeHelp);
    bool hasEnded() const { return m_ended; }

    // What ends the event loop; tests replace it.
    std::function<void()> quit;

private:
    static QList<QPointer<ToolWindow>> toolWindows();

    Store m_store;
    Services m_services;
    ActivationTracker m_tracker;
    QString m_programFolder;
    bool m_ended = false;
};

} // namespace zq
