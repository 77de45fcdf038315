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

} // namespace

void CalcTax::Reset() {
    *this = CalcTax();
}

void CalcTax::Compute() {
    if (income == 0 || taxYear == 0) {
        federalRate = stateRate = federalTax = stateTax = 0;
        return;
    }
    FederalTax();
    // Cleared before the state computation so that a state deducting federal tax never adds a
    // negative amount to its base.
    federalTax = std::max(0.0, federalTax);
    StateTax();
    stateTax = std::max(0.0, stateTax);
}

FilingStatus CalcTax::status() const {
    if (filingStatus < 1 || filingStatus > 3)
        throw FatalError(QStringLiteral("CalcTax"), ErrorNumber::InvalidProcedureCall,
                         QStringLiteral("Filing status %1 (1, 2 or 3 expected)").arg(filingStatus));
    return FilingStatus(filingStatus);
}

void CalcTax::FederalTax() {
    double exemption = kFurtherExemption;
    int year = kFurtherYear;
    if (taxYear >= kFirstYear && taxYear <= kLastYear) {
        year = scheduleYear(taxYear);
        exemption = TaxTables::federalExemption(taxYear);
    } else {
        taxYear = kFurtherYear;
    }
    const double taxable = income - exemptions * exemption;
    const BracketResult result = BracketTax(TaxTables::federalSchedule(year, status()), taxable);
    federalTax = result.tax;
    federalRate = result.rate;
}

void CalcTax::StateTax() {
    const StateRule *rule = TaxTables::stateRule(state.toUpper());
    if (!rule) {
        // No data, no tax: the code is empty or not one of the 52.
        stateTax = stateRate = 0;
        return;
    }
    const FilingStatus filing = status();
    const bool joint = filing == FilingStatus::Joint;
    // Alabama (Form 40A): 1500 or 3000 and 300 for every exemption beyond the first whatever the
    // filing status, federal tax deducted, and here no standard deduction.
    const bool alabama = rule->code == QLatin1String("AL");
    const int personal = joint && !alabama ? 2 : 1;
    const double dependents = std::max(0, exemptions - personal) * rule->perDependent;
    const double standard = alabama ? 0 : (joint ? rule->standardJoint : rule->standardSingle);
    const double taxable = income - (joint ? rule->exemptionJoint : rule->exemptionSingle) -
                           dependents - standard -
                           federalTaxDeduction(*rule, filing, federalTax, income);
    const BracketResult result =
        BracketTaxByBase(rule->schedules[std::size_t(filing) - 1], taxable);
    stateTax = result.tax - (joint ? rule->creditJoint : rule->creditSingle);
    stateRate = result.rate;
}

CalcTax::BracketResult CalcTax::BracketTax(const RateSchedule &schedule, double taxable) {
    BracketResult result;
    const auto &brackets = schedule.brackets;
    for (std::size_t k = 0; k < brackets.size(); ++k) {
        result.rate = brackets[k].rate;
        const bool top = k + 1 == brackets.size();
        if (top || taxable <= brackets[k + 1].threshold) {
            result.tax += (taxable - brackets[k].threshold) * brackets[k].rate / 100;
            break;
        }
        result.tax += (brackets[k + 1].threshold - brackets[k].threshold) * brackets[k].rate / 100;
    }
    return result;
}

CalcTax::BracketResult CalcTax::BracketTaxByBase(const RateSchedule &schedule, double taxable) {
    const auto &brackets = schedule.brackets;
    // The first bracket whose upper end (the next threshold) the income does not pass.
    const auto above = std::find_if(brackets.begin() + 1, brackets.end(),
                                    [&](const Bracket &b) { return taxable <= b.threshold; });
    const Bracket &bracket = *(above - 1);
    return {bracket.base + (taxable - bracket.threshold) * bracket.rate / 100, bracket.rate};
}
