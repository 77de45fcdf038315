#pragma once

// The two steps every report, graph and save runs for the current calculator: validation
// (DefineVariables) and computation (CalculateValues), with the work both calculators share.

#include "representative.h"
#include "rmdcalculator.h"

#include <QDate>
#include <optional>
#include <variant>

class Illustration;

// What the main window hands to a calculation run besides the illustration.
struct CalcContext {
    QDate today;
    RepresentativeDetails representative;
    bool detailedMode = false; // "Set Detailed Calculation Mode"
};

// The validated entries of the calculator that ran; monostate before a successful validation.
using WorkingVariables = std::variant<std::monostate, RmdInputs>;

struct Validation {
    WorkingVariables variables;
    std::optional<ValidationFailure> failure;
    bool passed() const { return !failure.has_value(); }
};

// Validates the illustration's calculator. The first failing check is shown through the
// field store's ShowFieldError and returned. A calculator without a validation of its own, or
// an unexpected error, throws FatalError ("Fatal Error in DefineVariables").
Validation DefineVariables(Illustration &illustration, const CalcContext &context);

// Computes the results of a passed validation into the report fields: the representative
// block, the calculation year, the illustration date of an unsaved illustration, then the
// calculator's own fields.
void CalculateValues(Illustration &illustration, const WorkingVariables &variables,
                     const CalcContext &context);

// True for the calculators this build computes.
bool CalculatorAvailable(int calculator);
