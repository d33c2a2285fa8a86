#pragma once

#include "platform/tool_window.h"

class QAction;
class QPushButton;

namespace zq {

class Application;
class IndexedToolbar;

// MENU: the start-up window and the hub between the tools.
class MenuWindow : public ToolWindow
{
    Q_OBJECT
public:
    explicit MenuWindow(Application &app);

protected:
    void activated() override;

private:
    void openAdder();
    void openTally();
    void openStorageFolder();
    void showVersion();
    void endProgram();
    void toolbarClicked(int index);

    Application &m_app;
    IndexedToolbar *m_toolbar = nullptr;
    QPushButton *m_command8 = nullptr;
    QPushButton *m_command6 = nullptr;
    QPushButton *m_command9 = nullptr;
};

} // namespace zq
