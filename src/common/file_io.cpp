#include "common/file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zq {

QString WithExtension(const QString &path, const QString &extension)
{
    if (extension.isEmpty() || path.isEmpty() || path.endsWith(u'.' + extension, Qt::CaseInsensitive))
        return path;
    return path + u'.' + extension;
}

#ifdef Q_OS_UNIX

bool ReadFileBytes(const QString &path, QByteArray *bytes, qint64 maxBytes)
{
    if (path.isEmpty())
        return false;
    // Without O_NONBLOCK opening a pipe waits for a writer that may never come.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxBytes)
        return false;
    QByteArray content(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < content.size()) {
        const ssize_t n = ::read(fd, content.data() + got, size_t(content.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break; // the file shrank while it was read
        got += n;
    }
    content.truncate(got);
    // A file that grew meanwhile is not the file that was sized.
    char extra;
    ssize_t more;
    do {
        more = ::read(fd, &extra, 1);
    } while (more < 0 && errno == EINTR);
    if (more != 0)
        return false;
    *bytes = content;
    return true;
}

#else

bool ReadFileBytes(const QString &path, QByteArray *bytes, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() > maxBytes)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray content = file.read(maxBytes + 1);
    if (content.size() > maxBytes || file.error() != QFileDevice::NoError)
        return false;
    *bytes = content;
    return true;
}

#endif

bool SaveFileBytes(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile buffers the writes and its commit() does not report a flush
    // that fails (a full disk): every byte must be out, and on the disk,
    // before the old file is replaced.
    bool written = file.write(bytes) == bytes.size() && file.flush()
                   && file.error() == QFileDevice::NoError;
#ifdef Q_OS_UNIX
    if (written) {
        int synced;
        do {
            synced = ::fsync(file.handle());
        } while (synced != 0 && errno == EINTR);
        written = synced == 0;
    }
#endif
    if (!written) {
        file.cancelWriting();
        return false; // the destructor removes the temporary file
    }
    return file.commit();
}

} // namespace zq
