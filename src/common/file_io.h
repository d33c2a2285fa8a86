#pragma once

#include <QByteArray>
#include <QString>

namespace zq {

// Largest file the program reads; its own files are far smaller.
inline constexpr qint64 MaxReadBytes = 16 * 1024 * 1024;

// Reads a whole regular file of at most maxBytes. False at once for anything
// else (a folder, a device, a pipe, which could block the program forever)
// and when the file cannot be read. Allocates only what the file holds.
bool ReadFileBytes(const QString &path, QByteArray *bytes, qint64 maxBytes = MaxReadBytes);

// Replaces a file with new content in one step. The new bytes go to a
// temporary file beside it, which replaces the old file only once every byte
// has been written and reached the disk; on any failure the old file stays
// byte for byte as it was and the temporary file is removed. False on
// failure.
bool SaveFileBytes(const QString &path, const QByteArray &bytes);

// The name a save dialog writes for a name typed without `extension` (any
// letter case): the name with the extension added. An empty extension keeps
// every name exactly as typed.
QString WithExtension(const QString &path, const QString &extension);

} // namespace zq
