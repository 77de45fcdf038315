#include "stretchvalidation.h"

#include "datetext.h"
#include "illustration.h"
#include "numbertext.h"
#include "prompter.h"
#include "stretchfields.h"

#include <array>

using namespace StretchFields;

namespace {

constexpr int OldestSpouse = 98;
constexpr float LowestRate = 1;
constexpr float HighestRate = 12;

const QString MissingInformation = QStringLiteral("Missing Required Information.");
const QString DateInputError = QStringLiteral("Date Input Error");
const QString SampleLifeExpectancy = QStringLiteral("10");

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

} // namespace

std::variant<StretchInputs, ValidationFailure> ValidateStretch(Illustration &illustration,
                                                               CalcContext &context) {
    const QDate &today = context.today;
    StretchInputs inputs;

    auto name = FullName(illustration.fields(),
                         {"8-StretchPFirst", "8-StretchPMiddle", "8-StretchPLast", "John"});
    if (auto *failure = std::get_if<ValidationFailure>(&name))
        return *failure;
    inputs.planholderName = std::get<QString>(name);

    const BirthCheck planholder =
        CheckBirth(illustration.fields(), "7-StretchPDOB", today, LongestLife, "01/01/1950");
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
        auto spouse = FullName(illustration.fields(),
                               {"8-StretchSFirst", "8-StretchSMiddle", "8-StretchSLast", "Susan"});
        if (auto *failure = std::get_if<ValidationFailure>(&spouse))
            return *failure;
        inputs.spouseName = std::get<QString>(spouse);

        const BirthCheck birth =
            CheckBirth(illustration.fields(), "7-StretchSDOB", today, OldestSpouse, "01/01/1950");
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

    auto beneficiary = FullName(illustration.fields(),
                                {"8-StretchBFirst", "8-StretchBMiddle", "8-StretchBLast", "Jack"});
    if (auto *failure = std::get_if<ValidationFailure>(&beneficiary))
        return *failure;
    inputs.beneficiaryName = std::get<QString>(beneficiary);

    const BirthCheck heir =
        CheckBirth(illustration.fields(), "7-StretchBDOB", today, LongestLife, "01/01/1990");
    if (heir.failure)
        return *heir.failure;
    // By calendar year: a beneficiary born in the planholder's birth year passes.
    if (planholder.date->year() > heir.date->year())
        return ValidationFailure{QStringLiteral("7-StretchBDOB"),
                                 JoinLines({QStringLiteral("The Non-Spouse Beneficiary MUST be"),
                                            QStringLiteral("YOUNGER than the Client.")}),
                                 DateInputError, QStringLiteral("01/01/1990")};

    inputs.planName = FieldText(illustration, "8-StretchPlanName");
    if (inputs.planName.trimmed().isEmpty())
        return ValidationFailure{QStringLiteral("8-StretchPlanName"),
                                 QStringLiteral("Please enter the Plan Name."), MissingInformation,
                                 QStringLiteral("IRA Plan")};

    // An empty account passes when contributions will fill it.
    const double contribution =
        illustration.fields().cleanValue(QStringLiteral("6-StretchAcctCont"));
    if (illustration.fields().cleanValue(QStringLiteral("6-StretchAcctValue")) < 1 &&
        contribution < 1)
        return MissingAccountValue(QStringLiteral("6-StretchAcctValue"));
    for (const QString &amount :
         {QStringLiteral("6-StretchAcctValue"), QStringLiteral("6-StretchAcctCont")}) {
        if (auto failure = AmountOutsideField(illustration.fields(), amount))
            return *failure;
    }

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
