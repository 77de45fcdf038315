#include "loadcommand.h"

#include "batchoptions.h"
#include "batchstorage.h"
#include "illustration.h"
#include "illustrationjson.h"
#include "illustrationstore.h"

int RunLoad(const QStringList &arguments) {
    QCommandLineParser parser;
    ParseOptions(parser, arguments, StorageOptions(), 1);
    if (parser.positionalArguments().isEmpty())
        throw badInput(QStringLiteral("load needs a record number"));
    const int number = RecordNumberArgument(parser.positionalArguments().constFirst());
    RecordingPrompter prompter;
    const BatchStorage storage = OpenStorage(parser, prompter);

    Illustration illustration(prompter);
    if (Status error = OpenRecord(storage.database, number, illustration, RecordLists::window()))
        throw StorageFailure(prompter, *error);
    PrintJson(WriteIllustrationJson(illustration));
    return int(ExitCode::Ok);
}
