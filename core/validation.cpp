#include "validation.h"

#include "datetext.h"
#include "fieldformat.h"
#include "fieldstore.h"

#include <cmath>

QString JoinLines(const QStringList &lines) {
    return lines.join(QStringLiteral("\r\n"));
}

QString DateFormatHelp() {
    return JoinLines({QStringLiteral("Please enter a valid date in one"),
                      QStringLiteral(" of the following date formats:"), QString(),
                      QStringLiteral("  01/01/1930"), QStringLiteral("  1/1/1930"),
                      QStringLiteral("  1 Jan 1930"), QStringLiteral("  January 1, 1930")});
}

QString WithDateHelp(const QStringList &lines) {
    return JoinLines(lines) + QStringLiteral("\r\n") + DateFormatHelp();
}

int LatestCalculationYear(const QDate &today) {
    return today.year() + 1;
}

std::optional<ValidationFailure> AmountOutsideField(const FieldStore &fields, const QString &tag) {
    const double largest = std::pow(10.0, SlotTable::slot(fields.SetIndex(tag))->width) - 1;
    const double value = fields.cleanValue(tag);
    if (value >= 0 && value <= largest)
        return std::nullopt;
    return ValidationFailure{tag,
                             QStringLiteral("Please enter an amount from $0 to ") +
                                 FormatDollars(QString::number(largest, 'f', 0)) + QLatin1Char('.'),
                             QStringLiteral("Invalid Entry."), QStringLiteral("100000")};
}

ValidationFailure MissingAccountValue(const QString &tag) {
    return {tag, QStringLiteral("Please enter the Account Value."),
            QStringLiteral("Missing Required Information."), QStringLiteral("100000")};
}

std::optional<ValidationFailure> AccountValueFailure(const FieldStore &fields, const QString &tag) {
    if (fields.cleanValue(tag) < 1)
        return MissingAccountValue(tag);
    return AmountOutsideField(fields, tag);
}

std::variant<QString, ValidationFailure> FullName(const FieldStore &fields, const NameTags &tags) {
    const QString first = fields.GetField(QLatin1String(tags.first)).trimmed();
    if (first.isEmpty())
        return ValidationFailure{QLatin1String(tags.first),
                                 JoinLines({QStringLiteral("The first name is required"),
                                            QStringLiteral("Please enter a first name.")}),
                                 QStringLiteral("Missing Required Information."),
                                 QLatin1String(tags.firstSample)};
    QString name = first;
    const QString middle = fields.GetField(QLatin1String(tags.middle)).trimmed();
    if (!middle.isEmpty())
        name += QLatin1Char(' ') + middle;
    const QString last = fields.GetField(QLatin1String(tags.last)).trimmed();
    if (last.isEmpty())
        return ValidationFailure{QLatin1String(tags.last),
                                 JoinLines({QStringLiteral("The last name is required."),
                                            QStringLiteral("Please enter a last name.")}),
                                 QStringLiteral("Missing Required Information."),
                                 QStringLiteral("Sample")};
    return name + QLatin1Char(' ') + last;
}

bool YearsBackOutside(const QDate &date, const QDate &today, int oldest, int youngest) {
    const int years = today.year() - date.year();
    return years < youngest || years > oldest;
}

BirthCheck CheckBirth(const FieldStore &fields, const char *tag, const QDate &today, int oldest,
                      const char *sample) {
    const auto birth = DateText::ParseDate(fields.GetField(QLatin1String(tag)));
    if (!birth)
        return {std::nullopt,
                ValidationFailure{QLatin1String(tag),
                                  WithDateHelp({QStringLiteral("The Date of Birth is required.")}),
                                  QStringLiteral("Missing Required Date"), QLatin1String(sample)}};
    if (YearsBackOutside(*birth, today, oldest))
        return {birth,
                ValidationFailure{QLatin1String(tag),
                                  WithDateHelp({QStringLiteral("The Date of Birth is incorrect.")}),
                                  QStringLiteral("Date Input Error"), QLatin1String(sample)}};
    return {birth, std::nullopt};
}

std::optional<ValidationFailure> CalculationYearFailure(const QString &tag, double year,
                                                        const QDate &today,
                                                        const QString &released) {
    const int latest = LatestCalculationYear(today);
    if (year >= 2001 && year <= latest)
        return std::nullopt;
    return ValidationFailure{
        tag,
        JoinLines({QStringLiteral("This calculator is based on IRS regulations"), released,
                   QString(),
                   QStringLiteral("Please enter a year between 2001 and ") +
                       QString::number(latest) + QLatin1Char('.')}),
        QStringLiteral("Invalid Entry."), QString::number(latest)};
}
