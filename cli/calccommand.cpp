#include "calccommand.h"

#include "batchcalculation.h"
#include "batcherror.h"
#include "batchoptions.h"
#include "calculators.h"
#include "csvexport.h"
#include "illustration.h"
#include "illustrationjson.h"
#include "orderedjson.h"
#include "recordingprompter.h"
#include "ruleset.h"
#include "sepppresenter.h"
#include "stretchreport.h"

namespace {

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

// The SEPP tab's seven method options as the live refresh left them.
QStringList equalPaymentOptions(const Illustration &illustration) {
    QStringList items;
    const auto &captions = EqualPaymentCaptions();
    for (int index = 0; index < 7; ++index) {
        const EqualPaymentOption &option = illustration.seppTab().options[std::size_t(index)];
        items.append(
            OrderedJson()
                .add(QStringLiteral("caption"), QLatin1String(captions[std::size_t(index)]))
                .add(QStringLiteral("amount"), option.amount)
                .add(QStringLiteral("enabled"), option.enabled)
                .add(QStringLiteral("selected"), illustration.controls().optEqualPmt == index)
                .text());
    }
    return items;
}

QString numberArray(const QStringList &numbers) {
    return QLatin1Char('[') + numbers.join(QLatin1Char(',')) + QLatin1Char(']');
}

// One array per phase, in it one per column, in that one per year: the table's own indexing.
QStringList projectionPhases(const ProjectionTable &table) {
    QStringList phases;
    for (int phase = 0; phase < Projection::Phases; ++phase) {
        QStringList columns;
        for (int column = 0; column < Projection::Columns; ++column) {
            QStringList years;
            for (int year = 0; year < Projection::Years; ++year)
                years.append(QString::number(table.at(phase, column, year)));
            columns.append(numberArray(years));
        }
        phases.append(numberArray(columns));
    }
    return phases;
}

QStringList quoted(const QStringList &texts) {
    QStringList items;
    for (const QString &text : texts)
        items.append(OrderedJson::quote(text));
    return items;
}

void addStretch(OrderedJson &output, const StretchProjection &projection,
                const StretchReportData &report) {
    OrderedJson variables;
    for (const ReportValue &value : report.values)
        variables.add(value.name, value.value);
    OrderedJson tables;
    for (const LedgerTable &table : report.tables)
        tables.addArray(table.name, quoted(table.entries));
    output.add(QStringLiteral("PLE"), projection.ple)
        .add(QStringLiteral("SLE"), projection.sle)
        .add(QStringLiteral("LAST"), projection.last)
        .add(QStringLiteral("BLAST"), projection.blast)
        .addArray(QStringLiteral("projection"), projectionPhases(projection.table))
        .add(QStringLiteral("variables"), variables)
        .addArray(QStringLiteral("conditions"), quoted(report.conditions))
        .add(QStringLiteral("tables"), tables);
}

// Current law's inherited-account deadline, beside the report slots: an RMBD illustration under
// current law only, so every other output keeps its fields.
void addFinalYear(OrderedJson &fields, const Illustration &illustration) {
    if (illustration.calculator() == Calculator::Rmbd &&
        RuleSetOfCaption(illustration.controls().cmboRuleSet) == RuleSet::CurrentLaw)
        fields.add(QStringLiteral("R-FinalYear"), illustration.ruleSetOutcome().finalYear);
}

// The same illustration computed under the other rule set: its report fields as "fields" holds
// them, or its failed check (current law asks for the original planholder's date of birth on
// every beneficiary).
OrderedJson otherRuleSet(BatchCalculation &calculation) {
    Illustration &illustration = calculation.illustration;
    const RuleSet other = OtherRuleSet(RuleSetOfCaption(illustration.controls().cmboRuleSet));
    const bool saved = illustration.isSaved();
    illustration.setListEntry(Control::cmboRuleSet, RuleSetCaption(other));
    illustration.setSaved(saved);
    const CalculatorRun run = RunCalculator(illustration, calculation.context);
    if (!run.passed())
        return ValidationFailureObject(*run.validation.failure);
    OrderedJson fields = reportFields(illustration.fields());
    addFinalYear(fields, illustration);
    return fields;
}

} // namespace

int RunCalc(const QStringList &arguments) {
    QCommandLineParser parser;
    const QCommandLineOption compare(QStringLiteral("compare-rules"),
                                     QStringLiteral("Also compute under the other rule set."));
    const QCommandLineOption csv(QStringLiteral("csv"),
                                 QStringLiteral("Write the SEPP options or the Stretch ledger "
                                                "as a spreadsheet."),
                                 QStringLiteral("FILE"));
    ParseOptions(parser, arguments, CalculationOptions() << compare << csv);
    BatchCalculation calculation(parser);
    const Illustration &illustration = calculation.illustration;
    if (!calculation.passed()) {
        PrintJson(ValidationFailureJson(*calculation.run.validation.failure));
        return int(ExitCode::ValidationFailed);
    }
    if (parser.isSet(csv)) {
        const std::optional<CsvTableText> table =
            SpreadsheetTable(illustration, calculation.run.result);
        if (!table)
            throw badInput(QStringLiteral("--csv: the %1 calculator has no spreadsheet export; "
                                          "SEPP and Stretch have")
                               .arg(CalculatorNumber(illustration.calculator())));
        const QString error = WriteCsvTable(parser.value(csv), *table);
        if (!error.isEmpty())
            throw BatchError(ExitCode::IoFailure, QStringLiteral("cannot write ") + error);
    }
    OrderedJson fields = reportFields(illustration.fields());
    addFinalYear(fields, illustration);
    OrderedJson output;
    output.add(QStringLiteral("status"), QStringLiteral("ok"))
        .add(QStringLiteral("calculator"), CalculatorNumber(illustration.calculator()))
        .add(QStringLiteral("fields"), fields)
        .add(QStringLiteral("inputs"), inputFields(illustration.fields()))
        .addArray(QStringLiteral("notices"), notices(calculation.prompter));
    if (illustration.calculator() == Calculator::Sepp)
        output.addArray(QStringLiteral("options"), equalPaymentOptions(illustration));
    if (illustration.calculator() == Calculator::Stretch)
        addStretch(output, *calculation.run.result.projection, calculation.stretchReport());
    if (parser.isSet(compare))
        output.add(QStringLiteral("other"), otherRuleSet(calculation));
    PrintJson(output.text());
    return int(ExitCode::Ok);
}
