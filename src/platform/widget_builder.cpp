#include "platform/widget_builder.h"


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

} // namespace zq
