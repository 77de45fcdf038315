#include "illustrationstore.h"

#include "filelock.h"
#include "illustration.h"
#include "illustrationlisting.h"
#include "numbertext.h"
#include "prompter.h"
#include "recordcheck.h"
#include "slottable.h"

#include <QDir>

namespace {

// The record a save writes to.
int saveRecordNumber(const QString &text, int count, SaveTarget target) {
    if (target == SaveTarget::NextFreeRecord)
        return count + 1;
    const QString digits = IllustrationRecord::trimBlanks(text);
    bool whole = !digits.isEmpty();
    for (const QChar c : digits)
        whole = whole && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const qint64 number = whole ? digits.toLongLong() : 0;
    return number >= 1 && number <= count ? int(number) : count + 1;
}

StorageError notOverwritten(const RecordFile &records, int number, const QString &why) {
    return {ErrorNumber::PermissionDenied,
            QStringLiteral("Record %1 of %2 %3; it was not overwritten. Save the illustration as "
                           "a new one instead.")
                .arg(number)
                .arg(QDir::toNativeSeparators(records.path()), why)};
}

// A save may replace record n only when it is the record the illustration was read from: the
// record still holds the fingerprint it had then, or, for an illustration that has none, the
// record is an illustration of the same client.
Status checkOverwrite(const RecordFile &records, int number, const Illustration &illustration,
                      const QByteArray &record) {
    const Result<QByteArray> stored = records.read(number);
    if (!stored.ok())
        return stored.error;
    if (!illustration.recordFingerprint().isEmpty()) {
        if (RecordFingerprint(stored.value) == illustration.recordFingerprint())
            return std::nullopt;
        return notOverwritten(records, number,
                              QStringLiteral("was changed or renumbered since this illustration "
                                             "was read from it"));
    }
    switch (CheckRecord(stored.value, number)) {
    case RecordDamage::WrongLength:
    case RecordDamage::BadStatus:
    case RecordDamage::BadCalculator:
        return notOverwritten(records, number, QStringLiteral("is not an illustration record"));
    default:
        break;
    }
    const QString storedName = GridCell(stored.value.constData(), GridColumn::Name);
    if (storedName != GridCell(record.constData(), GridColumn::Name))
        return notOverwritten(records, number,
                              QStringLiteral("holds another client (\"%1\")").arg(storedName));
    return std::nullopt;
}

} // namespace

WriteOutcome WriteIllustration(const IllustrationDatabase &database, Illustration &illustration,
                               SaveTarget target) {
    if (const QString tag = FieldTooWide(illustration); !tag.isEmpty())
        return {0, StorageError{ErrorNumber::BadRecordLength,
                                QStringLiteral("\"%1\" holds \"%2\", wider than its place in "
                                               "the record")
                                    .arg(tag, illustration.fields().GetField(tag))}};
    // The number is chosen, checked and written under one lock: another program's save between
    // choosing and writing would otherwise take the same number.
    FileLock lock(database.path());
    if (Status error = lock.acquire(database.lockTimeoutMs()))
        return {0, error};
    RecordFile records = database.records();
    if (Status error = CheckDatabaseFile(records))
        return {0, error};
    FieldStore &fields = illustration.fields();
    const QString oldNumber = fields.GetField(SlotTable::RecordNumberTag);
    const int count = records.count();
    const int number = saveRecordNumber(oldNumber, count, target);
    fields.SetField(QString::number(number), SlotTable::RecordNumberTag);

    const QByteArray record = IllustrationRecord::encode(BuildRecord(illustration));
    Status error =
        number <= count ? checkOverwrite(records, number, illustration, record) : std::nullopt;
    if (!error)
        error = records.write(number, record);
    if (error) {
        fields.SetField(oldNumber, SlotTable::RecordNumberTag);
        return {0, error};
    }
    illustration.setRecordFingerprint(RecordFingerprint(record));
    illustration.setSaved(true);
    return {number, std::nullopt};
}

int NewRecordNumber(const RecordFile &records) {
    if (!records.exists())
        return 1;
    return int(NumberText::RoundHalfEven(double(records.size()) / RecordFile::RecordLength + 1));
}

void NewIllustration(const IllustrationDatabase &database, Illustration &illustration,
                     const QDate &today, const QString &firstPlanType) {
    illustration.resetToNew(NewRecordNumber(database.records()), today, firstPlanType);
}

Status OpenRecord(const IllustrationDatabase &database, int number, Illustration &illustration,
                  const RecordLists &lists) {
    const auto fail = [&](const StorageError &error) -> Status {
        illustration.prompter().notice(QStringLiteral("CmdOK: Error Reading Database"),
                                       ErrorOccurredText(error), MessageIcon::Stop);
        return error;
    };
    const Result<QByteArray> read = database.records().read(number);
    if (!read.ok())
        return fail(*read.error);
    const RecordDamage damage = CheckRecord(read.value, number);
    if (damage != RecordDamage::None)
        return fail(
            {ErrorNumber::BadRecordLength,
             QStringLiteral("record %1 is damaged (%2)").arg(number).arg(describe(damage))});
    if (!isActive(read.value.constData()))
        return fail(
            {ErrorNumber::BadRecordNumber, QStringLiteral("record %1 is deleted").arg(number)});
    if (!LoadRecord(IllustrationRecord::decode(read.value), illustration, lists))
        return fail({ErrorNumber::BadRecordLength,
                     QStringLiteral("record %1 cannot be loaded").arg(number)});
    illustration.setRecordFingerprint(RecordFingerprint(read.value));
    illustration.setSaved(true);
    return std::nullopt;
}
