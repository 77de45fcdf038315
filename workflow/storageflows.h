#pragma once

// The illustration on screen around the database operations: which record its save writes,
// whether New, Open or the end may go on after the offer to save, and how it follows a
// compaction or a restore, so that a stale record number never overwrites another client.

#include "backup.h"
#include "compaction.h"
#include "saveflow.h"

// An illustration never read from nor written to the database (a new one, or one cut loose from
// its record) takes the next free record: its number was never reserved.
SaveTarget SaveTargetFor(const Illustration &illustration);

// The offer to save before New, Open and the end ("Illustration Data"). False when the answer
// was Yes and the validation or the write failed: the user stays at the field or with the
// message, and the edit stays on screen.
bool OfferToSave(const IllustrationDatabase &database, Illustration &illustration,
                 CalcContext &context);

// Cuts the illustration loose from the database: no fingerprint, the number a new illustration
// would get, the saved flag cleared, so its next save adds a record.
void DetachFromRecord(const IllustrationDatabase &database, Illustration &illustration);

// Options, Compact Database. The illustration on screen takes its record's new number and
// fingerprint; when its record was removed (or had been changed by another program) it is cut
// loose; a new illustration takes the number after the compacted records.
CompactionOutcome CompactDatabase(const IllustrationDatabase &database, Illustration &illustration,
                                  const QDateTime &now);

// Options, Restore: after a restore the illustration on screen is cut loose, so nothing of the
// restored file is overwritten by accident.
BackupOutcome RestoreDatabase(const IllustrationDatabase &database, BackupPlace source,
                              const QString &sourceFolder, Illustration &illustration,
                              const QDateTime &now);
