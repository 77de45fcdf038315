#pragma once

// Backup packs the illustration database into "RMDData.zip" (no password) and copies it to the
// removable-media folder or the synchronised folder; restore unpacks it from there. Restore
// never loses the database it replaces: that file is first copied beside it under a dated name
// ("rmdcalc-YYYYMMDD-HHMMSS.flt"), and the restored file replaces it in one step, so a failure
// at any point leaves a whole database. Folders are handed in.

#include "illustrationdatabase.h"
#include "recordcheck.h"
#include "storageerror.h"

#include <QDateTime>

class Prompter;

// Target or source: 1 the removable disk ("floppy"), 2 the synchronised folder ("Internet").
enum class BackupPlace { RemovableMedia = 1, SyncFolder = 2 };

constexpr const char *BackupArchiveName = "RMDData.zip";

struct BackupOutcome {
    enum class Kind { Done, Cancelled, Failed };
    Kind kind = Kind::Failed;
    QString archive;      // backup: where the archive now is
    QString previous;     // restore: the dated copy of the replaced database, if there was one
    RecordTally restored; // restore: what the restored database holds
};

// The largest database a backup holds: every record number in use. A restore refuses an
// archive member that would unpack to more.
constexpr qint64 MaxDatabaseBytes = qint64(RecordFile::MaxRecordNumber) * RecordFile::RecordLength;

// The archive is made in workFolder, then (after the disk prompt, for the removable disk)
// copied into targetFolder and the local one removed. A Cancel at the prompt leaves it in
// workFolder.
BackupOutcome Backup(const IllustrationDatabase &database, BackupPlace target,
                     const QString &workFolder, const QString &targetFolder, Prompter &prompter);

// Restores the database from sourceFolder + "/RMDData.zip". For the removable disk the prompt
// comes first and comes back after an empty archive or a run-time error, until it is cancelled.
// A member that holds no illustration record, or is larger than any database, is refused; a
// read-only database is never replaced. Damaged records are restored as they are and reported.
BackupOutcome Restore(const IllustrationDatabase &database, BackupPlace source,
                      const QString &sourceFolder, Prompter &prompter, const QDateTime &now);
