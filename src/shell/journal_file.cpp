#include "shell/journal_file.h"

#include "common/file_io.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <utility>
#include <unistd.h>

namespace zq {

namespace {

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::unique_ptr<RunLock> lockBeside(const QString &path)
{
    return std::make_unique<RunLock>(path + QStringLiteral(".lock"));
}

} // namespace

RunLock::RunLock(const QString &path)
    : m_path(QFile::encodeName(path))
{
}

RunLock::~RunLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RunLock::tryLock()
{
    if (m_fd >= 0)
        return true;
    const int fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    const QByteArray contents = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
                                + QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n'
                                + QSysInfo::machineHostName().toUtf8() + '\n';
    if (::ftruncate(fd, 0) != 0 || !writeAll(fd, contents)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void RunLock::unlock()
{
    if (m_fd < 0)
        return;
    ::unlink(m_path.constData());
    ::close(m_fd);
    m_fd = -1;
}

struct JournalFile::Handle {
    int fd = -1;
    ~Handle()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

JournalFile::JournalFile(const QString &folder)
    : m_folder(folder)
{
}

JournalFile::~JournalFile()
{
    {
        const std::lock_guard guard(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_syncer.joinable())
        m_syncer.join();
}

bool JournalFile::claimName()
{
    if (!m_lock) {
        if (!QDir().mkpath(m_folder))
            return false;
        const QString name = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmsszzz"))
                             + QStringLiteral("-%1").arg(QCoreApplication::applicationPid());
        const QString path = QDir(m_folder).filePath(name + QLatin1String(JournalSuffix));
        auto lock = lockBeside(path);
        if (!lock->tryLock())
            return false;
        m_lock = std::move(lock);
        m_path = path;
    }
    if (!m_syncer.joinable())
        m_syncer = std::thread([this] { syncLoop(); });
    return true;
}

bool JournalFile::append(const QByteArray &records)
{
    if (records.isEmpty())
        return true;
    if (!m_handle)
        return false; // rewrite() starts the file, and starts it again after a failure
    const bool written = writeAll(m_handle->fd, records);
    if (!written) {
        const std::lock_guard guard(m_mutex);
        m_handle.reset(); // cut off: nothing more goes after the damaged record
        return false;
    }
    m_size += records.size();
    {
        const std::lock_guard guard(m_mutex);
        ++m_written;
    }
    m_wake.notify_one();
    return true;
}

bool JournalFile::rewrite(const QByteArray &journal)
{
    if (!claimName())
        return false;
    auto handle = std::make_shared<Handle>();
    const QByteArray target = QFile::encodeName(m_path);
    const bool first = !QFileInfo::exists(m_path);
    if (first) {
        // A new journal replaces nothing: it is written as any append is,
        // and the thread forces it and its folder entry to the disk.
        handle->fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
        if (handle->fd < 0 || !writeAll(handle->fd, journal)) {
            if (handle->fd >= 0)
                ::unlink(target.constData());
            return false;
        }
    } else {
        // In place of a journal that holds records: on the disk before the
        // old one goes.
        const QByteArray temporary = QFile::encodeName(m_path + QStringLiteral(".new"));
        handle->fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
        if (handle->fd < 0)
            return false;
        if (!writeAll(handle->fd, journal) || ::fdatasync(handle->fd) != 0
            || ::rename(temporary.constData(), target.constData()) != 0) {
            ::unlink(temporary.constData());
            return false;
        }
        syncFolder(m_folder);
    }
    m_size = journal.size();
    {
        const std::lock_guard guard(m_mutex);
        m_handle = std::move(handle);
        m_folderPending = first;
        ++m_written;
        if (!first)
            m_durable = m_written;
    }
    m_wake.notify_one();
    return true;
}

void JournalFile::sync()
{
    std::unique_lock lock(m_mutex);
    m_synced.wait(lock, [this] { return m_durable >= m_written || !m_syncer.joinable() || m_stop; });
}

void JournalFile::remove()
{
    {
        const std::lock_guard guard(m_mutex);
        m_stop = true;
        m_handle.reset();
    }
    m_wake.notify_all();
    if (m_syncer.joinable())
        m_syncer.join();
    if (!m_path.isEmpty())
        QFile::remove(m_path);
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
    m_path.clear();
}

void JournalFile::syncLoop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_written > m_durable; });
        if (m_stop)
            break;
        const quint64 target = m_written;
        const std::shared_ptr<Handle> handle = m_handle;
        const bool folder = std::exchange(m_folderPending, false);
        lock.unlock();
        if (handle)
            ::fdatasync(handle->fd);
        if (folder)
            syncFolder(m_folder);
        lock.lock();
        m_durable = qMax(m_durable, target);
        m_synced.notify_all();
    }
    m_synced.notify_all();
}

std::vector<LeftJournal> FindLeftJournals(const QString &folder)
{
    std::vector<LeftJournal> found;
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*") + QLatin1String(JournalSuffix)},
                                                          QDir::Files, QDir::Time);
    for (const QFileInfo &file : files) {
        LeftJournal journal;
        journal.path = file.absoluteFilePath();
        journal.lock = lockBeside(journal.path);
        if (!journal.lock->tryLock())
            continue; // its program is running
        if (!ReadFileBytes(journal.path, &journal.bytes))
            continue;
        found.push_back(std::move(journal));
    }
    return found;
}

void RemoveLeftJournal(LeftJournal &journal)
{
    QFile::remove(journal.path);
    if (journal.lock)
        journal.lock->unlock();
}

QString SetAsideLeftJournal(LeftJournal &journal)
{
    const QString backup = QFileInfo(journal.path).dir().filePath(QLatin1String(JournalBackupName));
    // rename(2) replaces an older backup in one step.
    if (::rename(QFile::encodeName(journal.path).constData(), QFile::encodeName(backup).constData()) != 0)
        return QString();
    syncFolder(QFileInfo(backup).absolutePath());
    if (journal.lock)
        journal.lock->unlock();
    return backup;
}

} // namespace zq
