#pragma once

#include <QByteArray>
#include <QString>

namespace zq {

// Reads a whole file of at most maxBytes; false when it cannot be read.
bool ReadFileBytes(const QString &path, QByteArray *bytes, qint64 maxBytes = 16 * 1024 * 1024);

// Replaces a file with new content in one step: when anything fails the old
// file stays as it was. False on failure.
bool SaveFileBytes(const QString &path, const QByteArray &bytes);

} // namespace zq
