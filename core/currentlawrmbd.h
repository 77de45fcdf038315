#pragma once

// A beneficiary's required distribution under current law (SECURE Act sec. 401, final
// regulations of July 2024, T.D. 10001): an eligible designated beneficiary keeps a
// life-expectancy payout, any other designated beneficiary has the 10-year rule, an estate,
// charity or non-qualifying trust the 5-year rule or the owner's remaining life expectancy.
// Deaths before 2020 keep the life-expectancy payout.

#include "rmbdcalculator.h"

// Replaces the life-expectancy result of ComputeRmbd by the current-law payout; a 2002
// illustration's result comes back unchanged. originalDob is the owner's date of birth, which
// current law requires.
RmbdResult ApplyCurrentLawPayout(const RmbdInputs &inputs, const QString &originalDob,
                                 RmbdResult result);
