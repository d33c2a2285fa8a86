#include "shell/application.h"

#include "adder/kasan_window.h"
#include "shell/filectl_window.h"
#include "shell/menu_window.h"
#include "tally/shukei_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

namespace zq {

Application::Application(const Services &services, const SetqLocation &setq, EventLoopEnd endEventLoop,
                         QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_setq(setq)
    , m_endEventLoop(endEventLoop ? std::move(endEventLoop) : EventLoopEnd([] { QCoreApplication::quit(); }))
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

FileCtlWindow *Application::openStorageFolder()
{
    auto *window = new FileCtlWindow(*this);
    window->showAndActivate();
    return window;
}

ShukeiWindow *Application::openTally()
{
    auto *window = new ShukeiWindow(*this);
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
