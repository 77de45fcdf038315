#pragma once

// Options shared by the rmdbatch subcommands.

#include <QCommandLineParser>
#include <QDate>
#include <QStringList>

struct ValidationFailure;

// Parses `arguments` (the subcommand first) with the given value options; unknown options or
// more than `positionals` further words are bad usage.
void ParseOptions(QCommandLineParser &parser, const QStringList &arguments,
                  const QList<QCommandLineOption> &options, int positionals = 0);

// --today MM/DD/YYYY when given, else the system date.
QDate TodayOption(const QCommandLineParser &parser);

// The value of a required option.
QString RequiredOption(const QCommandLineParser &parser, const QString &name);

// Prints one JSON text and a line break on standard output.
void PrintJson(const QString &json);

// {"status":"invalid","tag":...,"title":...,"message":...,"replacement":...}
QString ValidationFailureJson(const ValidationFailure &failure);
