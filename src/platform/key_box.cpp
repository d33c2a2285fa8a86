#include "platform/key_box.h"

#include <QInputMethodEvent>
#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace zq {

KeyBox::KeyBox(const QString &name, QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(name);
}

void KeyBox::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (!event->text().isEmpty() || key == Qt::Key_Return || key == Qt::Key_Enter)
        emit keyPressed();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    if (m_reportArrows
        && (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right)) {
        event->accept();
        emit arrowPressed(Qt::Key(key));
        return;
    }
    if (m_paste && event->matches(QKeySequence::Paste) && m_paste()) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void KeyBox::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The standard menu's paste: named so by later Qt versions, known by its
    // shortcut before them.
    const QString pasteKeys = u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    if (m_paste)
        for (QAction *action : menu->actions())
            if (action->objectName() == QLatin1String("edit-paste") || action->text().endsWith(pasteKeys)) {
                action->disconnect(this);
                connect(action, &QAction::triggered, this, [this] {
                    if (!m_paste())
                        paste();
                });
            }
    menu->popup(event->globalPos());
}

void KeyBox::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty())
        emit keyPressed();
    QLineEdit::inputMethodEvent(event);
    emit compositionChanged(event->preeditString());
}

QVariant KeyBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (m_display && (query == Qt::ImCursorRectangle || query == Qt::ImAnchorRectangle)) {
        // The right end of the display, where its right-aligned text ends.
        const QRect shown(m_display->mapTo(window(), QPoint(m_display->width() - 2, 0)),
                          QSize(1, m_display->height()));
        return QRect(mapFrom(window(), shown.topLeft()), shown.size());
    }
    return QLineEdit::inputMethodQuery(query);
}

} // namespace zq
