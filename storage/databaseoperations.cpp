#include "databaseoperations.h"

#include "filelock.h"
#include "illustrationrecord.h"
#include "prompter.h"
#include "savedillustrationsmodel.h"

namespace {

const QString ReadingStep = QStringLiteral("Error Reading Database");
const QString WritingStep = QStringLiteral("Error Writing to Database");

StorageError show(Prompter &prompter, const QString &caption, const StorageError &error) {
    prompter.notice(caption, ErrorOccurredText(error), MessageIcon::Stop);
    return error;
}

// Record n as a button may act on it: present, undamaged, active and, when the grid's copy is
// given, unchanged since it was listed.
Result<QByteArray> readListed(const RecordFile &records, int number, const QByteArray &listed) {
    Result<QByteArray> read = records.read(number);
    if (!read.ok())
        return read;
    const RecordDamage damage = CheckRecord(read.value, number);
    if (damage != RecordDamage::None)
        return {{},
                StorageError{
                    ErrorNumber::BadRecordLength,
                    QStringLiteral("record %1 is damaged (%2)").arg(number).arg(describe(damage))}};
    if (!isActive(read.value.constData()))
        return {{},
                StorageError{ErrorNumber::BadRecordNumber,
                             QStringLiteral("record %1 is not a listed illustration").arg(number)}};
    if (!listed.isEmpty() && listed != read.value)
        return {{},
                StorageError{ErrorNumber::PermissionDenied,
                             QStringLiteral("record %1 was changed by another program since it "
                                            "was listed; nothing was changed")
                                 .arg(number)}};
    return read;
}

} // namespace

Status FillGrid(const IllustrationDatabase &database, SavedIllustrationsModel &model,
                Prompter &prompter) {
    Result<IllustrationListing> listing = IllustrationListing::read(database.records());
    if (!listing.ok()) {
        model.setListing({});
        return show(prompter, QStringLiteral("Error in FillGrid"), *listing.error);
    }
    model.setListing(std::move(listing.value));
    return std::nullopt;
}

Result<int> CopyRecord(const IllustrationDatabase &database, int number, Prompter &prompter,
                       const QByteArray &listed) {
    const QString command = QStringLiteral("CmdCopy: ");
    FileLock lock(database.path());
    if (Status error = lock.acquire(database.lockTimeoutMs()))
        return {0, show(prompter, command + WritingStep, *error)};
    RecordFile records = database.records();
    Result<QByteArray> read = readListed(records, number, listed);
    if (!read.ok())
        return {0, show(prompter, command + ReadingStep, *read.error)};
    if (Status error = CheckDatabaseFile(records))
        return {0, show(prompter, command + WritingStep, *error)};
    const int copyNumber = records.count() + 1;
    IllustrationRecord::setRecordNumber(read.value, copyNumber);
    if (Status error = records.write(copyNumber, read.value))
        return {0, show(prompter, command + WritingStep, *error)};
    return {copyNumber, std::nullopt};
}

Status DeleteRecord(const IllustrationDatabase &database, int number, Prompter &prompter,
                    const QByteArray &listed) {
    const QString command = QStringLiteral("CmdDelete: ");
    FileLock lock(database.path());
    if (Status error = lock.acquire(database.lockTimeoutMs()))
        return show(prompter, command + WritingStep, *error);
    RecordFile records = database.records();
    Result<QByteArray> read = readListed(records, number, listed);
    if (!read.ok())
        return show(prompter, command + ReadingStep, *read.error);
    read.value[0] = '0';
    if (Status error = records.write(number, read.value))
        return show(prompter, command + WritingStep, *error);
    return std::nullopt;
}

Result<int> UndeleteAll(const IllustrationDatabase &database, Prompter &prompter) {
    FileLock lock(database.path());
    if (Status error = lock.acquire(database.lockTimeoutMs()))
        return {0, show(prompter, WritingStep, *error)};
    RecordFile records = database.records();
    Result<QByteArray> image = records.readAll();
    if (!image.ok())
        return {0, show(prompter, ReadingStep, *image.error)};
    // Only deleted records change; a damaged one is left for compaction to judge.
    QList<std::pair<int, QByteArray>> changed;
    const int count = int(image.value.size() / RecordFile::RecordLength);
    for (int index = 0; index < count; ++index) {
        QByteArray record =
            image.value.mid(qsizetype(index) * RecordFile::RecordLength, RecordFile::RecordLength);
        if (isDeleted(record.constData()) && CheckRecord(record, index + 1) == RecordDamage::None) {
            record[0] = '1';
            changed.append({index + 1, record});
        }
    }
    if (!changed.isEmpty()) {
        if (Status error = records.write(changed))
            return {0, show(prompter, WritingStep, *error)};
    }
    return {int(changed.size()), std::nullopt};
}
