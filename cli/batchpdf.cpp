#include "batchpdf.h"

#include "batchcalculation.h"
#include "batcherror.h"
#include "fatalerror.h"
#include "illustrationjson.h"
#include "pdfexport.h"
#include "stretchgraph.h"
#include "windowcaption.h"

namespace {

const QString FileDescription = QStringLiteral("Retirement Distribution Planner");

// Failures of the files a report is made from are I/O failures of the batch run.
bool fileRoutine(const QString &routine) {
    for (const char *name : {"SubstituteRTF", "Graph Routine", "OverlayPicture", "DrawLogo"}) {
        if (routine == QLatin1String(name))
            return true;
    }
    return false;
}

} // namespace

ReportRun::ReportRun(const ReportRequest &request, const SupportArchive &archive,
                     const QString &workFolder) {
    context.today = request.today;
    if (request.representative)
        context.representative = *request.representative;
    context.detailedMode =
        ReadIllustrationJson(request.illustration, illustration, context.today).detailedMode;

    RebuildSteps steps;
    steps.calculate = [](Illustration &target, CalcContext &calculation) {
        const CalculatorRun run = RunCalculator(target, calculation);
        return CalculatedIllustration{run.validation, run.result};
    };
    steps.createGraph = [&archive, &workFolder](const Illustration &target,
                                                const StretchInputs &inputs,
                                                const StretchProjection &projection) {
        CreateGraph(target, inputs, projection, archive, workFolder);
    };
    const ReportEnvironment environment{archive, workFolder, FileDescription,
                                        MainWindowCaption(illustration.calculator())};
    try {
        calculated =
            RebuildReport(report, illustration, context, request.pages, environment, steps);
    } catch (const FatalError &error) {
        if (fileRoutine(error.routine()))
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
