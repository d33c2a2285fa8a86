#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace zq {

// The program's own pictures, drawn in code.
QPixmap LogoPicture(QSize size);          // main menu logo
QPixmap AdderTitlePicture(QSize size);    // title of the adding machine
QPixmap MachinePicture(QSize size);       // adding machine body under the displays
QPixmap VersionPicture(QSize size);       // version window emblem
QPixmap IconPicture(int size);            // the program's icon: the "ZQ" mark

enum class ToolIcon { Open, Save, Print, Calculator, Help };
QIcon ToolbarIcon(ToolIcon kind);

} // namespace zq
