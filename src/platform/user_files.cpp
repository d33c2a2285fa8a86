#include "platform/user_files.h"

#include "common/file_io.h"

namespace zq {

QString SaveFailedText(const QString &path)
{
    return QStringLiteral("ファイルを保存できませんでした！\n") + path;
}

QString ReadFailedText(const QString &path)
{
    return QStringLiteral("ファイルを読み込めませんでした！\n") + path;
}

bool SaveUserFile(const Services &services, QWidget *owner, const QString &path,
                  const QByteArray &bytes)
{
    if (SaveFileBytes(path, bytes))
        return true;
    services.messages->beep();
    services.messages->warn(owner, SaveFailedText(path));
    return false;
}

QString ChooseSaveFile(FileDialogService &files, QWidget *owner, const QString &folder, const QString &label,
                       const QString &extension)
{
    const QString pattern = QStringLiteral("*.") + extension;
    return files.saveFileName(owner, {folder, QStringLiteral("%1 (%2)|%2").arg(label, pattern), true, extension});
}

void WarnUnreadable(const Services &services, QWidget *owner, const QString &path)
{
    services.messages->beep();
    services.messages->warn(owner, ReadFailedText(path));
}

} // namespace zq
