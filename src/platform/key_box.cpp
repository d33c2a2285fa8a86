#include "platform/key_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

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
    QLineEdit::keyPressEvent(event);
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
