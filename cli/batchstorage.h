#pragma once

// What the rmdbatch subcommands that work on the data folder share: --data-folder and --today,
// the start-up check for an interrupted compaction, and turning what the storage layer showed
// through its prompter into rmdbatch's one-line errors and exit codes.

#include "batcherror.h"
#include "batchoptions.h"
#include "clock.h"
#include "illustrationdatabase.h"
#include "recordingprompter.h"
#include "storageerror.h"
#include "validation.h"

#include <QCommandLineParser>
#include <memory>

struct DamagedRecord;

// --data-folder DIR and --today MM/DD/YYYY, to add to a subcommand's own options.
QList<QCommandLineOption> StorageOptions();

struct BatchStorage {
    QString dataFolder;
    std::unique_ptr<Clock> clock;
    IllustrationDatabase database;
};

// The folder of --data-folder, which must exist, else the planner's own data folder.
QString DataFolderOption(const QCommandLineParser &parser);

// The data folder (--data-folder, else the planner's own data folder) and the clock (--today
// at noon, else the system's). A compaction that a crash interrupted is reported on stderr
// here, as the desktop program reports it at its start.
BatchStorage OpenStorage(const QCommandLineParser &parser, RecordingPrompter &prompter);

// A record number argument: a whole number from 1 to the largest "3-DatabaseIndex" holds
// (999,999). Anything else is bad input saying what is wrong with it.
int RecordNumberArgument(const QString &text);

// The exit code of a failed storage operation: no such, deleted or damaged record is bad
// input; anything else an I/O failure.
ExitCode ExitCodeFor(const StorageError &error);

// The last message the prompter showed, as one line: "caption: text".
QString LastMessage(const RecordingPrompter &prompter);

// A failed storage operation as rmdbatch ends it: the prompter's message on stderr.
BatchError StorageFailure(const RecordingPrompter &prompter, const StorageError &error);

// Warns on stderr about each record the listing skipped as damaged.
void WarnDamaged(const QList<DamagedRecord> &damaged);

// Prints a message on stderr as a warning; the run goes on.
void Warn(const QString &message);
