#pragma once

// What the calculators' input validation shares: the failure value, the date-format help and
// the latest calculation year.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class FieldStore;

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

// The failure of an amount field whose value is negative or exceeds nines in every place of the
// field's width ($99,999,999,999 for eleven places). Typing cannot give one, a file can ("-5",
// "3e20"), and the calculators would report negative or overflowing amounts.
std::optional<ValidationFailure> AmountOutsideField(const FieldStore &fields, const QString &tag);
