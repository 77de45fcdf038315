#include "seppcalculator.h"

#include "annuityfactor.h"
#include "datetext.h"
#include "fieldformat.h"
#include "illustration.h"
#include "lawtables.h"
#include "lifetables.h"
#include "numbertext.h"
#include "prompter.h"
#include "rtftext.h"

#include <cmath>
#include <cstdlib>

using NumberText::Val;

namespace {

constexpr float LowestRate = 1;
constexpr float QuietRate = 6;
constexpr float NoticeQuietRate = 5; // Notice 2022-6 allows up to 5% whatever the mid-term rate
constexpr float HighestRate = 12;
const QDate FirstCalculationDate(2002, 1, 1); // Rev. Rul. 2002-62 governs from 2002 on
const QDate UnreadableDate(2100, 12, 1);      // an unreadable date fails the "after today" check

const QString MissingInformation = QStringLiteral("Missing Required Information.");
const QString DateInputError = QStringLiteral("Date Input Error");
const QString WebLookup = QStringLiteral("\"Web Lookup\"");

QString rateWarning() {
    return JoinLines({
        QStringLiteral("Important: The IRS has determined that the Chosen Interest Rate"),
        QStringLiteral("should be an interest rate not more than 120% of the federal"),
        QStringLiteral("mid-term rate for either of the two months prior to the date"),
        QStringLiteral("distributions will begin."),
        QString(),
        QStringLiteral("You may enter a rate between 1.00% and 12.00%, but"),
        QStringLiteral("we STRONGLY recommend that you press the ") + WebLookup +
            QStringLiteral(" button"),
        QStringLiteral("to find the maximum allowable rate."),
    });
}

QString noticeRateWarning() {
    return JoinLines({
        QStringLiteral("Important: Under IRS Notice 2022-6 the Chosen Interest Rate may not"),
        QStringLiteral("exceed the greater of 5% or 120% of the federal mid-term rate for"),
        QStringLiteral("either of the two months prior to the date distributions begin."),
        QString(),
        QStringLiteral("Please press the ") + WebLookup +
            QStringLiteral(" button to confirm that 120% of the"),
        QStringLiteral("mid-term rate is at least the rate chosen."),
    });
}

ValidationFailure rateFailure() {
    return {QStringLiteral("1-EqualROR"),
            JoinLines({QStringLiteral("Choose an Interest Rate. We strongly recommend that you"),
                       QStringLiteral("press the ") + WebLookup +
                           QStringLiteral(" button to review the federal"),
                       QStringLiteral("mid-term rates for the two months prior to the date when"),
                       QStringLiteral("distributions will begin.")}),
            QStringLiteral("Invalid Chosen Interest Rate"), QStringLiteral("4.00")};
}

// Whole years on December 31 of the calculation year; a birth after that day counts as 0.
int ageAtYearEnd(const QDate &birth, int year) {
    return std::max(0, CALCULATEAGE(birth, QDate(year, 12, 31), 0));
}

// Fixed amortization over n years of life expectancy, n not cut to whole years.
float amortizedPayment(double balance, double rate, float years) {
    const double growth = std::pow(1 + rate, double(years));
    return NumberText::Single(balance * rate * growth / (growth - 1));
}

QString dollars(float payment) {
    return QLatin1Char('$') + NumberText::Format(payment, QStringLiteral("###,##0.00"));
}

QString currency(double amount) {
    return FormatDollars(NumberText::Str(amount));
}

} // namespace

std::variant<SeppInputs, ValidationFailure> ValidateSepp(Illustration &illustration,
                                                         CalcContext &context) {
    FieldStore &fields = illustration.fields();
    const QDate &today = context.today;
    SeppInputs inputs;

    auto name = FullName(fields, {"8-EqualFirst", "8-EqualMiddle", "8-EqualLast", "John"});
    if (auto *failure = std::get_if<ValidationFailure>(&name))
        return *failure;
    inputs.fullName = std::get<QString>(name);

    // Calendar years, not exact ages: anyone born up to 115 years back in the year is allowed.
    const BirthCheck birth = CheckBirth(fields, "7-EqualDOB", today, OldestAge, "01/01/1950");
    if (birth.failure)
        return *birth.failure;

    if (!DateText::IsDate(FieldText(illustration, "7-EqualSpouseDOB1")))
        fields.SetField(QString(), QStringLiteral("7-EqualSpouseDOB1"));

    if (FieldText(illustration, "8-EqualPlanName").trimmed().isEmpty())
        return ValidationFailure{
            QStringLiteral("8-EqualPlanName"),
            JoinLines({QStringLiteral("The plan name is required."),
                       QStringLiteral("Please enter the name of this retirement plan.")}),
            MissingInformation, QStringLiteral("IRA Plan")};

    const QDate calculation =
        DateText::ParseDate(FieldText(illustration, "7-EqualDate")).value_or(UnreadableDate);
    if (calculation > today || calculation < FirstCalculationDate) {
        const QString todayText = DateText::ShortDate(today);
        return ValidationFailure{
            QStringLiteral("7-EqualDate"),
            JoinLines({QStringLiteral("The Calculation Date is incorrect."),
                       QStringLiteral("This calculator is based on IRS Revenue Ruling 2002-62"),
                       QStringLiteral("for plan years 2002 and thereafter."), QString(),
                       QStringLiteral("Please enter a date between 01/01/2002 and ") + todayText +
                           QLatin1Char('.')}),
            DateInputError, todayText};
    }

    if (auto failure = AccountValueFailure(fields, QStringLiteral("6-EqualAcctValue1")))
        return *failure;

    // A one-time change into (or annual recalculation under) the RMD method has no use for the
    // fixed methods' balance and rate.
    if (illustration.controls().chkRMDOnce)
        return inputs;

    if (auto failure = AccountValueFailure(fields, QStringLiteral("6-EqualAcctValue2")))
        return *failure;

    // The rate may not exceed 120% of the federal mid-term rate (Rev. Rul. 2002-62, 2.02(c));
    // above 6% that is doubtful enough to warn, once per run of the program.
    const float rate =
        NumberText::Single(illustration.fields().cleanValue(QStringLiteral("1-EqualROR")));
    if (rate < LowestRate || rate > HighestRate)
        return rateFailure();
    const bool notice = SeppUnderNotice(illustration);
    if (rate > (notice ? NoticeQuietRate : QuietRate) && !context.rateWarningShown) {
        illustration.prompter().notice(QStringLiteral("Questionable Interest Rate Assumption"),
                                       notice ? noticeRateWarning() : rateWarning(),
                                       MessageIcon::Exclamation);
        context.rateWarningShown = true;
    }
    return inputs;
}

SeppResult ComputeSepp(const Illustration &illustration) {
    SeppResult result;
    result.rmdOnce = illustration.controls().chkRMDOnce;

    const auto calculation = DateText::ParseDate(FieldText(illustration, "7-EqualDate"));
    if (calculation)
        result.year = DateText::ShortDate(*calculation).right(4);
    const int year = result.year.toInt();

    if (const auto birth = DateText::ParseDate(FieldText(illustration, "7-EqualDOB"));
        birth && year)
        result.age = ageAtYearEnd(*birth, year);
    if (const auto beneficiary = DateText::ParseDate(FieldText(illustration, "7-EqualSpouseDOB1"));
        beneficiary && year)
        result.beneficiaryAge = ageAtYearEnd(*beneficiary, year);

    const int age = result.age;
    result.notice2022_6 = SeppUnderNotice(illustration);
    // Rev. Rul. 2002-62 uses the 2002 tables; Notice 2022-6 the 2022 tables, its Appendix A
    // Uniform Lifetime Table below 72 being Joint(age, age - 10) of the 2022 joint table.
    const LifeTableEdition edition =
        result.notice2022_6 ? LifeTableEdition::Final2022 : LifeTableEdition::Final2002;
    result.factors[0] = SingleFactor(edition, age, age);
    result.factors[1] = JointFactor(edition, age, age, -1); // the owner alone: Uniform Lifetime
    result.factors[2] =
        result.beneficiaryAge > -1 ? JointFactor(edition, age, result.beneficiaryAge, 2) : 1.0f;

    // RMD method: the payment is rounded to the cent, ties to the even cent.
    result.balance1 = illustration.fields().cleanValue(QStringLiteral("6-EqualAcctValue1"));
    for (int i = 0; i < 3; ++i)
        result.payments[i] = NumberText::Single(
            NumberText::RoundHalfEven(result.balance1 / double(result.factors[i]), 2));

    if (result.rmdOnce)
        return result;

    // Fixed amortization and annuitization (Rev. Rul. 2002-62, 2.01(b) and (c)): not rounded.
    const double rate = illustration.fields().cleanValue(QStringLiteral("1-EqualROR")) / 100;
    result.balance2 = illustration.fields().cleanValue(QStringLiteral("6-EqualAcctValue2"));
    for (int i = 0; i < 3; ++i)
        result.payments[3 + i] = amortizedPayment(result.balance2, rate, result.factors[i]);
    result.annuityFactor =
        result.notice2022_6 ? AnnuityFactor2022(age, rate) : AnnuityFactor(age, rate);
    // A negative factor is an error code (age or rate out of range): payment 7 stays 0.
    if (result.annuityFactor > 0)
        result.payments[6] = NumberText::Single(result.balance2 / double(result.annuityFactor));
    return result;
}

void WriteSeppReport(const SeppInputs &inputs, const SeppResult &result,
                     Illustration &illustration) {
    FieldStore &fields = illustration.fields();
    // Report fields are RTF; every text here is plain but the representative's name, which is
    // cut from the RTF block.
    const auto set = [&fields](const QString &value, const QString &tag) {
        fields.SetField(RtfText::escape(value), tag);
    };
    const QString beneficiaryBirth = FieldText(illustration, "7-EqualSpouseDOB1");
    const QString payment = QStringLiteral("R-Payment");
    const QString factor = QStringLiteral("R-Factor");

    set(result.rmdOnce ? QStringLiteral("~K") : QStringLiteral("~S"), QStringLiteral("R-IRSPen"));

    set(FieldText(illustration, "8-EqualPlanName"), QStringLiteral("R-PlanName"));
    set(inputs.fullName, QStringLiteral("R-PHName"));
    set(FormatLongDate(FieldText(illustration, "7-EqualDOB")), QStringLiteral("R-PHDOB"));
    set(NumberText::Str(result.age), QStringLiteral("R-Age"));
    set(FormatLongDate(beneficiaryBirth), QStringLiteral("R-BeneDOB"));
    // Digits without sign or blank: no beneficiary (-1) gives "1".
    set(QString::number(std::abs(result.beneficiaryAge)), QStringLiteral("R-BT"));
    for (int i = 0; i < 3; ++i)
        set(NumberText::Format(result.factors[i], QStringLiteral("##.0")),
            factor + QString::number(i + 1));
    set(result.year, QStringLiteral("R-YYYY"));
    set(QString::number(result.year.toInt() - 1), QStringLiteral("R-YYY1"));
    set(currency(result.balance1), QStringLiteral("R-PlanValue"));
    for (int i = 0; i < 3; ++i)
        set(dollars(result.payments[i]), payment + QString::number(i + 1));
    set(FormatLongDate(FieldText(illustration, "7-EqualDate")), QStringLiteral("R-CalcDate"));
    set(FieldText(illustration, "1-EqualROR"), QStringLiteral("R-AA"));
    set(currency(result.balance2), QStringLiteral("R-PValue"));
    for (int i = 3; i < 7; ++i)
        set(dollars(result.payments[i]), payment + QString::number(i + 1));
    set(DateText::IsDate(beneficiaryBirth) ? QStringLiteral("~@") : QStringLiteral("~J"),
        QStringLiteral("R-RBD"));

    // The selected method's marker and amount; with no option selected every marker is blank
    // and the amount stays as it was.
    const int selected = illustration.controls().optEqualPmt;
    for (int i = 0; i < 7; ++i)
        set(i == selected ? QStringLiteral(" X") : QStringLiteral(" "),
            QStringLiteral("R-") + QString::number(i + 1));
    if (selected >= 0 && selected < 7)
        set(illustration.seppTab().options[std::size_t(selected)].amount,
            QStringLiteral("6-RMD_Amt"));

    // The representative's name: the block up to and including the blank before its first
    // bullet ("R-Aname" itself, written by the common start, is left as it is). Without a bullet
    // the block holds no agency or address, and the name is its first line; leaving the field
    // unchanged would print the placeholder itself, or another representative's name from an
    // earlier run. Only the block's own control words count: a name may hold "\\par" as escaped
    // text.
    const QString block = fields.GetField(QStringLiteral("R-Aname"));
    const qsizetype bulletWord = RtfText::indexOfControlWord(block, u"bullet");
    const qsizetype bullet =
        bulletWord > 0 && block.at(bulletWord - 1) == u' ' ? bulletWord - 1 : -1;
    const qsizetype lineEnd = RtfText::indexOfControlWord(block, u"par");
    const qsizetype nameEnd = lineEnd < 0 ? block.size() : lineEnd;
    const QString nameAgent = bullet > 0 && bullet < nameEnd
                                  ? block.left(bullet + 1)
                                  : block.left(bullet >= 0 ? std::min(bullet, nameEnd) : nameEnd);
    fields.SetField(nameAgent, QStringLiteral("R-NameAgent"));
}

bool SeppUnderNotice(const Illustration &illustration) {
    const auto start = DateText::ParseDate(FieldText(illustration, "7-EqualDate"));
    return start && SeppUnderNotice2022_6(RuleSetOfCaption(illustration.controls().cmboRuleSet),
                                          start->year());
}
