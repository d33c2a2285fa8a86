#include "shell/application.h"

#include "adder/kasan_window.h"
#include "shell/menu_window.h"

#include <QApplication>
#include <QCoreApplication>

namespace zq {

Application::Application(const Services &services, const QString &programFolder, QObject *parent)
    : QObject(parent)
    , quit([] { QCoreApplication::quit(); })
    , m_services(services)
    , m_programFolder(programFolder)
{
}

Application::~Application()
{
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

MenuWindow *Application::showMenu()
{
    auto *menu = new MenuWindow(*this);
    menu->showAndActivate();
    return menu;
}

KasanWindow *Application::openAdder()
{
    auto *kasan = new KasanWindow(*this);
    kasan->showAndActivate();
    return kasan;
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
    m_ended = true;
    m_tracker.setSuspended(true);
    for (const QPointer<ToolWindow> &w : toolWindows()) {
        if (w) {
            w->hide();
            w->deleteLater();
        }
    }
    if (quit)
        quit();
}

} // namespace zq
