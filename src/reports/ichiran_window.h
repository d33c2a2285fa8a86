#pragma once

#include "platform/tool_window.h"

namespace zq {

class Application;
class LegacyGrid;

// ICHIRAN: the results list, modal over the tally window.
class IchiranWindow : public SecondaryWindow
{
    Q_OBJECT
public:
    IchiranWindow(Application &app, ToolWindow *shukei);

    LegacyGrid *grid() const { return m_g4; }

protected:
    void activated() override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void openChart();
    Application &m_app;
    LegacyGrid *m_g4 = nullptr;
};

} // namespace zq
