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

int digits(const char *text, int count) {
    int value = 0;
    for (int at = 0; at < count; ++at) {
        if (text[at] < '0' || text[at] > '9')
            return -1;
        value = value * 10 + (text[at] - '0');
    }
    return value;
}

// The illustration date field holds a date. What the program writes, "MM/DD/YYYY", is checked
// directly; any other form goes through the date parser a user's typing goes through.
bool isDate(const char *field, qsizetype available) {
    if (available >= DatePlace.width && field[2] == '/' && field[5] == '/') {
        const int month = digits(field, 2);
        const int day = digits(field + 3, 2);
        const int year = digits(field + 6, 4);
        if (month >= 0 && day >= 0 && year >= 100)
            return QDate::isValid(year, month, day);
    }
    const qsizetype width = std::min<qsizetype>(DatePlace.width, std::max<qsizetype>(available, 0));
    return DateText::IsDate(IllustrationRecord::trimBlanks(Windows1252::decode(field, width)));
}

// Why a record is not kept.
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
    if (!isDate(record + DatePlace.start - 1, size - (DatePlace.start - 1)))
        return Verdict::Damaged;
    return Verdict::Keep;
}

void mendEncoding(char *record, qsizetype size) {
    if (Windows1252::allDefined(record, size))
        return;
    for (qsizetype at = 0; at < size; ++at) {
        if (!Windows1252::isDefined(static_cast<unsigned char>(record[at])))
            record[at] = '?';
    }
}

// The records whose status is "0", for the question.
Result<int> countDeleted(const RecordFile &records) {
    QFile file(records.path());
    if (!file.exists())
        return {0, std::nullopt};
    if (!file.open(QIODevice::ReadOnly))
        return {0, fileError(file, QStringLiteral("Error Reading Database"))};
    int deleted = 0;
    QByteArray chunk(ChunkRecords * RecordFile::RecordLength, Qt::Uninitialized);
    for (;;) {
        const qint64 read = file.read(chunk.data(), chunk.size());
        if (read < 0)
            return {0, fileError(file, QStringLiteral("Error Reading Database"))};
        // Whole records only; the read size is a multiple of the record length.
        for (qint64 offset = 0; offset + RecordFile::RecordLength <= read;
             offset += RecordFile::RecordLength)
            deleted += isDeleted(chunk.constData() + offset) ? 1 : 0;
        if (read < chunk.size())
            break;
    }
    return {deleted, std::nullopt};
}

// Reads the old database chunk by chunk and writes the kept records to "Temp.flt".
Status buildCompacted(const IllustrationDatabase &database, QFile &temp, CompactionCounts &counts,
                      const CompactionHooks &hooks, const FollowedRecord &followed,
                      CompactionOutcome &outcome) {
    QFile old(database.path());
    if (!old.open(QIODevice::ReadOnly))
        return fileError(old, QStringLiteral("Error Reading Database"));
    counts = {};
    counts.records = RecordFile::countForSize(old.size());
    outcome.numbering.fill(0, counts.records);
    int number = 0;
    QByteArray output;
    output.reserve(ChunkRecords * RecordFile::RecordLength);
    const bool recordByRecord = bool(hooks.afterRecord);
    // One buffer for every chunk: fresh megabytes for each would cost more than the copying.
    QByteArray chunk(ChunkRecords * RecordFile::RecordLength, Qt::Uninitialized);
    for (;;) {
        const qint64 read = old.read(chunk.data(), chunk.size());
        if (read < 0)
            return fileError(old, QStringLiteral("Error Reading Database"));
        if (read == 0)
            break;
        for (qsizetype offset = 0; offset < read; offset += RecordFile::RecordLength) {
            ++number;
            const qsizetype size = std::min<qsizetype>(RecordFile::RecordLength, read - offset);
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
            const qsizetype at = output.size();
            output.append(record, size);
            mendEncoding(output.data() + at, size);
            IllustrationRecord::setRecordNumber(output.data() + at, ++counts.illustrations);
            if (number <= outcome.numbering.size())
                outcome.numbering[number - 1] = counts.illustrations;
            if (number == followed.number &&
                RecordFingerprint(QByteArray(record, size)) == followed.fingerprint)
                outcome.followedFingerprint =
                    RecordFingerprint(QByteArray(output.constData() + at, size));
            if (recordByRecord) {
                if (temp.write(output) != output.size() || !temp.flush())
                    return fileError(temp, QStringLiteral("Error Writing to Database"));
                output.truncate(0);
                hooks.afterRecord(counts.illustrations);
            }
        }
        if (temp.write(output) != output.size())
            return fileError(temp, QStringLiteral("Error Writing to Database"));
        output.truncate(0);
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

QString CompactionReport(const CompactionCounts &counts, const QString &kept) {
    QString text = QStringLiteral("Your database now has") + Str(counts.illustrations) +
                   QStringLiteral(" saved illustrations.\r\n") + Str(counts.deleted) +
                   QStringLiteral(" deleted illustrations were permanently removed.\r\n") +
                   Str(counts.damaged) +
                   QStringLiteral(" damaged illustrations were also removed.\r\n\r\n"
                                  "Reminder: Now is an excellent time to backup your data.");
    if (!kept.isEmpty())
        text += QStringLiteral("\r\n\r\nThe database as it was, with the damaged illustrations, "
                               "was kept as\r\n\"") +
                QDir::toNativeSeparators(kept) + QStringLiteral("\".");
    return text;
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
        const QString kept = DatedPath(database.folder(), QStringLiteral("Temp"), now);
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
                          const QDateTime &now, const CompactionHooks &hooks,
                          const FollowedRecord &followed) {
    const auto failed = [&](const StorageError &error, CompactionCounts counts = {}) {
        prompter.notice(QStringLiteral("Error Reading Database"), ErrorOccurredText(error),
                        MessageIcon::Stop);
        return CompactionOutcome{CompactionOutcome::Kind::Failed, counts, error, {}, {}, {}};
    };

    ReportInterruptedCompaction(database, prompter, now);
    const Result<int> deleted = countDeleted(database.records());
    if (!deleted.ok())
        return failed(*deleted.error);
    const int count = database.records().count();
    if (prompter.ask(Caption, CompactionQuestion(count, deleted.value), Buttons::YesNo,
                     MessageIcon::Question) != Answer::Yes)
        return {};

    // The lock is taken after the question, so no other program waits on the user; the file
    // is read again under it.
    FileLock lock(database.path());
    if (Status error = lock.acquire(database.lockTimeoutMs()))
        return failed(*error);
    if (Status error = database.records().checkIsFile())
        return failed(*error);
    if (!database.records().exists()) {
        prompter.notice(QStringLiteral("Compact Database Complete"), CompactionReport({}),
                        MessageIcon::Information);
        return {CompactionOutcome::Kind::Compacted, {}, std::nullopt, {}, {}, {}};
    }
    // The new file would take its place whatever the old one's permissions say.
    if (DurableFile::isReadOnly(database.path()))
        return failed({ErrorNumber::PermissionDenied,
                       QStringLiteral("%1: the database is read-only; it was not compacted")
                           .arg(QDir::toNativeSeparators(database.path()))});
    QFile temp(database.tempPath());
    if (!temp.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failed(fileError(temp, QStringLiteral("Error Writing to Database")));
    CompactionCounts counts;
    CompactionOutcome done{CompactionOutcome::Kind::Compacted, {}, std::nullopt, {}, {}, {}};
    if (Status error = buildCompacted(database, temp, counts, hooks, followed, done)) {
        // Closing flushes again and fails again; the file goes all the same.
        temp.close();
        QFile::remove(database.tempPath());
        return failed(*error, counts);
    }
    temp.close();
    QString kept;
    if (counts.damaged > 0) {
        kept = DatedPath(database.folder(), database.stem(), now);
        if (const QString reason = DurableFile::keepAs(database.path(), kept); !reason.isEmpty()) {
            QFile::remove(database.tempPath());
            return failed({ErrorNumber::PathFileAccess,
                           QStringLiteral("cannot keep the database with its damaged records as "
                                          "%1: %2; nothing was changed")
                               .arg(QDir::toNativeSeparators(kept), reason)},
                          counts);
        }
    }
    if (const QString reason = DurableFile::replace(database.tempPath(), database.path());
        !reason.isEmpty()) {
        QFile::remove(database.tempPath());
        if (!kept.isEmpty())
            QFile::remove(kept);
        return failed(
            {ErrorNumber::PathFileAccess, QStringLiteral("cannot replace the database: ") + reason},
            counts);
    }
    prompter.notice(QStringLiteral("Compact Database Complete"), CompactionReport(counts, kept),
                    MessageIcon::Information);
    done.counts = counts;
    done.kept = kept;
    return done;
}
