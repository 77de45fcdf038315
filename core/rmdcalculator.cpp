#include "rmdcalculator.h"

#include "datetext.h"
#include "distribution.h"
#include "fieldformat.h"
#include "illustration.h"
#include "lawtables.h"
#include "lifetables.h"
#include "numbertext.h"
#include "rtftext.h"

using DateText::ShortDate;
using NumberText::Val;

namespace {

const QString SampleDate = QStringLiteral("01/01/1930");

ValidationFailure dateFailure(const char *tag, const QStringList &lines, const char *title,
                              const QString &replacement = SampleDate) {
    return {QLatin1String(tag), WithDateHelp(lines), QLatin1String(title), replacement};
}

QString firstYearNote(const QString &rbd, int rbdYear, const QString &calculationYear) {
    const QString longRbd = FormatLongDate(rbd);
    return QStringLiteral("** Although you can wait until ") + longRbd +
           QStringLiteral(" to withdraw ") +
           QStringLiteral("your Required Minimum Distribution, it is often unadvisable to do ") +
           QStringLiteral("this since you will have to take a second distribution before ") +
           QStringLiteral("the end of ") + QString::number(rbdYear) +
           QStringLiteral(". Since all distributions are ") +
           QStringLiteral("taxed as ordinary income, this could put you into a higher income ") +
           QStringLiteral(
               "tax bracket and result in higher taxes than if you took the distribution ") +
           QStringLiteral("in ") + calculationYear +
           QStringLiteral(". Consult your income tax advisor for details.");
}

QString aprilFirst(int year) {
    return QStringLiteral("04/01/") + QString::number(year);
}

} // namespace

std::variant<RmdInputs, ValidationFailure> ValidateRmd(Illustration &illustration,
                                                       const QDate &today) {
    FieldStore &fields = illustration.fields();
    RmdInputs inputs;
    inputs.planType = illustration.controls().cmboPlanType0;
    inputs.rules = RuleSetOfCaption(illustration.controls().cmboRuleSet);

    const QString first = fields.GetField(QStringLiteral("8-PartFirst"));
    if (first.isEmpty())
        return ValidationFailure{
            QStringLiteral("8-PartFirst"), QStringLiteral("Please enter a first name."),
            QStringLiteral("Missing Required Information."), QStringLiteral("John")};
    inputs.fullName = first.trimmed();
    const QString middle = fields.GetField(QStringLiteral("8-PartMiddle"));
    if (!middle.isEmpty())
        inputs.fullName += QLatin1Char(' ') + middle.trimmed();

    const QString last = fields.GetField(QStringLiteral("8-PartLast"));
    if (last.isEmpty())
        return ValidationFailure{
            QStringLiteral("8-PartLast"), QStringLiteral("Please enter a last name."),
            QStringLiteral("Missing Required Information."), QStringLiteral("Sample")};
    inputs.fullName += QLatin1Char(' ') + last.trimmed();

    inputs.dateOfBirth = fields.GetField(QStringLiteral("7-PartDOB"));
    const auto birth = DateText::ParseDate(inputs.dateOfBirth);
    if (!birth)
        return dateFailure("7-PartDOB",
                           {QStringLiteral("The Planholder's Date of Birth is required.")},
                           "Date Input Error");
    if (YearsBackOutside(*birth, today))
        return dateFailure("7-PartDOB",
                           {QStringLiteral("The Planholder's Date of Birth is incorrect.")},
                           "Date Input Error");

    if (illustration.controls().optUseJoint == 0) {
        inputs.spouseDateOfBirth = fields.GetField(QStringLiteral("7-SpouseDOB"));
        const auto spouse = DateText::ParseDate(inputs.spouseDateOfBirth);
        if (!spouse)
            return dateFailure("7-SpouseDOB",
                               {QStringLiteral("The Spouse's Date of Birth is required.")},
                               "Date Input Error");
        if (YearsBackOutside(*spouse, today))
            return dateFailure("7-SpouseDOB",
                               {QStringLiteral("The Spouse's Date of Birth is incorrect.")},
                               "Date Input Error");
        if (spouse->year() - birth->year() < 11)
            return dateFailure("7-SpouseDOB",
                               {QStringLiteral("The Spouse's Date of Birth must be a date that"),
                                QStringLiteral("will produce a Spouse age more than 10 years"),
                                QStringLiteral("younger than the Client to qualify to use the"),
                                QStringLiteral("Joint Life Expectancy Table."), QString()},
                               "Incorrect Spouse Date of Birth");
    } else {
        fields.SetField(QString(), QStringLiteral("7-SpouseDOB"));
    }

    const QString death = fields.GetField(QStringLiteral("7-DD0"));
    std::optional<QDate> deathDate;
    if (!death.trimmed().isEmpty()) {
        deathDate = DateText::ParseDate(death);
        if (!deathDate)
            return dateFailure(
                "7-DD0",
                {QStringLiteral("The Planholder's Date of Death is not entered correctly.")},
                "Date Input Error", QString());
        inputs.dateOfDeath = death;
    } else {
        fields.SetField(QString(), QStringLiteral("7-DD0"));
    }

    const QString retirement = fields.GetField(QStringLiteral("7-PlanRetDate"));
    if (!retirement.trimmed().isEmpty() && !DateText::IsDate(retirement))
        return dateFailure(
            "7-PlanRetDate",
            {QStringLiteral("The Planholder's Retirement Date is not entered correctly.")},
            "Date Input Error", QString());

    inputs.calculationYear = fields.GetField(QStringLiteral("3-Year0"));
    const double year = Val(inputs.calculationYear);
    if (auto failure = CalculationYearFailure(
            QStringLiteral("3-Year0"), year, today,
            QStringLiteral("released in 2001 and the 1 year change for 2009.")))
        return *failure;

    if (deathDate && deathDate->year() != int(year))
        return ValidationFailure{
            QStringLiteral("7-DD0"),
            WithDateHelp({QStringLiteral("The Date of Death must occur during the"),
                          QStringLiteral("calculation year. If the date of death is"),
                          QStringLiteral("other than in the calculation year, use the"),
                          QStringLiteral("Required Minimum Beneficiary Calculator."), QString()}),
            QStringLiteral("Date Input Error ") + death, ShortDate(today)};

    inputs.accountValue = CleanNumber(fields.GetField(QStringLiteral("6-AcctValue0")));
    if (auto failure = AccountValueFailure(fields, QStringLiteral("6-AcctValue0")))
        return *failure;
    return inputs;
}

RmdResult ComputeRmd(const RmdInputs &inputs, const QString &retirementDate) {
    RmdResult result;
    const int year = int(Val(inputs.calculationYear));
    const QDate yearEnd(year, 12, 31);
    result.dateOfBirth = *DateText::ParseDate(inputs.dateOfBirth);
    const auto spouse = DateText::ParseDate(inputs.spouseDateOfBirth);
    result.joint = spouse.has_value();
    result.spouseDate = spouse.value_or(result.dateOfBirth);

    const ApplicableAge applicableAge = ApplicableAgeFor(inputs.rules, result.dateOfBirth);
    if (!inputs.planType.contains(QLatin1String("Roth"))) {
        result.halfAgeDate = ApplicableAgeDate(inputs.rules, result.dateOfBirth);
        const QDate halfAge = *DateText::ParseDate(result.halfAgeDate);
        result.firstDistributionYear = halfAge.year();
        const auto retired = DateText::ParseDate(retirementDate);
        if (retired && *retired > halfAge)
            result.firstDistributionYear = retired->year();
        result.requiredBeginningDate = aprilFirst(result.firstDistributionYear + 1);
        if (year >= result.firstDistributionYear) {
            result.age = std::max(0, CALCULATEAGE(result.dateOfBirth, yearEnd, 0));
            result.spouseAge = std::max(0, CALCULATEAGE(result.spouseDate, yearEnd, 0));
        }
    }

    if (result.requiredBeginningDate == aprilFirst(year + 1)) {
        result.dec31 = FormatLongDate(result.requiredBeginningDate) + QStringLiteral("**");
        result.noteYear1 = firstYearNote(result.requiredBeginningDate,
                                         result.firstDistributionYear + 1, inputs.calculationYear);
    } else if (const auto waived = WaivedYearNote(inputs.rules, year)) {
        result.dec31 = DateText::LongDate(yearEnd);
        result.noteYear1 = waived->leftJustified(400, QLatin1Char(' '), true);
    } else {
        result.dec31 = DateText::LongDate(yearEnd);
        result.noteYear1 = QString(400, QLatin1Char(' '));
    }

    if (!WaivedYearNote(inputs.rules, year) && result.age >= applicableAge.years) {
        const int flag = result.joint ? -1 : 0;
        result.factor =
            JointFactor(EditionForYear(inputs.rules, year), result.age, result.spouseAge, flag);
        result.factorComputed = true;
        result.rmd = RequiredDistribution(Val(inputs.accountValue), result.factor);
    }
    result.penalty = ExciseTax(result.rmd, ExcisePercent(inputs.rules, year));
    if (inputs.rules == RuleSet::CurrentLaw) {
        // Current law names itself in the note paragraph, which the templates give every report.
        const QString note =
            QStringList{result.noteYear1.trimmed(), RuleSetWording(inputs.rules, year),
                        CurrentLawOwnerNotes(inputs.rules, year, inputs.planType)}
                .join(QLatin1Char(' '))
                .trimmed();
        result.noteYear1 = note.leftJustified(400, QLatin1Char(' '));
    }
    return result;
}

void WriteRmdReport(const RmdInputs &inputs, const RmdResult &result, Illustration &illustration) {
    FieldStore &fields = illustration.fields();
    // Report fields are RTF; every text here is plain but the date-of-death line.
    const auto set = [&fields](const QString &value, const char *tag) {
        fields.SetField(RtfText::escape(value), QLatin1String(tag));
    };
    WriteIllustrationHeader(fields, inputs.calculationYear, inputs.planType,
                            fields.GetField(QStringLiteral("8-PlanName0")), inputs.fullName);

    QString birth = DateText::LongDate(result.dateOfBirth);
    if (!inputs.dateOfDeath.isEmpty())
        birth += QStringLiteral("\\par \\tab Date of death \\tab ") +
                 RtfText::escape(FormatLongDate(inputs.dateOfDeath));
    fields.SetField(birth, QStringLiteral("R-PHDOB"));
    if (result.joint)
        set(DateText::LongDate(result.spouseDate), "R-SpouseDOB");

    const bool jointTable =
        result.joint && std::abs(result.spouseDate.year() - result.dateOfBirth.year()) > 10;
    set(jointTable ? QStringLiteral("Joint Life Expectancy") : QStringLiteral("Uniform Lifetime"),
        "R-XTable");
    QString applicableDate = FormatLongDate(result.halfAgeDate);
    const ApplicableAge age = ApplicableAgeFor(inputs.rules, result.dateOfBirth);
    // The template's line names age 70 1/2; a later applicable age says which it is.
    if (!result.halfAgeDate.isEmpty() && age.months == 0)
        applicableDate += QStringLiteral(" (applicable age ") + age.text() + QLatin1Char(')');
    set(applicableDate, "R-Plan70");

    const QString retirement = fields.GetField(QStringLiteral("7-PlanRetDate"));
    set(DateText::IsDate(retirement) ? FormatLongDate(retirement) : QStringLiteral("~R"),
        "R-RetDate");
    set(FormatLongDate(result.requiredBeginningDate), "R-RBD");
    set(FormatDollars(inputs.accountValue), "R-PlanValue");

    if (result.factor > 0) {
        set(NumberText::Format(result.factor, QStringLiteral("##.0")), "R-IRSTable");
        QString ages = QStringLiteral("for age ") + QString::number(result.age);
        if (jointTable)
            ages += QStringLiteral(" /") + NumberText::Str(double(result.spouseAge));
        set(ages, "R-AA");
    } else {
        set(QStringLiteral("N/A"), "R-IRSTable");
        set(QStringLiteral(" "), "R-AA");
    }
    WriteDistribution(fields, result.rmd, result.penalty);
    set(result.dec31, "R-Dec31YYYY");
    set(result.noteYear1, "R-NoteYear1");

    // Plan-type markers: the templates keep or cut their IRA and 403(b) sections by them.
    if (inputs.planType.contains(QLatin1String("IRA"))) {
        set(QStringLiteral("~X"), "R-1");
        set(QStringLiteral("~4"), "R-2");
    } else if (inputs.planType.contains(QLatin1String("403"))) {
        set(QStringLiteral("~I"), "R-1");
        set(QStringLiteral("~X"), "R-2");
    } else {
        set(QStringLiteral("~I"), "R-1");
        set(QStringLiteral("~4"), "R-2");
    }
}

QString RmdCalculationDetails(const RmdInputs &inputs, const RmdResult &result) {
    using NumberText::Str;
    const QString yearEnd = QStringLiteral("12/31/") + inputs.calculationYear;
    QStringList lines{QStringLiteral("Planholder Age on ") + yearEnd + QLatin1Char(':') +
                      Str(double(result.age))};
    if (result.joint) {
        lines << QStringLiteral("Spouse Age on ") + yearEnd + QLatin1Char(':') +
                     Str(double(result.spouseAge))
              << QStringLiteral("RMD Factor from Joint Life Table =") + Str(result.factor);
    } else {
        lines << QStringLiteral("RMD Factor from Uniform Lifetime Table =") + Str(result.factor);
    }
    lines << QStringLiteral("RMD: ") + QString::number(result.rmd);
    return JoinLines(lines);
}

namespace {

void refreshField(FieldStore &fields, const char *tag, bool enabled) {
    const int slot = fields.SetIndex(QLatin1String(tag));
    if (!enabled)
        fields.setText(slot, QString());
    fields.setEnabled(slot, enabled);
    fields.setBackground(slot, enabled ? ColourRole::Normal : ColourRole::Grey);
}

} // namespace

void RefreshSpouseDate(Illustration &illustration) {
    refreshField(illustration.fields(), "7-SpouseDOB", illustration.controls().optUseJoint == 0);
}

void RefreshRetirementDate(Illustration &illustration) {
    refreshField(illustration.fields(), "7-PlanRetDate",
                 illustration.controls().cmboPlanType0.startsWith(QLatin1Char('4')));
}
