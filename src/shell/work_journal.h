#pragma once

#include "adder/tape_sheet.h"
#include "tally/tally_work.h"

#include <QByteArray>
#include <QString>

namespace zq {

// Everything typed that a crash must not cost: the adding machine's tape and
// the tally, as the windows show them.
struct WorkState {
    TapeWork tape;
    TallyWork tally;
};

// Entries, a period or rows: something worth bringing back.
bool HasUnsavedWork(const WorkState &state);

// What the main menu asks before bringing it back.
QString RestoreQuestion(const WorkState &state);

// The journal is text, one record a line, each line ending in the CRC-32 of
// the rest: a line cut off by a power cut or damaged on disk is known as such.
// Its first line names the format and its version.
inline constexpr int JournalVersion = 1;
QByteArray JournalHeader();
// One record's line: its fields, the checksum and the line end.
QByteArray JournalLine(const QByteArray &fields);

// The records that bring a journal that holds `before` to `after`; empty when
// nothing changed. After a tally the results are recorded as "the engine's
// on the workspace as it then stood", which replaying runs again.
QByteArray JournalRecords(const WorkState &before, const WorkState &after);

enum class JournalKind {
    Readable,   // a journal of this version: what is whole has been read
    Newer,      // written by a newer version of the program: left for it
    NotJournal, // no journal at all (empty, a torn first line, anything else)
};

struct JournalReading {
    WorkState state;
    int records = 0;    // records applied
    bool torn = false;  // the journal went on past them: cut off, damaged or not understood
};

// Reads a journal as the untrusted file it is: every whole, valid record
// from the start, up to the first that is not; never more than that.
JournalKind ReadJournal(const QByteArray &bytes, JournalReading *reading);

} // namespace zq
