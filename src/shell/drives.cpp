#include "shell/drives.h"

#include <QDir>
#include <QStorageInfo>

#include <algorithm>

namespace zq {

QStringList AvailableDrives()
{
    QStringList drives;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && !drives.contains(volume.rootPath()))
            drives << volume.rootPath();
    std::sort(drives.begin(), drives.end());
    const QString root = QDir::rootPath();
    drives.removeAll(root);
    drives.prepend(root);
    return drives;
}

QString DriveOf(const QString &folder, const QStringList &drives)
{
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        return QString();
    const QString path = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    QString best;
    for (const QString &drive : drives) {
        const QString root = QDir::cleanPath(drive);
        const bool inside = path == root
                            || path.startsWith(root.endsWith(u'/') ? root : root + u'/');
        if (inside && root.size() > best.size())
            best = drive;
    }
    return best;
}

} // namespace zq
