#include "dbcommand.h"

#include "backup.h"
#include "batchoptions.h"
#include "batchstorage.h"
#include "compaction.h"
#include "databaseoperations.h"
#include "illustrationlisting.h"
#include "orderedjson.h"
#include "prompter.h"

#include <QTemporaryDir>
#include <array>
#include <cstdio>

namespace {

struct DbContext {
    QCommandLineParser &parser;
    RecordingPrompter &prompter;
    const BatchStorage &storage;
};

int recordArgument(const QCommandLineParser &parser, const char *action) {
    if (parser.positionalArguments().size() != 2)
        throw badInput(QStringLiteral("db %1 needs a record number").arg(QLatin1String(action)));
    return RecordNumberArgument(parser.positionalArguments().at(1));
}

QString okWith(const QString &key, int number) {
    return OrderedJson()
        .add(QStringLiteral("status"), QStringLiteral("ok"))
        .add(key, number)
        .text();
}

// The grid's rows with its captions as keys. The database is read a block at a time and only
// the rows' JSON text is kept, so a large database lists in little more memory than its text.
int list(const DbContext &db) {
    std::array<QByteArray, GridColumn::Count> keys;
    for (int column = 0; column < GridColumn::Count; ++column) {
        OrderedJson::appendQuoted(keys[std::size_t(column)],
                                  QString::fromLatin1(GridCaptions()[std::size_t(column)]));
        keys[std::size_t(column)] += ':';
    }
    QByteArray rows;
    // About 200 bytes a row: one allocation instead of a copy at each doubling.
    rows.reserve(qsizetype(db.storage.database.records().size() / 5));
    const Result<ListingCounts> listed =
        ScanListing(db.storage.database.records(), [&](int, const char *record) {
            if (!rows.isEmpty())
                rows += ',';
            rows += '{';
            for (int column = 0; column < GridColumn::Count; ++column) {
                if (column > 0)
                    rows += ',';
                rows += keys[std::size_t(column)];
                OrderedJson::appendQuoted(rows, GridCell(record, column));
            }
            rows += '}';
        });
    if (!listed.ok()) {
        // As the window's grid shows it.
        db.prompter.notice(QStringLiteral("Error in FillGrid"), ErrorOccurredText(*listed.error),
                           MessageIcon::Stop);
        throw StorageFailure(db.prompter, *listed.error);
    }
    WarnDamaged(listed.value.damaged);
    QByteArray head = "{\"title\":";
    OrderedJson::appendQuoted(head, ListingTitle(listed.value.listed));
    head += ",\"rows\":[";
    std::fwrite(head.constData(), 1, std::size_t(head.size()), stdout);
    std::fwrite(rows.constData(), 1, std::size_t(rows.size()), stdout);
    std::fputs("]}\n", stdout);
    std::fflush(stdout);
    return int(ExitCode::Ok);
}

int copy(const DbContext &db) {
    const Result<int> copied =
        CopyRecord(db.storage.database, recordArgument(db.parser, "copy"), db.prompter);
    if (!copied.ok())
        throw StorageFailure(db.prompter, *copied.error);
    PrintJson(okWith(QStringLiteral("record"), copied.value));
    return int(ExitCode::Ok);
}

int remove(const DbContext &db) {
    const int number = recordArgument(db.parser, "delete");
    if (Status error = DeleteRecord(db.storage.database, number, db.prompter))
        throw StorageFailure(db.prompter, *error);
    PrintJson(okWith(QStringLiteral("record"), number));
    return int(ExitCode::Ok);
}

int undelete(const DbContext &db) {
    const Result<int> undeleted = UndeleteAll(db.storage.database, db.prompter);
    if (!undeleted.ok())
        throw StorageFailure(db.prompter, *undeleted.error);
    PrintJson(okWith(QStringLiteral("undeleted"), undeleted.value));
    return int(ExitCode::Ok);
}

int compact(const DbContext &db) {
    if (!db.parser.isSet(QStringLiteral("yes")))
        throw badInput(QStringLiteral("db compact asks \"Do you wish to proceed?\"; answer it "
                                      "with --yes"));
    db.prompter.queueAnswer(Answer::Yes);
    const CompactionOutcome outcome =
        Compact(db.storage.database, db.prompter, db.storage.clock->now());
    if (outcome.kind != CompactionOutcome::Kind::Compacted)
        throw StorageFailure(db.prompter, outcome.error.value_or(StorageError{}));
    OrderedJson json;
    json.add(QStringLiteral("illustrations"), outcome.counts.illustrations)
        .add(QStringLiteral("deleted"), outcome.counts.deleted)
        .add(QStringLiteral("damaged"), outcome.counts.damaged);
    if (!outcome.kept.isEmpty()) {
        json.add(QStringLiteral("kept"), outcome.kept);
        Warn(QStringLiteral("the database as it was, with its damaged records, was kept as %1")
                 .arg(outcome.kept));
    }
    PrintJson(json.text());
    return int(ExitCode::Ok);
}

int backup(const DbContext &db) {
    const QString target = RequiredOption(db.parser, QStringLiteral("to"));
    // The archive is made in a private folder of this run and then copied to the target.
    QTemporaryDir work;
    if (!work.isValid())
        throw BatchError(ExitCode::IoFailure,
                         QStringLiteral("cannot make a work folder: ") + work.errorString());
    db.prompter.setDefaultAnswer(Answer::Ok);
    const BackupOutcome outcome =
        Backup(db.storage.database, BackupPlace::RemovableMedia, work.path(), target, db.prompter);
    if (outcome.kind != BackupOutcome::Kind::Done)
        throw BatchError(ExitCode::IoFailure, LastMessage(db.prompter));
    PrintJson(OrderedJson()
                  .add(QStringLiteral("status"), QStringLiteral("ok"))
                  .add(QStringLiteral("archive"), outcome.archive)
                  .text());
    return int(ExitCode::Ok);
}

int restore(const DbContext &db) {
    const QString source = RequiredOption(db.parser, QStringLiteral("from"));
    // The disk prompt is answered once; when it comes back (an empty archive, a failure) the
    // restore is cancelled there.
    db.prompter.queueAnswer(Answer::Ok);
    db.prompter.setDefaultAnswer(Answer::Cancel);
    const BackupOutcome outcome = Restore(db.storage.database, BackupPlace::RemovableMedia, source,
                                          db.prompter, db.storage.clock->now());
    if (outcome.kind != BackupOutcome::Kind::Done) {
        const QString message = LastMessage(db.prompter);
        throw BatchError(ExitCode::IoFailure,
                         message.isEmpty()
                             ? QStringLiteral("the archive %1 is empty; nothing was restored")
                                   .arg(outcome.archive.isEmpty() ? source : outcome.archive)
                             : message);
    }
    for (const DamagedRecord &record : outcome.restored.damaged())
        Warn(QStringLiteral("restored record %1 is damaged: %2")
                 .arg(record.record)
                 .arg(describe(record.damage)));
    PrintJson(OrderedJson()
                  .add(QStringLiteral("status"), QStringLiteral("ok"))
                  .add(QStringLiteral("illustrations"), outcome.restored.active())
                  .add(QStringLiteral("deleted"), outcome.restored.deleted())
                  .add(QStringLiteral("damaged"), int(outcome.restored.damaged().size()))
                  .add(QStringLiteral("previous"), outcome.previous)
                  .text());
    return int(ExitCode::Ok);
}

struct Action {
    const char *name;
    int (*run)(const DbContext &db);
    int positionals; // besides the action's own name
};

const std::array<Action, 7> Actions{{
    {"list", list, 0},
    {"copy", copy, 1},
    {"delete", remove, 1},
    {"undelete", undelete, 0},
    {"compact", compact, 0},
    {"backup", backup, 0},
    {"restore", restore, 0},
}};

} // namespace

int RunDb(const QStringList &arguments) {
    QCommandLineParser parser;
    ParseOptions(
        parser, arguments,
        StorageOptions() << QCommandLineOption(QStringLiteral("yes"), QStringLiteral("Answer Yes."))
                         << QCommandLineOption(QStringLiteral("to"),
                                               QStringLiteral("Backup folder."),
                                               QStringLiteral("DIR"))
                         << QCommandLineOption(QStringLiteral("from"),
                                               QStringLiteral("Restore folder."),
                                               QStringLiteral("DIR")),
        2);
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        throw badInput(QStringLiteral("db needs an action: list, copy, delete, undelete, "
                                      "compact, backup or restore"));
    const auto action = std::find_if(Actions.begin(), Actions.end(), [&](const Action &entry) {
        return words.constFirst() == QLatin1String(entry.name);
    });
    if (action == Actions.end())
        throw badInput(QStringLiteral("unknown db action \"%1\"").arg(words.constFirst()));
    if (words.size() > action->positionals + 1)
        throw badInput(QStringLiteral("unexpected argument \"%1\"").arg(words.constLast()));
    // Each of these options belongs to one action.
    for (const auto &[option, owner] :
         {std::pair{"yes", "compact"}, std::pair{"to", "backup"}, std::pair{"from", "restore"}}) {
        if (parser.isSet(QLatin1String(option)) && words.constFirst() != QLatin1String(owner))
            throw badInput(QStringLiteral("--%1 is an option of db %2 only")
                               .arg(QLatin1String(option), QLatin1String(owner)));
    }
    RecordingPrompter prompter;
    const BatchStorage storage = OpenStorage(parser, prompter);
    return action->run({parser, prompter, storage});
}
