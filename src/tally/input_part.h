#pragma once

#include "tally/input_sheet.h"
#include "tally/month_flow.h"

#include <QGroupBox>

#include <functional>

class QLabel;
class QPushButton;

namespace zq {

class Application;
class IndexedToolbar;
class KeyBox;
class LegacyGrid;

// Left edge of the key box (twips): after activation or reset, and after a
// new month was opened.
inline constexpr int KeyBoxLeftAtStart = 740;
inline constexpr int KeyBoxLeftForNewMonth = 720;

// The input area (Frame2) of the tally window: the month grid with its
// edit boxes, the totals, the month buttons and the input help.
class InputPart : public QGroupBox
{
    Q_OBJECT
public:
    // tallyButton: the window's 集計ボタン, enabled by every confirmation.
    InputPart(Application &app, QPushButton *tallyButton, QWidget *parent);

    LegacyGrid *grid() const { return m_g1; }

    // Activation: grid laid out, boxes on row 1.
    void layOut();
    // G1C
    void G1C();
    // Boxes back on row 1 of the first visible line; key box at `keyLeft`.
    void placeBoxesHome(int keyLeft);
    void setInputEnabled(bool enabled);
    void setMonthButtons(const MonthButtons &buttons);
    const MonthButtons &monthButtons() const { return m_buttons; }
    void setMonthLabel(const QString &text);
    void setHelpText(const QString &text);
    void clearTotals();
    void focusKeyBox();

    // The month buttons, as the window's return path needs them.
    void previousMonth();
    // Shows a month brought into the grid from elsewhere (a file).
    void showLoadedMonth(const FlowResult &result) { apply(result); }

private:
    KeyBox *box(InputColumn column) const;
    void boxEnter(InputColumn column);
    void boxArrow(InputColumn column, Qt::Key key);
    void gridClicked(int row, int col);
    void confirm();
    void nextMonth();
    void runFlow(const std::function<FlowResult(MonthButtons &)> &step);
    void apply(const FlowResult &result);
    void placeBoxes();
    int maxRows() const;

    Application &m_app;
    QPushButton *m_tallyButton;
    MonthButtons m_buttons;
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
};

} // namespace zq
