#include "repcommand.h"

#include "batchoptions.h"
#include "batchstorage.h"
#include "datalocations.h"
#include "illustrationjson.h"
#include "orderedjson.h"
#include "representativemodel.h"
#include "representativerecord.h"

#include <QDir>

namespace {

QString representativeFile(const BatchStorage &storage) {
    return QDir(storage.dataFolder).filePath(QLatin1String(RepresentativeRecord::FileName));
}

QString invalidJson(const char *key, const QString &title, const QString &message) {
    return OrderedJson()
        .add(QStringLiteral("status"), QStringLiteral("invalid"))
        .add(QStringLiteral("key"), QLatin1String(key))
        .add(QStringLiteral("title"), title)
        .add(QStringLiteral("message"), message)
        .text();
}

// The representative window's Load: "RepInfo.flt", else "KVR.ini" in the data folder or
// beside the program.
int show(const BatchStorage &storage) {
    const Result<RepresentativeDetails> details = LoadRepresentative(
        representativeFile(storage),
        DistributorSettingsFiles(storage.dataFolder, SystemFolders::fromSystem().programFolder));
    if (!details.ok())
        throw BatchError(ExitCode::IoFailure, details.error->description);
    PrintJson(WriteRepresentativeJson(details.value).text());
    return int(ExitCode::Ok);
}

// The window's entries as the file gives them, then "&Ok".
int set(const QCommandLineParser &parser, const BatchStorage &storage,
        RecordingPrompter &prompter) {
    RepresentativeDetails details =
        ReadRepresentativeJson(ReadInputFile(RequiredOption(parser, QStringLiteral("input"))));
    // The state list takes typed letters in upper case and refuses a code it does not hold.
    for (QChar &c : details.state)
        c = StateKey(c);
    if (!details.state.isEmpty() && !CheckStateEntry(details.state, prompter)) {
        const auto &message = prompter.messages().constLast();
        PrintJson(invalidJson("State", message.caption, message.text));
        return int(ExitCode::ValidationFailed);
    }
    StorageError error;
    switch (ConfirmRepresentative(details, representativeFile(storage), *storage.clock, prompter,
                                  &error)) {
    case RepresentativeSave::Saved:
        PrintJson(OrderedJson()
                      .add(QStringLiteral("status"), QStringLiteral("ok"))
                      .add(QStringLiteral("representative"), WriteRepresentativeJson(details))
                      .text());
        return int(ExitCode::Ok);
    case RepresentativeSave::Incomplete: {
        const auto &message = prompter.messages().constLast();
        const int entry = *MissingRequiredEntry(details);
        PrintJson(invalidJson(representativeKeys()[std::size_t(entry)].key, message.caption,
                              message.text));
        return int(ExitCode::ValidationFailed);
    }
    case RepresentativeSave::Failed:
        break;
    }
    throw BatchError(ExitCode::IoFailure,
                     QStringLiteral("Fatal Error in RepWriteFlat: ") + error.description);
}

} // namespace

int RunRep(const QStringList &arguments) {
    QCommandLineParser parser;
    ParseOptions(parser, arguments,
                 StorageOptions() << QCommandLineOption(QStringLiteral("input"),
                                                        QStringLiteral("Representative file."),
                                                        QStringLiteral("REP.json")),
                 1);
    const QStringList words = parser.positionalArguments();
    const QString action = words.isEmpty() ? QString() : words.constFirst();
    if (action != QLatin1String("show") && action != QLatin1String("set"))
        throw badInput(QStringLiteral("rep needs an action: show or set --input REP.json"));
    if (action == QLatin1String("show") && parser.isSet(QStringLiteral("input")))
        throw badInput(QStringLiteral("--input is an option of rep set only"));
    RecordingPrompter prompter;
    const BatchStorage storage = OpenStorage(parser, prompter);
    return action == QLatin1String("show") ? show(storage) : set(parser, storage, prompter);
}
