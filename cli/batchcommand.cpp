#include "batchcommand.h"

#include "batcherror.h"
#include "batchoptions.h"
#include "batchprogress.h"
#include "batchreport.h"
#include "batchstorage.h"
#include "batchworkers.h"
#include "csvexport.h"
#include "illustration.h"
#include "illustrationjson.h"
#include "illustrationlisting.h"
#include "orderedjson.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

const QString InputsOption = QStringLiteral("inputs");
const QString WorkerOption = QStringLiteral("worker");
const QString JobListOption = QStringLiteral("job-list");
const QString StageOption = QStringLiteral("stage");

// The options a worker is started with as the parent read them.
const std::array<const char *, 6> ForwardedOptions{"year", "calculators", "rules",
                                                   "rep",  "pages",       "support-archive"};

QList<QCommandLineOption> batchOptions() {
    QList<QCommandLineOption> options{
        {QStringLiteral("data-folder"), QStringLiteral("Data folder."), QStringLiteral("DIR")},
        {InputsOption, QStringLiteral("Folder of ILL.json files instead of the database."),
         QStringLiteral("DIR")},
        {QStringLiteral("out"), QStringLiteral("Folder for the reports."),
         QStringLiteral("OUTDIR")},
        {QStringLiteral("year"), QStringLiteral("Calculation year of RMD and RMBD."),
         QStringLiteral("YYYY")},
        {QStringLiteral("calculators"), QStringLiteral("Calculators to report on."),
         QStringLiteral("0,1,2,3")},
        {QStringLiteral("rules"), QStringLiteral("Rule set for every illustration."),
         QStringLiteral("2002|current")},
        {QStringLiteral("jobs"), QStringLiteral("Reports built at once (default: the cores)."),
         QStringLiteral("N")},
        {QStringLiteral("summary"), QStringLiteral("Summary spreadsheet."),
         QStringLiteral("FILE.csv")},
        {QStringLiteral("today"), QStringLiteral("Today's date."), QStringLiteral("MM/DD/YYYY")},
        {QStringLiteral("rep"), QStringLiteral("Representative file."), QStringLiteral("REP.json")},
        {QStringLiteral("pages"), QStringLiteral("Stretch report pages switched on."),
         QStringLiteral("cover,wenmark,taxes,ledger,graph|none")},
        SupportArchiveOption()};
    for (const QString &name : {WorkerOption, JobListOption, StageOption}) {
        QCommandLineOption hidden(name, QStringLiteral("Used by the run itself."),
                                  QStringLiteral("VALUE"));
        hidden.setFlags(QCommandLineOption::HiddenFromHelp);
        options.append(hidden);
    }
    return options;
}

int wholeNumber(const QString &text, const QString &option, int least, int most) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    const int value = text.toInt();
    if (!digits.match(text).hasMatch() || value < least || value > most)
        throw badInput(QStringLiteral("--%1 takes a whole number from %2 to %3, not \"%4\"")
                           .arg(option)
                           .arg(least)
                           .arg(most)
                           .arg(text));
    return value;
}

YearEndOptions yearEndOptions(const QCommandLineParser &parser) {
    YearEndOptions options;
    options.today = TodayOption(parser);
    options.pages = PagesOption(parser);
    if (parser.isSet(QStringLiteral("year")))
        options.year =
            wholeNumber(parser.value(QStringLiteral("year")), QStringLiteral("year"), 1900, 2200);
    if (parser.isSet(QStringLiteral("calculators"))) {
        options.calculators = {false, false, false, false};
        for (const QString &word : parser.value(QStringLiteral("calculators")).split(',')) {
            const int number = wholeNumber(word.trimmed(), QStringLiteral("calculators"), 0, 3);
            options.calculators[std::size_t(number)] = true;
        }
    }
    if (parser.isSet(QStringLiteral("rules"))) {
        options.rules = RuleSetOfBatchName(parser.value(QStringLiteral("rules")));
        if (!options.rules)
            throw badInput(QStringLiteral("--rules takes \"2002\" or \"current\", not \"%1\"")
                               .arg(parser.value(QStringLiteral("rules"))));
    }
    if (parser.isSet(QStringLiteral("rep")))
        options.representative =
            ReadRepresentativeJson(ReadInputFile(parser.value(QStringLiteral("rep"))));
    return options;
}

// Every ILL.json of the folder, by name.
QList<YearEndJob> fileJobs(const QString &folder) {
    const QDir dir(folder);
    if (!dir.exists())
        throw badInput(QStringLiteral("--inputs: no folder \"%1\"").arg(folder));
    QList<YearEndJob> jobs;
    for (const QString &name : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name))
        jobs.append(YearEndJob{0, dir.filePath(name)});
    return jobs;
}

YearEndLoader fileLoader(const QDate &today) {
    return [today](const YearEndJob &job, Illustration &illustration) {
        try {
            ReadIllustrationJson(ReadInputFile(job.file), illustration, today);
        } catch (const BatchError &error) {
            return QString::fromStdString(error.what());
        }
        return QString();
    };
}

QList<YearEndJob> databaseJobs(const IllustrationDatabase &database,
                               const YearEndOptions &options) {
    QList<DamagedRecord> damaged;
    const Result<QList<YearEndJob>> jobs =
        ListDatabaseJobs(database, options.calculators, &damaged);
    if (!jobs.ok())
        throw BatchError(
            ExitCode::IoFailure,
            QStringLiteral("cannot read %1: %2").arg(database.path(), jobs.error->description));
    WarnDamaged(damaged);
    return jobs.value;
}

// The worker's side: every N-th job of the list, each as one line on stdout.
int runWorker(const QCommandLineParser &parser, const YearEndOptions &options,
              const YearEndLoader &load, const SupportArchive &archive) {
    const QStringList slice = parser.value(WorkerOption).split('/');
    const int count = slice.size() == 2 ? slice.at(1).toInt() : 0;
    const int index = count > 0 ? slice.at(0).toInt() : -1;
    if (index < 0 || index >= count)
        throw badInput(QStringLiteral("--worker takes K/N"));
    const QList<YearEndJob> jobs = ReadJobList(RequiredOption(parser, JobListOption));
    const QDir stage(RequiredOption(parser, StageOption));
    const WorkFolder work;
    YearEndShared shared;
    for (int job = index; job < jobs.size(); job += count) {
        StagedReport report;
        report.row = RunYearEndJob(
            jobs.at(job), options, load, archive, work.path(),
            [&](const QString &fileName) {
                report.fileName = fileName;
                report.stagedPath = stage.filePath(QString::number(job) + ".pdf");
                return report.stagedPath;
            },
            shared);
        const QByteArray line = StagedReportLine(job, report);
        std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
        std::fflush(stdout);
    }
    return int(ExitCode::Ok);
}

QString describeRow(const YearEndRow &row) {
    return QStringLiteral("%1 (%2): %3: %4")
        .arg(row.record, row.name, YearEndStatusText(row.status), row.message);
}

// Every report allocates and frees the same few megabytes of pixels and PDF streams. By
// default glibc maps each large block afresh and hands freed memory straight back, so a
// report spent a fifth of its time in page faults; keeping up to 32 MB (glibc's largest mapping
// threshold) for the next report costs that much memory once, not once per report.
void keepMemoryBetweenReports() {
#ifdef __GLIBC__
    constexpr int Kept = 32 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, Kept);
    mallopt(M_TRIM_THRESHOLD, Kept);
#endif
}

} // namespace

int RunBatch(const QStringList &arguments) {
    keepMemoryBetweenReports();
    QCommandLineParser parser;
    ParseOptions(parser, arguments, batchOptions());
    const YearEndOptions options = yearEndOptions(parser);
    const SupportArchive archive = SupportArchiveFor(parser);
    const bool files = parser.isSet(InputsOption);
    if (files && parser.isSet(QStringLiteral("data-folder")))
        throw badInput(QStringLiteral("--inputs and --data-folder cannot be given together"));
    const QString dataFolder = files ? QString() : DataFolderOption(parser);
    const IllustrationDatabase database(dataFolder);
    const YearEndLoader load = files ? fileLoader(options.today) : DatabaseLoader(database);
    if (parser.isSet(WorkerOption))
        return runWorker(parser, options, load, archive);

    const int jobCount =
        parser.isSet(QStringLiteral("jobs"))
            ? wholeNumber(parser.value(QStringLiteral("jobs")), QStringLiteral("jobs"), 1, 256)
            : std::max(1, QThread::idealThreadCount());
    const QList<YearEndJob> jobs =
        files ? fileJobs(parser.value(InputsOption)) : databaseJobs(database, options);

    const QDir out(RequiredOption(parser, QStringLiteral("out")));
    if (!QDir().mkpath(out.path()))
        throw BatchError(ExitCode::IoFailure,
                         QStringLiteral("cannot create the folder %1").arg(out.path()));
    // The staging folder also proves that the output folder takes files before any work.
    const QTemporaryDir stage(out.filePath(QStringLiteral(".rmdbatch-XXXXXX")));
    if (!stage.isValid())
        throw BatchError(ExitCode::IoFailure, QStringLiteral("cannot write into the folder %1: %2")
                                                  .arg(out.path(), stage.errorString()));
    std::optional<CsvFile> summary;
    if (parser.isSet(QStringLiteral("summary"))) {
        summary.emplace(parser.value(QStringLiteral("summary")));
        if (!summary->open(YearEndHeader()))
            throw BatchError(ExitCode::IoFailure, summary->error());
    }

    ReportNames names(out.path());
    YearEndCounts counts;
    BatchProgress progress(int(jobs.size()));
    const auto take = [&](const YearEndRow &row) {
        counts.add(row.status);
        if (row.status != YearEndStatus::Skipped) {
            if (summary && !summary->write(YearEndCells(row), YearEndNumericColumns()))
                throw BatchError(ExitCode::IoFailure, summary->error());
            if (row.status != YearEndStatus::Written)
                Warn(describeRow(row));
        }
        progress.step();
    };

    const int workers = std::min(jobCount, int(jobs.size()));
    if (workers <= 1) {
        const WorkFolder work;
        YearEndShared shared;
        for (const YearEndJob &job : jobs)
            take(RunYearEndJob(
                job, options, load, archive, work.path(),
                [&](const QString &fileName) { return out.filePath(names.claim(fileName)); },
                shared));
    } else {
        const QString jobList = QDir(stage.path()).filePath(QStringLiteral("jobs.txt"));
        WriteJobList(jobList, jobs);
        QStringList forwarded{QStringLiteral("batch"),
                              QStringLiteral("--today"),
                              options.today.toString(QStringLiteral("MM/dd/yyyy")),
                              QStringLiteral("--job-list"),
                              jobList,
                              QStringLiteral("--stage"),
                              stage.path()};
        forwarded << (files ? QStringLiteral("--inputs") : QStringLiteral("--data-folder"))
                  << (files ? parser.value(InputsOption) : dataFolder);
        for (const char *name : ForwardedOptions) {
            if (parser.isSet(QLatin1String(name)))
                forwarded << QStringLiteral("--") + QLatin1String(name)
                          << parser.value(QLatin1String(name));
        }
        RunWorkers(int(jobs.size()), workers, forwarded, [&](int job, StagedReport report) {
            YearEndRow &row = report.row;
            if (row.record.isEmpty())
                row.record = YearEndRecordName(jobs.at(job));
            if (row.status == YearEndStatus::Written) {
                const QString name = names.claim(report.fileName);
                if (QFile::rename(report.stagedPath, out.filePath(name))) {
                    row.pdf = name;
                } else {
                    row.status = YearEndStatus::Failed;
                    row.pdf.clear();
                    row.message =
                        QStringLiteral("cannot move the report to %1").arg(out.filePath(name));
                }
            }
            take(row);
        });
    }
    progress.finish();
    if (summary && !summary->commit())
        throw BatchError(ExitCode::IoFailure, summary->error());

    OrderedJson result;
    const bool complete = counts.invalid == 0 && counts.failed == 0;
    result
        .add(QStringLiteral("status"),
             complete ? QStringLiteral("ok") : QStringLiteral("incomplete"))
        .add(QStringLiteral("written"), counts.written)
        .add(QStringLiteral("invalid"), counts.invalid)
        .add(QStringLiteral("failed"), counts.failed)
        .add(QStringLiteral("out"), out.path());
    if (summary)
        result.add(QStringLiteral("summary"), parser.value(QStringLiteral("summary")));
    PrintJson(result.text());
    if (counts.failed > 0)
        return int(ExitCode::IoFailure);
    return int(counts.invalid > 0 ? ExitCode::ValidationFailed : ExitCode::Ok);
}
