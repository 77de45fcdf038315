#pragma once

// What the rmdbatch subcommands that compute an illustration share: the --input, --today,
// --rep and --pages options, and the steps the window runs before a report (the tabs' refreshes,
// DefineVariables, CalculateValues).

#include "calculators.h"
#include "illustration.h"
#include "recordingprompter.h"
#include "stretchreport.h"

#include <QCommandLineParser>
#include <memory>

// --input ILL.json, --today MM/DD/YYYY, --rep REP.json, --pages ...
QList<QCommandLineOption> CalculationOptions();

// --pages: the Stretch report pages switched on, by name ("cover,wenmark,taxes,ledger,graph"),
// or "none"; all five when the option is missing.
ReportPages PagesOption(const QCommandLineParser &parser);

struct CalculatorRun {
    Validation validation;
    CalculationResult result;
};

// The window's steps for a current result: the SEPP tab's live refresh (without its own
// validation, so a failed check's replacement text never passes a second one) and the Stretch
// tab's skip-spouse refresh, then the validation and, when it passed, the computation; the SEPP
// amounts are refreshed and computed once more, so the stored amount is the selected option's.
CalculatorRun RunCalculator(Illustration &illustration, CalcContext &context);

// One illustration read from --input with its context, computed.
class BatchCalculation {
public:
    explicit BatchCalculation(const QCommandLineParser &parser);

    RecordingPrompter prompter;
    Illustration illustration{prompter};
    CalcContext context;
    ReportPages pages;
    CalculatorRun run;

    bool passed() const { return run.validation.passed(); }
    // The Stretch report's values, conditions and tables (calculator 3 after a passed run).
    StretchReportData stretchReport() const;
};
