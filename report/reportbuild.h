#pragma once

// The report rebuild that every report command runs (showing the report tab, printing, PDF
// export, the page switches, rmdbatch): validation, computation, the merged template, for the
// Stretch report with its graph page the graph, and the document.

#include "calculators.h"
#include "reportassembly.h"

#include <functional>

class Illustration;

struct CalculatedIllustration {
    Validation validation;
    CalculationResult result;
};

// DefineVariables, then CalculateValues when the validation passed.
CalculatedIllustration DefineAndCalculate(Illustration &illustration, CalcContext &context);

struct RebuildSteps {
    // How the illustration is validated and computed; the window and rmdbatch add the refreshes
    // their tabs run around it.
    std::function<CalculatedIllustration(Illustration &, CalcContext &)> calculate =
        DefineAndCalculate;
    // Draws the graph bitmap into the work folder (Stretch, graph page on). The drawing needs
    // widgets, which the report library does not link, so the caller supplies it.
    std::function<void(const Illustration &, const StretchInputs &, const StretchProjection &)>
        createGraph;
};

// Rebuilds `report` for the illustration. A validation that fails leaves the report as it was
// and returns the failure; a template the archive cannot deliver throws FatalError as
// SubstituteRTF does.
CalculatedIllustration RebuildReport(Report &report, Illustration &illustration,
                                     CalcContext &context, const ReportPages &pages,
                                     const ReportEnvironment &environment,
                                     const RebuildSteps &steps = {});
