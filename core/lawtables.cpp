#include "lawtables.h"

#include "distribution.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

struct AgeRow {
    QDate bornBefore; // the row applies to births before this day
    ApplicableAge age;
};

// IRC 401(a)(9)(C)(v): 70 1/2 before the SECURE Act (sec. 114: 72 for those reaching 70 1/2
// after 2019, i.e. born on or after 7/1/1949); SECURE 2.0 Act sec. 107: 73 for those reaching
// 72 after 2022, 75 for those reaching 74 after 2032. The final regulations of July 2024
// (Treas. Reg. 1.401(a)(9)-2(b)(2)(v)) read the overlap for 1959 births as 73.
const std::array<AgeRow, 4> ApplicableAges{{
    {QDate(1949, 7, 1), {70, 6}},
    {QDate(1951, 1, 1), {72, 0}},
    {QDate(1960, 1, 1), {73, 0}},
    {QDate(9999, 12, 31), {75, 0}},
}};

struct EditionRow {
    RuleSet rules;
    int firstYear; // the row applies from this distribution year on
    LifeTableEdition edition;
};

// Rows in order of first year per rule set; the last row reached wins. T.D. 8987 (2002 tables,
// required from 2003, optional for 2002 as every existing illustration uses them); T.D. 9930
// (2022 tables for distribution years beginning on or after 1/1/2022).
const std::array<EditionRow, 5> Editions{{
    {RuleSet::Regulations2002, 0, LifeTableEdition::Proposed2001},
    {RuleSet::Regulations2002, 2002, LifeTableEdition::Final2002},
    {RuleSet::CurrentLaw, 0, LifeTableEdition::Proposed2001},
    {RuleSet::CurrentLaw, 2002, LifeTableEdition::Final2002},
    {RuleSet::CurrentLaw, 2022, LifeTableEdition::Final2022},
}};

struct WaiverRow {
    int year;
    bool currentLawOnly;
    const char *note; // none: Note2009()
};

const std::array<WaiverRow, 2> Waivers{{
    {2009, false, nullptr}, // Note2009()
    {2020, true,
     "Note: Under the Coronavirus Aid, Relief, and Economic Security (CARES) Act of 2020, "
     "Congress waived required minimum distributions for 2020."},
}};

struct ExciseRow {
    RuleSet rules;
    int firstYear;
    int percent;
};

// IRC 4974(a); SECURE 2.0 Act sec. 302 for taxable years beginning after 12/29/2022.
const std::array<ExciseRow, 3> Excises{{
    {RuleSet::Regulations2002, 0, 50},
    {RuleSet::CurrentLaw, 0, 50},
    {RuleSet::CurrentLaw, 2023, 25},
}};

const std::array<std::pair<LifeTableEdition, const char *>, 3> EditionYears{{
    {LifeTableEdition::Proposed2001, "2001"},
    {LifeTableEdition::Final2002, "2002"},
    {LifeTableEdition::Final2022, "2022"},
}};

struct SeppRow {
    RuleSet rules;
    int firstYear;
    bool notice2022_6;
};

// Notice 2022-6 section 3: required for series starting in 2023, optional in 2022 (not taken).
const std::array<SeppRow, 3> SeppRules{{
    {RuleSet::Regulations2002, 0, false},
    {RuleSet::CurrentLaw, 0, false},
    {RuleSet::CurrentLaw, 2023, true},
}};

template <typename Row, typename Rows>
const Row &lastReached(const Rows &rows, RuleSet rules, int year) {
    const Row *found = nullptr;
    for (const Row &row : rows) {
        if (row.rules == rules && row.firstYear <= year)
            found = &row;
    }
    return *found;
}

int birthdayDay(const QDate &birth, int year) {
    return birth.month() == 2 && birth.day() == 29 && !QDate::isLeapYear(year) ? 28 : birth.day();
}

} // namespace

QString ApplicableAge::text() const {
    return months ? QStringLiteral("%1 1/2").arg(years) : QString::number(years);
}

ApplicableAge ApplicableAgeFor(RuleSet rules, const QDate &birth) {
    if (rules == RuleSet::Regulations2002)
        return ApplicableAges.front().age;
    const auto row = std::find_if(ApplicableAges.begin(), ApplicableAges.end(),
                                  [&birth](const AgeRow &age) { return birth < age.bornBefore; });
    return row == ApplicableAges.end() ? ApplicableAges.back().age : row->age;
}

QString ApplicableAgeDate(RuleSet rules, const QDate &birth) {
    const ApplicableAge age = ApplicableAgeFor(rules, birth);
    if (age.months)
        return CALCDATEHALFAGE(birth, age.years);
    const int year = birth.year() + age.years;
    return QDate(year, birth.month(), birthdayDay(birth, year)).toString(u"MM/dd/yyyy");
}

LifeTableEdition EditionForYear(RuleSet rules, int year) {
    return lastReached<EditionRow>(Editions, rules, year).edition;
}

std::optional<QString> WaivedYearNote(RuleSet rules, int year) {
    for (const WaiverRow &row : Waivers) {
        if (row.year == year && (!row.currentLawOnly || rules == RuleSet::CurrentLaw))
            return row.note ? QString::fromLatin1(row.note) : Note2009();
    }
    return std::nullopt;
}

int ExcisePercent(RuleSet rules, int year) {
    return lastReached<ExciseRow>(Excises, rules, year).percent;
}

qint64 ExciseTax(qint64 distribution, int percent) {
    return (distribution * percent + 50) / 100;
}

QString RuleSetWording(RuleSet rules, int year) {
    const LifeTableEdition edition = EditionForYear(rules, year);
    const auto tables =
        std::find_if(EditionYears.begin(), EditionYears.end(),
                     [edition](const auto &entry) { return entry.first == edition; });
    return QStringLiteral("Computed under %1 and the life-expectancy tables of %2.")
        .arg(RuleSetLaw(rules), QLatin1String(tables->second));
}

QString CurrentLawOwnerNotes(RuleSet rules, int year, const QString &planType) {
    if (rules != RuleSet::CurrentLaw)
        return QString();
    const int percent = ExcisePercent(rules, year);
    QString notes =
        percent == 50
            ? QStringLiteral("The excise tax on a missed distribution is 50% for %1.").arg(year)
            : QStringLiteral("The excise tax on a missed distribution is %1% for %2, 10% when "
                             "it is corrected in time (SECURE 2.0 Act sec. 302); the tax shown "
                             "uses %1%.")
                  .arg(percent)
                  .arg(year);
    // IRC 408A(c)(5); SECURE 2.0 Act sec. 325 for designated Roth accounts from 2024.
    if (planType.startsWith(QLatin1Char('4')))
        notes += QStringLiteral(" Designated Roth accounts of 401(k), 403(b) and 457(b) plans "
                                "have no lifetime required distributions from 2024; this "
                                "distribution applies to the plan's other accounts.");
    return notes;
}

bool SeppUnderNotice2022_6(RuleSet rules, int startYear) {
    return lastReached<SeppRow>(SeppRules, rules, startYear).notice2022_6;
}
