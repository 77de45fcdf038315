#include "calccommand.h"

#include "batcherror.h"
#include "batchoptions.h"
#include "calculation.h"
#include "illustration.h"
#include "illustrationjson.h"
#include "orderedjson.h"
#include "recordingprompter.h"

namespace {

QString invalidJson(const ValidationFailure &failure) {
    return OrderedJson()
        .add(QStringLiteral("status"), QStringLiteral("invalid"))
        .add(QStringLiteral("tag"), failure.tag)
        .add(QStringLiteral("title"), failure.title)
        .add(QStringLiteral("message"), failure.message)
        .add(QStringLiteral("replacement"), failure.replacement)
        .text();
}

// Report slots in slot order. "R-PlanType" stands in three slots but only the first is ever
// written, so it is listed once.
OrderedJson reportFields(const FieldStore &fields) {
    OrderedJson object;
    QStringList seen;
    for (const SlotDefinition &slot : SlotTable::reportSlots()) {
        const QString tag = QLatin1String(slot.tag);
        if (tag.isEmpty() || seen.contains(tag))
            continue;
        seen.append(tag);
        object.add(tag, fields.text(slot.index));
    }
    return object;
}

OrderedJson inputFields(const FieldStore &fields) {
    OrderedJson object;
    for (const SlotDefinition &slot : SlotTable::inputSlots()) {
        if (*slot.tag != '\0')
            object.add(QLatin1String(slot.tag), fields.text(slot.index));
    }
    return object;
}

QStringList notices(const RecordingPrompter &prompter) {
    QStringList items;
    for (const auto &message : prompter.messages())
        items.append(OrderedJson()
                         .add(QStringLiteral("caption"), message.caption)
                         .add(QStringLiteral("text"), message.text)
                         .text());
    return items;
}

} // namespace

int RunCalc(const QStringList &arguments) {
    QCommandLineParser parser;
    ParseOptions(
        parser, arguments,
        {{QStringLiteral("input"), QStringLiteral("Illustration file."),
          QStringLiteral("ILL.json")},
         {QStringLiteral("today"), QStringLiteral("Today's date."), QStringLiteral("MM/DD/YYYY")},
         {QStringLiteral("rep"), QStringLiteral("Representative file."),
          QStringLiteral("REP.json")}});
    const QDate today = TodayOption(parser);
    const QByteArray illustrationText =
        ReadInputFile(RequiredOption(parser, QStringLiteral("input")));

    CalcContext context;
    context.today = today;
    if (parser.isSet(QStringLiteral("rep")))
        context.representative =
            ReadRepresentativeJson(ReadInputFile(parser.value(QStringLiteral("rep"))));

    RecordingPrompter prompter;
    Illustration illustration(prompter);
    context.detailedMode = ReadIllustrationJson(illustrationText, illustration, today).detailedMode;
    if (!CalculatorAvailable(illustration.calculator()))
        throw badInput(
            QStringLiteral("calculator %1 is not available yet").arg(illustration.calculator()));

    const Validation validation = DefineVariables(illustration, context);
    if (!validation.passed()) {
        PrintJson(invalidJson(*validation.failure));
        return int(ExitCode::ValidationFailed);
    }
    CalculateValues(illustration, validation.variables, context);
    PrintJson(OrderedJson()
                  .add(QStringLiteral("status"), QStringLiteral("ok"))
                  .add(QStringLiteral("calculator"), illustration.calculator())
                  .add(QStringLiteral("fields"), reportFields(illustration.fields()))
                  .add(QStringLiteral("inputs"), inputFields(illustration.fields()))
                  .addArray(QStringLiteral("notices"), notices(prompter))
                  .text());
    return int(ExitCode::Ok);
}
