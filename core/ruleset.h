#pragma once

// The body of law an illustration is computed under: the 2002 regulations (age 70 1/2, the 2002
// tables, the 2009 waiver), or current law (SECURE Act 2019, CARES Act 2020, the 2022 tables of
// T.D. 9930, Notice 2022-6, SECURE 2.0 Act 2022 and the final regulations of July 2024,
// T.D. 10001). Every illustration carries one; records and ILL.json store it.

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

enum class RuleSet { Regulations2002, CurrentLaw };

// The list entry the window shows ("2002 regulations", "Current law").
QString RuleSetCaption(RuleSet rules);
// The entries of the rule-set list, in list order.
QStringList RuleSetCaptions();
// The rule set of a list entry; 2002 regulations for any other text.
RuleSet RuleSetOfCaption(const QString &caption);

// Record position 976: "C" for current law, a blank (every older record) for 2002.
QChar RuleSetRecordCode(RuleSet rules);
// Anything but "C" reads as the 2002 regulations, so old and damaged trailers keep their results.
RuleSet RuleSetOfRecordCode(QChar code);

// ILL.json "rules": "2002" or "current"; none for any other text.
QString RuleSetBatchName(RuleSet rules);
std::optional<RuleSet> RuleSetOfBatchName(const QString &name);

// The setting "RuleSet" holds the batch name; new illustrations take it, current law when unset.
constexpr RuleSet DefaultRuleSet = RuleSet::CurrentLaw;

// How a report names the rule set: "the final regulations of April 2002", "current law:
// SECURE 2.0 Act of 2022". RuleSetWording (lawtables.h) adds the tables.
QString RuleSetLaw(RuleSet rules);

RuleSet OtherRuleSet(RuleSet rules);
