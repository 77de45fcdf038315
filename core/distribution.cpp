#include "distribution.h"

#include "fieldformat.h"
#include "fieldstore.h"
#include "numbertext.h"
#include "rtftext.h"

qint64 RequiredDistribution(double accountValue, float factor)
{
    return qint64(NumberText::Int(accountValue / double(factor) + 0.99));
}

qint64 MissedDistributionPenalty(qint64 distribution)
{
    return qint64(NumberText::Int(double(distribution) / 2 + 0.5));
}

const QString &Note2009()
{
    static const QString note = QStringLiteral(
        "Note: Under the Worker, Retiree, and Employers Recovery Act of 2008 (H.R. 7327), "
        "Congress approved a one-year suspension of the required minimum distribution (RMD) for "
        "2009.");
    return note;
}

void WriteIllustrationHeader(FieldStore &fields, const QString &calculationYear,
                             const QString &planType, const QString &planName,
                             const QString &name)
{
    using RtfText::escape;
    fields.SetField(escape(calculationYear), QStringLiteral("R-YYYY"));
    fields.SetField(QString::number(int(NumberText::Val(calculationYear)) - 1),
                    QStringLiteral("R-YYY1"));
    fields.SetField(escape(planType), QStringLiteral("R-PlanType"));
    fields.SetField(escape(planName), QStringLiteral("R-PlanName"));
    fields.SetField(escape(name), QStringLiteral("R-PHName"));
}

void WriteDistribution(FieldStore &fields, qint64 distribution, qint64 penalty)
{
    const QString amount = FormatDollars(QString::number(distribution));
    fields.SetField(amount, QStringLiteral("R-RMD"));
    fields.SetField(FormatDollars(QString::number(penalty)), QStringLiteral("R-IRSPen"));
    fields.SetField(amount, QStringLiteral("6-RMD_Amt"));
}
