#pragma once

#include "platform/tool_window.h"

namespace zq {

// VER: the version window, modal over the main menu.
class VerWindow : public SecondaryWindow
{
    Q_OBJECT
public:
    VerWindow(ActivationTracker &tracker, ToolWindow *menu);

protected:
    void activated() override {}
};

} // namespace zq
