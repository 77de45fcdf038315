#pragma once

// The Stretch report's taxes page: what the non-spouse beneficiary keeps of the inherited
// balance after federal and state income tax when it is taken as a lump sum, over five years,
// or as the stretched required distributions of the projection.

#include "stretchcalculator.h"

#include <QString>
#include <optional>

struct TaxScenario {
    double distributions = 0;
    double federalTax = 0;
    double stateTax = 0;
    double federalRate = 0; // marginal rates of the scenario's first payment, percent
    double stateRate = 0;

    double afterTax() const { return distributions - federalTax - stateTax; }
    // (1 - after tax / distributions) x 100; 0 when nothing was distributed.
    double totalTaxPercent() const;
};

struct TaxComparison {
    TaxScenario lumpSum;
    TaxScenario fiveYear;
    TaxScenario stretched;
};

struct TaxComparisonSetting {
    QString state;     // two-letter code of the state list, empty when none is chosen
    bool roth = false; // qualified Roth distributions add no income
    double rate = 0;   // the projection's rate of return, percent
    int taxYear = 0;   // the current calendar year, for every payment year alike
};

// Each payment is taxed on top of 50,000 of other income of a married couple filing jointly
// with two exemptions; its tax is the increase over the tax of the other income alone. Nothing
// when the balance the beneficiary inherits (all-years balance at year sle - 1) is not above 0.
std::optional<TaxComparison> CompareTaxes(const StretchProjection &projection,
                                          const TaxComparisonSetting &setting);
