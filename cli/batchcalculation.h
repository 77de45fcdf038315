#pragma once

// What the rmdbatch subcommands that compute an illustration share: the --input, --today,
// --rep and --pages options, and the illustration read and computed by the window's sequence.

#include "calculationrun.h"
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
