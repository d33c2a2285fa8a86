#pragma once

#include <QColor>
#include <QMainWindow>
#include <QPointer>

namespace zq {

class ToolWindow;

// When a window's activation steps run.
//
// The rule: when the window is first shown, and when it becomes active again
// after another of the program's own windows (a secondary window closing, or
// the user clicking back from a modeless one). Message boxes, file and print
// dialogs, the help viewer and other programs are not the program's windows:
// the focus coming back from them runs nothing.
//
// The mechanism: the tracker remembers the program's window that was active
// last, and windowActivated, its one entry point, runs the steps of any other
// window. Two things call it: ToolWindow::showAndActivate, the one way the
// program shows a window or brings one back, at once and on every platform
// alike, without waiting for the window system to confirm; and the window
// system's activation event, when the user clicks into another of the
// program's windows. A secondary window brings its owner back with
// showAndActivate once it is hidden, so no modal window stands in the way.
class ActivationTracker
{
public:
    void windowActivated(ToolWindow *window);
    ToolWindow *lastActive() const { return m_last; }
    // While the program ends, nothing runs any more.
    void setSuspended(bool suspended) { m_suspended = suspended; }
    bool isSuspended() const { return m_suspended; }

private:
    QPointer<ToolWindow> m_last;
    bool m_suspended = false;
};

// Base of every window of the program. The window's objectName is its name.
class ToolWindow : public QMainWindow
{
    Q_OBJECT
public:
    ToolWindow(ActivationTracker &tracker, const QString &name, QWidget *parent = nullptr);

    // Shows the window and makes it the active one; its activation steps run
    // if the previously active window of the program was another one.
    void showAndActivate();

protected:
    // The window's activation steps.
    virtual void activated() = 0;

    bool event(QEvent *event) override;
    ActivationTracker &tracker() { return m_tracker; }

    // The client area of the layout: a fixed size (below any menu bar),
    // filled with `background` when one is given.
    QWidget *setClientArea(const QSize &size, const QColor &background = QColor());

private:
    friend class ActivationTracker;
    ActivationTracker &m_tracker;
};

// A window that belongs to a tool window: it closes with its owner, and once
// it is closed the owner is shown and activated again.
class SecondaryWindow : public ToolWindow
{
    Q_OBJECT
public:
    SecondaryWindow(ActivationTracker &tracker, const QString &name, ToolWindow *owner);

    ToolWindow *owner() const { return m_owner; }

protected:
    void hideEvent(QHideEvent *event) override;

private:
    QPointer<ToolWindow> m_owner;
};

} // namespace zq
