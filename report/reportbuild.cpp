#include "reportbuild.h"

#include "illustration.h"
#include "stretchpreprocessing.h"
#include "substitution.h"

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
    const QString rtf = SubstituteRTF(illustration, environment.archive, environment.workFolder,
                                      environment.fileDescription, preprocess);
    if (stretch && projection && pages.graph && steps.createGraph)
        steps.createGraph(illustration, *stretch, *projection);
    CreateReport(report, rtf, illustration, pages, environment);
    return calculated;
}
