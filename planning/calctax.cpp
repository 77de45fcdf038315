#include "calctax.h"

#include "errornumber.h"
#include "fatalerror.h"

#include <algorithm>

namespace {

// Tax years with schedules of their own. 2010 reuses the 2009 schedules, as this estimator
// always has; every other year outside the range takes the 2013 schedules with the 2012
// exemption amount and is reported as 2013.
constexpr int kFirstYear = 2002;
constexpr int kLastYear = 2012;
constexpr int kFurtherYear = 2013;
constexpr double kFurtherExemption = 3800;

int scheduleYear(int taxYear) {
    return taxYear == 2010 ? 2009 : taxYear;
}

// The deduction a state allows for the federal tax: all of it, none, or up to a limit that may
// fall evenly to 0 across an income band.
double federalTaxDeduction(const StateRule &rule, FilingStatus status, double federalTax,
                           double income) {
    switch (rule.federalDeduction) {
    case FederalTaxDeduction::None:
        return 0;
    case FederalTaxDeduction::Full:
        return federalTax;
    case FederalTaxDeduction::Capped:
        break;
    }
    double cap = rule.cap[std::size_t(status) - 1];
    const auto &band = status == FilingStatus::Joint ? rule.phaseOutJoint : rule.phaseOutSingle;
    if (band[1] > band[0] && income > band[0])
        cap *= std::max(0.0, (band[1] - income) / (band[1] - band[0]));
    return std::min(federalTax, cap);
}

FilingStatus status(const CalcTax::Inputs &inputs) {
    if (inputs.filingStatus < 1 || inputs.filingStatus > 3)
        throw FatalError(
            QStringLiteral("CalcTax"), ErrorNumber::InvalidProcedureCall,
            QStringLiteral("Filing status %1 (1, 2 or 3 expected)").arg(inputs.filingStatus));
    return FilingStatus(inputs.filingStatus);
}

// Federal tax and marginal rate, and the year whose schedules gave them.
CalcTax::BracketResult federalTax(const CalcTax::Inputs &inputs, qint16 &taxYear) {
    double exemption = kFurtherExemption;
    int year = kFurtherYear;
    if (inputs.taxYear >= kFirstYear && inputs.taxYear <= kLastYear) {
        year = scheduleYear(inputs.taxYear);
        exemption = TaxTables::federalExemption(inputs.taxYear);
    } else {
        taxYear = kFurtherYear;
    }
    const double taxable = inputs.income - inputs.exemptions * exemption;
    return CalcTax::BracketTax(TaxTables::federalSchedule(year, status(inputs)), taxable);
}

// State tax and marginal rate, with the federal tax the state may deduct.
CalcTax::BracketResult stateTax(const CalcTax::Inputs &inputs, double federal) {
    const StateRule *rule = TaxTables::stateRule(inputs.state.toUpper());
    if (!rule) {
        // No data, no tax: the code is empty or not one of the 52.
        return {};
    }
    const FilingStatus filing = status(inputs);
    const bool joint = filing == FilingStatus::Joint;
    // Alabama (Form 40A): 1500 or 3000 and 300 for every exemption beyond the first whatever the
    // filing status, federal tax deducted, and here no standard deduction.
    const bool alabama = rule->code == QLatin1String("AL");
    const int personal = joint && !alabama ? 2 : 1;
    const double dependents = std::max(0, inputs.exemptions - personal) * rule->perDependent;
    const double standard = alabama ? 0 : (joint ? rule->standardJoint : rule->standardSingle);
    const double taxable = inputs.income - (joint ? rule->exemptionJoint : rule->exemptionSingle) -
                           dependents - standard -
                           federalTaxDeduction(*rule, filing, federal, inputs.income);
    CalcTax::BracketResult result =
        CalcTax::BracketTax(rule->schedules[std::size_t(filing) - 1], taxable);
    result.tax -= joint ? rule->creditJoint : rule->creditSingle;
    return result;
}

} // namespace

namespace CalcTax {

Result Compute(const Inputs &inputs) {
    Result result;
    result.taxYear = inputs.taxYear;
    if (inputs.income == 0 || inputs.taxYear == 0)
        return result;
    const BracketResult federal = federalTax(inputs, result.taxYear);
    // Cleared before the state computation so that a state deducting federal tax never adds a
    // negative amount to its base.
    result.federalTax = std::max(0.0, federal.tax);
    result.federalRate = federal.rate;
    const BracketResult state = stateTax(inputs, result.federalTax);
    result.stateTax = std::max(0.0, state.tax);
    result.stateRate = state.rate;
    return result;
}

BracketResult BracketTax(const RateSchedule &schedule, double taxable) {
    const auto &brackets = schedule.brackets;
    // The first bracket whose upper end (the next threshold) the income does not pass.
    const auto above = std::find_if(brackets.begin() + 1, brackets.end(),
                                    [&](const Bracket &b) { return taxable <= b.threshold; });
    const Bracket &bracket = *(above - 1);
    return {bracket.base + (taxable - bracket.threshold) * bracket.rate / 100, bracket.rate};
}

} // namespace CalcTax
