#pragma once

// Federal income-tax rate schedules and exemptions of 2002 to 2013, the 2013 individual income
// tax rules of the states, DC and Puerto Rico, and the state names. The figures live in
// data/tax (sources in its README) and are compiled in as a Qt resource; a damaged or missing
// table throws FatalError naming the file and line.

#include <QString>
#include <array>
#include <vector>

// The estimator's filing statuses; the data's head-of-household rows are not used.
enum class FilingStatus { Single = 1, Joint = 2, Separate = 3 };

struct Bracket {
    double threshold = 0; // taxable income above which the rate applies
    double rate = 0;      // percent
    double base = 0;      // tax on the income up to the threshold (the schedule's "$X plus")
};

// A progressive schedule: 1 to 14 brackets, the first from 0, thresholds rising, the last
// open-ended.
struct RateSchedule {
    std::vector<Bracket> brackets;
};

enum class FederalTaxDeduction { None, Full, Capped };

// What a state lets a household deduct from income before its schedule, and its credits.
struct StateRule {
    QString code;
    double exemptionSingle = 0;
    double exemptionJoint = 0; // the couple's total
    double perDependent = 0;
    double creditSingle = 0;
    double creditJoint = 0;
    double standardSingle = 0; // an empty cell (no published figure) counts as 0
    double standardJoint = 0;
    FederalTaxDeduction federalDeduction = FederalTaxDeduction::None;
    // For a capped deduction: the limit by filing status and, where the limit shrinks with
    // income, the band over which it falls evenly to 0 (both bounds 0: no phase-out).
    std::array<double, 3> cap{};
    std::array<double, 2> phaseOutSingle{};
    std::array<double, 2> phaseOutJoint{};
    std::array<RateSchedule, 3> schedules; // by FilingStatus - 1
};

namespace TaxTables {

// Most brackets a schedule may hold.
constexpr int MaximumBrackets = 14;

// The published federal schedule of a year present in the data (2002 to 2013).
const RateSchedule &federalSchedule(int year, FilingStatus status);

// The federal personal exemption amount of a year present in the data.
double federalExemption(int year);

// The 2013 rules of a two-letter code (upper case), or nullptr for a code without data.
const StateRule *stateRule(const QString &code);

// "Alabama" for "AL"; the 50 states, DC and PR. Empty for any other code.
QString stateName(const QString &code);

} // namespace TaxTables
