#include "batchpdf.h"

#include "batcherror.h"
#include "fatalerror.h"
#include "illustrationjson.h"
#include "installation.h"
#include "pdfexport.h"
#include "reportrebuild.h"
#include "windowcaption.h"

ReportRun::ReportRun(const ReportRequest &request, const SupportArchive &archive,
                     const QString &workFolder) {
    context.today = request.today;
    if (request.representative)
        context.representative = *request.representative;
    context.detailedMode =
        ReadIllustrationJson(request.illustration, illustration, context.today).detailedMode;

    const ReportEnvironment environment{archive, workFolder, Installation::FileDescription(),
                                        MainWindowCaption(illustration.calculator())};
    try {
        calculated =
            RebuildIllustrationReport(report, illustration, context, request.pages, environment);
    } catch (const FatalError &error) {
        // Failures of the files a report is made from are I/O failures of the batch run.
        if (error.isFileFailure())
            throw BatchError(ExitCode::IoFailure, error.description());
        throw;
    }
}

void ReportRun::writePdf(const QString &path) const {
    const PdfResult result = WritePdf(report, path);
    if (!result.ok())
        throw BatchError(ExitCode::IoFailure,
                         QStringLiteral("cannot write %1: %2").arg(path, result.description));
}

QString ReportRun::pdfFileName() const {
    return PdfFileName(illustration.calculator(), ClientName(calculated.validation.variables));
}
