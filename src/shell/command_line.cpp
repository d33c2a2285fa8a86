#include "shell/command_line.h"

#include <QFileInfo>

namespace zq {

DocumentKind KindOfDocument(const QString &path)
{
    if (path.isEmpty())
        return DocumentKind::None;
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("KSN"), Qt::CaseInsensitive) == 0)
        return DocumentKind::Tape;
    if (suffix.compare(QLatin1String("SUK"), Qt::CaseInsensitive) == 0)
        return DocumentKind::Tally;
    return DocumentKind::Unknown;
}

} // namespace zq
