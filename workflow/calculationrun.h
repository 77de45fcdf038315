#pragma once

// The calculation sequence that every result shown, stored or printed comes from, in the window
// and in rmdbatch alike.

#include "calculators.h"

struct CalculatorRun {
    Validation validation;
    CalculationResult result;
    bool passed() const { return validation.passed(); }
};

// The window's steps for a current result: the SEPP tab's live refresh (without its own
// validation, so a failed check's replacement text never passes a second one) and the Stretch
// tab's skip-spouse refresh, then the validation and, when it passed, the computation; the SEPP
// amounts are refreshed and computed once more, so the stored amount is the selected option's.
// A failed check has been shown on its field and is returned.
CalculatorRun RunCalculator(Illustration &illustration, CalcContext &context);
