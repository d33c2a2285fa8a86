#include "platform/widget_builder.h"


#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

namespace zq {

QPushButton *AddButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    // Enter presses the button that has the focus, as Space does.
    button->setAutoDefault(true);
    return button;
}

QLabel *AddLabel(QWidget *parent, const QString &name, const QString &text, const QRect &geometry,
                 Qt::Alignment alignment)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

QLabel *AddValueLabel(QWidget *parent, const QString &name, const QString &role, const QRect &geometry,
                      Qt::Alignment alignment)
{
    QLabel *label = AddLabel(parent, name, QString(), geometry, alignment);
    SetValueRole(label, role);
    return label;
}

int TextBaseline(const QLabel *label)
{
    const QFontMetrics fm(label->font());
    const QRect r = label->contentsRect();
    const Qt::Alignment a = label->alignment();
    const int top = a & Qt::AlignTop      ? r.top()
                    : a & Qt::AlignBottom ? r.bottom() + 1 - fm.height()
                                          : r.top() + (r.height() - fm.height()) / 2;
    return label->mapTo(label->window(), QPoint(0, top + fm.ascent())).y();
}

void AlignToCaption(QLabel *figure, const QLabel *caption)
{
    figure->setAlignment((figure->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
    figure->setContentsMargins(0, 0, 0, 0);
    const int below = TextBaseline(caption) - TextBaseline(figure);
    if (below > 0)
        figure->setContentsMargins(0, below, 0, 0);
}

} // namespace zq
