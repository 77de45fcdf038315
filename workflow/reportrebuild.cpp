#include "reportrebuild.h"

#include "calculationrun.h"
#include "stretchgraph.h"

CalculatedIllustration RebuildIllustrationReport(Report &report, Illustration &illustration,
                                                 CalcContext &context, const ReportPages &pages,
                                                 const ReportEnvironment &environment,
                                                 const std::function<void()> &validated) {
    RebuildSteps steps;
    steps.calculate = [&validated](Illustration &target, CalcContext &calculation) {
        const CalculatorRun run = RunCalculator(target, calculation);
        if (run.passed() && validated)
            validated();
        return CalculatedIllustration{run.validation, run.result};
    };
    steps.createGraph = [&environment](const Illustration &target, const StretchInputs &inputs,
                                       const StretchProjection &projection) {
        CreateGraph(target, inputs, projection, environment.archive, environment.workFolder);
    };
    return RebuildReport(report, illustration, context, pages, environment, steps);
}
