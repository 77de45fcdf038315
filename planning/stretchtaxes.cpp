#include "stretchtaxes.h"

#include "calctax.h"

namespace {

constexpr double OtherIncome = 50000; // the household's assumed income besides the account
constexpr qint16 MarriedFilingJointly = 2;
constexpr qint16 Exemptions = 2;
constexpr int PayoutYears = 5;

// One scenario's payments taxed in turn, each against the tax of the other income alone, which
// the scenario computes first.
class ScenarioRun {
public:
    explicit ScenarioRun(const TaxComparisonSetting &setting) : m_setting(setting) {
        const CalcTax::Result base = estimate(OtherIncome);
        m_federalBase = base.federalTax;
        m_stateBase = base.stateTax;
    }

    void pay(double payment) {
        const CalcTax::Result tax = estimate(m_setting.roth ? OtherIncome : OtherIncome + payment);
        if (m_payments++ == 0) {
            m_result.federalRate = tax.federalRate;
            m_result.stateRate = tax.stateRate;
        }
        m_result.distributions += payment;
        m_result.federalTax += tax.federalTax - m_federalBase;
        m_result.stateTax += tax.stateTax - m_stateBase;
    }

    const TaxScenario &result() const { return m_result; }

private:
    CalcTax::Result estimate(double income) const {
        return CalcTax::Compute(
            {income, m_setting.state, MarriedFilingJointly, Exemptions, qint16(m_setting.taxYear)});
    }

    const TaxComparisonSetting &m_setting;
    double m_federalBase = 0;
    double m_stateBase = 0;
    int m_payments = 0;
    TaxScenario m_result;
};

} // namespace

double TaxScenario::totalTaxPercent() const {
    return distributions == 0 ? 0 : (1 - afterTax() / distributions) * 100;
}

std::optional<TaxComparison> CompareTaxes(const StretchProjection &projection,
                                          const TaxComparisonSetting &setting) {
    using namespace Projection;
    const ProjectionTable &table = projection.table;
    const double inherited = double(table.at(AllYears, Balance, projection.sle - 1));
    if (!(inherited > 0))
        return std::nullopt;

    TaxComparison comparison;

    ScenarioRun lumpSum(setting);
    lumpSum.pay(inherited);
    comparison.lumpSum = lumpSum.result();

    // Equal shares of what is left, the rest growing at the projection's rate meanwhile.
    ScenarioRun fiveYear(setting);
    double balance = inherited;
    for (int remaining = PayoutYears; remaining >= 1; --remaining) {
        const double payment = balance / remaining;
        fiveYear.pay(payment);
        balance = (balance - payment) * (1 + setting.rate / 100);
    }
    comparison.fiveYear = fiveYear.result();

    // The beneficiary's required distributions, up to the year that empties the account.
    ScenarioRun stretched(setting);
    for (int year = projection.sle;; ++year) {
        stretched.pay(double(table.at(Beneficiary, Distribution, year)));
        if (table.at(Beneficiary, Balance, year) < 1 || year + 1 == Years - 1)
            break;
    }
    comparison.stretched = stretched.result();
    return comparison;
}
