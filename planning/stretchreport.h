#pragma once

// What the Stretch report template is filled with: its values in order, the condition names
// that hold, and the ledger tables, all derived from the illustration and its projection. The
// template preprocessor takes them as they are.

#include "representative.h"
#include "stretchcalculator.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class Illustration;

// The Report Options switches of the Stretch report.
struct ReportPages {
    bool cover = true;
    bool wenmark = true;
    bool taxes = true;
    bool ledger = true;
    bool graph = true;
};

struct ReportValue {
    QString name;
    QString value; // RTF: typed text comes escaped
};

// One ledger: an entry per row, its columns joined by "~"; an empty entry is a spacer row.
struct LedgerTable {
    QString name;
    QStringList entries;
};

struct StretchReportData {
    QList<ReportValue> values; // in the order they are defined
    QStringList conditions;    // the names that hold, each defined with an empty value
    QList<LedgerTable> tables; // planholder, spouse (with a spouse phase), beneficiary, all years
};

// today gives the taxes comparison its tax year.
StretchReportData BuildStretchReport(const Illustration &illustration, const StretchInputs &inputs,
                                     const StretchProjection &projection, const ReportPages &pages,
                                     const RepresentativeDetails &representative,
                                     const QDate &today);

// The all-years total of distributions as the report shows it: to the nearest 100 up to
// 1,000,000, the nearest 1,000 up to 10,000,000, the nearest 10,000 above; halves to even.
double RoundedFutureIncome(double total);

// The ledger tables alone, in emission order.
QList<LedgerTable> StretchLedgers(const StretchProjection &projection, bool contributions);
