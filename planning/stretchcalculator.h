#pragma once

// The Stretch projection (calculator 3): one account carried year by year through the
// planholder (required distributions from the Uniform Lifetime table, or the Joint and Last
// Survivor table for a spouse more than ten years younger), a spouse beneficiary and a
// non-spouse beneficiary whose distributions follow the Single Life table without
// recalculation (Treas. Reg. 1.401(a)(9)-5 and -9, IRS Publication 590). Under current law the
// owners start at their applicable age on the tables of the year, and a beneficiary who is not
// an eligible designated beneficiary empties the account in the tenth year.

#include "stretchvalidation.h"

#include <QDate>
#include <array>

class Illustration;

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
    bool currentLaw = false;
    bool tenYearRule = false; // the beneficiary empties the account in the tenth year
    bool spousePhase() const { return sle > ple; }
};

// The projection of the illustration's Stretch tab, first year that of "6-IllustrationDate".
// Throws FatalError when that field holds no date or a life expectancy lies outside the table.
StretchProjection ComputeStretch(const Illustration &illustration);
