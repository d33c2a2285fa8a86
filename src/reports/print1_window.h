#pragma once

#include "platform/tool_window.h"

namespace zq {

class Application;

// PRINT_1: prints every month's input, modeless over the tally window.
class Print1Window : public SecondaryWindow
{
    Q_OBJECT
public:
    Print1Window(Application &app, ToolWindow *shukei);

protected:
    void activated() override;

private:
    void print();

    Application &m_app;
};

} // namespace zq
