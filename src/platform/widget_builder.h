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
// Puts the text of a value label on the line of the caption beside it
// ("4" of "4 月度"), whose box the layout places a little lower; both boxes
// stay where they are.
void AlignToCaption(QLabel *figure, const QLabel *caption);
// Where a label's text stands: its baseline, in its window's coordinates.
int TextBaseline(const QLabel *label);

} // namespace zq
