#include "calculationrun.h"

#include "illustration.h"
#include "sepppresenter.h"
#include "stretchtab.h"

CalculatorRun RunCalculator(Illustration &illustration, CalcContext &context) {
    const bool sepp = illustration.calculator() == Calculator::Sepp;
    if (sepp)
        RefreshEqualPayments(illustration, context, false);
    if (illustration.calculator() == Calculator::Stretch)
        RefreshSkipSpouse(illustration);

    CalculatorRun run;
    run.validation = DefineVariables(illustration, context);
    if (!run.validation.passed())
        return run;
    run.result = CalculateValues(illustration, run.validation.variables, context);
    if (sepp) {
        RefreshEqualPayments(illustration, context, false);
        run.result = CalculateValues(illustration, run.validation.variables, context);
    }
    return run;
}
