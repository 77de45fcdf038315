#include "batchstorage.h"

#include "batchoptions.h"
#include "compaction.h"
#include "datalocations.h"
#include "illustrationlisting.h"
#include "illustrationrecord.h"
#include "numbertext.h"
#include "orderedjson.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>
#include <cstdio>

namespace {

QString oneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

} // namespace

QList<QCommandLineOption> StorageOptions() {
    return {
        {QStringLiteral("data-folder"), QStringLiteral("Data folder."), QStringLiteral("DIR")},
        {QStringLiteral("today"), QStringLiteral("Today's date."), QStringLiteral("MM/DD/YYYY")}};
}

QString DataFolderOption(const QCommandLineParser &parser) {
    if (!parser.isSet(QStringLiteral("data-folder")))
        return DataFolder(SystemFolders::fromSystem());
    const QString folder = parser.value(QStringLiteral("data-folder"));
    if (!QFileInfo(folder).isDir())
        throw badInput(QStringLiteral("--data-folder: no folder \"%1\"").arg(folder));
    return folder;
}

BatchStorage OpenStorage(const QCommandLineParser &parser, RecordingPrompter &prompter) {
    const QString folder = DataFolderOption(parser);
    std::unique_ptr<Clock> clock;
    if (parser.isSet(QStringLiteral("today")))
        clock = std::make_unique<FixedClock>(TodayOption(parser));
    else
        clock = std::make_unique<SystemClock>();

    BatchStorage storage{folder, std::move(clock), IllustrationDatabase(folder)};
    if (ReportInterruptedCompaction(storage.database, prompter, storage.clock->now()))
        Warn(LastMessage(prompter));
    prompter.clear();
    return storage;
}

int RecordNumberArgument(const QString &text) {
    // A record's number is stored in "3-DatabaseIndex": as many digits as that field is wide.
    static const int largest = int(std::pow(10, IllustrationRecord::recordNumberPlace().width)) - 1;
    const QString range = QStringLiteral("record numbers go from 1 to ") +
                          NumberText::Format(largest, QStringLiteral("#,##0"));
    static const QRegularExpression whole(QStringLiteral("^-?[0-9]+$"));
    if (!whole.match(text).hasMatch())
        throw badInput(QStringLiteral("\"%1\" is not a record number; %2").arg(text, range));
    if (text.startsWith(QLatin1Char('-')))
        throw badInput(QStringLiteral("record number %1 is negative; %2").arg(text, range));
    bool fits = false;
    const qlonglong number = text.toLongLong(&fits);
    if (!fits || number > largest)
        throw badInput(QStringLiteral("record number %1 is too large; %2").arg(text, range));
    if (number < 1)
        throw badInput(QStringLiteral("record number %1 does not exist; %2").arg(text, range));
    return int(number);
}

ExitCode ExitCodeFor(const StorageError &error) {
    return error.number == ErrorNumber::BadRecordNumber ||
                   error.number == ErrorNumber::BadRecordLength
               ? ExitCode::BadInput
               : ExitCode::IoFailure;
}

QString LastMessage(const RecordingPrompter &prompter) {
    if (prompter.messages().isEmpty())
        return QString();
    const RecordingPrompter::Message &message = prompter.messages().constLast();
    return oneLine(message.caption + QStringLiteral(": ") + message.text);
}

BatchError StorageFailure(const RecordingPrompter &prompter, const StorageError &error) {
    const QString message = LastMessage(prompter);
    return {ExitCodeFor(error), message.isEmpty() ? oneLine(error.description) : message};
}

void WarnDamaged(const QList<DamagedRecord> &damaged) {
    for (const DamagedRecord &record : damaged)
        Warn(QStringLiteral("record %1 skipped: %2")
                 .arg(record.record)
                 .arg(describe(record.damage)));
}

void Warn(const QString &message) {
    std::fprintf(stderr, "rmdbatch: %s\n", message.toLocal8Bit().constData());
}
