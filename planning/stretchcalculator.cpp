#include "stretchcalculator.h"

#include "datetext.h"
#include "errornumber.h"
#include "fatalerror.h"
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
    // The required beginning date is April 1 after the year of age 70 1/2: age 70 in that year
    // for a birthday in the first half of the year, 71 otherwise.
    const int beginningAge = planholderBirth.month() < 7 ? 70 : 71;
    result.ple = wholeYears(illustration, "2-StretchPLEO");

    int spouseAge = planholderAge;
    result.sle = result.ple;
    if (const auto spouseBirth = DateText::ParseDate(FieldText(illustration, "7-StretchSDOB"))) {
        spouseAge = ageOn(*spouseBirth, yearEnd);
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

    const int beneficiaryAge = ageOn(requiredDate(illustration, "7-StretchBDOB"), yearEnd);
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
                std::max(1.0f, RMDJOINTFACTOR(planholderAge + i, spouseAge + i, -1));
            distribution = roth ? 0 : start / double(factor);
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
        if (spouseAge + i > 70) {
            const float factor = std::max(1.0f, RMDJOINTFACTOR(spouseAge + i, spouseAge + i, -1));
            distribution = roth ? 0 : start / double(factor);
        }
        balance -= distribution;
        recordDistribution(table, Spouse, i, distribution, balance);
    }

    // The non-spouse beneficiary: Single Life expectancy at the age of the first year, less one
    // each year (Treas. Reg. 1.401(a)(9)-5 Q&A-5(c)); Roth accounts distribute here too.
    result.last = PresetLast;
    result.blast = LastYearIndex;
    for (int i = result.sle; i <= LastYearIndex; ++i) {
        table.at(Beneficiary, Year, i) = firstYear + i;
        table.at(Beneficiary, Age, i) = beneficiaryAge + i;
        table.at(Beneficiary, Contributions, i) = wholeDollars(contributed);
        const double start = balance;
        balance *= growth;
        const float factor =
            std::max(1.0f, RMDSINGLEFACTOR(0, firstBeneficiaryAge, beneficiaryAge + i));
        const double distribution = factor > 1 ? start / double(factor) : balance;
        balance -= distribution;
        recordDistribution(table, Beneficiary, i, distribution, balance);
        if (balance < SmallestBalance) {
            result.last = result.blast = i;
            break;
        }
    }
    return result;
}
