#include "calccommand.h"

#include "batcherror.h"
#include "batchoptions.h"
#include "calculators.h"
#include "illustration.h"
#include "illustrationjson.h"
#include "orderedjson.h"
#include "recordingprompter.h"
#include "sepppresenter.h"
#include "stretchreport.h"

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

// The SEPP tab's seven method options as the live refresh left them.
QStringList equalPaymentOptions(const Illustration &illustration)
{
    QStringList items;
    const auto &captions = EqualPaymentCaptions();
    for (int index = 0; index < 7; ++index) {
        const EqualPaymentOption &option = illustration.seppTab().options[std::size_t(index)];
        items.append(OrderedJson()
                         .add(QStringLiteral("caption"), QLatin1String(captions[std::size_t(index)]))
                         .add(QStringLiteral("amount"), option.amount)
                         .add(QStringLiteral("enabled"), option.enabled)
                         .add(QStringLiteral("selected"),
                              illustration.controls().optEqualPmt == index)
                         .text());
    }
    return items;
}

// --pages: the Stretch report pages switched on, by name, or "none".
ReportPages pagesOption(const QCommandLineParser &parser) {
    ReportPages pages;
    if (!parser.isSet(QStringLiteral("pages")))
        return pages;
    pages = {false, false, false, false, false};
    const QString value = parser.value(QStringLiteral("pages"));
    if (value == QLatin1String("none"))
        return pages;
    const std::pair<const char *, bool ReportPages::*> names[] = {
        {"cover", &ReportPages::cover},
        {"wenmark", &ReportPages::wenmark},
        {"taxes", &ReportPages::taxes},
        {"ledger", &ReportPages::ledger},
        {"graph", &ReportPages::graph}};
    for (const QString &name : value.split(QLatin1Char(','))) {
        const auto page = std::find_if(std::begin(names), std::end(names), [&](const auto &entry) {
            return name == QLatin1String(entry.first);
        });
        if (page == std::end(names))
            throw badInput(QStringLiteral("--pages takes \"none\" or names from cover, wenmark, "
                                          "taxes, ledger, graph, not \"%1\"")
                               .arg(value));
        pages.*(page->second) = true;
    }
    return pages;
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

} // namespace

int RunCalc(const QStringList &arguments) {
    QCommandLineParser parser;
    ParseOptions(
        parser, arguments,
        {{QStringLiteral("input"), QStringLiteral("Illustration file."),
          QStringLiteral("ILL.json")},
         {QStringLiteral("today"), QStringLiteral("Today's date."), QStringLiteral("MM/DD/YYYY")},
         {QStringLiteral("rep"), QStringLiteral("Representative file."),
          QStringLiteral("REP.json")},
         {QStringLiteral("pages"), QStringLiteral("Stretch report pages switched on."),
          QStringLiteral("cover,wenmark,taxes,ledger,graph|none")}});
    const QDate today = TodayOption(parser);
    const QByteArray illustrationText =
        ReadInputFile(RequiredOption(parser, QStringLiteral("input")));
    const ReportPages pages = pagesOption(parser);

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

    // The SEPP tab refreshes its options while the user edits, before any report is built: it
    // zeroes the fixed-method inputs of a one-time change and moves the selection off options
    // that cannot be chosen. Validation runs once, below, so a failure is never masked by the
    // replacement text an earlier check put into the field.
    const bool sepp = illustration.calculator() == 2;
    if (sepp)
        RefreshEqualPayments(illustration, context, false);
    // A ticked "Skip" box has emptied the spouse fields, as loading the illustration would.
    const bool stretch = illustration.calculator() == 3;
    if (stretch)
        RefreshSkipSpouse(illustration);

    const Validation validation = DefineVariables(illustration, context);
    if (!validation.passed()) {
        PrintJson(invalidJson(*validation.failure));
        return int(ExitCode::ValidationFailed);
    }
    const CalculationResult result = CalculateValues(illustration, validation.variables, context);
    if (sepp) {
        // The amount labels take the new payments; the selected one is the stored amount.
        RefreshEqualPayments(illustration, context, false);
        CalculateValues(illustration, validation.variables, context);
    }
    OrderedJson output;
    output.add(QStringLiteral("status"), QStringLiteral("ok"))
        .add(QStringLiteral("calculator"), illustration.calculator())
        .add(QStringLiteral("fields"), reportFields(illustration.fields()))
        .add(QStringLiteral("inputs"), inputFields(illustration.fields()))
        .addArray(QStringLiteral("notices"), notices(prompter));
    if (sepp)
        output.addArray(QStringLiteral("options"), equalPaymentOptions(illustration));
    if (stretch)
        addStretch(output, *result.projection,
                   BuildStretchReport(illustration, std::get<StretchInputs>(validation.variables),
                                      *result.projection, pages, context.representative, today));
    PrintJson(output.text());
    return int(ExitCode::Ok);
}
