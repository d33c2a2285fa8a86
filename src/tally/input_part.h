#pragma once

#include "tally/input_sheet.h"
#include "tally/month_flow.h"
#include "tally/row_import.h"
#include "tally/tally_work.h"

#include <QGroupBox>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace zq {

class Application;
class IndexedToolbar;
class KeyBox;
class LegacyGrid;

// The input area (Frame2) of the tally window: the month grid with its
// edit boxes, the totals, the month buttons and the input help.
class InputPart : public QGroupBox
{
    Q_OBJECT
public:
    // tallyButton: the window's 集計ボタン, enabled by a confirmation within a
    // period.
    InputPart(Application &app, QPushButton *tallyButton, QWidget *parent);

    LegacyGrid *grid() const { return m_g1; }

    // Activation: the grid's column widths and alignments.
    void layOut();
    void setInputEnabled(bool enabled);
    // The enabled states of 集計ボタン, 次月度 ＞ and ＜ 前月度, as the
    // buttons hold them.
    MonthButtons monthButtons() const;
    // Shows what a step of the month flow returns.
    void showFlow(const FlowResult &result);
    void setMonthLabel(const QString &text);
    void setHelpText(const QString &text);
    void focusKeyBox();
    // The labels and buttons of the input area, as shown and as a journal
    // brings them back; the edit boxes go to the workspace's row.
    void capture(TallyScreen &screen) const;
    void show(const TallyScreen &screen);

    // The window's way back from its secondary windows.
    void returnToFirstMonth();

    // Rows from a spreadsheet: the grid's pop-up menu with its 貼り付け, and
    // the menu item that reads a CSV file. Both work while the grid takes
    // input.
    void setImportActions(QMenu *gridMenu, QAction *paste, QAction *csvFile);
    // The rows on the clipboard appended to the month; with `severalCells`
    // only when the clipboard holds more than one cell. False when it was
    // not taken for rows.
    bool pasteRows(bool severalCells);
    void readCsvFile();

private:
    KeyBox *box(InputColumn column) const;
    void boxEnter(InputColumn column);
    void boxArrow(InputColumn column, Qt::Key key);
    void gridClicked(int row, int col);
    void confirm();
    void importRows(const RowsRead &read);
    int rowsRoom() const;
    void placeBoxesHome(BoxesHome home);
    void placeBoxes();
    int maxRows() const;

    Application &m_app;
    QPushButton *m_tallyButton;
    LegacyGrid *m_g1 = nullptr;
    KeyBox *m_text3 = nullptr;
    KeyBox *m_text4 = nullptr;
    KeyBox *m_text5 = nullptr;
    QLabel *m_label20 = nullptr;
    QLabel *m_label23 = nullptr;
    QLabel *m_label24 = nullptr;
    QLabel *m_label25 = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command3 = nullptr;
    QPushButton *m_command11 = nullptr;
    IndexedToolbar *m_toolbar3 = nullptr;
    QAction *m_paste = nullptr;
    QAction *m_csvFile = nullptr;
};

} // namespace zq
