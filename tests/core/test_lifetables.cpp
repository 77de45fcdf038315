#include "fatalerror.h"
#include "lifetables.h"

#include <QDate>
#include <QString>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <tuple>
#include <vector>

namespace {

using Lookup = float (*)(int, int, int);

// One operation under test, named for the failure messages.
struct Operation {
    const char *name;
    Lookup call;
};

const Operation kSingle2002{"RMDSINGLEFACTOR", RMDSINGLEFACTOR};
const Operation kSingle2001{"RMDSINGLEFACTOR2001", RMDSINGLEFACTOR2001};
const Operation kJoint2002{"RMDJOINTFACTOR", RMDJOINTFACTOR};
const Operation kJoint2001{"RMDJOINTFACTOR2001", RMDJOINTFACTOR2001};

struct FactorCase {
    Operation op;
    int a, b, c;
    double expected; // as printed, one decimal
};

// The printed value is exact in tenths, so each result must be the float nearest it.
void runCases(const char *table, const std::vector<FactorCase> &cases) {
    for (const FactorCase &t : cases)
        EXPECT_EQ(t.op.call(t.a, t.b, t.c), float(t.expected))
            << table << ": " << t.op.name << "(" << t.a << ", " << t.b << ", " << t.c << ")";
}

struct AgeRow {
    int age;
    double factor;
};

struct PairRow {
    int owner, beneficiary;
    double factor;
};

// A single-life row is a first-year lookup (current age = first age); a uniform row is flag 0.
std::vector<FactorCase> ageRows(Operation op, bool single, std::vector<AgeRow> rows) {
    std::vector<FactorCase> cases;
    for (const AgeRow &r : rows)
        cases.push_back(single ? FactorCase{op, 0, r.age, r.age, r.factor}
                               : FactorCase{op, r.age, 0, 0, r.factor});
    return cases;
}

std::vector<FactorCase> jointRows(Operation op, std::vector<PairRow> rows) {
    std::vector<FactorCase> cases;
    for (const PairRow &r : rows)
        cases.push_back({op, r.owner, r.beneficiary, 2, r.factor});
    return cases;
}

} // namespace

TEST(LifeTables, SingleLife2002IsPub590TableI) {
    // IRS Pub 590 Table I (Treas. Reg. 1.401(a)(9)-9 Q&A-1, T.D. 8987); 111 is "111 and over".
    runCases("Pub 590 Table I",
             ageRows(kSingle2002, true,
                     {{0, 82.4},  {1, 81.6},  {2, 80.6},  {5, 77.7},  {10, 72.8}, {20, 63.0},
                      {30, 53.3}, {40, 43.6}, {50, 34.2}, {55, 29.6}, {60, 25.2}, {65, 21.0},
                      {70, 17.0}, {71, 16.3}, {72, 15.5}, {73, 14.8}, {74, 14.1}, {75, 13.4},
                      {76, 12.7}, {77, 12.1}, {78, 11.4}, {79, 10.8}, {80, 10.2}, {85, 7.6},
                      {90, 5.5},  {95, 4.1},  {100, 2.9}, {105, 1.9}, {110, 1.1}, {111, 1.0}}));
}

TEST(LifeTables, SingleLife2001IsTableV) {
    // Treas. Reg. 1.72-9 Table V (ages 5-115); age 66 = 19.2 is also the 1.72-5(a)(1) example.
    runCases("1.72-9 Table V",
             ageRows(kSingle2001, true,
                     {{5, 76.6},  {10, 71.7}, {15, 66.8}, {20, 61.9}, {21, 60.9}, {25, 57.0},
                      {30, 52.2}, {35, 47.3}, {40, 42.5}, {45, 37.7}, {50, 33.1}, {55, 28.6},
                      {60, 24.2}, {65, 20.0}, {66, 19.2}, {69, 16.8}, {70, 16.0}, {71, 15.3},
                      {72, 14.6}, {75, 12.5}, {80, 9.5},  {85, 6.9},  {90, 5.0},  {95, 3.7},
                      {100, 2.7}, {105, 1.8}, {110, 1.0}, {115, 0.5}}));
}

TEST(LifeTables, Uniform2002IsPub590TableIII) {
    // IRS Pub 590 Table III (Treas. Reg. 1.401(a)(9)-9 Q&A-2); 115 is "115 and over".
    runCases(
        "Pub 590 Table III",
        ageRows(kJoint2002, false,
                {{70, 27.4}, {71, 26.5}, {72, 25.6}, {73, 24.7}, {74, 23.8}, {75, 22.9}, {76, 22.0},
                 {77, 21.2}, {78, 20.3}, {79, 19.5}, {80, 18.7}, {82, 17.1}, {85, 14.8}, {87, 13.4},
                 {90, 11.4}, {92, 10.2}, {95, 8.6},  {97, 7.6},  {100, 6.3}, {102, 5.5}, {105, 4.5},
                 {108, 3.7}, {110, 3.1}, {113, 2.4}, {115, 1.9}}));
}

TEST(LifeTables, Uniform2001IsProposedUniformTable) {
    // Uniform Table of the January 2001 proposed regulations (the 1987 MDIB divisors).
    runCases(
        "2001 Uniform Table",
        ageRows(kJoint2001, false,
                {{70, 26.2}, {71, 25.3}, {72, 24.4}, {73, 23.5}, {74, 22.7}, {75, 21.8}, {76, 20.9},
                 {77, 20.1}, {78, 19.2}, {79, 18.4}, {80, 17.6}, {82, 16.0}, {85, 13.8}, {87, 12.4},
                 {90, 10.5}, {92, 9.4},  {95, 7.8},  {97, 6.9},  {100, 5.7}, {102, 5.0}, {105, 4.1},
                 {108, 3.3}, {110, 2.8}, {113, 2.2}, {115, 1.8}}));
}

TEST(LifeTables, Joint2002IsPub590TableII) {
    // IRS Pub 590 Table II (Treas. Reg. 1.401(a)(9)-9 Q&A-3). Cells (x, x-10) at 75, 85 and 100
    // are the Table III values of those ages.
    runCases("Pub 590 Table II",
             jointRows(kJoint2002, {{0, 0, 90.0},   {0, 9, 86.5},   {1, 1, 89.0},   {2, 4, 87.1},
                                    {3, 3, 87.0},   {4, 8, 84.2},   {5, 5, 85.0},   {10, 0, 86.2},
                                    {11, 0, 85.9},  {12, 9, 79.7},  {15, 5, 81.2},  {20, 0, 84.3},
                                    {20, 9, 77.0},  {35, 0, 83.1},  {35, 6, 77.6},  {60, 60, 30.9},
                                    {65, 65, 26.2}, {70, 60, 27.4}, {72, 60, 27.0}, {80, 80, 13.8},
                                    {75, 65, 22.9}, {85, 75, 14.8}, {100, 90, 6.3}}));
}

TEST(LifeTables, Joint2001IsTableVI) {
    // Treas. Reg. 1.72-9 Table VI. Cells (x, x-10) are the 2001 Uniform Table values, and
    // cells (x, 115) the Table V values, of age x.
    runCases(
        "1.72-9 Table VI",
        jointRows(kJoint2001, {{65, 65, 25.0},  {70, 70, 20.6},  {75, 75, 16.5},  {70, 67, 22.0},
                               {70, 60, 26.2},  {71, 61, 25.3},  {75, 65, 21.8},  {78, 68, 19.2},
                               {80, 70, 17.6},  {85, 75, 13.8},  {90, 80, 10.5},  {95, 85, 7.8},
                               {100, 90, 5.7},  {115, 105, 1.8}, {5, 115, 76.6},  {20, 115, 61.9},
                               {40, 115, 42.5}, {66, 115, 19.2}, {70, 115, 16.0}, {85, 115, 6.9},
                               {100, 115, 2.7}, {115, 115, 0.5}}));
}

TEST(LifeTables, AgesOutsideATableTakeItsFirstOrLastRow) {
    runCases("single and uniform", {{kSingle2002, 0, -3, -3, 82.4},
                                    {kSingle2002, 0, 115, 115, 1.0},
                                    {kSingle2002, 0, 130, 130, 1.0},
                                    // Table V starts at 5.
                                    {kSingle2001, 0, 0, 0, 76.6},
                                    {kSingle2001, 0, 4, 4, 76.6},
                                    {kSingle2001, 0, 116, 116, 0.5},
                                    {kJoint2002, 116, 0, 0, 1.9},
                                    {kJoint2002, 150, 0, 0, 1.9},
                                    {kJoint2001, 120, 0, 0, 1.8}});
    // Each age clamped on its own: (130, 66) reads (115, 66); the cells (115, 60), (60, 115),
    // (0, 60), (115, 0) of Table II and (5, 60), (60, 5), (115, 5), (5, 115) of Table VI.
    runCases("joint", {{kJoint2002, -1, -4, 2, 90.0},
                       {kJoint2002, 10, -5, 2, 86.2},
                       {kJoint2001, 130, 66, 2, 19.2},
                       {kJoint2001, 70, 140, 2, 16.0},
                       {kJoint2001, 116, 200, 2, 0.5},
                       {kJoint2002, 130, 60, 2, 25.2},
                       {kJoint2002, 60, 130, 2, 25.2},
                       {kJoint2002, -4, 60, 2, 82.6},
                       {kJoint2002, 120, -3, 2, 82.4},
                       {kJoint2001, 3, 60, 2, 76.7},
                       {kJoint2001, 60, 0, 2, 76.7},
                       {kJoint2001, 200, 2, 2, 76.6},
                       {kJoint2001, 2, 118, 2, 76.6}});
}

TEST(LifeTables, UniformExtendsBelowItsFirstAgeFor72t) {
    // Rev. Rul. 2002-62 Appendix A at 50, 56 and 59; at 10 and 5 Table II (10, 0) and (5, 0)
    // (the younger age clamps to 0); flag -1 with a spouse 6 years younger at 56.
    const std::vector<FactorCase> extended = {
        {kJoint2002, 50, 0, 0, 46.5}, {kJoint2002, 56, 0, 0, 40.7}, {kJoint2002, 59, 0, 0, 37.8},
        {kJoint2002, 10, 0, 0, 86.2}, {kJoint2002, 5, 0, 0, 87.8},  {kJoint2002, 56, 50, -1, 40.7}};
    runCases("72(t)", extended);
}

TEST(LifeTables, BeneficiaryFlagChoosesTheTable) {
    // Flag 0 ignores a much younger spouse and an older beneficiary. Flag -1: a spouse exactly 10
    // years younger takes the uniform table, 11 and 12 years younger Table II, an older
    // beneficiary the uniform table. Flag 2: the same ages take Table VI. Past 115 the uniform
    // row (1.8) and the Table VI (115, 115) cell (0.5) differ, which exposes a threshold of
    // ">= 10" instead of "> 10".
    const std::vector<FactorCase> flags = {
        {kJoint2002, 75, 40, 0, 22.9},   {kJoint2002, 75, 90, 0, 22.9},
        {kJoint2002, 80, 70, -1, 18.7},  {kJoint2001, 80, 70, -1, 17.6},
        {kJoint2002, 11, 0, -1, 85.9},   {kJoint2002, 20, 9, -1, 77.0},
        {kJoint2002, 72, 60, -1, 27.0},  {kJoint2002, 70, 75, -1, 27.4},
        {kJoint2001, 70, 67, -1, 26.2},  {kJoint2001, 70, 67, 2, 22.0},
        {kJoint2001, 125, 115, -1, 1.8}, {kJoint2001, 126, 115, -1, 0.5}};
    runCases("flags", flags);
}

TEST(LifeTables, UnknownFlagIsFatal) {
    for (const Operation &op : {kJoint2002, kJoint2001}) {
        for (const int flag : {1, -2, 3, 10, 99, INT_MIN, INT_MAX}) {
            try {
                ADD_FAILURE() << op.name << "(75, 60, " << flag << ") = " << op.call(75, 60, flag);
            } catch (const FatalError &e) {
                EXPECT_EQ(e.routine(), QString::fromLatin1(op.name)) << "flag " << flag;
                EXPECT_FALSE(e.description().isEmpty()) << "flag " << flag;
            }
        }
    }
}

TEST(LifeTables, SingleFactorLosesOnePerYearWithoutRecalculation) {
    // Not clamped at 0: 12.7 at 76 less 12 is 0.7, less 13 is -0.3. A current age before the
    // first adds nothing; a first age outside the table counts the years from itself.
    runCases("single", {{kSingle2002, 0, 70, 70, 17.0},
                        {kSingle2002, 0, 70, 75, 12.0},
                        {kSingle2002, 0, 70, 65, 17.0},
                        {kSingle2002, 0, 76, 88, 0.7},
                        {kSingle2002, 0, 76, 89, -0.3},
                        {kSingle2002, 0, 76, 100, -11.3},
                        {kSingle2002, 0, 111, 115, -3.0},
                        {kSingle2002, 0, 120, 121, 0.0},
                        {kSingle2002, 0, -2, 3, 77.4},
                        {kSingle2001, 0, 70, 80, 6.0},
                        {kSingle2001, 0, 66, 70, 15.2},
                        {kSingle2001, 0, 3, 10, 69.6},
                        {kSingle2001, 0, 115, 116, -0.5}});
}

TEST(LifeTables, UniformEqualsJointWithBeneficiaryTenYearsYounger) {
    // Both editions build the uniform table as Joint(x, x-10); from 70 up this compares the
    // uniform file with the joint file, below 70 it is the 72(t) extension.
    for (const Operation &op : {kJoint2002, kJoint2001}) {
        for (int age = -5; age <= 115; ++age)
            EXPECT_EQ(op.call(age, 0, 0), op.call(age, age - 10, 2)) << op.name << " age " << age;
    }
}

TEST(LifeTables, JointTablesAreSymmetricAndNonIncreasing) {
    // The printed 2002 and 2001 joint tables are symmetric with no exception; each factor is
    // at least the single-life factor of the younger age. The first failing cell stops the test.
    for (const auto &[joint, single, first] :
         {std::tuple{kJoint2002, kSingle2002, 0}, std::tuple{kJoint2001, kSingle2001, 5}}) {
        for (int a = first; a <= 115; ++a) {
            for (int b = first; b <= 115; ++b) {
                const float f = joint.call(a, b, 2);
                ASSERT_TRUE(f == joint.call(b, a, 2) &&
                            f >= single.call(0, std::min(a, b), std::min(a, b)) &&
                            (a == 115 || joint.call(a + 1, b, 2) <= f) &&
                            (b == 115 || joint.call(a, b + 1, 2) <= f))
                    << joint.name << "(" << a << ", " << b << ") = " << f;
            }
        }
    }
}

TEST(CalculateAge, WholeYears) {
    const struct {
        QDate birth, asOf;
        int expected;
    } cases[] = {
        {{1950, 1, 15}, {2020, 1, 15}, 70},
        {{1950, 1, 15}, {2020, 1, 14}, 69},
        {{1950, 1, 15}, {2019, 12, 31}, 69},
        {{1949, 12, 31}, {2019, 12, 31}, 70},
        {{1949, 12, 31}, {2019, 12, 30}, 69},
        // A leap-day birth: its birthday is Feb 28 in a common year.
        {{1952, 2, 29}, {2022, 2, 28}, 70},
        {{1952, 2, 29}, {2022, 2, 27}, 69},
        {{1952, 2, 29}, {2022, 3, 1}, 70},
        {{1952, 2, 29}, {2020, 2, 28}, 67},
        {{1952, 2, 29}, {2020, 2, 29}, 68},
        {{1952, 2, 29}, {1953, 2, 28}, 1},
        {{1952, 2, 29}, {1952, 2, 29}, 0},
        {{1952, 3, 1}, {2022, 2, 28}, 69},
        // Before the birth.
        {{2000, 5, 10}, {2000, 5, 9}, -1},
        {{2000, 5, 10}, {1999, 5, 10}, -1},
        {{2000, 5, 10}, {1999, 5, 9}, -2},
    };
    for (const auto &t : cases)
        EXPECT_EQ(CALCULATEAGE(t.birth, t.asOf, 0), t.expected)
            << "born " << t.birth.toString(Qt::ISODate).toStdString() << ", as of "
            << t.asOf.toString(Qt::ISODate).toStdString();
}

TEST(CalcDateHalfAge, SixMonthsAfterTheBirthday) {
    // Into a shorter month the last day of that month; Feb 28 for a leap-day birth in a common
    // year.
    const struct {
        QDate birth;
        int age;
        const char *expected;
    } cases[] = {
        {{1952, 2, 29}, 70, "08/28/2022"}, {{1952, 2, 29}, 68, "08/29/2020"},
        {{1950, 8, 31}, 70, "02/28/2021"}, {{1951, 8, 29}, 70, "02/28/2022"},
        {{1953, 8, 29}, 70, "02/29/2024"}, {{1950, 1, 15}, 70, "07/15/2020"},
        {{1950, 1, 31}, 70, "07/31/2020"}, {{1949, 6, 30}, 70, "12/30/2019"},
        {{1950, 3, 31}, 70, "09/30/2020"}, {{1950, 12, 31}, 70, "06/30/2021"},
        {{1949, 7, 1}, 70, "01/01/2020"},  {{1960, 6, 15}, 59, "12/15/2019"},
        {{1900, 1, 5}, 70, "07/05/1970"},
    };
    for (const auto &t : cases)
        EXPECT_EQ(CALCDATEHALFAGE(t.birth, t.age).toStdString(), t.expected)
            << "born " << t.birth.toString(Qt::ISODate).toStdString() << ", age " << t.age;
}
