#pragma once

// What the calculators' input validation shares: the failure value, the date-format help and
// the latest calculation year.

#include <QDate>
#include <QString>
#include <QStringList>

// The first failing check of a validation run: the field, the message (lines joined by CR LF),
// the message box title and the text the field is reset to.
struct ValidationFailure {
    QString tag;
    QString message;
    QString title;
    QString replacement;
};

// Lines joined by carriage return and line feed, as every multi-line message is.
QString JoinLines(const QStringList &lines);

// The help text appended, after a line break, to every date error message.
QString DateFormatHelp();

// A date message: its lines, a line break and the date-format help.
QString WithDateHelp(const QStringList &lines);

// The current year plus one.
int LatestCalculationYear(const QDate &today);
