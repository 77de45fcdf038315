#include "illustrationstore.h"

#include "filelock.h"
#include "illustration.h"
#include "numbertext.h"
#include "prompter.h"
#include "recordcheck.h"

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

void reportNotSaved(Prompter &prompter, const StorageError &error, bool locked) {
    QString text = QStringLiteral("Record not saved.");
    if (locked)
        text += QStringLiteral("\r\n") + error.description;
    prompter.notice(QStringLiteral("Data Writing Error"), text, MessageIcon::None);
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

    FileLock lock(database.path());
    if (Status error = lock.acquire(database.lockTimeoutMs())) {
        reportNotSaved(prompter, *error, true);
        return {SaveOutcome::Kind::Failed, 0, std::nullopt, error};
    }
    RecordFile records = database.records();
    FieldStore &fields = illustration.fields();
    const QString oldNumber = fields.GetField(RecordNumberTag);
    const int number = saveRecordNumber(oldNumber, records.count(), target);
    fields.SetField(QString::number(number), RecordNumberTag);

    const QByteArray record = IllustrationRecord::encode(BuildRecord(illustration));
    if (Status error = records.write(number, record)) {
        fields.SetField(oldNumber, RecordNumberTag);
        reportNotSaved(prompter, *error, false);
        return {SaveOutcome::Kind::Failed, 0, std::nullopt, error};
    }
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
    illustration.setSaved(true);
    return std::nullopt;
}
