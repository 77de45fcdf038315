#include "batchcalculation.h"

#include "batcherror.h"
#include "batchoptions.h"
#include "illustrationjson.h"

QList<QCommandLineOption> CalculationOptions() {
    return {
        {QStringLiteral("input"), QStringLiteral("Illustration file."), QStringLiteral("ILL.json")},
        {QStringLiteral("today"), QStringLiteral("Today's date."), QStringLiteral("MM/DD/YYYY")},
        {QStringLiteral("rep"), QStringLiteral("Representative file."), QStringLiteral("REP.json")},
        {QStringLiteral("pages"), QStringLiteral("Stretch report pages switched on."),
         QStringLiteral("cover,wenmark,taxes,ledger,graph|none")}};
}

ReportPages PagesOption(const QCommandLineParser &parser) {
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
    for (const QString &word : value.split(QLatin1Char(','))) {
        const auto page =
            std::find_if(std::begin(names), std::end(names), [&word](const auto &name) {
                return word.trimmed() == QLatin1String(name.first);
            });
        if (page == std::end(names))
            throw badInput(QStringLiteral("--pages takes \"none\" or names from cover, wenmark, "
                                          "taxes, ledger, graph; not \"%1\"")
                               .arg(word));
        pages.*(page->second) = true;
    }
    return pages;
}

BatchCalculation::BatchCalculation(const QCommandLineParser &parser) {
    context.today = TodayOption(parser);
    const QByteArray text = ReadInputFile(RequiredOption(parser, QStringLiteral("input")));
    pages = PagesOption(parser);
    if (parser.isSet(QStringLiteral("rep")))
        context.representative =
            ReadRepresentativeJson(ReadInputFile(parser.value(QStringLiteral("rep"))));
    context.detailedMode = ReadIllustrationJson(text, illustration, context.today).detailedMode;
    run = RunCalculator(illustration, context);
}

StretchReportData BatchCalculation::stretchReport() const {
    return BuildStretchReport(illustration, std::get<StretchInputs>(run.validation.variables),
                              *run.result.projection, pages, context.representative, context.today);
}
