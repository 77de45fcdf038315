#pragma once

// The report rebuild that showing the Report tab, Print, Export PDF, a page switch and rmdbatch
// all run.

#include "reportbuild.h"

// The calculation sequence, the merged template, for the Stretch report with its graph page
// the graph drawn from the support archive into the work folder, and the document. A failed
// check leaves the report as it was and is returned. `validated`, when given, runs once the
// check has passed, before the document is made (the window shows that it is busy from then).
CalculatedIllustration RebuildIllustrationReport(Report &report, Illustration &illustration,
                                                 CalcContext &context, const ReportPages &pages,
                                                 const ReportEnvironment &environment,
                                                 const std::function<void()> &validated = {});
