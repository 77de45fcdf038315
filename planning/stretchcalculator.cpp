#include "stretchcalculator.h"

#include "controllists.h"
#include "datetext.h"
#include "errornumber.h"
#include "fatalerror.h"
#include "fieldformat.h"
#include "illustration.h"
#include "lifetables.h"
#include "numbertext.h"
#include "prompter.h"

#include <array>
#include <cmath>
#include <optional>

using NumberText::Val;

namespace {

constexpr int LongestLife = 99; // life expectancies and birth years reach back 99 years
constexpr int OldestSpouse = 98;
constexpr float LowestRate = 1;
constexpr float HighestRate = 12;
constexpr int LastYearIndex = Projection::Years - 1;
constexpr double SmallestBalance = 100; // a beneficiary balance below this is paid out
constexpr int PresetLast = 99;

const QString MissingInformation = QStringLiteral("Missing Required Information.");
const QString MissingDate = QStringLiteral("Missing Required Date");
const QString DateInputError = QStringLiteral("Date Input Error");
const QString SampleLifeExpectancy = QStringLiteral("10");

QString text(const Illustration &illustration, const char *tag) {
    return illustration.fields().GetField(QLatin1String(tag));
}

int wholeYears(const Illustration &illustration, const char *tag) {
    return int(NumberText::Int(Val(text(illustration, tag))));
}

int ageOn(const QDate &birth, const QDate &asOf) {
    return std::max(0, CALCULATEAGE(birth, asOf, 0));
}

struct NameTags {
    const char *first;
    const char *middle;
    const char *last;
    const char *firstSample;
};

// First, middle (when present) and last name joined by single blanks, or the failure of the
// first missing part.
std::variant<QString, ValidationFailure> fullName(const Illustration &illustration,
                                                  const NameTags &tags) {
    const QString first = text(illustration, tags.first).trimmed();
    if (first.isEmpty())
        return ValidationFailure{QLatin1String(tags.first),
                                 JoinLines({QStringLiteral("The first name is required"),
                                            QStringLiteral("Please enter a first name.")}),
                                 MissingInformation, QLatin1String(tags.firstSample)};
    QString name = first;
    const QString middle = text(illustration, tags.middle).trimmed();
    if (!middle.isEmpty())
        name += QLatin1Char(' ') + middle;
    const QString last = text(illustration, tags.last).trimmed();
    if (last.isEmpty())
        return ValidationFailure{QLatin1String(tags.last),
                                 JoinLines({QStringLiteral("The last name is required."),
                                            QStringLiteral("Please enter a last name.")}),
                                 MissingInformation, QStringLiteral("Sample")};
    return name + QLatin1Char(' ') + last;
}

struct BirthCheck {
    std::optional<QDate> date;
    std::optional<ValidationFailure> failure;
};

// A date of birth that parses and lies between this year and `oldest` calendar years back.
BirthCheck checkBirth(const Illustration &illustration, const char *tag, const QDate &today,
                      int oldest, const char *sample) {
    const auto birth = DateText::ParseDate(text(illustration, tag));
    if (!birth)
        return {std::nullopt,
                ValidationFailure{QLatin1String(tag),
                                  WithDateHelp({QStringLiteral("The Date of Birth is required.")}),
                                  MissingDate, QLatin1String(sample)}};
    const int years = today.year() - birth->year();
    if (years < 0 || years > oldest)
        return {birth,
                ValidationFailure{QLatin1String(tag),
                                  WithDateHelp({QStringLiteral("The Date of Birth is incorrect.")}),
                                  DateInputError, QLatin1String(sample)}};
    return {birth, std::nullopt};
}

QString lifeExpectancyRange(int limit) {
    return QStringLiteral("Whole numbers between 1 and") + NumberText::Str(limit) +
           QStringLiteral(" are valid.");
}

QString nonEssentialSpouseWarning() {
    return JoinLines({
        QStringLiteral("For the purpose of this calculator, the spouse beneficiary's"),
        QStringLiteral("life expectancy should exceed the planholder's life expectancy."),
        QString(),
        QStringLiteral("Since the spouse life expectancy is less than or equal to the"),
        QStringLiteral("planholder's life expectancy, this report will NOT reflect"),
        QStringLiteral("the spouse."),
    });
}

// Annual contribution limits with and without the catch-up for age 50 and over, by calendar
// year. Roth IRA (IRC 408A(c)(2), 219(b)(5)): 3000 / 3500 in 2003-2004, 4000 / 5000 in
// 2005-2007, 5000 / 6000 in the other years. Elective deferrals (IRC 402(g), 414(v)): the EGTRRA
// steps of 1000 a year from 2002, 15500 / 20500 in 2008 and 16500 / 22000 in 2009.
struct ContributionLimit {
    int firstYear;
    int lastYear;
    int limit;
    int withCatchUp;
};
constexpr std::array<ContributionLimit, 2> RothLimits{{
    {2003, 2004, 3000, 3500},
    {2005, 2007, 4000, 5000},
}};
constexpr ContributionLimit OtherRothLimit{0, 0, 5000, 6000};
constexpr std::array<ContributionLimit, 2> DeferralLimits{{
    {2008, 2008, 15500, 20500},
    {2009, 2009, 16500, 22000},
}};

template <std::size_t N>
const ContributionLimit *limitOf(const std::array<ContributionLimit, N> &limits, int year) {
    for (const ContributionLimit &entry : limits) {
        if (year >= entry.firstYear && year <= entry.lastYear)
            return &entry;
    }
    return nullptr;
}

int contributionLimit(int year, int age, bool roth) {
    const bool catchUp = age > 49;
    if (roth) {
        const ContributionLimit *entry = limitOf(RothLimits, year);
        const ContributionLimit &applying = entry ? *entry : OtherRothLimit;
        return catchUp ? applying.withCatchUp : applying.limit;
    }
    if (const ContributionLimit *entry = limitOf(DeferralLimits, year))
        return catchUp ? entry->withCatchUp : entry->limit;
    const int step = (year - 2001) * 1000;
    return step + 10000 + (catchUp ? step : 0);
}

// Whole dollars, halves to the even dollar, as the table has always held its cells.
qint64 wholeDollars(double value) {
    const double rounded = std::nearbyint(value);
    if (!(std::fabs(rounded) < 9.2e18))
        throw FatalError(QStringLiteral("CalculateValues"), ErrorNumber::Overflow,
                         QStringLiteral("Projection value %1 is out of range").arg(value));
    return qint64(rounded);
}

QDate requiredDate(const Illustration &illustration, const char *tag) {
    const auto date = DateText::ParseDate(text(illustration, tag));
    if (!date)
        throw FatalError(QStringLiteral("CalculateValues"), ErrorNumber::TypeMismatch,
                         QStringLiteral("%1 \"%2\" is not a date")
                             .arg(QLatin1String(tag), text(illustration, tag)));
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

std::variant<StretchInputs, ValidationFailure> ValidateStretch(Illustration &illustration,
                                                               CalcContext &context) {
    const QDate &today = context.today;
    StretchInputs inputs;

    auto name =
        fullName(illustration, {"8-StretchPFirst", "8-StretchPMiddle", "8-StretchPLast", "John"});
    if (auto *failure = std::get_if<ValidationFailure>(&name))
        return *failure;
    inputs.planholderName = std::get<QString>(name);

    const BirthCheck planholder =
        checkBirth(illustration, "7-StretchPDOB", today, LongestLife, "01/01/1950");
    if (planholder.failure)
        return *planholder.failure;
    const int planholderYears = today.year() - planholder.date->year();

    inputs.ple = wholeYears(illustration, "2-StretchPLEO");
    const int pleLimit = LongestLife - planholderYears;
    if (inputs.ple < 1 || inputs.ple > pleLimit)
        return ValidationFailure{
            QStringLiteral("2-StretchPLEO"),
            JoinLines({QStringLiteral("Enter the planholder's life expectancy."),
                       lifeExpectancyRange(pleLimit)}),
            QStringLiteral("Missing Planholder's Life Expectancy"), SampleLifeExpectancy};

    if (!illustration.controls().chkSkipSpouse) {
        auto spouse = fullName(illustration,
                               {"8-StretchSFirst", "8-StretchSMiddle", "8-StretchSLast", "Susan"});
        if (auto *failure = std::get_if<ValidationFailure>(&spouse))
            return *failure;
        inputs.spouseName = std::get<QString>(spouse);

        const BirthCheck birth =
            checkBirth(illustration, "7-StretchSDOB", today, OldestSpouse, "01/01/1950");
        if (birth.failure)
            return *birth.failure;
        inputs.sle = wholeYears(illustration, "2-StretchSLEO");
        const int sleLimit = LongestLife - (today.year() - birth.date->year());
        if (inputs.sle < 1 || inputs.sle > sleLimit)
            return ValidationFailure{QStringLiteral("2-StretchSLEO"), lifeExpectancyRange(sleLimit),
                                     QStringLiteral("Missing Spouse Beneficiary's Life Expectancy"),
                                     SampleLifeExpectancy};
        // The spouse phase exists only when it outlasts the planholder's; say so once a run.
        if (inputs.sle <= inputs.ple && !context.spouseWarningShown) {
            illustration.prompter().notice(QStringLiteral("Non-Essential Spouse Life Expectancy"),
                                           nonEssentialSpouseWarning(), MessageIcon::Exclamation);
            context.spouseWarningShown = true;
        }
    }

    auto beneficiary =
        fullName(illustration, {"8-StretchBFirst", "8-StretchBMiddle", "8-StretchBLast", "Jack"});
    if (auto *failure = std::get_if<ValidationFailure>(&beneficiary))
        return *failure;
    inputs.beneficiaryName = std::get<QString>(beneficiary);

    const BirthCheck heir =
        checkBirth(illustration, "7-StretchBDOB", today, LongestLife, "01/01/1990");
    if (heir.failure)
        return *heir.failure;
    // By calendar year: a beneficiary born in the planholder's birth year passes.
    if (planholder.date->year() > heir.date->year())
        return ValidationFailure{QStringLiteral("7-StretchBDOB"),
                                 JoinLines({QStringLiteral("The Non-Spouse Beneficiary MUST be"),
                                            QStringLiteral("YOUNGER than the Client.")}),
                                 DateInputError, QStringLiteral("01/01/1990")};

    inputs.planName = text(illustration, "8-StretchPlanName");
    if (inputs.planName.trimmed().isEmpty())
        return ValidationFailure{QStringLiteral("8-StretchPlanName"),
                                 QStringLiteral("Please enter the Plan Name."), MissingInformation,
                                 QStringLiteral("IRA Plan")};

    // An empty account passes when contributions will fill it.
    const double contribution =
        illustration.fields().cleanValue(QStringLiteral("6-StretchAcctCont"));
    if (illustration.fields().cleanValue(QStringLiteral("6-StretchAcctValue")) < 1 &&
        contribution < 1)
        return ValidationFailure{QStringLiteral("6-StretchAcctValue"),
                                 QStringLiteral("Please enter the Account Value."),
                                 MissingInformation, QStringLiteral("100000")};

    const double rate = illustration.fields().cleanValue(QStringLiteral("1-StretchROR"));
    if (rate < LowestRate || rate > HighestRate)
        return ValidationFailure{QStringLiteral("1-StretchROR"),
                                 QStringLiteral("Choose a Rate of Return between 1% and 12%."),
                                 QStringLiteral("Invalid Rate of Return"), QStringLiteral("8.00%")};

    // The limit of the current calendar year for the planholder's age at its end.
    const int limit =
        contributionLimit(today.year(), planholderYears, illustration.controls().chkRoth);
    if (contribution > limit)
        return ValidationFailure{
            QStringLiteral("6-StretchAcctCont"),
            QStringLiteral("Choose an Annual Contribution not greater than $") +
                NumberText::Format(limit, QStringLiteral("##,##0")) + QLatin1Char('.'),
            QStringLiteral("Invalid Contribution"),
            NumberText::Format(limit, QStringLiteral("####0"))};
    return inputs;
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
    if (const auto spouseBirth = DateText::ParseDate(text(illustration, "7-StretchSDOB"))) {
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

QStringList StretchGraphEntries(bool spousePhase) {
    QStringList entries = ControlLists::graphEntries();
    if (!spousePhase)
        entries.removeAll(QStringLiteral("Spouse Beneficiary"));
    return entries;
}

void LookUpLifeExpectancy(Illustration &illustration, int element, const QDate &today) {
    static constexpr std::array<std::pair<const char *, const char *>, 2> Buttons{{
        {"7-StretchPDOB", "2-StretchPLEO"},
        {"7-StretchSDOB", "2-StretchSLEO"},
    }};
    if (element < 0 || element >= int(Buttons.size()))
        throw FatalError(QStringLiteral("cmdCalc_Click"), ErrorNumber::InvalidProcedureCall,
                         QStringLiteral("No lookup button %1").arg(element));
    const auto &[birthTag, lifeTag] = Buttons[std::size_t(element)];
    const auto birth = DateText::ParseDate(text(illustration, birthTag));
    if (!birth)
        return;
    const int age = ageOn(*birth, today);
    // IRS Publication 590 Table I (Single Life Expectancy) at today's age, in whole years.
    const QString years =
        QString::number(qint64(std::nearbyint(double(RMDSINGLEFACTOR(0, age, age)))));
    illustration.editField(illustration.fields().SetIndex(QLatin1String(lifeTag)), years);
}

void RefreshSkipSpouse(Illustration &illustration) {
    FieldStore &fields = illustration.fields();
    const bool skipped = illustration.controls().chkSkipSpouse;
    const ColourRole look = skipped ? ColourRole::Grey : ColourRole::Normal;
    for (const SlotDefinition &slot : SlotTable::inputSlots()) {
        if (!QLatin1String(slot.tag).contains(QLatin1String("StretchS")))
            continue;
        if (skipped)
            fields.setText(slot.index, QString());
        fields.setCaptionColour(slot.index, look);
        fields.setBackground(slot.index, look);
        fields.setEnabled(slot.index, !skipped);
    }
}

void SetSkipSpouse(Illustration &illustration, bool checked) {
    illustration.setChecked(Control::chkSkipSpouse, checked);
    RefreshSkipSpouse(illustration);
}

bool SpouseLookupEnabled(const Illustration &illustration) {
    return !illustration.controls().chkSkipSpouse;
}
