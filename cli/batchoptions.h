#pragma once

// Options shared by the rmdbatch subcommands.

#include "orderedjson.h"

#include <QCommandLineParser>
#include <QDate>
#include <QStringList>

struct ValidationFailure;

// Asked for by -h or --help on a subcommand: its options, one line each, for its usage text.
struct HelpRequested {
    QString options;
};

// Parses `arguments` (the subcommand first) with the given value options and -h/--help, which
// throws HelpRequested. Unknown or repeated options, or more than `positionals` further words,
// are bad usage. A negative number is a word, not an option ("load -1").
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
OrderedJson ValidationFailureObject(const ValidationFailure &failure);
