#pragma once

// An estimate of one household's federal and state income tax and marginal rates for one tax
// year: the published federal rate schedules of 2002 to 2012 (2013's for any other year) and the
// 2013 rules of the state, DC or Puerto Rico. Used by the Stretch taxes comparison, which runs
// Reset, sets the inputs, Compute, and reads the four results.

#include "taxtables.h"

#include <QString>
#include <QtGlobal>

class CalcTax {
public:
    struct BracketResult {
        double tax = 0;
        double rate = 0; // marginal rate, percent
    };

    double income = 0;       // dollars
    QString state;           // two-letter code, compared in upper case
    qint16 filingStatus = 0; // 1 single, 2 married filing jointly, 3 married filing separately
    qint16 exemptions = 0;   // personal exemptions, dependents included
    double federalRate = 0;  // result, percent
    double stateRate = 0;    // result, percent
    double federalTax = 0;   // result, dollars
    double stateTax = 0;     // result, dollars
    qint16 taxYear = 0;      // set to 2013 by FederalTax for a year without its own schedules

    // Every field back to empty text and zeros.
    void Reset();
    // Both taxes and rates when income and tax year are set, else all four results 0. A tax
    // below 0 (deductions above income, credits above tax) is stored as 0.
    void Compute();
    // Federal tax and marginal rate of the fields as set.
    void FederalTax();
    // State tax and marginal rate; reads the federal tax already computed.
    void StateTax();

    // Tax and marginal rate of a progressive schedule, walking its brackets from the bottom.
    // Income exactly at a threshold stays in the lower bracket, with its rate.
    static BracketResult BracketTax(const RateSchedule &schedule, double taxable);
    // The same result read the way a published schedule is printed: the bracket holding the
    // income, its "$X plus" base and the rate on the excess over its threshold.
    static BracketResult BracketTaxByBase(const RateSchedule &schedule, double taxable);

private:
    FilingStatus status() const;
};
