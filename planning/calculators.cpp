#include "calculators.h"

#include "datetext.h"
#include "errornumber.h"
#include "fatalerror.h"
#include "fieldformat.h"
#include "illustration.h"
#include "prompter.h"

namespace {

template <typename Inputs>
Validation finish(Illustration &illustration, std::variant<Inputs, ValidationFailure> outcome) {
    if (auto *failure = std::get_if<ValidationFailure>(&outcome)) {
        ReportFailure(illustration, *failure);
        return {std::monostate{}, std::move(*failure)};
    }
    return {std::get<Inputs>(std::move(outcome)), std::nullopt};
}

FatalError notAvailable(const char *routine, Calculator calculator) {
    return FatalError(QLatin1String(routine), ErrorNumber::InvalidProcedureCall,
                      QStringLiteral("calculator ") +
                          QString::number(CalculatorNumber(calculator)) +
                          QStringLiteral(" is not available"));
}

// The note under a result when the other rule set gives another amount.
QString otherRuleSetNote(RuleSet rules, qint64 amount, std::optional<qint64> otherAmount) {
    if (!otherAmount || *otherAmount == amount)
        return QString();
    const RuleSet other = OtherRuleSet(rules);
    return QStringLiteral("Under %1 the required distribution would be %2.")
        .arg(other == RuleSet::CurrentLaw ? QStringLiteral("current law")
                                          : QStringLiteral("the 2002 regulations"),
             FormatDollars(QString::number(*otherAmount)));
}

void calculateRmd(Illustration &illustration, const RmdInputs &inputs, const CalcContext &context) {
    RefreshRetirementDate(illustration);
    CommonStart(illustration, context, inputs.calculationYear);
    const RmdResult result =
        ComputeRmd(inputs, illustration.fields().GetField(QStringLiteral("7-PlanRetDate")));
    if (context.detailedMode && result.factorComputed)
        illustration.prompter().notice(QStringLiteral("Calculation Details:"),
                                       RmdCalculationDetails(inputs, result),
                                       MessageIcon::Information);
    WriteRmdReport(inputs, result, illustration);
    RmdInputs other = inputs;
    other.rules = OtherRuleSet(inputs.rules);
    const RmdResult otherResult =
        ComputeRmd(other, illustration.fields().GetField(QStringLiteral("7-PlanRetDate")));
    illustration.setRuleSetOutcome(
        {QString(), otherRuleSetNote(inputs.rules, result.rmd, otherResult.rmd)});
}

void calculateRmbd(Illustration &illustration, const RmbdInputs &inputs,
                   const CalcContext &context) {
    CommonStart(illustration, context, inputs.calculationYear);
    const FieldStore &fields = illustration.fields();
    if (!DateText::IsDate(fields.GetField(QStringLiteral("7-DD1")))) {
        illustration.prompter().notice(QString(),
                                       QStringLiteral("Unexpected error: Invalid Date of Death."),
                                       MessageIcon::None);
        return;
    }
    const RmbdResult result = ComputeRmbd(inputs, illustration.controls().chkSurvivingSpouse,
                                          fields.GetField(QStringLiteral("7-OriginalDOB")));
    if (context.detailedMode && result.factor > 0)
        illustration.prompter().notice(inputs.planType + QStringLiteral(" Calculation Details:"),
                                       RmbdCalculationDetails(inputs, result),
                                       MessageIcon::Information);
    WriteRmbdReport(inputs, result, illustration);
    // Current law needs the original planholder's date of birth, which a 2002 illustration of a
    // non-spouse beneficiary may lack: then there is nothing to compare.
    RmbdInputs other = inputs;
    other.rules = OtherRuleSet(inputs.rules);
    const QString originalDob = fields.GetField(QStringLiteral("7-OriginalDOB"));
    std::optional<qint64> otherRmd;
    if (other.rules == RuleSet::Regulations2002 || DateText::IsDate(originalDob))
        otherRmd = ComputeRmbd(other, illustration.controls().chkSurvivingSpouse, originalDob).rmd;
    illustration.setRuleSetOutcome(
        {result.finalYear ? QString::number(result.finalYear) : QString(),
         otherRuleSetNote(inputs.rules, result.rmd, otherRmd)});
}

void calculateSepp(Illustration &illustration, const SeppInputs &inputs,
                   const CalcContext &context) {
    const SeppResult result = ComputeSepp(illustration);
    CommonStart(illustration, context, result.year);
    WriteSeppReport(inputs, result, illustration);
    // Nothing to set beside a 72(t) series: no note left over from another calculator.
    illustration.setRuleSetOutcome({});
}

// The projection's first year is the illustration's; CommonStart gives an edited illustration
// today's date before the projection reads it.
StretchProjection calculateStretch(Illustration &illustration, const CalcContext &context) {
    const auto dated =
        DateText::ParseDate(illustration.fields().GetField(QStringLiteral("6-IllustrationDate")));
    const int year = !illustration.isSaved() ? context.today.year() : dated ? dated->year() : 0;
    CommonStart(illustration, context, year ? QString::number(year) : QString());
    illustration.setRuleSetOutcome({});
    return ComputeStretch(illustration);
}

} // namespace

Validation DefineVariables(Illustration &illustration, CalcContext &context) {
    try {
        switch (illustration.calculator()) {
        case Calculator::Rmd:
            return finish(illustration, ValidateRmd(illustration, context.today));
        case Calculator::Rmbd:
            return finish(illustration, ValidateRmbd(illustration, context.today));
        case Calculator::Sepp:
            return finish(illustration, ValidateSepp(illustration, context));
        case Calculator::Stretch:
            return finish(illustration, ValidateStretch(illustration, context));
        }
        throw notAvailable("DefineVariables", illustration.calculator());
    } catch (const FatalError &) {
        throw;
    } catch (const std::exception &error) {
        throw FatalError(QStringLiteral("DefineVariables"), ErrorNumber::InvalidProcedureCall,
                         QString::fromLocal8Bit(error.what()));
    }
}

QStringList RuleSetConditions(const Illustration &illustration) {
    QStringList conditions;
    if (RuleSetOfCaption(illustration.controls().cmboRuleSet) == RuleSet::CurrentLaw)
        conditions << QStringLiteral("CurrentLaw");
    if (illustration.calculator() == Calculator::Sepp && SeppUnderNotice(illustration))
        conditions << QStringLiteral("Notice2022");
    return conditions;
}

CalculationResult CalculateValues(Illustration &illustration, const WorkingVariables &variables,
                                  CalcContext &context) {
    if (const auto *rmd = std::get_if<RmdInputs>(&variables))
        calculateRmd(illustration, *rmd, context);
    else if (const auto *rmbd = std::get_if<RmbdInputs>(&variables))
        calculateRmbd(illustration, *rmbd, context);
    else if (const auto *sepp = std::get_if<SeppInputs>(&variables))
        calculateSepp(illustration, *sepp, context);
    else if (std::holds_alternative<StretchInputs>(variables))
        return {calculateStretch(illustration, context)};
    else
        throw notAvailable("CalculateValues", illustration.calculator());
    return {};
}
