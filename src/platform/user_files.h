#pragma once

#include "common/file_io.h"
#include "platform/services.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace zq {

// The warnings of a file that could not be saved or read, with its path.
QString SaveFailedText(const QString &path);
QString ReadFailedText(const QString &path);

// Saves a file the user chose (SaveFileBytes: all at once or not at all); a
// failure (a full disk, a folder that cannot be written) beeps and warns with
// the path, and the old file stays as it was. True when every byte was saved.
bool SaveUserFile(const Services &services, QWidget *owner, const QString &path,
                  const QByteArray &bytes);

// The save dialog for one kind of file ("PDFﾌｧｲﾙ", "pdf"): it opens at
// `folder`, gives a name typed without the extension the extension, and asks
// before replacing a file of the name it returns; empty when cancelled.
QString ChooseSaveFile(FileDialogService &files, QWidget *owner, const QString &folder, const QString &label,
                       const QString &extension);

void WarnUnreadable(const Services &services, QWidget *owner, const QString &path);

// Reads a file the user chose and hands its bytes to `parse`; a file that
// cannot be read (not a regular file, too large, unreadable), or that
// `parse` refuses, beeps and warns with the path.
template <typename T>
std::optional<T> OpenUserFile(const Services &services, QWidget *owner, const QString &path,
                              const std::function<std::optional<T>(const QByteArray &)> &parse)
{
    QByteArray bytes;
    std::optional<T> contents;
    if (ReadFileBytes(path, &bytes))
        contents = parse(bytes);
    if (!contents)
        WarnUnreadable(services, owner, path);
    return contents;
}

} // namespace zq
