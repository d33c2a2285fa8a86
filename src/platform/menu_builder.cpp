#include "platform/menu_builder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace zq {

QMenu *AddMenu(QMenuBar *bar, const QString &name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction *AddMenuItem(QMenu *menu, const QString &name, const QString &caption,
                     const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QAction *AddMenuSeparator(QMenu *menu, const QString &name)
{
    QAction *action = menu->addSeparator();
    action->setObjectName(name);
    return action;
}

} // namespace zq
