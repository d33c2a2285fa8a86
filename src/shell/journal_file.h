#pragma once

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace zq {

// The lock file beside a journal, held for as long as its program runs:
// held with flock(2), which the system lets go however the program ends
// (kill -9 included), and saying the program's process id, name and host
// as QLockFile writes them, so that a version which locks with QLockFile
// (it takes the same flock) sees it held. Taken without waiting for the
// disk: nothing in it needs to outlive a power cut.
class RunLock
{
public:
    explicit RunLock(const QString &path);
    ~RunLock(); // lets go, and leaves the file to whoever finds it
    RunLock(const RunLock &) = delete;
    RunLock &operator=(const RunLock &) = delete;

    // False when another program (or another lock in this one) holds it.
    bool tryLock();
    // Removes the file and lets go.
    void unlock();

private:
    QByteArray m_path;
    int m_fd = -1;
};

// The journal of one running program, in the user's data folder, with a
// lock file beside it that says the program is still running.
//
// Durability: each append is one write(2) from the calling thread; once it
// returns, the record is in the system's file cache and survives any end of
// the program (a crash, kill -9, a logout). A thread of its own then forces
// it to the disk with fdatasync, so that it survives a power cut too, without
// the typing ever waiting for the disk.
class JournalFile
{
public:
    // The file is made on the first append.
    explicit JournalFile(const QString &folder);
    // Leaves the file as it is: a program that ends here has not ended
    // cleanly, and the next start finds it.
    ~JournalFile();
    JournalFile(const JournalFile &) = delete;
    JournalFile &operator=(const JournalFile &) = delete;

    // Appends whole records; false when they could not all be written (a
    // full disk). The file may then end in a cut-off record, and nothing is
    // appended after it until rewrite() succeeds.
    bool append(const QByteArray &records);
    // Starts the file with `journal` (header and records), or replaces it
    // all at once, on the disk before the old one goes.
    bool rewrite(const QByteArray &journal);
    // Waits until every append has reached the disk.
    void sync();
    // A clean end: the journal and its lock are removed.
    void remove();

    QString folder() const { return m_folder; }
    QString path() const { return m_path; }
    qint64 size() const { return m_size; }

private:
    struct Handle;
    // The file's name and lock, and the thread; true once they are there.
    bool claimName();
    void syncLoop();

    QString m_folder;
    QString m_path;
    std::unique_ptr<RunLock> m_lock;
    qint64 m_size = 0;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_synced;
    std::shared_ptr<Handle> m_handle; // shared with the sync thread while it syncs
    quint64 m_written = 0;            // appends so far
    quint64 m_durable = 0;            // appends on the disk
    bool m_folderPending = false;     // a new file's folder entry is not on the disk yet
    bool m_stop = false;
    std::thread m_syncer;
};

// A journal left by a program that is no longer running, locked while it is
// held so that no other starting program takes it as well.
struct LeftJournal {
    QString path;
    QByteArray bytes;
    std::unique_ptr<RunLock> lock;
};

// The journals in `folder` whose programs are no longer running, newest
// first. Journals of running programs, and files that cannot be read, are
// not among them.
std::vector<LeftJournal> FindLeftJournals(const QString &folder);

// Removes a journal that has been brought back or held nothing.
void RemoveLeftJournal(LeftJournal &journal);
// Keeps a journal aside as the folder's one backup file (replacing an
// earlier one), out of the way of later starts.
QString SetAsideLeftJournal(LeftJournal &journal);

inline constexpr char JournalSuffix[] = ".zqj";
inline constexpr char JournalBackupName[] = "backup.zqj.bak";

} // namespace zq
