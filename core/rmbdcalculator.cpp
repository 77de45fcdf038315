#include "rmbdcalculator.h"

#include "controllists.h"
#include "currentlawrmbd.h"
#include "datetext.h"
#include "distribution.h"
#include "fieldformat.h"
#include "illustration.h"
#include "lawtables.h"
#include "lifetables.h"
#include "numbertext.h"
#include "rtftext.h"
#include "slottable.h"

using DateText::LongDate;
using DateText::ShortDate;
using NumberText::Val;

namespace {

constexpr int LongestPastDeath = 30; // years a date of death may lie back
constexpr int YoungestDeceased = 20;

ValidationFailure dateFailure(const char *tag, const char *line, const char *title,
                              const char *replacement) {
    return {QLatin1String(tag), WithDateHelp({QLatin1String(line)}), QLatin1String(title),
            QLatin1String(replacement)};
}

int ageOn(const QDate &birth, const QDate &asOf) {
    return std::max(0, CALCULATEAGE(birth, asOf, 0));
}

} // namespace

std::variant<RmbdInputs, ValidationFailure> ValidateRmbd(Illustration &illustration,
                                                         const QDate &today) {
    const FieldStore &fields = illustration.fields();
    RmbdInputs inputs;
    inputs.planType = illustration.controls().cmboPlanType1;
    inputs.rules = RuleSetOfCaption(illustration.controls().cmboRuleSet);
    inputs.beneficiaryClass = int(std::max<qsizetype>(
        0, ControlLists::beneficiaryClasses().indexOf(illustration.controls().cmboBeneClass)));
    inputs.spouseElection = illustration.controls().chkSpouseElection;

    const QString first = fields.GetField(QStringLiteral("8-BeneFirst"));
    if (first.trimmed().isEmpty())
        return ValidationFailure{
            QStringLiteral("8-BeneFirst"),
            JoinLines({QStringLiteral("The Beneficiary's first name is required"),
                       QStringLiteral("Please enter a first name.")}),
            QStringLiteral("Missing Required Information."), QStringLiteral("Sally")};
    inputs.beneficiaryName = first;
    const QString middle = fields.GetField(QStringLiteral("8-BeneMiddle"));
    if (!middle.isEmpty())
        inputs.beneficiaryName += QLatin1Char(' ') + middle;
    const QString last = fields.GetField(QStringLiteral("8-BeneLast"));
    if (last.trimmed().isEmpty())
        return ValidationFailure{
            QStringLiteral("8-BeneLast"),
            JoinLines({QStringLiteral("The Beneficiary's last name is required."),
                       QStringLiteral("Please enter a last name.")}),
            QStringLiteral("Missing Required Information."), QStringLiteral("Sample")};
    inputs.beneficiaryName += QLatin1Char(' ') + last;

    inputs.dateOfBirth = fields.GetField(QStringLiteral("7-BeneDOB"));
    const auto birth = DateText::ParseDate(inputs.dateOfBirth);
    if (!birth)
        return dateFailure("7-BeneDOB", "The Beneficiary's Date of Birth is required.",
                           "Missing Required Date", "12/07/1941");
    if (YearsBackOutside(*birth, today))
        return dateFailure("7-BeneDOB", "The Beneficiary's Date of Birth is incorrect.",
                           "Date Input Error", "01/01/1930");

    inputs.dateOfDeath = fields.GetField(QStringLiteral("7-DD1"));
    const auto death = DateText::ParseDate(inputs.dateOfDeath);
    if (!death)
        return dateFailure("7-DD1", "The Original Planholder's Date of Death is required.",
                           "Missing Required Date", "01/01/2000");
    if (today.year() - death->year() > LongestPastDeath || *death > today)
        return dateFailure("7-DD1", "The Date of Death is incorrect.", "Date Input Error",
                           "01/01/2000");

    inputs.calculationYear = fields.GetField(QStringLiteral("3-Year1"));
    const double year = Val(inputs.calculationYear);
    if (auto failure = CalculationYearFailure(QStringLiteral("3-Year1"), year, today,
                                              QStringLiteral("released in 2001 and 2002.")))
        return *failure;
    if (year - 1 < death->year())
        return ValidationFailure{
            QStringLiteral("7-DD1"),
            JoinLines({QStringLiteral("The calculation year must be at least one"),
                       QStringLiteral("year after the original planholder's death."),
                       QStringLiteral("If this is not the case, use the RMD Calculator"),
                       QStringLiteral("instead of the RMBD Calculator.")}),
            QStringLiteral("Invalid Entry."), QStringLiteral("01/01/2000")};

    inputs.accountValue = CleanNumber(fields.GetField(QStringLiteral("6-AcctValue1")));
    if (auto failure = AccountValueFailure(fields, QStringLiteral("6-AcctValue1")))
        return *failure;

    if (illustration.controls().chkSurvivingSpouse || inputs.rules == RuleSet::CurrentLaw) {
        const auto original = DateText::ParseDate(fields.GetField(QStringLiteral("7-OriginalDOB")));
        if (!original)
            return dateFailure("7-OriginalDOB",
                               "The Original Planholder's Date of Birth is required.",
                               "Missing Required Date", "01/01/1930");
        if (YearsBackOutside(*original, today, OldestAge, YoungestDeceased))
            return dateFailure("7-OriginalDOB", "The Date of Birth is incorrect.",
                               "Date Input Error", "01/01/1930");
    }
    return inputs;
}

RmbdResult ComputeRmbd(const RmbdInputs &inputs, bool survivingSpouse, const QString &originalDob) {
    RmbdResult result;
    const int year = int(Val(inputs.calculationYear));
    const QDate yearEnd(year, 12, 31);
    result.survivingSpouse = survivingSpouse;
    result.dateOfDeath = *DateText::ParseDate(inputs.dateOfDeath);
    result.dateOfBirth = *DateText::ParseDate(inputs.dateOfBirth);
    result.yearAfterDeath = QDate(result.dateOfDeath.year() + 1, 12, 31);
    result.currentAge = ageOn(result.dateOfBirth, yearEnd);

    int deceasedAgeAtDeath = 0;
    int deceasedAgeNow = 0;
    if (survivingSpouse) {
        // The spouse's own life expectancy, recalculated each year, from the year the deceased
        // would have reached 70 1/2.
        result.originalDateOfBirth = *DateText::ParseDate(originalDob);
        const QDate halfAge =
            *DateText::ParseDate(ApplicableAgeDate(inputs.rules, result.originalDateOfBirth));
        deceasedAgeNow = ageOn(result.originalDateOfBirth, yearEnd);
        deceasedAgeAtDeath =
            ageOn(result.originalDateOfBirth, QDate(result.dateOfDeath.year(), 12, 31));
        result.startAge = result.currentAge;
        result.candidateStart = QDate(halfAge.year(), 12, 31);
    } else {
        result.startAge = ageOn(result.dateOfBirth, result.yearAfterDeath);
        result.candidateStart = result.yearAfterDeath;
    }
    result.startDate = std::max(result.yearAfterDeath, result.candidateStart);

    if (result.startDate > yearEnd || WaivedYearNote(inputs.rules, year))
        return ApplyCurrentLawPayout(inputs, originalDob, result);

    const LifeTableEdition edition = EditionForYear(inputs.rules, year);
    // The longer-expectancy comparison never used the 2001 tables.
    const LifeTableEdition compared =
        edition == LifeTableEdition::Proposed2001 ? LifeTableEdition::Final2002 : edition;
    result.factor = SingleFactor(edition, result.startAge, result.currentAge);
    if (survivingSpouse && result.currentAge > deceasedAgeNow && deceasedAgeAtDeath > 70) {
        // An older spouse of a planholder who died past 70 may use the deceased's remaining
        // life expectancy when it is the longer (Treas. Reg. 1.401(a)(9)-5 Q&A-5(a)(1)).
        const float beneficiary = SingleFactor(compared, result.startAge, result.currentAge);
        const float deceased = SingleFactor(compared, deceasedAgeAtDeath, deceasedAgeNow);
        if (!(beneficiary > deceased)) {
            result.factor = deceased;
            result.startAge = deceasedAgeAtDeath;
            result.currentAge = deceasedAgeNow;
            result.deceasedFlag = true;
        }
    }
    // Counting down one a year, the factor of a fixed term reaches zero and below; by then the
    // whole balance is due (Treas. Reg. 1.401(a)(9)-5 Q&A-5(c)), which a divisor of 1 gives.
    if (result.factor < 1) {
        result.factor = 1;
        result.factorRaised = true;
    }
    result.rmd = RequiredDistribution(Val(inputs.accountValue), result.factor);
    result.penalty = MissedDistributionPenalty(result.rmd);
    return ApplyCurrentLawPayout(inputs, originalDob, result);
}

void WriteRmbdReport(const RmbdInputs &inputs, const RmbdResult &result,
                     Illustration &illustration) {
    FieldStore &fields = illustration.fields();
    // Report fields are RTF; every text here is plain.
    const auto set = [&fields](const QString &value, const char *tag) {
        fields.SetField(RtfText::escape(value), QLatin1String(tag));
    };
    const int year = int(Val(inputs.calculationYear));

    WriteIllustrationHeader(fields, inputs.calculationYear, inputs.planType,
                            fields.GetField(QStringLiteral("8-PlanName1")), inputs.beneficiaryName);
    set(LongDate(result.dateOfBirth), "R-PHDOB");
    set(result.survivingSpouse ? LongDate(result.originalDateOfBirth) : QString(), "R-OriginalDOB");
    set(result.uniformTable ? QStringLiteral("Uniform Lifetime")
                            : QStringLiteral("Single Life Expectancy"),
        "R-XTable");
    set(QString::number(result.startAge), "R-BAgeDD");
    fields.SetField(result.deceasedFlag ? QStringLiteral("Age of Original Planholder at Death")
                                        : SlotTable::AgeOnRbdTag,
                    SlotTable::AgeOnRbdTag);

    if (result.factor == 0) {
        set(QStringLiteral(" "), "R-AA");
        set(QStringLiteral("N/A"), "R-IRSTable");
    } else {
        QString ages = QStringLiteral("for age ") + QString::number(result.startAge);
        if (result.currentAge > result.startAge)
            ages += QStringLiteral(" minus") + NumberText::Str(result.currentAge - result.startAge);
        set(ages, "R-AA");
        set(NumberText::Format(result.factor, QStringLiteral("##.0")), "R-IRSTable");
    }
    set(LongDate(result.dateOfDeath), "R-DD");
    set(LongDate(result.yearAfterDeath), "R-RBD");
    set(LongDate(result.candidateStart), "R-DSpecial");
    set(FormatDollars(inputs.accountValue), "R-PlanValue");
    WriteDistribution(fields, result.rmd, result.penalty);
    set(LongDate(QDate(year, 12, 31)), "R-Dec31YYYY");
    if (inputs.rules == RuleSet::CurrentLaw)
        set(result.payoutNote, "R-NoteYear1");
    else
        set(year == 2009 ? Note2009() : QString(169, QLatin1Char(' ')), "R-NoteYear1");

    // Markers: spouse or non-spouse wording; "~X" keeps the note on a death before the start.
    if (result.survivingSpouse) {
        set(QStringLiteral("~S"), "R-1");
        set(result.dateOfDeath > result.candidateStart ? QStringLiteral("~X") : QString(), "R-2");
    } else {
        set(QStringLiteral("~N"), "R-1");
        set(QStringLiteral("~X"), "R-2");
    }
}

QString RmbdCalculationDetails(const RmbdInputs &inputs, const RmbdResult &result) {
    using NumberText::Str;
    const QString yearAfterDeath = ShortDate(result.yearAfterDeath);
    const QString yearEnd = QStringLiteral("12/31/") + inputs.calculationYear;
    return JoinLines({
        QStringLiteral("Planholder's Death Date: ") + ShortDate(result.dateOfDeath),
        QStringLiteral("Beneficiary's Required Beginning Date: ") + yearAfterDeath,
        QStringLiteral("Beneficiary Age on ") + yearAfterDeath + QLatin1Char(':') +
            Str(result.startAge),
        QStringLiteral("Beneficiary Age on ") + yearEnd + QLatin1Char(':') + Str(result.currentAge),
        QStringLiteral("Single RMD Factor (Without Recalc):") + Str(result.factor),
        QStringLiteral("RMD: ") + QString::number(result.rmd),
    });
}

void RefreshSurvivingSpouse(Illustration &illustration) {
    FieldStore &fields = illustration.fields();
    const int slot = fields.SetIndex(QStringLiteral("7-OriginalDOB"));
    const bool ticked =
        illustration.controls().chkSurvivingSpouse ||
        RuleSetOfCaption(illustration.controls().cmboRuleSet) == RuleSet::CurrentLaw;
    if (!ticked)
        fields.setText(slot, QString());
    fields.setEnabled(slot, ticked);
    fields.setBackground(slot, ticked ? ColourRole::Window : ColourRole::Grey);
    fields.setCaptionColour(slot, ticked ? ColourRole::Normal : ColourRole::Grey);
}

void RefreshRothPlanType(Illustration &illustration) {
    const bool roth = illustration.controls().cmboPlanType1 == QLatin1String("Roth IRA");
    if (roth)
        illustration.setChecked(Control::chkSurvivingSpouse, false, ChangeOrigin::Refresh);
    illustration.setSurvivingSpouseEnabled(!roth);
    RefreshSurvivingSpouse(illustration);
}
