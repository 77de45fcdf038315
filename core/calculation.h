#pragma once

// What every calculator's run shares: the context the main window hands in, the display of a
// failed check, and the common start of the computation.

#include "representative.h"
#include "validation.h"

#include <QDate>

class Illustration;

// What the main window hands to a calculation run besides the illustration.
struct CalcContext {
    QDate today;
    RepresentativeDetails representative;
    bool detailedMode = false; // "Set Detailed Calculation Mode"
    // The SEPP "Questionable Interest Rate Assumption" warning is shown once per run of the
    // program: set by the first warning, never cleared.
    bool rateWarningShown = false;
    bool spouseWarningShown = false; // Stretch "Non-Essential Spouse Life Expectancy", once per run
};

// Shows a failed check on its field (ShowFieldError of the illustration's calculator).
void ReportFailure(Illustration &illustration, const ValidationFailure &failure);

// Before each calculator computes: the representative block, the calculation year and, for an
// edited illustration, today's date as its illustration date.
void CommonStart(Illustration &illustration, const CalcContext &context,
                 const QString &calculationYear);
