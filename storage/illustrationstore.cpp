#include "illustrationstore.h"

#include "filelock.h"
#include "illustration.h"
#include "illustrationlisting.h"
#include "numbertext.h"
#include "prompter.h"
#include "recordcheck.h"

#include <QDir>

namespace {

const QString RecordNumberTag = QStringLiteral("3-DatabaseIndex");

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

void reportNotSaved(Prompter &prompter, const StorageError &error) {
    prompter.notice(QStringLiteral("Data Writing Error"),
                    QStringLiteral("Record not saved.\r\n") + error.description, MessageIcon::None);
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

SaveOutcome SaveIllustration(const IllustrationDatabase &database, Illustration &illustration,
                             bool ask, CalcContext &context, SaveTarget target) {
    if (illustration.isSaved())
        return {};
    Prompter &prompter = illustration.prompter();
    if (ask && prompter.ask(QStringLiteral("Illustration Data"),
                            QStringLiteral("Your current illustration is not saved.\r\nDo you "
                                           "wish to save it?"),
                            Buttons::YesNo, MessageIcon::Question) != Answer::Yes)
        return {SaveOutcome::Kind::Declined, 0, std::nullopt, std::nullopt};

    const Validation validation = DefineVariables(illustration, context);
    if (!validation.passed())
        return {SaveOutcome::Kind::Invalid, 0, validation.failure, std::nullopt};

    const auto failed = [&](const StorageError &error) {
        reportNotSaved(prompter, error);
        return SaveOutcome{SaveOutcome::Kind::Failed, 0, std::nullopt, error};
    };
    if (const QString tag = FieldTooWide(illustration); !tag.isEmpty())
        return failed({ErrorNumber::BadRecordLength,
                       QStringLiteral("\"%1\" holds \"%2\", wider than its place in the record")
                           .arg(tag, illustration.fields().GetField(tag))});
    // The number is chosen, checked and written under one lock: another program's save between
    // choosing and writing would otherwise take the same number.
    FileLock lock(database.path());
    if (Status error = lock.acquire(database.lockTimeoutMs()))
        return failed(*error);
    RecordFile records = database.records();
    if (Status error = CheckDatabaseFile(records))
        return failed(*error);
    FieldStore &fields = illustration.fields();
    const QString oldNumber = fields.GetField(RecordNumberTag);
    const int count = records.count();
    const int number = saveRecordNumber(oldNumber, count, target);
    fields.SetField(QString::number(number), RecordNumberTag);

    const QByteArray record = IllustrationRecord::encode(BuildRecord(illustration));
    Status error =
        number <= count ? checkOverwrite(records, number, illustration, record) : std::nullopt;
    if (!error)
        error = records.write(number, record);
    if (error) {
        fields.SetField(oldNumber, RecordNumberTag);
        return failed(*error);
    }
    illustration.setRecordFingerprint(RecordFingerprint(record));
    illustration.setSaved(true);
    return {SaveOutcome::Kind::Saved, number, std::nullopt, std::nullopt};
}

SaveOutcome SaveFromMenu(const IllustrationDatabase &database, Illustration &illustration,
                         CalcContext &context, SaveTarget target) {
    const Validation validation = DefineVariables(illustration, context);
    if (!validation.passed())
        return {SaveOutcome::Kind::Invalid, 0, validation.failure, std::nullopt};
    CalculateValues(illustration, validation.variables, context);
    return SaveIllustration(database, illustration, false, context, target);
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
