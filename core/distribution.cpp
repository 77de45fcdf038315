#include "distribution.h"

#include "fatalerror.h"
#include "fieldformat.h"
#include "fieldstore.h"
#include "numbertext.h"
#include "rtftext.h"

#include <cmath>

namespace {

constexpr int ErrorOverflow = 6;
constexpr double MaximumExactDollars = 9007199254740992.0; // 2^53

} // namespace

qint64 RequiredDistribution(double accountValue, float factor) {
    // The tables print factors in tenths. Their single-precision form is a hair off (22.9 is
    // 22.8999996), enough to lift an exact quotient by a cent, which then counts as a dollar.
    const double printedFactor = std::round(double(factor) * 10) / 10;
    const double dollars = NumberText::Int(accountValue / printedFactor + 0.99);
    // Beyond 2^53 whole dollars are no longer exact, and far beyond a 64-bit integer overflows.
    if (!(dollars >= 0 && dollars <= MaximumExactDollars))
        throw FatalError(QStringLiteral("RequiredDistribution"), ErrorOverflow,
                         QStringLiteral("an account value of %1 over a factor of %2 gives a "
                                        "distribution out of range")
                             .arg(accountValue, 0, 'g', 15)
                             .arg(printedFactor));
    return qint64(dollars);
}

qint64 MissedDistributionPenalty(qint64 distribution) {
    return qint64(NumberText::Int(double(distribution) / 2 + 0.5));
}

const QString &Note2009() {
    static const QString note = QStringLiteral(
        "Note: Under the Worker, Retiree, and Employers Recovery Act of 2008 (H.R. 7327), "
        "Congress approved a one-year suspension of the required minimum distribution (RMD) for "
        "2009.");
    return note;
}

void WriteIllustrationHeader(FieldStore &fields, const QString &calculationYear,
                             const QString &planType, const QString &planName,
                             const QString &name) {
    using RtfText::escape;
    fields.SetField(escape(calculationYear), QStringLiteral("R-YYYY"));
    fields.SetField(QString::number(int(NumberText::Val(calculationYear)) - 1),
                    QStringLiteral("R-YYY1"));
    fields.SetField(escape(planType), QStringLiteral("R-PlanType"));
    fields.SetField(escape(planName), QStringLiteral("R-PlanName"));
    fields.SetField(escape(name), QStringLiteral("R-PHName"));
}

void WriteDistribution(FieldStore &fields, qint64 distribution, qint64 penalty) {
    const QString amount = FormatDollars(QString::number(distribution));
    fields.SetField(amount, QStringLiteral("R-RMD"));
    fields.SetField(FormatDollars(QString::number(penalty)), QStringLiteral("R-IRSPen"));
    fields.SetField(amount, QStringLiteral("6-RMD_Amt"));
}
