#pragma once

// Compaction: deleted and damaged records are removed and the rest renumbered in their old
// order. The new database is built beside the old one as "Temp.flt", put on the disk, and then
// put in the old one's place in one step, all under the database's lock: a failure or a crash
// at any moment leaves the old database whole. A "Temp.flt" found later is such a crash's
// leftover; the next start reports it and keeps it aside.

#include "illustrationdatabase.h"
#include "storageerror.h"

#include <QDateTime>
#include <QList>
#include <functional>

class Prompter;

struct CompactionCounts {
    int records = 0;       // record count before
    int deleted = 0;       // removed: status "0"
    int damaged = 0;       // removed: unreadable, or active without a valid illustration date
    int illustrations = 0; // kept, numbered 1 to this
};

struct CompactionOutcome {
    enum class Kind { Declined, Compacted, Failed };
    Kind kind = Kind::Declined;
    CompactionCounts counts;
    std::optional<StorageError> error;
    // The database as it was, kept aside when damaged records were removed from it.
    QString kept;
    // Old record n's new number at index n - 1; 0 when it was removed.
    QList<int> numbering;
    // The followed record's fingerprint after compaction; empty when it was removed or no
    // longer held the fingerprint it was followed by.
    QString followedFingerprint;
};

// The record of the illustration on screen, followed through the renumbering: its number and
// the fingerprint it had when the illustration was read from it or written to it.
struct FollowedRecord {
    int number = 0;
    QString fingerprint;
};

// A seam for tests: called after each record is written to "Temp.flt" (which is then flushed
// record by record), with the number of records written so far.
struct CompactionHooks {
    std::function<void(int written)> afterRecord;
};

// Options, Compact Database: asks first ("Compact Database"), reports the counts ("Compact
// Database Complete") or the error ("Error Reading Database"). Damaged records are never lost:
// when any is removed, the database as it was is kept beside it under a dated name
// ("rmdcalc-YYYYMMDD-HHMMSS.flt") and the report says so. A read-only database is not touched.
CompactionOutcome Compact(const IllustrationDatabase &database, Prompter &prompter,
                          const QDateTime &now, const CompactionHooks &hooks = {},
                          const FollowedRecord &followed = {});

// What a start-up finds of an interrupted compaction. When "Temp.flt" is there, it is reported
// and nothing is lost: beside a database it is kept as "Temp-YYYYMMDD-HHMMSS.flt"; without a
// database (a crash of the older program, which renamed the database first) it becomes the
// database again. Returns whether a leftover was found.
bool ReportInterruptedCompaction(const IllustrationDatabase &database, Prompter &prompter,
                                 const QDateTime &now);

// "Your database has 5 saved illustrations of which 2\r\nhave been deleted. ..."
QString CompactionQuestion(int records, int deleted);
// "Your database now has 3 saved illustrations.\r\n 2 deleted ..."
// With `kept`, a last line names the copy of the database as it was.
QString CompactionReport(const CompactionCounts &counts, const QString &kept = QString());
