#pragma once

// The required minimum distribution of a beneficiary of an inherited plan (calculator 1):
// single life expectancy without recalculation from the year after the death; a surviving spouse
// who has not taken ownership starts no earlier than the year the deceased would have reached
// 70 1/2 and may use the deceased's remaining life expectancy when it is the longer (Treas. Reg.
// 1.401(a)(9)-5 Q&A-5).

#include "ruleset.h"
#include "validation.h"

#include <QDate>
#include <QString>
#include <variant>

class Illustration;

struct RmbdInputs {
    QString beneficiaryName; // taken as entered
    QString dateOfBirth;
    QString dateOfDeath;
    QString calculationYear;
    QString accountValue; // cleaned of "$", "," and blanks
    QString planType;
    RuleSet rules = RuleSet::Regulations2002;
    int beneficiaryClass = 0;    // index of cmboBeneClass
    bool spouseElection = false; // chkSpouseElection
};

struct RmbdResult {
    bool survivingSpouse = false;
    QDate dateOfDeath;
    QDate dateOfBirth;
    QDate originalDateOfBirth; // invalid for a non-spouse beneficiary
    QDate yearAfterDeath;      // December 31 of the year after the death
    QDate candidateStart;      // the spouse's 70 1/2 year end, or the year after death
    QDate startDate;
    int startAge = 0;
    int currentAge = 0;
    bool deceasedFlag = false; // the deceased's longer life expectancy is used
    float factor = 0;
    bool factorRaised = false; // a factor below 1 was raised to 1
    bool uniformTable = false; // current law: the electing spouse's Uniform Lifetime factor
    qint64 rmd = 0;
    qint64 penalty = 0;
    // Current law: the year by which the account must be empty (0: none fixed) and what the
    // report says about the payout rule.
    int finalYear = 0;
    QString payoutNote;
};

std::variant<RmbdInputs, ValidationFailure> ValidateRmbd(Illustration &illustration,
                                                         const QDate &today);

// Dates, ages, factor and distribution. survivingSpouse is chkSurvivingSpouse; originalDob the
// text of "7-OriginalDOB".
RmbdResult ComputeRmbd(const RmbdInputs &inputs, bool survivingSpouse, const QString &originalDob);

void WriteRmbdReport(const RmbdInputs &inputs, const RmbdResult &result,
                     Illustration &illustration);

// The message detailed calculation mode shows for a computed factor.
QString RmbdCalculationDetails(const RmbdInputs &inputs, const RmbdResult &result);

// "7-OriginalDOB" follows the surviving-spouse box: cleared, disabled and greyed (caption too)
// when it is not ticked, unless the rule set is current law, which needs it for every beneficiary.
void RefreshSurvivingSpouse(Illustration &illustration);

// Plan type "Roth IRA" in list 1 unticks and disables the surviving-spouse box.
void RefreshRothPlanType(Illustration &illustration);
