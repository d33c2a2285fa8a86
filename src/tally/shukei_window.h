#pragma once

#include "platform/services.h"
#include "platform/tool_window.h"
#include "tally/period_setup.h"
#include "tally/tally_work.h"

#include <QPointer>

class QAction;
class QMenu;
class QPushButton;

namespace zq {

class Application;
class IndexedToolbar;
class InputPart;
class ResultsPart;
class SetupPart;
struct TallyFileContents;

// SHUKEI: the monthly results tally. The window is composed of its set-up,
// input and results parts, all working on the one tally workspace.
class ShukeiWindow : public ToolWindow
{
    Q_OBJECT
public:
    explicit ShukeiWindow(Application &app);

    // A tally file read elsewhere (given on the command line), shown as
    // ﾌｧｲﾙを開く shows one: month 1 in the grid, the results computed.
    void showOpenedFile(const TallyFileContents &contents);
    // A tally the program kept in its journal, shown as it was: the
    // workspace, the input grid, the results and every label and button.
    void showRestored(const TallyWork &work);
    // What the window shows beyond its grids, and its input grid.
    TallyScreen screen() const;
    const CellGrid &inputGrid() const;

    SetupPart *setup() const { return m_setup; }
    InputPart *input() const { return m_input; }
    ResultsPart *results() const { return m_results; }

protected:
    void activated() override;

private:
    void buildMenus();
    void itemChosen(HelpVariant variant);
    void dataInput();
    void reset();
    void backToMenu();
    void tally();
    void openFile();
    void saveFile();
    FileDialogRequest tallyDialog(bool save) const;
    void openInputPrint();
    void openList();
    void toolbarClicked(int index);
    void setToolButtonsEnabled(bool enabled); // Command6, Command10 and the result step buttons

    Application &m_app;
    SetupPart *m_setup = nullptr;
    InputPart *m_input = nullptr;
    ResultsPart *m_results = nullptr;
    IndexedToolbar *m_toolbar1 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command6 = nullptr;
    QPushButton *m_command10 = nullptr;
    QMenu *m_mm1 = nullptr;
    QMenu *m_mm2 = nullptr;
    QAction *m_mm11 = nullptr;
    QAction *m_mm21 = nullptr;
    QMenu *m_mm5 = nullptr;
    QAction *m_mm51 = nullptr;
    QAction *m_m21 = nullptr;
    QPointer<ToolWindow> m_print1;
    QPointer<QWidget> m_list;
};

} // namespace zq
