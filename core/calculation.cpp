#include "calculation.h"

#include "datetext.h"
#include "fatalerror.h"
#include "illustration.h"
#include "prompter.h"

namespace {

// Runtime error numbers as the fatal message reports them.
constexpr int ErrorInvalidProcedureCall = 5;

Validation failed(Illustration &illustration, ValidationFailure failure) {
    illustration.fields().ShowFieldError(failure.message, failure.title, illustration.calculator(),
                                         failure.tag, failure.replacement);
    return {std::monostate{}, std::move(failure)};
}

} // namespace

bool CalculatorAvailable(int calculator) {
    return calculator == 0;
}

Validation DefineVariables(Illustration &illustration, const CalcContext &context) {
    try {
        switch (illustration.calculator()) {
        case 0: {
            auto outcome = ValidateRmd(illustration, context.today);
            if (auto *failure = std::get_if<ValidationFailure>(&outcome))
                return failed(illustration, std::move(*failure));
            return {std::get<RmdInputs>(std::move(outcome)), std::nullopt};
        }
        default:
            throw FatalError(QStringLiteral("DefineVariables"), ErrorInvalidProcedureCall,
                             QStringLiteral("calculator ") +
                                 QString::number(illustration.calculator()) +
                                 QStringLiteral(" is not available"));
        }
    } catch (const FatalError &) {
        throw;
    } catch (const std::exception &error) {
        throw FatalError(QStringLiteral("DefineVariables"), ErrorInvalidProcedureCall,
                         QString::fromLocal8Bit(error.what()));
    }
}

void CalculateValues(Illustration &illustration, const WorkingVariables &variables,
                     const CalcContext &context) {
    FieldStore &fields = illustration.fields();
    const auto *rmd = std::get_if<RmdInputs>(&variables);
    if (!rmd)
        throw FatalError(QStringLiteral("CalculateValues"), ErrorInvalidProcedureCall,
                         QStringLiteral("no validated entries for calculator ") +
                             QString::number(illustration.calculator()));

    RefreshRetirementDate(illustration);
    fields.SetField(BuildRepresentativeBlock(context.representative), QStringLiteral("R-Aname"));
    fields.SetField(rmd->calculationYear, QStringLiteral("R-YYYY"));
    if (!illustration.isSaved())
        fields.SetField(DateText::ShortDate(context.today), QStringLiteral("6-IllustrationDate"));

    const RmdResult result = ComputeRmd(*rmd, fields.GetField(QStringLiteral("7-PlanRetDate")));
    if (context.detailedMode && result.factorComputed)
        illustration.prompter().notice(QStringLiteral("Calculation Details:"),
                                       RmdCalculationDetails(*rmd, result),
                                       MessageIcon::Information);
    WriteRmdReport(*rmd, result, illustration);
}
