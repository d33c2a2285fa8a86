#pragma once

#include <QString>
#include <QStringList>

namespace zq {

// The "drives" of this system: the root folders of the mounted volumes,
// "/" first.
QStringList AvailableDrives();

// The drive a folder lies on: the longest drive root that contains it; empty
// when the folder is not an absolute path of this system (for example a
// drive letter written on another system) or no drive contains it.
QString DriveOf(const QString &folder, const QStringList &drives);

} // namespace zq
