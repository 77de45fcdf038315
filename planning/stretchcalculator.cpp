#include "stretchcalculator.h"

#include "controllists.h"
#include "datetext.h"
#include "errornumber.h"
#include "fatalerror.h"
#include "lawtables.h"
#include "stretchfields.h"

#include <cmath>

using namespace StretchFields;

namespace {

constexpr int LastYearIndex = Projection::Years - 1;
constexpr double SmallestBalance = 100; // a beneficiary balance below this is paid out
constexpr int PresetLast = 99;

// Whole dollars, halves to the even dollar, as the table has always held its cells.
qint64 wholeDollars(double value) {
    const double rounded = std::nearbyint(value);
    if (!(std::fabs(rounded) < 9.2e18))
        throw FatalError(QStringLiteral("CalculateValues"), ErrorNumber::Overflow,
                         QStringLiteral("Projection value %1 is out of range").arg(value));
    return qint64(rounded);
}

QDate requiredDate(const Illustration &illustration, const char *tag) {
    const auto date = DateText::ParseDate(FieldText(illustration, tag));
    if (!date)
        throw FatalError(QStringLiteral("CalculateValues"), ErrorNumber::TypeMismatch,
                         QStringLiteral("%1 \"%2\" is not a date")
                             .arg(QLatin1String(tag), FieldText(illustration, tag)));
    return *date;
}

// Copies a phase's row into the all-years phase, whose age column holds the year index.
void copyToAllYears(ProjectionTable &table, int phase, int year) {
    using namespace Projection;
    for (int column = 0; column < Columns; ++column)
        table.at(AllYears, column, year) = table.at(phase, column, year);
    table.at(AllYears, Age, year) = year;
}

// Distribution columns of one year: the phase's own running total restarts with the phase, the
// all-years total runs on. Each adds the exact distribution to the whole dollars held so far.
void recordDistribution(ProjectionTable &table, int phase, int year, double distribution,
                        double balance) {
    using namespace Projection;
    const double before = year > 0 ? double(table.at(phase, Accumulated, year - 1)) : 0;
    const double allBefore = year > 0 ? double(table.at(AllYears, Accumulated, year - 1)) : 0;
    table.at(phase, Distribution, year) = wholeDollars(distribution);
    table.at(phase, Accumulated, year) = wholeDollars(before + distribution);
    table.at(phase, Balance, year) = wholeDollars(balance);
    copyToAllYears(table, phase, year);
    table.at(AllYears, Accumulated, year) = wholeDollars(allBefore + distribution);
}

// The age at year end from which an owner's distributions run: under the 2002 regulations age
// 70 in the year of 70 1/2 for a birthday in the first half of the year, 71 otherwise; under
// current law a later applicable age in the year it is reached.
int firstDistributionAge(RuleSet rules, const QDate &birth) {
    const ApplicableAge age = ApplicableAgeFor(rules, birth);
    if (age.months == 0)
        return age.years;
    return birth.month() < 7 ? 70 : 71;
}

} // namespace

std::size_t ProjectionTable::index(int phase, int column, int year) {
    using namespace Projection;
    if (phase < 0 || phase >= Phases || column < 0 || column >= Columns || year < 0 ||
        year >= Years)
        throw FatalError(QStringLiteral("ProjectionTable"), ErrorNumber::SubscriptOutOfRange,
                         QStringLiteral("Subscript out of range: phase %1, column %2, year %3")
                             .arg(phase)
                             .arg(column)
                             .arg(year));
    return std::size_t((phase * Columns + column) * Years + year);
}

StretchProjection ComputeStretch(const Illustration &illustration) {
    using namespace Projection;
    StretchProjection result;
    ProjectionTable &table = result.table;

    const double growth =
        1 + illustration.fields().cleanValue(QStringLiteral("1-StretchROR")) / 100;
    double balance = illustration.fields().cleanValue(QStringLiteral("6-StretchAcctValue"));
    const double contribution =
        illustration.fields().cleanValue(QStringLiteral("6-StretchAcctCont"));
    const double contributionYears =
        illustration.fields().cleanValue(QStringLiteral("2-StretchContYrs"));
    const bool roth = illustration.controls().chkRoth;
    const int firstYear = requiredDate(illustration, "6-IllustrationDate").year();
    const QDate yearEnd(firstYear, 12, 31);

    const QDate planholderBirth = requiredDate(illustration, "7-StretchPDOB");
    const int planholderAge = ageOn(planholderBirth, yearEnd);
    const RuleSet rules = RuleSetOfCaption(illustration.controls().cmboRuleSet);
    const bool currentLaw = rules == RuleSet::CurrentLaw;
    const int beginningAge = firstDistributionAge(rules, planholderBirth);
    // The 2002 regulations' projection keeps the 2002 tables whatever its first year.
    const auto edition = [&](int i) {
        return currentLaw ? EditionForYear(rules, firstYear + i) : LifeTableEdition::Final2002;
    };
    const auto waived = [&](int i) {
        return currentLaw && WaivedYearNote(rules, firstYear + i).has_value();
    };
    result.ple = wholeYears(illustration, "2-StretchPLEO");

    int spouseAge = planholderAge;
    // Past 70 under the 2002 regulations; current law starts at the spouse's applicable age.
    int spouseBeginningAge = 71;
    QDate spouseBirthDate;
    result.sle = result.ple;
    if (const auto spouseBirth = DateText::ParseDate(FieldText(illustration, "7-StretchSDOB"))) {
        spouseAge = ageOn(*spouseBirth, yearEnd);
        spouseBirthDate = *spouseBirth;
        if (currentLaw)
            spouseBeginningAge = firstDistributionAge(rules, *spouseBirth);
        result.sle = wholeYears(illustration, "2-StretchSLEO");
    }
    // A spouse who does not outlive the planholder's expectancy gets no phase.
    result.sle = std::max(result.sle, result.ple);
    if (result.ple < 1 || result.sle > LastYearIndex)
        throw FatalError(QStringLiteral("CalculateValues"), ErrorNumber::InvalidProcedureCall,
                         QStringLiteral("Life expectancies %1 and %2 outside 1 to %3")
                             .arg(result.ple)
                             .arg(result.sle)
                             .arg(LastYearIndex));

    const QDate beneficiaryBirth = requiredDate(illustration, "7-StretchBDOB");
    const int beneficiaryAge = ageOn(beneficiaryBirth, yearEnd);
    const int firstBeneficiaryAge = beneficiaryAge + result.sle;

    // The running total of the opening balance and the contributions, in single precision as it
    // has always been kept.
    float contributed = 0;
    for (int i = 0; i < result.ple; ++i) {
        table.at(Planholder, Year, i) = firstYear + i;
        table.at(Planholder, Age, i) = planholderAge + i;
        const double start = balance;
        if (i < contributionYears) {
            contributed = NumberText::Single(i == 0 ? balance + contribution
                                                    : double(contributed) + contribution);
            balance += contribution;
        }
        table.at(Planholder, Contributions, i) = wholeDollars(contributed);
        balance *= growth;
        double distribution = 0;
        if (planholderAge + i >= beginningAge) {
            // Uniform Lifetime, or Joint and Last Survivor for a spouse more than ten years
            // younger (Treas. Reg. 1.401(a)(9)-5 Q&A-4); the divisor of the start balance.
            const float factor =
                std::max(1.0f, JointFactor(edition(i), planholderAge + i, spouseAge + i, -1));
            distribution = roth || waived(i) ? 0 : start / double(factor);
        }
        balance -= distribution;
        recordDistribution(table, Planholder, i, distribution, balance);
    }

    for (int i = result.ple; i < result.sle; ++i) {
        table.at(Spouse, Year, i) = firstYear + i;
        table.at(Spouse, Age, i) = spouseAge + i;
        table.at(Spouse, Contributions, i) = wholeDollars(contributed);
        const double start = balance;
        balance *= growth;
        double distribution = 0;
        // A surviving spouse may treat the account as their own (Treas. Reg. 1.408-8 Q&A-5): the
        // Uniform Lifetime table once past 70.
        if (spouseAge + i >= spouseBeginningAge) {
            const float factor =
                std::max(1.0f, JointFactor(edition(i), spouseAge + i, spouseAge + i, -1));
            distribution = roth || waived(i) ? 0 : start / double(factor);
        }
        balance -= distribution;
        recordDistribution(table, Spouse, i, distribution, balance);
    }

    // The non-spouse beneficiary: Single Life expectancy at the age of the first year, less one
    // each year (Treas. Reg. 1.401(a)(9)-5 Q&A-5(c)); Roth accounts distribute here too.
    result.last = PresetLast;
    result.blast = LastYearIndex;
    // Current law (IRC 401(a)(9)(H)): the life-expectancy stretch only for an eligible designated
    // beneficiary, here one not more than 10 years younger than the previous owner, or disabled
    // or chronically ill; anyone else empties the account in the tenth year after the death,
    // with annual distributions before it when the previous owner died past the required
    // beginning date (Treas. Reg. 1.401(a)(9)-5(d)(1)(i)). The previous owner dies at the end of
    // the phase's last year.
    const bool spouseLast = result.spousePhase() && spouseBirthDate.isValid();
    const QDate previousOwnerBirth = spouseLast ? spouseBirthDate : planholderBirth;
    const int deathAge = spouseLast ? spouseAge + result.sle - 1 : planholderAge + result.ple - 1;
    const bool diedPastRbd = deathAge > (spouseLast ? spouseBeginningAge : beginningAge);
    const bool eligible =
        beneficiaryBirth <= previousOwnerBirth.addYears(10) ||
        illustration.controls().cmboBeneClass == ControlLists::beneficiaryClasses().at(2);
    const bool tenYear = currentLaw && !eligible;
    result.currentLaw = currentLaw;
    result.tenYearRule = tenYear;
    const int tenthYear = result.sle + 9;
    for (int i = result.sle; i <= LastYearIndex; ++i) {
        table.at(Beneficiary, Year, i) = firstYear + i;
        table.at(Beneficiary, Age, i) = beneficiaryAge + i;
        table.at(Beneficiary, Contributions, i) = wholeDollars(contributed);
        const double start = balance;
        balance *= growth;
        const float factor =
            std::max(1.0f, SingleFactor(edition(i), firstBeneficiaryAge, beneficiaryAge + i));
        double distribution = factor > 1 ? start / double(factor) : balance;
        if (tenYear && i >= tenthYear)
            distribution = balance;
        else if (tenYear && !diedPastRbd)
            distribution = 0;
        balance -= distribution;
        recordDistribution(table, Beneficiary, i, distribution, balance);
        if (balance < SmallestBalance) {
            result.last = result.blast = i;
            break;
        }
    }
    return result;
}
