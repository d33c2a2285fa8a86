// What the journal costs while typing, against the bare system calls of the
// same bytes: 1000 tape entries appended as the adding machine appends them,
// in the folder given (by default a new folder in the user's data folder, on
// the disk the journal uses).
//   journal append    the record built and written (what typing waits for)
//                     against one write(2) of the same bytes
//   journal durable   until the journal's thread has it on the disk, against
//                     write(2) and fdatasync(2) on the typing thread
//   journal tally diff  the records of one typed cell of a 500-row tally,
//                     against finding the changed cell

#include "bench.h"

#include "shell/journal_file.h"
#include "shell/work_journal.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

namespace zq::bench {

bool BenchJournal(const QString &folder)
{
    const QString base = !folder.isEmpty() ? folder
                                           : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(base);
    QTemporaryDir dir(base + QStringLiteral("/zq-journal-bench-XXXXXX"));
    if (!dir.isValid())
        return false;

    Series append, appendFloor, durable, durableFloor;
    {
        JournalFile journal(dir.filePath(QStringLiteral("a")));
        journal.rewrite(JournalHeader());
        const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("floor")));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        if (fd < 0)
            return false;
        WorkState before;
        before.tape.open = true;
        for (int i = 1; i <= AdderMaxRows; ++i) {
            WorkState after = before;
            after.tape.entries << i * 1.5;
            after.tape.total += i * 1.5;
            after.tape.shownTotal = QString::number(after.tape.total);
            after.tape.shownCount = QString::number(i);
            double t = nowMs();
            const QByteArray records = JournalRecords(before, after);
            journal.append(records);
            append.add(nowMs() - t);
            journal.sync();
            durable.add(nowMs() - t);
            before = after;

            t = nowMs();
            if (::write(fd, records.constData(), size_t(records.size())) != records.size())
                return false;
            appendFloor.add(nowMs() - t);
            if (::fdatasync(fd) != 0)
                return false;
            durableFloor.add(nowMs() - t);
        }
        ::close(fd);
        journal.remove();
    }
    Series diff, diffFloor;
    {
        WorkState a;
        a.tally.open = true;
        a.tally.cells.resize(TallyMaxRows * 3);
        for (int r = 1; r <= TallyMaxRows; ++r)
            for (int c = 1; c <= 3; ++c)
                a.tally.cells[TallyWork::CellIndex(r, c)] = QString::number(r * c * 1000);
        for (int i = 0; i < 1000; ++i) {
            WorkState b = a;
            b.tally.cells[i % (TallyMaxRows * 3)] = QString::number(i);
            double t = nowMs();
            if (JournalRecords(a, b).isEmpty())
                return false;
            diff.add(nowMs() - t);
            t = nowMs();
            qsizetype changed = -1;
            for (qsizetype c = 0; c < a.tally.cells.size() && changed < 0; ++c)
                if (a.tally.cells[c] != b.tally.cells[c])
                    changed = c;
            diffFloor.add(nowMs() - t);
            if (changed < 0)
                return false;
        }
    }
    printLine("journal append", append, appendFloor, "ms");
    printLine("journal durable", durable, durableFloor, "ms");
    printLine("journal tally diff", diff, diffFloor, "ms");
    return true;
}

} // namespace zq::bench
