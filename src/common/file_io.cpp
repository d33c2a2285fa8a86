#include "common/file_io.h"

#include <QFile>
#include <QSaveFile>

namespace zq {

bool ReadFileBytes(const QString &path, QByteArray *bytes, qint64 maxBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() > maxBytes)
        return false;
    *bytes = file.read(maxBytes + 1);
    return bytes->size() <= maxBytes && file.error() == QFileDevice::NoError;
}

bool SaveFileBytes(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace zq
