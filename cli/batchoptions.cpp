#include "batchoptions.h"

#include "batcherror.h"
#include "clock.h"
#include "orderedjson.h"
#include "validation.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstdio>

namespace {

bool isNegativeNumber(const QString &word) {
    static const QRegularExpression number(QStringLiteral(R"(^-[0-9][0-9.]*$)"));
    return number.match(word).hasMatch();
}

// Whether `word` names one of the options that take a value ("--input" but not "--input=x").
bool takesValue(const QString &word, const QList<QCommandLineOption> &options) {
    if (!word.startsWith(QLatin1Char('-')) || word.contains(QLatin1Char('=')))
        return false;
    const QString name = word.mid(word.startsWith(QLatin1String("--")) ? 2 : 1);
    return std::any_of(options.begin(), options.end(), [&name](const QCommandLineOption &option) {
        return !option.valueName().isEmpty() && option.names().contains(name);
    });
}

// The parser reads "-1" as an option named "1"; negative numbers that are no option's value
// go after "--", which ends the options, so they reach the command as words.
QStringList withNegativeNumbersAsWords(const QStringList &arguments,
                                       const QList<QCommandLineOption> &options) {
    QStringList words;
    QStringList negatives;
    qsizetype index = 0;
    for (; index < arguments.size() && arguments.at(index) != QLatin1String("--"); ++index) {
        const QString &word = arguments.at(index);
        if (isNegativeNumber(word) && !(index > 0 && takesValue(arguments.at(index - 1), options)))
            negatives.append(word);
        else
            words.append(word);
    }
    if (negatives.isEmpty())
        return arguments;
    return words + (QStringList{QStringLiteral("--")} << negatives) + arguments.mid(index + 1);
}

QString optionLines(const QList<QCommandLineOption> &options) {
    QStringList lines;
    for (const QCommandLineOption &option : options) {
        if (option.flags() & QCommandLineOption::HiddenFromHelp)
            continue;
        QString line = QStringLiteral("  --") + option.names().constFirst();
        if (!option.valueName().isEmpty())
            line += QLatin1Char(' ') + option.valueName();
        lines.append(line.leftJustified(28) + QStringLiteral("  ") + option.description());
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void ParseOptions(QCommandLineParser &parser, const QStringList &arguments,
                  const QList<QCommandLineOption> &options, int positionals) {
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOptions(options);
    parser.addOption(help);
    if (!parser.parse(withNegativeNumbersAsWords(arguments, options)))
        throw badInput(parser.errorText());
    if (parser.isSet(help))
        throw HelpRequested{optionLines(options)};
    // The parser would keep the last of two values without a word.
    const QStringList names = parser.optionNames();
    for (qsizetype index = 0; index < names.size(); ++index) {
        if (names.indexOf(names.at(index)) != index)
            throw badInput(QStringLiteral("--%1 is given more than once").arg(names.at(index)));
    }
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

OrderedJson ValidationFailureObject(const ValidationFailure &failure) {
    OrderedJson object;
    object.add(QStringLiteral("status"), QStringLiteral("invalid"))
        .add(QStringLiteral("tag"), failure.tag)
        .add(QStringLiteral("title"), failure.title)
        .add(QStringLiteral("message"), failure.message)
        .add(QStringLiteral("replacement"), failure.replacement);
    return object;
}

QString ValidationFailureJson(const ValidationFailure &failure) {
    return ValidationFailureObject(failure).text();
}
