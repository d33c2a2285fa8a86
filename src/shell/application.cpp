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
#include <QFileInfo>

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

void Application::start(const QString &file)
{
    const DocumentKind kind = KindOfDocument(file);
    if (kind == DocumentKind::None) {
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
            return;
        }
    }
    if (read && kind == DocumentKind::Tally) {
        if (const std::optional<TallyFileContents> tally = ParseTallyFile(bytes, TallyMaxRows)) {
            openTally()->showOpenedFile(*tally);
            return;
        }
    }
    WarnUnreadable(m_services, showMenu(), path);
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
