#include "compaction.h"

#include "datetext.h"
#include "durablefile.h"
#include "filelock.h"
#include "illustrationrecord.h"
#include "numbertext.h"
#include "prompter.h"
#include "recordcheck.h"
#include "windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using NumberText::Str;

namespace {

const QString Caption = QStringLiteral("Compact Database");
constexpr qsizetype ChunkRecords = 1024; // records read and written per transfer

const FieldPlace DatePlace = *IllustrationRecord::place(QStringLiteral("6-IllustrationDate"));

// Why a record is not kept; None for a record that is.
enum class Verdict { Keep, Deleted, Damaged };

Verdict judge(const char *record, qsizetype size, int number) {
    if (size == IllustrationRecord::Length && isDeleted(record))
        return Verdict::Deleted;
    switch (CheckRecord(record, size, number)) {
    case RecordDamage::WrongLength:
    case RecordDamage::BadStatus:
    case RecordDamage::BadCalculator:
        return Verdict::Damaged;
    default:
        // A wrong record number is rewritten below and stray bytes become "?": both mended.
        break;
    }
    if (!DateText::IsDate(IllustrationRecord::fieldText(record, size, DatePlace)))
        return Verdict::Damaged;
    return Verdict::Keep;
}

void mendEncoding(QByteArray &record) {
    for (char &byte : record) {
        if (!Windows1252::isDefined(static_cast<unsigned char>(byte)))
            byte = '?';
    }
}

QString dated(const QString &folder, const QString &stem, const QDateTime &now) {
    const QString base = stem + now.toString(QStringLiteral("-yyyyMMdd-HHmmss"));
    QString name = base + QStringLiteral(".flt");
    for (int n = 2; QFileInfo::exists(QDir(folder).filePath(name)); ++n)
        name = base + QStringLiteral("-%1.flt").arg(n);
    return QDir(folder).filePath(name);
}

// Reads the old database chunk by chunk and writes the kept records to "Temp.flt".
Status buildCompacted(const IllustrationDatabase &database, QFile &temp, CompactionCounts &counts,
                      const CompactionHooks &hooks) {
    QFile old(database.path());
    if (!old.open(QIODevice::ReadOnly))
        return fileError(old, QStringLiteral("Error Reading Database"));
    counts = {};
    counts.records = RecordFile::countForSize(old.size());
    int number = 0;
    QByteArray output;
    const bool recordByRecord = bool(hooks.afterRecord);
    while (!old.atEnd()) {
        const QByteArray chunk = old.read(ChunkRecords * RecordFile::RecordLength);
        if (old.error() != QFileDevice::NoError)
            return fileError(old, QStringLiteral("Error Reading Database"));
        if (chunk.isEmpty())
            break;
        for (qsizetype offset = 0; offset < chunk.size(); offset += RecordFile::RecordLength) {
            ++number;
            const qsizetype size =
                std::min<qsizetype>(RecordFile::RecordLength, chunk.size() - offset);
            const char *record = chunk.constData() + offset;
            switch (judge(record, size, number)) {
            case Verdict::Deleted:
                ++counts.deleted;
                continue;
            case Verdict::Damaged:
                ++counts.damaged;
                continue;
            case Verdict::Keep:
                break;
            }
            QByteArray kept(record, size);
            mendEncoding(kept);
            IllustrationRecord::setRecordNumber(kept, ++counts.illustrations);
            output += kept;
            if (recordByRecord) {
                if (temp.write(output) != output.size() || !temp.flush())
                    return fileError(temp, QStringLiteral("Error Writing to Database"));
                output.clear();
                hooks.afterRecord(counts.illustrations);
            }
        }
        if (temp.write(output) != output.size())
            return fileError(temp, QStringLiteral("Error Writing to Database"));
        output.clear();
    }
    if (!DurableFile::syncToDisk(temp))
        return fileError(temp, QStringLiteral("Error Writing to Database"));
    return std::nullopt;
}

} // namespace

QString CompactionQuestion(int records, int deleted) {
    return QStringLiteral("Your database has") + Str(records) +
           QStringLiteral(" saved illustrations of which") + Str(deleted) +
           QStringLiteral("\r\nhave been deleted. Compacting your database will:\r\n"
                          " - permanently remove the deleted illustrations\r\n"
                          " - verify the integrity of your data\r\n\r\n"
                          "Do you wish to proceed?");
}

QString CompactionReport(const CompactionCounts &counts) {
    return QStringLiteral("Your database now has") + Str(counts.illustrations) +
           QStringLiteral(" saved illustrations.\r\n") + Str(counts.deleted) +
           QStringLiteral(" deleted illustrations were permanently removed.\r\n") +
           Str(counts.damaged) +
           QStringLiteral(" damaged illustrations were also removed.\r\n\r\n"
                          "Reminder: Now is an excellent time to backup your data.");
}

bool ReportInterruptedCompaction(const IllustrationDatabase &database, Prompter &prompter,
                                 const QDateTime &now) {
    const QString temp = database.tempPath();
    if (!QFileInfo::exists(temp))
        return false;
    // While another program holds the lock its compaction may be writing "Temp.flt" now.
    FileLock lock(database.path());
    if (lock.acquire(0) || !QFileInfo::exists(temp))
        return false;
    QString text = QStringLiteral("A compaction of your database did not finish.\r\n");
    RecordFile records = database.records();
    QString failure;
    if (!records.exists() && RecordFile(temp).exists()) {
        failure = DurableFile::replace(temp, database.path());
        if (failure.isEmpty())
            text += QStringLiteral("Your illustrations were recovered from \"Temp.flt\".");
    } else {
        const QString kept = dated(database.folder(), QStringLiteral("Temp"), now);
        failure = DurableFile::replace(temp, kept);
        if (failure.isEmpty())
            text += QStringLiteral("Your database was not changed. The unfinished copy was "
                                   "kept as\r\n\"") +
                    QFileInfo(kept).fileName() + QStringLiteral("\" beside it.");
    }
    if (!failure.isEmpty())
        text += QStringLiteral("Your database was not changed. \"Temp.flt\" was left beside it "
                               "and could not be moved: ") +
                failure;
    prompter.notice(Caption, text, MessageIcon::Exclamation);
    return true;
}

CompactionOutcome Compact(const IllustrationDatabase &database, Prompter &prompter,
                          const QDateTime &now, const CompactionHooks &hooks) {
    const auto failed = [&](const StorageError &error, CompactionCounts counts = {}) {
        prompter.notice(QStringLiteral("Error Reading Database"), ErrorOccurredText(error),
                        MessageIcon::Stop);
        return CompactionOutcome{CompactionOutcome::Kind::Failed, counts, error};
    };

    ReportInterruptedCompaction(database, prompter, now);
    const RecordFile records = database.records();
    const Result<QByteArray> image = records.readAll();
    if (!image.ok())
        return failed(*image.error);
    int deleted = 0;
    const int count = records.countForSize(image.value.size());
    for (qsizetype offset = 0; offset + RecordFile::RecordLength <= image.value.size();
         offset += RecordFile::RecordLength)
        deleted += isDeleted(image.value.constData() + offset) ? 1 : 0;
    if (prompter.ask(Caption, CompactionQuestion(count, deleted), Buttons::YesNo,
                     MessageIcon::Question) != Answer::Yes)
        return {};

    // The lock is taken after the question, so no other program waits on the user; the file
    // is read again under it.
    FileLock lock(database.path());
    if (Status error = lock.acquire(database.lockTimeoutMs()))
        return failed(*error);
    if (!database.records().exists()) {
        prompter.notice(QStringLiteral("Compact Database Complete"), CompactionReport({}),
                        MessageIcon::Information);
        return {CompactionOutcome::Kind::Compacted, {}, std::nullopt};
    }
    QFile temp(database.tempPath());
    if (!temp.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failed(fileError(temp, QStringLiteral("Error Writing to Database")));
    CompactionCounts counts;
    if (Status error = buildCompacted(database, temp, counts, hooks)) {
        // Closing flushes again and fails again; the file goes all the same.
        temp.close();
        QFile::remove(database.tempPath());
        return failed(*error, counts);
    }
    temp.close();
    if (const QString reason = DurableFile::replace(database.tempPath(), database.path());
        !reason.isEmpty()) {
        QFile::remove(database.tempPath());
        return failed(
            {ErrorNumber::PathFileAccess, QStringLiteral("cannot replace the database: ") + reason},
            counts);
    }
    prompter.notice(QStringLiteral("Compact Database Complete"), CompactionReport(counts),
                    MessageIcon::Information);
    return {CompactionOutcome::Kind::Compacted, counts, std::nullopt};
}
