#include "controllists.h"

namespace ControlLists {

QStringList planTypes(int list, bool withRollover) {
    QStringList entries{QStringLiteral("IRA"),       QStringLiteral("403(b)"),
                        QStringLiteral("401(k)"),    QStringLiteral("457"),
                        QStringLiteral("401(a)"),    QStringLiteral("SEP-IRA"),
                        QStringLiteral("SIMPLE IRA")};
    if (list == 1)
        entries.append(QStringLiteral("Roth IRA"));
    if (withRollover)
        entries.prepend(QStringLiteral("Rollover IRA"));
    return entries;
}

const QStringList &stateCodes() {
    static const QStringList codes =
        QStringLiteral("AL AK AZ AR CA CO CT DE DC FL GA HI ID IL IN IA KS KY LA ME MD MA MI MN MS "
                       "MO MT NE NV "
                       "NH NJ NM NY NC ND OH OK OR PA RI SC SD TN TX UT VT VA WA WV WI WY PR")
            .split(QLatin1Char(' '));
    return codes;
}

const QStringList &graphEntries() {
    static const QStringList entries{
        QStringLiteral("Planholder"), QStringLiteral("Spouse Beneficiary"),
        QStringLiteral("Non-Spouse Beneficiary"), QStringLiteral("All Years")};
    return entries;
}

const QStringList &beneficiaryClasses() {
    static const QStringList entries{
        QStringLiteral("Designated beneficiary"), QStringLiteral("Minor child of the owner"),
        QStringLiteral("Disabled or chronically ill"), QStringLiteral("Estate, charity or trust")};
    return entries;
}

} // namespace ControlLists
