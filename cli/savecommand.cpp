#include "savecommand.h"

#include "batchoptions.h"
#include "batchstorage.h"
#include "illustration.h"
#include "illustrationjson.h"
#include "orderedjson.h"
#include "saveflow.h"

int RunSave(const QStringList &arguments) {
    QCommandLineParser parser;
    ParseOptions(parser, arguments,
                 StorageOptions() << QCommandLineOption(QStringLiteral("input"),
                                                        QStringLiteral("Illustration file."),
                                                        QStringLiteral("ILL.json"))
                                  << QCommandLineOption(QStringLiteral("as-new"),
                                                        QStringLiteral("Save as a new record.")));
    const QByteArray text = ReadInputFile(RequiredOption(parser, QStringLiteral("input")));
    RecordingPrompter prompter;
    const BatchStorage storage = OpenStorage(parser, prompter);

    CalcContext context;
    context.today = storage.clock->today();
    Illustration illustration(prompter);
    // Without a record number of its own the illustration is new: it takes the next free one,
    // chosen under the database's lock when it is written.
    context.detailedMode = ReadIllustrationJson(text, illustration, context.today, 0).detailedMode;
    const bool asNew = parser.isSet(QStringLiteral("as-new"));
    if (asNew)
        illustration.setRecordFingerprint(QString());
    // Saving is what an edited illustration does: the date becomes today's, as after an edit.
    illustration.setSaved(false);

    // The same sequence as calc, so the stored distribution is the one calc reports.
    const SaveOutcome outcome =
        SaveFromMenu(storage.database, illustration, context,
                     asNew ? SaveTarget::NextFreeRecord : SaveTarget::OwnRecord);
    switch (outcome.kind) {
    case SaveOutcome::Kind::Saved:
        PrintJson(OrderedJson()
                      .add(QStringLiteral("status"), QStringLiteral("ok"))
                      .add(QStringLiteral("record"), outcome.record)
                      .add(QStringLiteral("fingerprint"), illustration.recordFingerprint())
                      .text());
        return int(ExitCode::Ok);
    case SaveOutcome::Kind::Invalid:
        PrintJson(ValidationFailureJson(*outcome.failure));
        return int(ExitCode::ValidationFailed);
    case SaveOutcome::Kind::Failed:
        throw BatchError(ExitCode::IoFailure, LastMessage(prompter));
    case SaveOutcome::Kind::Unchanged:
    case SaveOutcome::Kind::Declined:
        break;
    }
    throw BatchError(ExitCode::IoFailure, QStringLiteral("the illustration was not saved"));
}
