#include "savecommand.h"

#include "batchoptions.h"
#include "batchstorage.h"
#include "illustration.h"
#include "illustrationjson.h"
#include "illustrationstore.h"
#include "orderedjson.h"
#include "sepppresenter.h"

int RunSave(const QStringList &arguments) {
    QCommandLineParser parser;
    ParseOptions(parser, arguments,
                 StorageOptions() << QCommandLineOption(QStringLiteral("input"),
                                                        QStringLiteral("Illustration file."),
                                                        QStringLiteral("ILL.json")));
    const QByteArray text = ReadInputFile(RequiredOption(parser, QStringLiteral("input")));
    RecordingPrompter prompter;
    const BatchStorage storage = OpenStorage(parser, prompter);

    CalcContext context;
    context.today = storage.clock->today();
    Illustration illustration(prompter);
    // Without a record number of its own the illustration is new: it takes the next free one.
    context.detailedMode = ReadIllustrationJson(text, illustration, context.today,
                                                NewRecordNumber(storage.database.records()))
                               .detailedMode;
    if (!CalculatorAvailable(illustration.calculator()))
        throw badInput(
            QStringLiteral("calculator %1 is not available yet").arg(illustration.calculator()));
    // Saving is what an edited illustration does: the date becomes today's, as after an edit.
    illustration.setSaved(false);

    // The same steps as calc: the SEPP tab's live refresh before the validation, and again
    // after the computation, so the stored distribution is the one calc reports.
    const bool sepp = illustration.calculator() == 2;
    if (sepp)
        RefreshEqualPayments(illustration, context, false);
    const Validation validation = DefineVariables(illustration, context);
    if (!validation.passed()) {
        PrintJson(ValidationFailureJson(*validation.failure));
        return int(ExitCode::ValidationFailed);
    }
    CalculateValues(illustration, validation.variables, context);
    if (sepp) {
        RefreshEqualPayments(illustration, context, false);
        CalculateValues(illustration, validation.variables, context);
    }

    const SaveOutcome outcome =
        SaveIllustration(storage.database, illustration, false, context, SaveTarget::OwnRecord);
    switch (outcome.kind) {
    case SaveOutcome::Kind::Saved:
        PrintJson(OrderedJson()
                      .add(QStringLiteral("status"), QStringLiteral("ok"))
                      .add(QStringLiteral("record"), outcome.record)
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
