#pragma once

#include "platform/services.h"
#include "platform/tool_window.h"

class QRadioButton;

namespace zq {

class Application;

// The tape on the chosen output, with row numbers as the print option says
// (HideRowNumbers). True when printed or saved.
bool PrintTapeOn(Application &app, QWidget *owner, PrintOutput output);

// INSATSU: tape print options, modeless over KASAN.
class InsatsuWindow : public SecondaryWindow
{
    Q_OBJECT
public:
    InsatsuWindow(Application &app, ToolWindow *kasan);

protected:
    void activated() override;

private:
    void print();

    Application &m_app;
    QRadioButton *m_option1 = nullptr;
    QRadioButton *m_option2 = nullptr;
};

} // namespace zq
