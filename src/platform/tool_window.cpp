#include "platform/tool_window.h"

#include <QEvent>
#include <QHideEvent>

namespace zq {

void ActivationTracker::windowActivated(ToolWindow *window)
{
    if (m_suspended || window == m_last)
        return;
    m_last = window;
    window->activated();
}

ToolWindow::ToolWindow(ActivationTracker &tracker, const QString &name, QWidget *parent)
    : QMainWindow(parent)
    , m_tracker(tracker)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
}

void ToolWindow::showAndActivate()
{
    show();
    raise();
    activateWindow();
    m_tracker.windowActivated(this);
}

QWidget *ToolWindow::setClientArea(const QSize &size, const QColor &background)
{
    auto *client = new QWidget(this);
    client->setFixedSize(size);
    if (background.isValid()) {
        client->setAutoFillBackground(true);
        QPalette pal = client->palette();
        pal.setColor(QPalette::Window, background);
        client->setPalette(pal);
    }
    setCentralWidget(client);
    return client;
}

bool ToolWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && isVisible())
        m_tracker.windowActivated(this);
    return QMainWindow::event(event);
}

SecondaryWindow::SecondaryWindow(ActivationTracker &tracker, const QString &name, ToolWindow *owner)
    : ToolWindow(tracker, name, owner)
    , m_owner(owner)
{
    setWindowFlag(Qt::Dialog);
}

void SecondaryWindow::hideEvent(QHideEvent *event)
{
    ToolWindow::hideEvent(event);
    // Closed by the user or the program, not minimised with its owner.
    if (!event->spontaneous() && !tracker().isSuspended() && m_owner && m_owner->isVisible())
        m_owner->showAndActivate();
}

} // namespace zq
