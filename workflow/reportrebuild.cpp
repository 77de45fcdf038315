#include "reportrebuild.h"

#include "calculationrun.h"
#include "stretchgraph.h"

CalculatedIllustration RebuildIllustrationReport(Report &report, Illustration &illustration,
                                                 CalcContext &context, const ReportPages &pages,
                                                 const ReportEnvironment &environment) {
    RebuildSteps steps;
    steps.calculate = [](Illustration &target, CalcContext &calculation) {
        const CalculatorRun run = RunCalculator(target, calculation);
        return CalculatedIllustration{run.validation, run.result};
    };
    steps.createGraph = [&environment](const Illustration &target, const StretchInputs &inputs,
                                       const StretchProjection &projection) {
        CreateGraph(target, inputs, projection, environment.archive, environment.workFolder);
    };
    return RebuildReport(report, illustration, context, pages, environment, steps);
}
