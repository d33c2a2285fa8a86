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

} // namespace zq
