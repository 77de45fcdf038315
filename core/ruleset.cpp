#include "ruleset.h"

#include <algorithm>
#include <array>

namespace {

struct RuleSetEntry {
    RuleSet rules;
    const char *caption;
    char recordCode;
    const char *batchName;
    const char *law;
};

const std::array<RuleSetEntry, 2> Table{{
    {RuleSet::Regulations2002, "2002 regulations", ' ', "2002",
     "the final regulations of April 2002"},
    {RuleSet::CurrentLaw, "Current law", 'C', "current", "current law: SECURE 2.0 Act of 2022"},
}};

const RuleSetEntry &entryOf(RuleSet rules) {
    return *std::find_if(Table.begin(), Table.end(),
                         [rules](const RuleSetEntry &entry) { return entry.rules == rules; });
}

} // namespace

QString RuleSetCaption(RuleSet rules) {
    return QLatin1String(entryOf(rules).caption);
}

QStringList RuleSetCaptions() {
    QStringList captions;
    for (const RuleSetEntry &entry : Table)
        captions.append(QLatin1String(entry.caption));
    return captions;
}

RuleSet RuleSetOfCaption(const QString &caption) {
    for (const RuleSetEntry &entry : Table) {
        if (caption == QLatin1String(entry.caption))
            return entry.rules;
    }
    return RuleSet::Regulations2002;
}

QChar RuleSetRecordCode(RuleSet rules) {
    return QLatin1Char(entryOf(rules).recordCode);
}

RuleSet RuleSetOfRecordCode(QChar code) {
    return code == QLatin1Char(entryOf(RuleSet::CurrentLaw).recordCode) ? RuleSet::CurrentLaw
                                                                        : RuleSet::Regulations2002;
}

QString RuleSetBatchName(RuleSet rules) {
    return QLatin1String(entryOf(rules).batchName);
}

std::optional<RuleSet> RuleSetOfBatchName(const QString &name) {
    for (const RuleSetEntry &entry : Table) {
        if (name == QLatin1String(entry.batchName))
            return entry.rules;
    }
    return std::nullopt;
}

QString RuleSetLaw(RuleSet rules) {
    return QLatin1String(entryOf(rules).law);
}

RuleSet OtherRuleSet(RuleSet rules) {
    return rules == RuleSet::CurrentLaw ? RuleSet::Regulations2002 : RuleSet::CurrentLaw;
}
