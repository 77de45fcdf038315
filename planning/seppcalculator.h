#pragma once

// Substantially equal periodic payments under section 72(t) (calculator 2) by the three methods
// of Rev. Rul. 2002-62: required minimum distribution, fixed amortization and fixed
// annuitization, each with the single, uniform and joint life expectancy where it applies.

#include "calculation.h"
#include "validation.h"

#include <QString>
#include <array>
#include <variant>

class Illustration;

struct SeppInputs {
    QString fullName; // first, middle and last joined by single blanks
};

// The SEPP tab's checks in order. A rate above 6% and up to 12% passes with the "Questionable
// Interest Rate Assumption" warning, shown through the prompter only while
// context.rateWarningShown is clear (the warning then sets it).
std::variant<SeppInputs, ValidationFailure> ValidateSepp(Illustration &illustration,
                                                         CalcContext &context);

struct SeppResult {
    QString year;                    // Y, the calculation date's year
    int age = 0;                     // A
    int beneficiaryAge = -1;         // S, -1 without a beneficiary date of birth
    std::array<float, 3> factors{};  // F1 single, F2 uniform, F3 joint (1 without beneficiary)
    float annuityFactor = 0;         // AF
    double balance1 = 0;             // B1, for the required-minimum-distribution method
    double balance2 = 0;             // B2, for the fixed methods
    std::array<float, 7> payments{}; // P1 to P7, single precision
    bool rmdOnce = false;            // chkRMDOnce
    bool notice2022_6 = false;       // a current-law series starting in 2023 or later
};

// Notice 2022-6 governs a current-law series starting in 2023 or later; the series starts in
// the calculation date's year.
bool SeppUnderNotice(const Illustration &illustration);

// The payments of the illustration's SEPP tab.
SeppResult ComputeSepp(const Illustration &illustration);

// The SEPP report fields in their order, "6-RMD_Amt" from the selected option's amount label,
// and "R-NameAgent" from the representative block already in "R-Aname".
void WriteSeppReport(const SeppInputs &inputs, const SeppResult &result,
                     Illustration &illustration);
