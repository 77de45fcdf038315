#include "validation.h"

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
