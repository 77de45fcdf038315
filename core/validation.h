#pragma once

// What the calculators' input validation shares: the failure value, the date-format help, the
// latest calculation year and the checks of names, birth dates, years and account values.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

class FieldStore;

// The largest age, in calendar years, that a date of birth may give.
constexpr int OldestAge = 115;

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

// The failure of an account value field left empty or under $1.
ValidationFailure MissingAccountValue(const QString &tag);

// An account value that is at least $1 and fits its field.
std::optional<ValidationFailure> AccountValueFailure(const FieldStore &fields, const QString &tag);

// The fields of one person's name and the sample first name a failure puts back.
struct NameTags {
    const char *first;
    const char *middle;
    const char *last;
    const char *firstSample;
};

// First, middle (when present) and last name joined by single blanks, or the failure of the
// first missing part.
std::variant<QString, ValidationFailure> FullName(const FieldStore &fields, const NameTags &tags);

// Whether `date` lies more than `oldest` or fewer than `youngest` calendar years before today.
bool YearsBackOutside(const QDate &date, const QDate &today, int oldest = OldestAge,
                      int youngest = 0);

struct BirthCheck {
    std::optional<QDate> date;
    std::optional<ValidationFailure> failure;
};

// A date of birth that parses and lies between this year and `oldest` calendar years back.
BirthCheck CheckBirth(const FieldStore &fields, const char *tag, const QDate &today, int oldest,
                      const char *sample);

// The failure of a calculation year before 2001 or after the latest; `released` is the second
// line of the message, saying which regulations the calculator follows.
std::optional<ValidationFailure> CalculationYearFailure(const QString &tag, double year,
                                                        const QDate &today,
                                                        const QString &released);
