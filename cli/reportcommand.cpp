#include "reportcommand.h"

#include "batchcalculation.h"
#include "batcherror.h"
#include "batchoptions.h"
#include "batchpdf.h"
#include "batchreport.h"
#include "illustrationjson.h"
#include "orderedjson.h"

int RunReport(const QStringList &arguments) {
    QCommandLineParser parser;
    ParseOptions(parser, arguments,
                 CalculationOptions()
                     << SupportArchiveOption()
                     << QCommandLineOption(QStringLiteral("pdf"),
                                           QStringLiteral("The PDF file to write."),
                                           QStringLiteral("OUT.pdf")));
    const QString pdf = RequiredOption(parser, QStringLiteral("pdf"));
    ReportRequest request;
    request.illustration = ReadInputFile(RequiredOption(parser, QStringLiteral("input")));
    request.today = TodayOption(parser);
    request.pages = PagesOption(parser);
    if (parser.isSet(QStringLiteral("rep")))
        request.representative =
            ReadRepresentativeJson(ReadInputFile(parser.value(QStringLiteral("rep"))));
    const SupportArchive archive = SupportArchiveFor(parser);
    const WorkFolder work;

    const ReportRun run(request, archive, work.path());
    if (!run.passed()) {
        PrintJson(ValidationFailureJson(*run.calculated.validation.failure));
        return int(ExitCode::ValidationFailed);
    }
    run.writePdf(pdf);
    PrintJson(OrderedJson()
                  .add(QStringLiteral("status"), QStringLiteral("ok"))
                  .add(QStringLiteral("pdf"), pdf)
                  .add(QStringLiteral("pages"), run.report.document.pageCount())
                  .text());
    return int(ExitCode::Ok);
}
