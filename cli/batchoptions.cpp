#include "batchoptions.h"

#include "batcherror.h"
#include "clock.h"
#include "orderedjson.h"
#include "validation.h"

#include <cstdio>

void ParseOptions(QCommandLineParser &parser, const QStringList &arguments,
                  const QList<QCommandLineOption> &options, int positionals) {
    parser.addOptions(options);
    if (!parser.parse(arguments))
        throw badInput(parser.errorText());
    if (parser.positionalArguments().size() > positionals)
        throw badInput(QStringLiteral("unexpected argument \"%1\"")
                           .arg(parser.positionalArguments().at(positionals)));
}

QDate TodayOption(const QCommandLineParser &parser) {
    if (!parser.isSet(QStringLiteral("today")))
        return SystemClock().today();
    const QString text = parser.value(QStringLiteral("today"));
    const QDate date = QDate::fromString(text, QStringLiteral("MM/dd/yyyy"));
    if (!date.isValid())
        throw badInput(QStringLiteral("--today must be a date MM/DD/YYYY, not \"%1\"").arg(text));
    return date;
}

QString RequiredOption(const QCommandLineParser &parser, const QString &name) {
    if (!parser.isSet(name))
        throw badInput(QStringLiteral("--%1 is required").arg(name));
    return parser.value(name);
}

void PrintJson(const QString &json) {
    const QByteArray bytes = json.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QString ValidationFailureJson(const ValidationFailure &failure) {
    return OrderedJson()
        .add(QStringLiteral("status"), QStringLiteral("invalid"))
        .add(QStringLiteral("tag"), failure.tag)
        .add(QStringLiteral("title"), failure.title)
        .add(QStringLiteral("message"), failure.message)
        .add(QStringLiteral("replacement"), failure.replacement)
        .text();
}
