#pragma once

// What each rule set says by birth date and by distribution year: the age at which required
// distributions begin, the life-table edition, the waived years and the excise tax on a missed
// distribution. Each is a table in lawtables.cpp with its source beside it.

#include "lifetables.h"
#include "ruleset.h"

#include <QDate>
#include <QString>
#include <optional>

// The applicable age of IRC 401(a)(9)(C)(v) for a date of birth under current law; 70 1/2 under
// the 2002 regulations for everybody.
struct ApplicableAge {
    int years = 70;
    int months = 6;
    QString text() const; // "70 1/2", "72", "73", "75"
};
ApplicableAge ApplicableAgeFor(RuleSet rules, const QDate &birth);

// The day that age is reached ("MM/DD/YYYY"): the half-age date of CALCDATEHALFAGE for 70 1/2,
// else the birthday (a February 29 birthday falls on February 28 in a common year).
QString ApplicableAgeDate(RuleSet rules, const QDate &birth);

// The tables of a distribution year: 2001 the proposed tables, later the 2002 tables, and under
// current law the 2022 tables from 2022 on.
LifeTableEdition EditionForYear(RuleSet rules, int year);

// A year without required distributions: 2009 (WRERA 2008) under both rule sets, and 2020
// (CARES Act sec. 2203) under current law. The note the report prints; none when not waived.
std::optional<QString> WaivedYearNote(RuleSet rules, int year);

// Percent of a missed distribution due as excise tax (IRC 4974(a)): 50, and 25 for years from
// 2023 under current law (SECURE 2.0 Act sec. 302; 10 when corrected in time).
int ExcisePercent(RuleSet rules, int year);

// The excise on a missed distribution (whole dollars, not negative), rounded half up to the
// dollar as MissedDistributionPenalty rounds the 50%.
qint64 ExciseTax(qint64 distribution, int percent);

// The sentence a report gives about the law and tables of a distribution year: "Computed under
// current law: SECURE 2.0 Act of 2022 and the life-expectancy tables of 2022."
QString RuleSetWording(RuleSet rules, int year);

// Current law's notes on a missed distribution and on Roth accounts, for the owner's report;
// empty under the 2002 regulations.
QString CurrentLawOwnerNotes(RuleSet rules, int year, const QString &planType);

// 72(t) series: the tables of a series starting in `startYear`. Notice 2022-6 (2022 tables, the
// mortality rates of 2022, a rate up to the greater of 5% or 120% of the federal mid-term rate)
// for series starting in 2023 or later under current law; Rev. Rul. 2002-62 otherwise.
bool SeppUnderNotice2022_6(RuleSet rules, int startYear);
