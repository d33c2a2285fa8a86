#pragma once

#include <QColor>
#include <QMainWindow>
#include <QPointer>

namespace zq {

class ToolWindow;

// Decides when a window's activation steps run: when it is first shown, and
// when it becomes active again after another of the program's own windows
// (a secondary window closing, or the user clicking back from a modeless
// one). Message boxes, file and print dialogs, the help viewer and other
// applications are not the program's windows and never trigger them.
class ActivationTracker
{
public:
    void windowActivated(ToolWindow *window);
    ToolWindow *lastActive() const { return m_last; }
    void setSuspended(bool suspended) { m_suspended = suspended; }

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
    void showEvent(QShowEvent *event) override;
    ActivationTracker &tracker() { return m_tracker; }

    // The client area of the layout: a fixed size (below any menu bar),
    // filled with `background` when one is given.
    QWidget *setClientArea(const QSize &size, const QColor &background = QColor());

private:
    friend class ActivationTracker;
    ActivationTracker &m_tracker;
};

// A window that belongs to a tool window: it closes with its owner, and when
// it closes the owner is shown and activated again.
class SecondaryWindow : public ToolWindow
{
    Q_OBJECT
public:
    SecondaryWindow(ActivationTracker &tracker, const QString &name, ToolWindow *owner);

    ToolWindow *owner() const { return m_owner; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QPointer<ToolWindow> m_owner;
};

} // namespace zq
