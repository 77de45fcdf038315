#pragma once

// The planholder's required minimum distribution (calculator 0): Uniform Lifetime table, or the
// Joint and Last Survivor table when the sole spouse beneficiary is more than 10 years younger;
// required beginning date April 1 after the year of age 70 1/2; no distribution for 2009
// (Worker, Retiree, and Employer Recovery Act of 2008).

#include "ruleset.h"
#include "validation.h"

#include <QDate>
#include <QString>
#include <variant>

class Illustration;

// The validated entries, as the computation reads them.
struct RmdInputs {
    QString fullName;
    QString dateOfBirth;       // as entered
    QString spouseDateOfBirth; // empty when there is no spouse beneficiary
    QString dateOfDeath;       // empty when none was given
    QString calculationYear;
    QString accountValue; // cleaned of "$", "," and blanks
    QString planType;
    RuleSet rules = RuleSet::Regulations2002;
};

struct RmdResult {
    QDate dateOfBirth;
    QDate spouseDate; // the planholder's own date when there is no spouse
    bool joint = false;
    QString halfAgeDate;           // "MM/DD/YYYY", the applicable age's; empty for a Roth plan
    QString requiredBeginningDate; // "MM/DD/YYYY"; empty for a Roth plan
    int firstDistributionYear = 0;
    int age = 0;
    int spouseAge = 0;
    float factor = 0;
    qint64 rmd = 0;
    qint64 penalty = 0;
    bool factorComputed = false;
    QString dec31;     // "R-Dec31YYYY"
    QString noteYear1; // "R-NoteYear1"
};

// Checks the Planholder tab in order and returns the first failure, or the inputs. Clears the
// spouse date when there is no spouse beneficiary and a blank date of death.
std::variant<RmdInputs, ValidationFailure> ValidateRmd(Illustration &illustration,
                                                       const QDate &today);

// Dates, ages, factor and distribution. retirementDate is the text of "7-PlanRetDate".
RmdResult ComputeRmd(const RmdInputs &inputs, const QString &retirementDate);

// Writes the RMD report fields and "6-RMD_Amt".
void WriteRmdReport(const RmdInputs &inputs, const RmdResult &result, Illustration &illustration);

// The message detailed calculation mode shows for a computed factor.
QString RmdCalculationDetails(const RmdInputs &inputs, const RmdResult &result);

// Enable rules of the Planholder tab: the spouse date follows the spouse option, the
// retirement date follows a plan type beginning with "4"; a disabled field is emptied and greyed.
void RefreshSpouseDate(Illustration &illustration);
void RefreshRetirementDate(Illustration &illustration);
