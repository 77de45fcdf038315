#include "validation.h"

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
