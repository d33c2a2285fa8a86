#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace zq {

// Screen readers and UI automation over AT-SPI find a control by its
// accessible name. Buttons, menu items and labels with a caption are named
// by the caption. Boxes, grids, pictures and toolbars carry a short Japanese
// role instead ("入力", "テープ"), and a label that shows a value is read as
// its role followed by the value it shows ("合計 1,234").
void SetRole(QWidget *control, const QString &role);
void SetValueRole(QLabel *label, const QString &role);

// Lets value labels be read with their roles, and the grids as tables whose
// cells can be read one by one (the header row gives the column names);
// once per program.
void InstallAccessibleNames();

} // namespace zq
