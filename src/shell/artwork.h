#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace zq {

// The program's own pictures, drawn in code. A picture is laid out in
// logical pixels and drawn at the screen's device pixel ratio, so it stays
// sharp on a scaled screen.
QPixmap LogoPicture(QSize size, qreal ratio = 1);       // main menu logo
QPixmap AdderTitlePicture(QSize size, qreal ratio = 1); // title of the adding machine
QPixmap MachinePicture(QSize size, qreal ratio = 1);    // adding machine body under the displays
QPixmap VersionPicture(QSize size, qreal ratio = 1);    // version window emblem
QPixmap IconPicture(int size);            // the program's icon: the "ZQ" mark
// The icon of zq's and ZQ電卓's windows, at the sizes the build installs.
QIcon ProgramIcon();

enum class ToolIcon { Open, Save, Print, Calculator, Help, Preview, Pdf, Csv, Chart };
// Drawn for 16-pixel buttons at one, two and three device pixels a pixel.
QIcon ToolbarIcon(ToolIcon kind);

// The main menu's logo, at the size the menu shows it.
QSize MenuLogoSize();

// The pictures the build draws ahead, so that the programs read them at
// start-up instead of drawing them again: the toolbar icons and the menu's
// logo at one, two and three device pixels a pixel, named as the programs
// look for them (":/art/<name>.png"). Where a program carries none, the
// pictures are drawn.
struct PictureToBuild {
    QString name;
    QPixmap picture;
};
QList<PictureToBuild> PicturesToBuild();

} // namespace zq
