#include "annuityfactor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float AgeOutOfRange = -1000;
constexpr float RateOutOfRange = -2000;

// IRS, "Retirement Plans FAQs regarding Substantially Equal Periodic Payments": the age 50
// annuity factor from the Rev. Rul. 2002-62 Appendix B mortality table at 2.98% is 21.345.
TEST(AnnuityFactorTest, IrsFaqAgeFifty) {
    EXPECT_NEAR(AnnuityFactor(50, 0.0298), 21.345, 0.0005);
}

TEST(AnnuityFactorTest, ErrorCodesOutsideTheTableAndTheRateLimit) {
    // Nobody lives a further year from 115; the age is checked before the rate; 0% and 12% are
    // allowed, and every age from 0 to 114. Expected 0 stands for "a factor of at least 1".
    const struct {
        int age;
        double rate;
        float expected;
    } cases[] = {{-1, 0.04, AgeOutOfRange},
                 {115, 0.04, AgeOutOfRange},
                 {116, 0.04, AgeOutOfRange},
                 {115, 0.5, AgeOutOfRange},
                 {50, -0.0001, RateOutOfRange},
                 {50, 0.1201, RateOutOfRange},
                 {50, 0.12, 0},
                 {50, 0.0, 0},
                 {0, 0.04, 0},
                 {114, 0.04, 0}};
    for (const auto &c : cases) {
        const float factor = AnnuityFactor(c.age, c.rate);
        if (c.expected < 0)
            EXPECT_EQ(factor, c.expected) << "age " << c.age << " rate " << c.rate;
        else
            EXPECT_GE(factor, 1.0f) << "age " << c.age << " rate " << c.rate;
    }
}

// The forward sum against the textbook backward recursion a(x) = 1 + p(x) a(x+1) / (1 + i),
// a(115) = 1, for every age and a spread of rates: a wrong mortality index or discount shows. At
// 114 that leaves two payments: now, and at 115 for the 9.9181% who survive.
TEST(AnnuityFactorTest, MatchesBackwardRecursionAtEveryAge) {
    MortalityTable q;
    FillMortalityTable(q);
    for (const double rate : {0.0, 0.01, 0.0298, 0.05, 0.12}) {
        double recursive = 1;
        for (int age = 114; age >= 0; --age) {
            recursive = 1 + (1 - q[std::size_t(age)]) * recursive / (1 + rate);
            const float factor = AnnuityFactor(age, rate);
            EXPECT_NEAR(factor, recursive, recursive * 2e-7)
                << "age " << age << " rate " << rate << ": computed " << factor << ", recursion "
                << recursive;
        }
    }
}

// Rev. Rul. 2002-62, Appendix B, checked at a few entries; a digit slip elsewhere would break
// the rise of mortality with age from 7 on, or the FAQ factor above.
TEST(MortalityTableTest, AppendixB) {
    MortalityTable q;
    q.fill(-1);
    FillMortalityTable(q);
    const struct {
        int age;
        double q;
    } entries[] = {{0, 0.001982},  {7, 0.000201},   {50, 0.002409},
                   {99, 0.224861}, {114, 0.900819}, {115, 1.0}};
    for (const auto &e : entries)
        EXPECT_DOUBLE_EQ(q[std::size_t(e.age)], e.q) << "age " << e.age;
    for (std::size_t age = 7; age < q.size() - 1; ++age)
        EXPECT_LT(q[age], q[age + 1]) << "ages " << age << " and " << age + 1;
    for (std::size_t age = 0; age < q.size(); ++age)
        EXPECT_TRUE(q[age] > 0 && q[age] <= 1) << "age " << age << ": " << q[age];
}

} // namespace
