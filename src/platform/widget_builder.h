#pragma once

#include "platform/accessible_names.h"

#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace zq {

// Controls carry their names as objectName and sit where the layout says.
// A button with the focus is pressed by Enter as well as by Space.
QPushButton *AddButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry);
QLabel *AddLabel(QWidget *parent, const QString &name, const QString &text, const QRect &geometry,
                 Qt::Alignment alignment = Qt::AlignLeft);
// A label that shows a value; screen readers read its role with the value.
QLabel *AddValueLabel(QWidget *parent, const QString &name, const QString &role, const QRect &geometry,
                      Qt::Alignment alignment = Qt::AlignLeft);

} // namespace zq
