#pragma once

#include "adder/tape_edit.h"
#include "adder/tape_sheet.h"
#include "platform/services.h"
#include "platform/tool_window.h"

#include <functional>

#include <QPointer>


class QLabel;
class QMenu;
class QPushButton;
class QFrame;
class QGroupBox;

namespace zq {

class Application;
class IndexedToolbar;
class KeyBox;
class InsatsuWindow;
class LegacyGrid;
struct AdderValues;
struct ProgramValues;

// KASAN: the adding machine with its tape.
class KasanWindow : public ToolWindow
{
    Q_OBJECT
public:
    explicit KasanWindow(Application &app);

    // A tape file read elsewhere (given on the command line), shown as
    // ﾌｧｲﾙを開く shows one.
    void showOpenedTape(const TapeFileContents &contents);
    // A tape the program kept in its journal, shown as it was.
    void showRestoredTape(const TapeWork &work);
    // The grid's top row and the texts of the total, count and "前の計算".
    TapeWork shownLabels() const;

protected:
    void activated() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void entryChanged(const QString &text);
    void enterPressed();
    void clearTape();
    void showView(const TapeView &view);
    void backToMenu();
    void endProgram();
    void showRules(bool show);
    void toolbarClicked(int index);
    void openTape();
    void saveTape();
    void openPrintWindow();
    void printTape(PrintOutput output);
    FileDialogRequest tapeDialog(bool save) const;
    void focusEntry();
    // Corrections: the row chosen (a right click, Ctrl+↑/↓), the next Enter
    // replacing it or inserting before it; undo and redo.
    void chooseRow(int row);
    void startEdit(TapeEdit edit);
    void endEdit();
    void deleteChosen();
    void step(bool forward); // 元に戻す (false) or やり直し (true)
    // A change of the tape, one step of its history when it changed anything.
    TapeView change(const std::function<TapeView()> &act);
    TapeState tapeState() const;

    AdderValues &adder();
    ProgramValues &program();

    Application &m_app;
    IndexedToolbar *m_toolbar = nullptr;
    LegacyGrid *m_grid = nullptr;       // G
    KeyBox *m_text1 = nullptr;          // entry line
    QString m_composing;                // input method text not yet committed
    QLabel *m_label1 = nullptr;         // entry display
    QLabel *m_label2 = nullptr;         // running total
    QLabel *m_label5 = nullptr;         // entry count
    QLabel *m_label4 = nullptr;         // previous total
    QLabel *m_label6 = nullptr;         // previous count
    QLabel *m_label3 = nullptr;         // operating rules
    QFrame *m_picture1 = nullptr;       // rules box
    QPointer<InsatsuWindow> m_insatsu;  // print options
    QMenu *m_tapeMenu = nullptr;        // MT: the tape's pop-up menu
    TapeHistory m_history;
    int m_chosenRow = 0;                // 0: none chosen yet, the last entry
    bool m_editing = false;             // Enter corrects m_chosenRow
    TapeEdit m_edit = TapeEdit::Replace;
};

} // namespace zq
