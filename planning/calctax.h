#pragma once

// An estimate of one household's federal and state income tax and marginal rates for one tax
// year: the published federal rate schedules of 2002 to 2012 (2013's for any other year) and the
// 2013 rules of the state, DC or Puerto Rico. Used by the Stretch taxes comparison.

#include "taxtables.h"

#include <QString>
#include <QtGlobal>

namespace CalcTax {

struct Inputs {
    double income = 0;       // dollars
    QString state;           // two-letter code, compared in upper case
    qint16 filingStatus = 0; // 1 single, 2 married filing jointly, 3 married filing separately
    qint16 exemptions = 0;   // personal exemptions, dependents included
    qint16 taxYear = 0;
};

struct Result {
    double federalRate = 0; // percent
    double stateRate = 0;   // percent
    double federalTax = 0;  // dollars
    double stateTax = 0;    // dollars
    qint16 taxYear = 0;     // the year asked for, or 2013 for a year without its own schedules
};

struct BracketResult {
    double tax = 0;
    double rate = 0; // marginal rate, percent
};

// Both taxes and rates when income and tax year are given, else all four 0. A tax below 0
// (deductions above income, credits above tax) comes back as 0. A filing status other than 1, 2
// or 3 is a fatal error.
Result Compute(const Inputs &inputs);

// Tax and marginal rate of a progressive schedule read the way it is printed: the bracket
// holding the income, its "$X plus" base and the rate on the excess over its threshold. Income
// exactly at a threshold stays in the lower bracket, with its rate.
BracketResult BracketTax(const RateSchedule &schedule, double taxable);

} // namespace CalcTax
