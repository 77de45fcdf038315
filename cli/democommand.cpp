#include "democommand.h"

#include "batcherror.h"
#include "batchoptions.h"
#include "batchpdf.h"
#include "batchreport.h"
#include "illustrationjson.h"
#include "orderedjson.h"

#include <QDir>
#include <QFile>
#include <memory>
#include <vector>

// Q_INIT_RESOURCE has to be expanded at global namespace scope; cli is a static library, so the
// samples' resource is registered by hand.
static void initialiseSamples() {
    Q_INIT_RESOURCE(demosamples);
}

namespace {

// One illustration of each calculator, in calculator order.
constexpr const char *Samples[] = {"rmd.json", "rmbd.json", "sepp.json", "stretch.json"};

QByteArray sample(const QString &name) {
    QFile file(QStringLiteral(":/samples/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw BatchError(ExitCode::IoFailure,
                         QStringLiteral("the sample %1 is not built in").arg(name));
    return file.readAll();
}

} // namespace

int RunDemo(const QStringList &arguments) {
    initialiseSamples();
    QCommandLineParser parser;
    ParseOptions(
        parser, arguments,
        {{QStringLiteral("out"), QStringLiteral("Folder for the sample reports."),
          QStringLiteral("DIR")},
         {QStringLiteral("today"), QStringLiteral("Today's date."), QStringLiteral("MM/DD/YYYY")},
         SupportArchiveOption()});
    const QDir out(RequiredOption(parser, QStringLiteral("out")));
    const QDate today = TodayOption(parser);
    const SupportArchive archive = SupportArchiveFor(parser);
    const RepresentativeDetails representative =
        ReadRepresentativeJson(sample(QStringLiteral("rep.json")));

    // Every report is built before the folder is made: bad options or a missing or damaged
    // archive leave nothing behind.
    std::vector<std::unique_ptr<const ReportRun>> runs;
    for (const char *name : Samples) {
        ReportRequest request;
        request.illustration = sample(QLatin1String(name));
        request.today = today;
        request.representative = representative;
        const WorkFolder work;
        auto run = std::make_unique<const ReportRun>(request, archive, work.path());
        if (!run->passed()) {
            PrintJson(ValidationFailureJson(*run->calculated.validation.failure));
            return int(ExitCode::ValidationFailed);
        }
        runs.push_back(std::move(run));
    }
    if (!QDir().mkpath(out.path()))
        throw BatchError(ExitCode::IoFailure,
                         QStringLiteral("cannot create the folder %1").arg(out.path()));

    QStringList files;
    for (const auto &run : runs) {
        const QString path = out.filePath(run->pdfFileName());
        run->writePdf(path);
        files.append(
            OrderedJson()
                .add(QStringLiteral("calculator"), CalculatorNumber(run->illustration.calculator()))
                .add(QStringLiteral("pdf"), path)
                .add(QStringLiteral("pages"), run->report.document.pageCount())
                .text());
    }
    PrintJson(OrderedJson()
                  .add(QStringLiteral("status"), QStringLiteral("ok"))
                  .addArray(QStringLiteral("files"), files)
                  .text());
    return int(ExitCode::Ok);
}
