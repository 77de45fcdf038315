#include "backup.h"

#include "durablefile.h"
#include "filelock.h"
#include "numbertext.h"
#include "prompter.h"
#include "zipfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

using NumberText::Str;

namespace {

const QString ArchiveName = QLatin1String(BackupArchiveName);

QString runTimeText(const StorageError &error, const char *advice) {
    return ErrorOccurredText(error) + QLatin1String(advice);
}

// Copies a file into a folder under the same name, replacing an older copy in one step.
Status copyInto(const QString &file, const QString &folder) {
    if (!QFileInfo(folder).isDir())
        return StorageError{ErrorNumber::PathFileAccess,
                            QStringLiteral("no folder %1").arg(folder)};
    QFile source(file);
    QSaveFile copy(QDir(folder).filePath(QFileInfo(file).fileName()));
    if (!source.open(QIODevice::ReadOnly))
        return StorageError{
            ErrorNumber::PathFileAccess,
            QStringLiteral("cannot copy to %1: %2").arg(folder, systemReason(source))};
    if (!DurableFile::openReplacement(copy) || copy.write(source.readAll()) != source.size())
        return StorageError{
            ErrorNumber::PathFileAccess,
            QStringLiteral("cannot copy to %1: %2").arg(folder, systemReason(copy))};
    if (const QString reason = DurableFile::commitReplacement(copy); !reason.isEmpty())
        return StorageError{ErrorNumber::PathFileAccess, reason};
    return std::nullopt;
}

// One restore attempt. A run-time error (archive missing, the data folder not writable, the
// lock held, a member that is no database) comes back as `failure`; an archive the zip library
// refuses as `zip`.
struct Attempt {
    std::optional<StorageError> failure;
    ZipResult zip;
    QString previous;
    RecordTally restored;
};

Attempt restoreOnce(const IllustrationDatabase &database, const QString &archive,
                    const QDateTime &now) {
    Attempt attempt;
    const auto fail = [&](int number, const QString &description) {
        attempt.failure = StorageError{number, description};
        return attempt;
    };
    if (!QFileInfo(archive).isFile())
        return fail(ErrorNumber::FileNotFound, QStringLiteral("File not found: ") + archive);
    const QFileInfo current(database.path());
    if (current.exists() && (!current.isFile() || DurableFile::isReadOnly(database.path())))
        return fail(ErrorNumber::PermissionDenied,
                    QStringLiteral("%1 is read-only or not a plain file; it was not replaced")
                        .arg(QDir::toNativeSeparators(database.path())));
    // The restored file is written beside the database and only then put in its place.
    QSaveFile restored(database.path());
    if (!DurableFile::openReplacement(restored)) {
        attempt.failure = fileError(restored, QStringLiteral("Error Writing to Database"));
        return attempt;
    }
    attempt.zip = ZipFile::extract(archive, database.fileName(), MaxDatabaseBytes,
                                   [&](const char *data, qint64 size) {
                                       attempt.restored.add(data, size);
                                       return restored.write(data, size) == size;
                                   });
    if (attempt.zip.targetFailed) {
        attempt.zip = {};
        attempt.failure = fileError(restored, QStringLiteral("Error Writing to Database"));
        return attempt;
    }
    if (attempt.zip.tooLarge) {
        const QString description = attempt.zip.description;
        attempt.zip = {};
        return fail(ErrorNumber::BadRecordLength, description);
    }
    if (!attempt.zip.ok())
        return attempt;
    attempt.restored.finish();
    if (!attempt.restored.holdsIllustrations())
        return fail(ErrorNumber::BadRecordLength,
                    QStringLiteral("%1 in %2 holds no illustration records")
                        .arg(database.fileName(), archive));

    FileLock lock(database.path());
    if (Status error = lock.acquire(database.lockTimeoutMs())) {
        attempt.failure = error;
        return attempt;
    }
    if (QFileInfo::exists(database.path())) {
        const QString previous = DatedPath(database.folder(), database.stem(), now);
        if (const QString reason = DurableFile::copy(database.path(), previous); !reason.isEmpty())
            return fail(ErrorNumber::PathFileAccess,
                        QStringLiteral("cannot keep a copy as %1: %2").arg(previous, reason));
        attempt.previous = previous;
    }
    if (const QString reason = DurableFile::commitReplacement(restored); !reason.isEmpty())
        return fail(ErrorNumber::DeviceIo,
                    QStringLiteral("Error Writing to Database: %1: %2")
                        .arg(QDir::toNativeSeparators(database.path()), reason));
    return attempt;
}

// The restore's closing message, with the damaged records it brought back.
QString restoredText(const RecordTally &restored) {
    QString text = QStringLiteral("Your client data was successfully restored.");
    if (restored.damaged().isEmpty())
        return text;
    QStringList numbers;
    for (const DamagedRecord &record : restored.damaged())
        numbers.append(QString::number(record.record));
    return text + QStringLiteral("\r\n%1 damaged records were restored as they were (records %2); "
                                 "they are not listed.")
                      .arg(restored.damaged().size())
                      .arg(numbers.join(QStringLiteral(", ")));
}

} // namespace

BackupOutcome Backup(const IllustrationDatabase &database, BackupPlace target,
                     const QString &workFolder, const QString &targetFolder, Prompter &prompter) {
    const auto failed = [&](const StorageError &error) {
        prompter.notice(QStringLiteral("Client Data Backup Failure"),
                        runTimeText(error, "Your data was not backed up. Please try again."),
                        MessageIcon::Stop);
        return BackupOutcome{BackupOutcome::Kind::Failed, {}, {}, {}};
    };
    QDir().mkpath(workFolder);
    const QString archive = QDir(workFolder).filePath(ArchiveName);
    ZipResult zipped;
    {
        // Held while the archive reads the database, so no other program's write is half in it.
        FileLock lock(database.path());
        if (Status error = lock.acquire(database.lockTimeoutMs()))
            return failed(*error);
        if (!database.records().exists())
            return failed(
                {ErrorNumber::FileNotFound, QStringLiteral("File not found: ") + database.path()});
        zipped = ZipFile::createWithFile(archive, database.path(), database.fileName());
    }
    if (!zipped.ok()) {
        prompter.notice(QStringLiteral("Error creating Zip File"), zipped.description,
                        MessageIcon::Exclamation);
        return {BackupOutcome::Kind::Failed, {}, {}, {}};
    }

    if (target == BackupPlace::RemovableMedia &&
        prompter.ask(QStringLiteral("Backup Client Data"),
                     QStringLiteral("Insert a disk into your floppy drive."), Buttons::OkCancel,
                     MessageIcon::Information) != Answer::Ok)
        return {BackupOutcome::Kind::Cancelled, archive, {}, {}};
    if (Status error = copyInto(archive, targetFolder))
        return failed(*error);
    QFile::remove(archive);
    if (target == BackupPlace::RemovableMedia)
        prompter.notice(QStringLiteral("Successful Backup"),
                        QStringLiteral("Your client data was successfully archived to\r\nthe "
                                       "disk in your floppy drive.\r\n\r\nLabel this disk and "
                                       "store it in a safe place."),
                        MessageIcon::Information);
    return {BackupOutcome::Kind::Done, QDir(targetFolder).filePath(ArchiveName), {}, {}};
}

BackupOutcome Restore(const IllustrationDatabase &database, BackupPlace source,
                      const QString &sourceFolder, Prompter &prompter, const QDateTime &now) {
    const QString archive = QDir(sourceFolder).filePath(ArchiveName);
    const bool disk = source == BackupPlace::RemovableMedia;
    for (;;) {
        if (disk && prompter.ask(QStringLiteral("Restore Client Data"),
                                 QStringLiteral("Insert the client backup disk into your floppy "
                                                "drive."),
                                 Buttons::OkCancel, MessageIcon::Information) != Answer::Ok)
            return {BackupOutcome::Kind::Cancelled, {}, {}, {}};
        if (disk && QFileInfo(archive).isFile() && QFileInfo(archive).size() == 0)
            continue;

        const Attempt attempt = restoreOnce(database, archive, now);
        if (attempt.failure) {
            prompter.notice(QStringLiteral("Client Data Restore Failure"),
                            runTimeText(*attempt.failure,
                                        "Your client data was not restored. Please try again."),
                            MessageIcon::Stop);
            if (disk)
                continue;
            return {BackupOutcome::Kind::Failed, {}, {}, {}};
        }
        if (!attempt.zip.ok()) {
            prompter.notice(QStringLiteral("Error Reading Archive File"),
                            QStringLiteral("Your client data was NOT restored.\r\n") +
                                attempt.zip.description + QStringLiteral(" Result code =") +
                                Str(attempt.zip.code) + QStringLiteral("."),
                            MessageIcon::Exclamation);
            return {BackupOutcome::Kind::Failed, {}, {}, {}};
        }
        prompter.notice(QStringLiteral("Successful Data Restore"), restoredText(attempt.restored),
                        MessageIcon::Information);
        return {BackupOutcome::Kind::Done, archive, attempt.previous, attempt.restored};
    }
}
