#include "yearendbatch.h"

#include "csvexport.h"
#include "fatalerror.h"
#include "fieldformat.h"
#include "illustration.h"
#include "illustrationlisting.h"
#include "illustrationrecord.h"
#include "illustrationstore.h"
#include "installation.h"
#include "pdfexport.h"
#include "recordingprompter.h"
#include "reportrebuild.h"
#include "windowcaption.h"

#include <QFileInfo>

namespace {

// The summary's columns: header text, the cell of a row, and whether the cells are numbers.
struct SummaryColumn {
    const char *header;
    QString (*cell)(const YearEndRow &row);
    bool numeric;
};

const std::array<SummaryColumn, 11> SummaryColumns{{
    {"Record", [](const YearEndRow &row) { return row.record; }, false},
    {"Name", [](const YearEndRow &row) { return row.name; }, false},
    {"Calculator", [](const YearEndRow &row) { return row.calculator; }, false},
    {"Plan Type", [](const YearEndRow &row) { return row.planType; }, false},
    {"Plan Name", [](const YearEndRow &row) { return row.planName; }, false},
    {"Year", [](const YearEndRow &row) { return row.year; }, true},
    {"Distribution", [](const YearEndRow &row) { return row.distribution; }, true},
    {"Rule Set", [](const YearEndRow &row) { return row.rules; }, false},
    {"PDF File", [](const YearEndRow &row) { return row.pdf; }, false},
    {"Status", [](const YearEndRow &row) { return YearEndStatusText(row.status); }, false},
    {"Message", [](const YearEndRow &row) { return row.message; }, false},
}};

const std::array<const char *, 4> YearTags{"3-Year0", "3-Year1", nullptr, nullptr};

// The listed cells of the illustration as it stands, read the way the grid reads a record.
void describe(YearEndRow &row, const Illustration &illustration) {
    const QByteArray record = IllustrationRecord::encode(BuildRecord(illustration));
    const auto cell = [&record](int column) { return GridCell(record.constData(), column); };
    row.name = cell(GridColumn::Name).trimmed();
    row.calculator = cell(GridColumn::Type);
    row.planType = cell(GridColumn::PlanType);
    row.planName = cell(GridColumn::PlanName);
    row.year = cell(GridColumn::Year);
    row.distribution = CleanNumber(cell(GridColumn::Distribution));
    row.rules = RuleSetCaption(RuleSetOfCaption(illustration.controls().cmboRuleSet));
}

} // namespace

QStringList YearEndHeader() {
    QStringList header;
    for (const SummaryColumn &column : SummaryColumns)
        header.append(QLatin1String(column.header));
    return header;
}

QStringList YearEndCells(const YearEndRow &row) {
    QStringList cells;
    for (const SummaryColumn &column : SummaryColumns)
        cells.append(column.cell(row));
    return cells;
}

QList<bool> YearEndNumericColumns() {
    QList<bool> numeric;
    for (const SummaryColumn &column : SummaryColumns)
        numeric.append(column.numeric);
    return numeric;
}

QString YearEndStatusText(YearEndStatus status) {
    switch (status) {
    case YearEndStatus::Written:
        return QStringLiteral("ok");
    case YearEndStatus::Invalid:
        return QStringLiteral("invalid");
    case YearEndStatus::Unreadable:
        return QStringLiteral("unreadable");
    case YearEndStatus::Failed:
        return QStringLiteral("failed");
    case YearEndStatus::Skipped:
        break;
    }
    return QStringLiteral("skipped");
}

void YearEndCounts::add(YearEndStatus status) {
    switch (status) {
    case YearEndStatus::Written:
        ++written;
        break;
    case YearEndStatus::Invalid:
    case YearEndStatus::Unreadable:
        ++invalid;
        break;
    case YearEndStatus::Failed:
        ++failed;
        break;
    case YearEndStatus::Skipped:
        break;
    }
}

Result<QList<YearEndJob>> ListDatabaseJobs(const IllustrationDatabase &database,
                                           const std::array<bool, 4> &calculators,
                                           QList<DamagedRecord> *damaged) {
    QList<YearEndJob> jobs;
    const Result<ListingCounts> counts =
        ScanListing(database.records(), [&](int record, const char *bytes) {
            const int calculator = bytes[IllustrationRecord::CalculatorPosition - 1] - '0';
            if (calculator >= 0 && calculator < 4 && calculators[std::size_t(calculator)])
                jobs.append(YearEndJob{record, {}});
        });
    if (!counts.ok())
        return {{}, counts.error};
    if (damaged)
        *damaged = counts.value.damaged;
    return {jobs, std::nullopt};
}

YearEndLoader DatabaseLoader(const IllustrationDatabase &database) {
    return [database](const YearEndJob &job, Illustration &illustration) {
        const Status error = OpenRecord(database, job.record, illustration, RecordLists::window());
        return error ? error->description : QString();
    };
}

QString ReportNames::claim(const QString &fileName) {
    const QString stem = fileName.chopped(4); // ".pdf"
    QString name = fileName;
    for (int copy = 2; m_used.contains(name) || QFileInfo::exists(m_folder + '/' + name); ++copy)
        name = QStringLiteral("%1 (%2).pdf").arg(stem).arg(copy);
    m_used.insert(name);
    return name;
}

QString YearEndRecordName(const YearEndJob &job) {
    return job.file.isEmpty() ? QString::number(job.record) : QFileInfo(job.file).fileName();
}

YearEndRow RunYearEndJob(const YearEndJob &job, const YearEndOptions &options,
                         const YearEndLoader &load, const SupportArchive &archive,
                         const QString &workFolder,
                         const std::function<QString(const QString &fileName)> &place,
                         YearEndShared &shared) {
    YearEndRow row;
    row.record = YearEndRecordName(job);
    RecordingPrompter prompter;
    Illustration illustration(prompter);
    const QString cause = load(job, illustration);
    if (!cause.isEmpty()) {
        row.status = YearEndStatus::Unreadable;
        row.message = cause.simplified();
        return row;
    }
    const Calculator calculator = illustration.calculator();
    const std::size_t number = std::size_t(CalculatorNumber(calculator));
    if (!options.calculators[number])
        return row;
    if (options.year && YearTags[number])
        illustration.fields().SetField(QString::number(*options.year),
                                       QLatin1String(YearTags[number]));
    if (options.rules)
        illustration.setListEntry(Control::cmboRuleSet, RuleSetCaption(*options.rules));
    describe(row, illustration);

    CalcContext context;
    context.today = options.today;
    context.representative = options.representative;
    Report report;
    const ReportEnvironment environment{.archive = archive,
                                        .workFolder = workFolder,
                                        .fileDescription = Installation::FileDescription(),
                                        .windowCaption = MainWindowCaption(calculator),
                                        .keptPictures = &shared.pictures,
                                        .keptMeasures = &shared.measures};
    CalculatedIllustration calculated;
    try {
        calculated =
            RebuildIllustrationReport(report, illustration, context, options.pages, environment);
    } catch (const FatalError &error) {
        if (error.isFileFailure())
            throw;
        // A value the tables cannot take ends this illustration, not the run.
        row.status = YearEndStatus::Invalid;
        row.distribution.clear(); // the stored amount is not this year's
        row.message = (error.caption() + QStringLiteral(": ") + error.description()).simplified();
        return row;
    }
    if (!calculated.validation.passed()) {
        const ValidationFailure &failure = *calculated.validation.failure;
        row.status = YearEndStatus::Invalid;
        row.distribution.clear();
        row.message = (failure.title + QStringLiteral(": ") + failure.message).simplified();
        return row;
    }
    describe(row, illustration);
    const QString path =
        place(PdfFileName(calculator, ClientName(calculated.validation.variables)));
    const PdfResult written = WritePdf(report, path, &shared.pdf);
    if (!written.ok()) {
        row.status = YearEndStatus::Failed;
        row.message = QStringLiteral("%1: %2").arg(path, written.description).simplified();
        return row;
    }
    row.status = YearEndStatus::Written;
    row.pdf = QFileInfo(path).fileName();
    return row;
}
