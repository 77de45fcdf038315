#include "currentlawrmbd.h"

#include "datetext.h"
#include "distribution.h"
#include "lawtables.h"
#include "lifetables.h"
#include "numbertext.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Who inherits, by Treas. Reg. 1.401(a)(9)-4(e): the eligible designated beneficiaries first.
enum class Heir {
    ElectingSpouse,
    Spouse,
    MinorChild,
    Disabled,
    CloseInAge,
    Designated,
    NonDesignated
};

enum class Payout {
    SpouseLife,    // the spouse's own expectancy, recalculated (the 2002 computation)
    SpouseUniform, // the spouse treated as the owner: the Uniform Lifetime table, recalculated
    Life,          // the beneficiary's expectancy, fixed term (the 2002 computation)
    LongerLife,    // the longer of the beneficiary's and the owner's remaining expectancy
    MinorLife,     // LongerLife until 21, the rest within ten years after
    TenYear,       // empty by the tenth year; annual RMDs before it when the owner died past RBD
    FiveYear,      // empty by the fifth year, 2020 not counted; nothing before
    OwnerLife,     // the owner's remaining expectancy
};

enum class Deaths { Any, Before2020, From2020 };
enum class Timing { Any, BeforeRbd, OnOrAfterRbd };

struct PayoutRow {
    Heir heir;
    Deaths deaths;
    Timing timing;
    Payout payout;
    const char *wording;
};

const char *const KeepsLifeExpectancy =
    "The owner died before 2020: the beneficiary keeps the life expectancy payout.";
const char *const EligibleLifeExpectancy =
    "As an eligible designated beneficiary, the beneficiary takes distributions over a life "
    "expectancy.";

// First matching row wins. Treas. Reg. 1.401(a)(9)-3(c) (10-year rule), -3(b) (5-year rule),
// -5(d)(1) (the longer expectancy after the RBD), -4(e)(3) (a minor child until 21).
const std::array<PayoutRow, 13> PayoutRules{{
    // SECURE 2.0 Act sec. 327, Treas. Reg. 1.401(a)(9)-5(g)(3): from 2024 a sole spouse
    // beneficiary may elect to be treated as the deceased owner; distributions then follow the
    // Uniform Lifetime Table for the spouse's age, starting no earlier than the year the owner
    // would have reached the applicable age.
    {Heir::ElectingSpouse, Deaths::Any, Timing::Any, Payout::SpouseUniform,
     "As the sole spouse beneficiary who elected to be treated as the owner, the beneficiary "
     "takes distributions by the Uniform Lifetime Table for the spouse's own age."},
    {Heir::Spouse, Deaths::Any, Timing::Any, Payout::SpouseLife,
     "As the surviving spouse, the beneficiary takes distributions over the spouse's own life "
     "expectancy; from 2024 a sole spouse beneficiary may instead elect to be treated as the "
     "owner (Uniform Lifetime Table)."},
    {Heir::NonDesignated, Deaths::Any, Timing::BeforeRbd, Payout::FiveYear,
     "An estate, charity or non-qualifying trust must empty the account by December 31 of the "
     "fifth year after the owner's death (2020 not counted)."},
    {Heir::NonDesignated, Deaths::Any, Timing::OnOrAfterRbd, Payout::OwnerLife,
     "An estate, charity or non-qualifying trust takes distributions over the owner's remaining "
     "life expectancy."},
    {Heir::Designated, Deaths::Before2020, Timing::Any, Payout::Life, KeepsLifeExpectancy},
    {Heir::MinorChild, Deaths::Before2020, Timing::Any, Payout::Life, KeepsLifeExpectancy},
    {Heir::Disabled, Deaths::Before2020, Timing::Any, Payout::Life, KeepsLifeExpectancy},
    {Heir::CloseInAge, Deaths::Before2020, Timing::Any, Payout::Life, KeepsLifeExpectancy},
    {Heir::MinorChild, Deaths::From2020, Timing::Any, Payout::MinorLife,
     "As a minor child of the owner, the beneficiary takes distributions over a life "
     "expectancy until age 21; the account must then be empty within ten years."},
    {Heir::Disabled, Deaths::From2020, Timing::Any, Payout::LongerLife, EligibleLifeExpectancy},
    {Heir::CloseInAge, Deaths::From2020, Timing::Any, Payout::LongerLife, EligibleLifeExpectancy},
    {Heir::Designated, Deaths::From2020, Timing::BeforeRbd, Payout::TenYear,
     "Under the 10-year rule the account must be empty by December 31 of the tenth year after "
     "the owner's death; the owner died before the required beginning date, so no annual "
     "distributions are required before then."},
    {Heir::Designated, Deaths::From2020, Timing::OnOrAfterRbd, Payout::TenYear,
     "Under the 10-year rule the account must be empty by December 31 of the tenth year after "
     "the owner's death; the owner died on or after the required beginning date, so annual "
     "distributions are required in the years before, except for 2021 to 2024, when they were "
     "waived."},
}};

bool matches(const PayoutRow &row, Heir heir, int deathYear, bool afterRbd) {
    const bool deathsMatch =
        row.deaths == Deaths::Any || (row.deaths == Deaths::Before2020) == (deathYear < 2020);
    const bool timingMatches =
        row.timing == Timing::Any || (row.timing == Timing::OnOrAfterRbd) == afterRbd;
    return row.heir == heir && deathsMatch && timingMatches;
}

// Notices 2022-53, 2023-54 and 2024-35: no excise on the 10-year rule's annual distributions
// of 2021 to 2024.
bool tenYearAnnualWaived(int year) {
    return year >= 2021 && year <= 2024;
}

int ageOn(const QDate &birth, const QDate &asOf) {
    return std::max(0, CALCULATEAGE(birth, asOf, 0));
}

// A fixed term reaching one or less in the year it ends; the balance is due then.
int fixedTermEnd(int year, float factor) {
    return factor > 0 ? year + int(std::ceil(double(factor))) - 1 : 0;
}

} // namespace

RmbdResult ApplyCurrentLawPayout(const RmbdInputs &inputs, const QString &originalDob,
                                 RmbdResult result) {
    if (inputs.rules != RuleSet::CurrentLaw)
        return result;
    const int year = int(NumberText::Val(inputs.calculationYear));
    const int deathYear = result.dateOfDeath.year();
    const QDate ownerBirth = DateText::ParseDate(originalDob).value_or(QDate());
    // A Roth IRA owner always dies before the RBD (Treas. Reg. 1.408A-6 Q&A-14(b)).
    const bool roth = inputs.planType.contains(QLatin1String("Roth"));
    const QDate applicable =
        DateText::ParseDate(ApplicableAgeDate(RuleSet::CurrentLaw, ownerBirth)).value_or(QDate());
    const bool afterRbd =
        !roth && applicable.isValid() && result.dateOfDeath >= QDate(applicable.year() + 1, 4, 1);

    // The beneficiary's own age decides two classes: a minor child already 21 at the death,
    // and a beneficiary not more than 10 years younger than the owner.
    Heir heir = Heir::Designated;
    // The election counts from 2024; an earlier year keeps the spouse's own expectancy.
    if (result.survivingSpouse && inputs.spouseElection && year >= 2024)
        heir = Heir::ElectingSpouse;
    else if (result.survivingSpouse)
        heir = Heir::Spouse;
    else if (inputs.beneficiaryClass == 3)
        heir = Heir::NonDesignated;
    else if (inputs.beneficiaryClass == 2)
        heir = Heir::Disabled;
    else if (inputs.beneficiaryClass == 1 && result.dateOfBirth.addYears(21) > result.dateOfDeath)
        heir = Heir::MinorChild;
    else if (ownerBirth.isValid() && result.dateOfBirth <= ownerBirth.addYears(10))
        heir = Heir::CloseInAge;
    const PayoutRow &row =
        *std::find_if(PayoutRules.begin(), PayoutRules.end(), [&](const PayoutRow &rule) {
            return matches(rule, heir, deathYear, afterRbd);
        });

    const bool waived = WaivedYearNote(RuleSet::CurrentLaw, year).has_value();
    const LifeTableEdition edition = EditionForYear(RuleSet::CurrentLaw, year);
    const int ownerAgeAtDeath = ageOn(ownerBirth, QDate(deathYear, 12, 31));
    // The owner's expectancy in the year of death, less one for each year since.
    const float ownerFactor =
        SingleFactor(edition, ownerAgeAtDeath, ownerAgeAtDeath + year - deathYear);
    const float beneficiaryFactor = SingleFactor(edition, result.startAge, result.currentAge);
    const float longer = afterRbd ? std::max(beneficiaryFactor, ownerFactor) : beneficiaryFactor;

    float factor = result.factor;
    int finalYear = 0;
    switch (row.payout) {
    case Payout::SpouseLife:
    case Payout::Life:
        finalYear = row.payout == Payout::Life ? fixedTermEnd(year, factor) : 0;
        break;
    case Payout::SpouseUniform: {
        // The spouse's own age, even where the 2002 computation took the owner's expectancy.
        const int spouseAge = ageOn(result.dateOfBirth, QDate(year, 12, 31));
        result.deceasedFlag = false;
        result.startAge = result.currentAge = spouseAge;
        result.uniformTable = true;
        factor = JointFactor(edition, spouseAge, spouseAge, -1);
        break;
    }
    case Payout::LongerLife:
        factor = longer;
        finalYear = fixedTermEnd(year, factor);
        break;
    case Payout::MinorLife:
        factor = longer;
        finalYear = result.dateOfBirth.year() + 21 + 10;
        break;
    case Payout::TenYear:
        factor = afterRbd && !tenYearAnnualWaived(year) ? longer : 0;
        finalYear = deathYear + 10;
        break;
    case Payout::FiveYear:
        factor = 0;
        // CARES Act sec. 2203(b): 2020 is not counted in the five years.
        finalYear = deathYear + 5 + (deathYear + 1 <= 2020 && deathYear + 5 >= 2020 ? 1 : 0);
        break;
    case Payout::OwnerLife:
        factor = ownerFactor;
        finalYear = fixedTermEnd(year, factor);
        break;
    }
    const bool started = result.startDate <= QDate(year, 12, 31);
    if (finalYear && year >= finalYear)
        factor = 1; // the whole balance
    if (waived || !started)
        factor = 0;
    if (factor > 0 && factor < 1)
        factor = 1;

    // The owner's expectancy in use is reported with the owner's ages, as the spouse's
    // comparison does.
    const bool ownersUsed = row.payout != Payout::SpouseLife && row.payout != Payout::Life &&
                            row.payout != Payout::SpouseUniform && factor > 0 &&
                            factor == ownerFactor &&
                            (row.payout == Payout::OwnerLife || ownerFactor > beneficiaryFactor);
    if (ownersUsed) {
        result.deceasedFlag = true;
        result.startAge = ownerAgeAtDeath;
        result.currentAge = ownerAgeAtDeath + year - deathYear;
    }
    result.factor = factor;
    result.rmd =
        factor > 0 ? RequiredDistribution(NumberText::Val(inputs.accountValue), factor) : 0;
    const int percent = ExcisePercent(RuleSet::CurrentLaw, year);
    result.penalty = ExciseTax(result.rmd, percent);
    result.finalYear = finalYear;

    QStringList note;
    if (waived)
        note << *WaivedYearNote(RuleSet::CurrentLaw, year);
    note << RuleSetWording(RuleSet::CurrentLaw, year) << QLatin1String(row.wording);
    if (finalYear)
        note << QStringLiteral("The account must be empty by December 31, %1.").arg(finalYear);
    if (percent != 50)
        note << QStringLiteral("The excise tax on a missed distribution is %1%, 10% when it is "
                               "corrected in time.")
                    .arg(percent);
    result.payoutNote = note.join(QLatin1Char(' '));
    return result;
}
