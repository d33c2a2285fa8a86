// What the journal costs while typing: 1000 tape entries appended as the
// adding machine appends them, in the folder given (by default a new folder
// in the user's data folder, on the disk the journal uses).
//
// Prints one line a measure: name, median, minimum, maximum, in milliseconds.
//   append        the record built and written: what the typing waits for
//   durable       from the record to fdatasync done by the journal's thread
//   sync-inline   write and fdatasync on the typing thread, for comparison
//   tally-diff    the records of one typed cell of a tally of 500 rows

#include "shell/journal_file.h"
#include "shell/work_journal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using namespace zq;

namespace {

void print(const char *name, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-12s median %8.4f ms   min %8.4f ms   max %8.4f ms   (%zu runs)\n", name, ms[ms.size() / 2],
                ms.front(), ms.back(), ms.size());
}

double since(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ZQ"));
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(base);
    QTemporaryDir dir(base + QStringLiteral("/zq-journal-bench-XXXXXX"));
    if (!dir.isValid())
        return 1;
    std::printf("journal in %s\n", qPrintable(dir.path()));

    std::vector<double> append, durable, inline_;
    {
        JournalFile journal(dir.filePath(QStringLiteral("a")));
        journal.rewrite(JournalHeader());
        WorkState before;
        before.tape.open = true;
        for (int i = 1; i <= AdderMaxRows; ++i) {
            WorkState after = before;
            after.tape.entries << i * 1.5;
            after.tape.total += i * 1.5;
            after.tape.shownTotal = QString::number(after.tape.total);
            after.tape.shownCount = QString::number(i);
            QElapsedTimer t;
            t.start();
            journal.append(JournalRecords(before, after));
            append.push_back(since(t));
            journal.sync();
            durable.push_back(since(t));
            before = after;
        }
        journal.remove();
    }
    {
        const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("inline")));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        const QByteArray record = JournalLine("E 1234.5 99999 991 '99999.%20 '1000%20");
        for (int i = 0; i < AdderMaxRows; ++i) {
            QElapsedTimer t;
            t.start();
            if (::write(fd, record.constData(), size_t(record.size())) != record.size() || ::fdatasync(fd) != 0)
                return 1;
            inline_.push_back(since(t));
        }
        ::close(fd);
    }
    std::vector<double> diff;
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
            QElapsedTimer t;
            t.start();
            const QByteArray records = JournalRecords(a, b);
            diff.push_back(since(t));
            if (records.isEmpty())
                return 1;
        }
    }
    print("append", append);
    print("durable", durable);
    print("sync-inline", inline_);
    print("tally-diff", diff);
    return 0;
}
