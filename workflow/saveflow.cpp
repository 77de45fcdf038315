#include "saveflow.h"

#include "calculationrun.h"
#include "illustration.h"
#include "prompter.h"

SaveOutcome SaveIllustration(const IllustrationDatabase &database, Illustration &illustration,
                             bool ask, CalcContext &context, SaveTarget target) {
    if (illustration.isSaved())
        return {};
    Prompter &prompter = illustration.prompter();
    if (ask && prompter.ask(QStringLiteral("Illustration Data"),
                            QStringLiteral("Your current illustration is not saved.\r\nDo you "
                                           "wish to save it?"),
                            Buttons::YesNo, MessageIcon::Question) != Answer::Yes)
        return {SaveOutcome::Kind::Declined, 0, std::nullopt, std::nullopt};

    const Validation validation = DefineVariables(illustration, context);
    if (!validation.passed())
        return {SaveOutcome::Kind::Invalid, 0, validation.failure, std::nullopt};

    const WriteOutcome written = WriteIllustration(database, illustration, target);
    if (!written.ok()) {
        prompter.notice(QStringLiteral("Data Writing Error"),
                        QStringLiteral("Record not saved.\r\n") + written.error->description,
                        MessageIcon::None);
        return {SaveOutcome::Kind::Failed, 0, std::nullopt, written.error};
    }
    return {SaveOutcome::Kind::Saved, written.record, std::nullopt, std::nullopt};
}

SaveOutcome SaveFromMenu(const IllustrationDatabase &database, Illustration &illustration,
                         CalcContext &context, SaveTarget target) {
    const CalculatorRun run = RunCalculator(illustration, context);
    if (!run.passed())
        return {SaveOutcome::Kind::Invalid, 0, run.validation.failure, std::nullopt};
    return SaveIllustration(database, illustration, false, context, target);
}
