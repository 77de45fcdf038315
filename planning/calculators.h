#pragma once

// The two steps every report, graph and save runs for the current calculator: validation
// (DefineVariables) and computation (CalculateValues).

#include "calculation.h"
#include "rmbdcalculator.h"
#include "rmdcalculator.h"
#include "seppcalculator.h"
#include "stretchcalculator.h"

#include <optional>
#include <variant>

class Illustration;

// The validated entries of the calculator that ran; monostate before a successful validation.
using WorkingVariables =
    std::variant<std::monostate, RmdInputs, RmbdInputs, SeppInputs, StretchInputs>;

struct Validation {
    WorkingVariables variables;
    std::optional<ValidationFailure> failure;
    bool passed() const { return !failure.has_value(); }
};

// Validates the illustration's calculator. The first failing check is shown through the
// field store's ShowFieldError and returned. A calculator this build cannot compute, or an
// unexpected error, throws FatalError ("Fatal Error in DefineVariables").
Validation DefineVariables(Illustration &illustration, CalcContext &context);

// What a computation hands on besides the report fields: the Stretch projection, which the
// report, the graph and the taxes page read.
struct CalculationResult {
    std::optional<StretchProjection> projection;
};

// The conditions of the report templates' rule-set passages: "CurrentLaw" under current law,
// and "Notice2022" for a 72(t) series that Notice 2022-6 governs.
QStringList RuleSetConditions(const Illustration &illustration);

// Computes the results of a passed validation into the report fields, after the common start;
// the Stretch calculator builds its projection instead.
CalculationResult CalculateValues(Illustration &illustration, const WorkingVariables &variables,
                                  CalcContext &context);
