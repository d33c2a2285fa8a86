#pragma once

#include "calc/calculator.h"

#include <QWidget>

#include <map>

class QLabel;
class QPushButton;

namespace zq {

class ClipboardService;
class MessageService;

// DENTAK: ZQ電卓, the calculator the menus and toolbars of ZQ start. Every
// key is also on the keyboard; the buttons never take the focus, so that
// Enter is always ＝.
// The program ZQDENTAK as it starts: its name, its own desktop entry (the
// ZQ icon, the window matched by its class), the icon of its windows, the
// fonts and the names screen readers hear.
void PrepareCalculatorProgram();

class DentakuWindow : public QWidget
{
    Q_OBJECT
public:
    DentakuWindow(ClipboardService &clipboard, MessageService &messages, QWidget *parent = nullptr);

    QPushButton *button(Calculator::Key key) const;
    const Calculator &calculator() const { return m_calculator; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void press(Calculator::Key key);
    void copy();
    void paste();
    void refresh();

    Calculator m_calculator;
    ClipboardService &m_clipboard;
    MessageService &m_messages;
    QLabel *m_display = nullptr;
    QLabel *m_state = nullptr;
    std::map<Calculator::Key, QPushButton *> m_buttons;
};

} // namespace zq
