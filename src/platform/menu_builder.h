#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

namespace zq {

// Menus and items carry their names as objectName.
QMenu *AddMenu(QMenuBar *bar, const QString &name, const QString &caption);
QAction *AddMenuItem(QMenu *menu, const QString &name, const QString &caption,
                     const QKeySequence &shortcut = QKeySequence());
QAction *AddMenuSeparator(QMenu *menu, const QString &name);

} // namespace zq
