#pragma once

// The Stretch tab's checks, and the inputs they hand to the projection and the report.

#include "calculation.h"
#include "validation.h"

#include <QString>
#include <variant>

class Illustration;

struct StretchInputs {
    QString planholderName; // first, middle and last joined by single blanks
    QString spouseName;     // empty when the spouse is skipped
    QString beneficiaryName;
    QString planName; // as entered
    int ple = 0;      // planholder life expectancy, whole years
    int sle = 0;      // spouse life expectancy as entered; 0 when the spouse is skipped
};

// The Stretch tab's checks in order. A spouse life expectancy not above the planholder's passes
// with the "Non-Essential Spouse Life Expectancy" warning, shown through the prompter only while
// context.spouseWarningShown is clear (the warning then sets it). The contribution limit is that
// of today's calendar year.
std::variant<StretchInputs, ValidationFailure> ValidateStretch(Illustration &illustration,
                                                               CalcContext &context);
