#include "reportbuild.h"

#include "illustration.h"
#include "stretchpreprocessing.h"
#include "substitution.h"

#include <future>

CalculatedIllustration DefineAndCalculate(Illustration &illustration, CalcContext &context) {
    CalculatedIllustration calculated;
    calculated.validation = DefineVariables(illustration, context);
    if (calculated.validation.passed())
        calculated.result = CalculateValues(illustration, calculated.validation.variables, context);
    return calculated;
}

CalculatedIllustration RebuildReport(Report &report, Illustration &illustration,
                                     CalcContext &context, const ReportPages &pages,
                                     const ReportEnvironment &environment,
                                     const RebuildSteps &steps) {
    CalculatedIllustration calculated = steps.calculate(illustration, context);
    if (!calculated.validation.passed())
        return calculated;

    const StretchInputs *stretch = std::get_if<StretchInputs>(&calculated.validation.variables);
    const StretchProjection *projection =
        calculated.result.projection ? &*calculated.result.projection : nullptr;
    TemplatePreprocessing preprocess;
    if (stretch && projection) {
        preprocess = [&](const QString &path) {
            PreProcessRTF(BuildStretchReport(illustration, *stretch, *projection, pages,
                                             context.representative, context.today),
                          path, path);
        };
    }
    const QString templatePath = ExtractTemplate(
        illustration, environment.archive, environment.workFolder, environment.fileDescription);

    // Merging the template and reading the pictures touch no window, so they run on a second
    // thread while the graph is drawn here (the chart wants the GUI thread). The text is laid
    // out afterwards on this thread, whose fonts the PDF writer and the preview use again.
    QString rtf;
    PictureCache pictures;
    if (environment.keptPictures)
        pictures = *environment.keptPictures;
    const Illustration &shared = illustration;
    const auto prepare = [&rtf, &pictures, &shared, &templatePath, &preprocess, &pages,
                          &environment] {
        rtf = MergeTemplate(templatePath, shared, preprocess);
        LoadDecorations(pictures, shared, pages, environment);
    };
    if (stretch && projection && pages.graph && steps.createGraph) {
        // Should the graph throw, the future's destructor waits for the other thread first.
        std::future<void> prepared = std::async(std::launch::async, prepare);
        steps.createGraph(illustration, *stretch, *projection);
        prepared.get();
    } else {
        prepare();
    }
    LayOutReport(report.document, rtf, environment.keptMeasures);
    DecorateReport(report, illustration, pages, environment, pictures);
    if (environment.keptPictures)
        KeepArchivePictures(pictures, *environment.keptPictures);
    return calculated;
}
