#pragma once

// The Stretch projection (calculator 3): one account carried year by year through the
// planholder (required distributions from the Uniform Lifetime table, or the Joint and Last
// Survivor table for a spouse more than ten years younger), a spouse beneficiary and a
// non-spouse beneficiary whose distributions follow the Single Life table without
// recalculation (Treas. Reg. 1.401(a)(9)-5 and -9, IRS Publication 590).

#include "calculation.h"
#include "validation.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <variant>

class Illustration;

struct StretchInputs {
    QString planholderName; // first, middle and last joined by single blanks
    QString spouseName;     // empty when the spouse is skipped
    QString beneficiaryName;
    QString planName; // as entered
    int ple = 0;      // planholder life expectancy, whole years
    int sle = 0;      // spouse life expectancy as entered; 0 when the spouse is skipped
};

// The Stretch tab's checks in order. A spouse life expectancy not above the planholder's passes
// with the "Non-Essential Spouse Life Expectancy" warning, shown through the prompter only while
// context.spouseWarningShown is clear (the warning then sets it). The contribution limit is that
// of today's calendar year.
std::variant<StretchInputs, ValidationFailure> ValidateStretch(Illustration &illustration,
                                                               CalcContext &context);

namespace Projection {
enum Phase { Planholder = 0, Spouse = 1, Beneficiary = 2, AllYears = 3 };
enum Column {
    Year = 0,          // calendar year
    Age = 1,           // the owner's age; the year index in AllYears
    Contributions = 2, // running total of the balance and contributions while they are made
    Distribution = 3,
    Accumulated = 4, // distributions so far, within the phase (over all years in AllYears)
    Balance = 5      // at the end of the year
};
constexpr int Phases = 4;
constexpr int Columns = 6;
constexpr int Years = 121; // year indexes 0 to 120
} // namespace Projection

// Whole dollars (and years and ages) by phase, column and year index. 64-bit cells: a large
// balance growing at 12% over a young beneficiary's life passes the 32-bit range.
class ProjectionTable {
public:
    qint64 at(int phase, int column, int year) const { return m_cells[index(phase, column, year)]; }
    qint64 &at(int phase, int column, int year) { return m_cells[index(phase, column, year)]; }

private:
    static std::size_t index(int phase, int column, int year);
    std::array<qint64, std::size_t(Projection::Phases *Projection::Columns *Projection::Years)>
        m_cells{};
};

struct StretchProjection {
    ProjectionTable table;
    int ple = 0;   // first year index after the planholder's years
    int sle = 0;   // first year index after the spouse's years; ple without a spouse phase
    int last = 0;  // year index of the future-income figure
    int blast = 0; // the beneficiary's last year index
    bool spousePhase() const { return sle > ple; }
};

// The projection of the illustration's Stretch tab, first year that of "6-IllustrationDate".
// Throws FatalError when that field holds no date or a life expectancy lies outside the table.
StretchProjection ComputeStretch(const Illustration &illustration);

// The graph list's entries: "Spouse Beneficiary" only while the projection has a spouse phase.
QStringList StretchGraphEntries(bool spousePhase);

// The life-expectancy lookup buttons (cmdCalc 0 beside "2-StretchPLEO", 1 beside
// "2-StretchSLEO"): the Single Life factor of today's age, rounded to whole years, written into
// the field when the date of birth is a date; nothing happens otherwise. A lookup that changes
// the field marks the illustration changed.
void LookUpLifeExpectancy(Illustration &illustration, int element, const QDate &today);

// chkSkipSpouse: a ticked box empties every spouse field and greys and disables it with its
// caption; a cleared box gives them their look back and enables them again. Also run after an
// illustration is loaded, so its fields agree with the box.
void RefreshSkipSpouse(Illustration &illustration);

// A click on chkSkipSpouse: the box takes `checked`, the fields follow, the illustration is
// marked changed.
void SetSkipSpouse(Illustration &illustration, bool checked);

// The spouse lookup button is usable only while the spouse is not skipped.
bool SpouseLookupEnabled(const Illustration &illustration);
