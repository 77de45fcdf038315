#pragma once

// What the planholder and beneficiary calculators share: the distribution and penalty rules
// and the report fields every distribution report carries.

#include <QString>

class FieldStore;

// Whole dollars: the integer part of value / factor + 0.99, so any cent or more past a whole
// dollar counts as another dollar and the distribution is never understated. The factor
// divides as the tables print it, in tenths. A distribution that is negative or too large for
// exact whole dollars throws FatalError (overflow).
qint64 RequiredDistribution(double accountValue, float factor);

// The 50% excise tax on a missed distribution (IRC 4974), half the distribution rounded half up.
qint64 MissedDistributionPenalty(qint64 distribution);

// The one-year suspension of required distributions for 2009.
const QString &Note2009();

// "R-YYYY", "R-YYY1", "R-PlanType", "R-PlanName", "R-PHName", the texts escaped for RTF.
void WriteIllustrationHeader(FieldStore &fields, const QString &calculationYear,
                             const QString &planType, const QString &planName, const QString &name);

// "R-RMD", "R-IRSPen" and the stored amount "6-RMD_Amt", in dollars.
void WriteDistribution(FieldStore &fields, qint64 distribution, qint64 penalty);
