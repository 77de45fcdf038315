#include "calculators.h"
#include "distribution.h"
#include "fatalerror.h"
#include "illustration.h"
#include "testsupport.h"

#include <limits>

namespace {

const QDate Today(2026, 12, 6);

const QString DateHelp = ExpectedDateHelp();

class RmdTest : public IllustrationTest {
protected:
    void SetUp() override { MakeRmdSample(illustration, Today); }

    Validation run(bool detailed = false, const QDate &today = Today) {
        CalcContext context{today, {}, detailed};
        return RunCalculation(illustration, context);
    }
};

TEST_F(RmdTest, EachCheckReportsItsOwnFailure) {
    const char *missing = "Missing Required Information.";
    const char *dateError = "Date Input Error";
    const QString born =
        QStringLiteral("The Planholder's Date of Birth is required.\r\n") + DateHelp;
    const QString bornTooEarly =
        QStringLiteral("The Planholder's Date of Birth is incorrect.\r\n") + DateHelp;
    const QString year = QStringLiteral("This calculator is based on IRS regulations\r\n"
                                        "released in 2001 and the 1 year change for 2009.\r\n\r\n"
                                        "Please enter a year between 2001 and 2027.");
    const QString account = QStringLiteral("Please enter the Account Value.");
    // The boundaries of the shared checks (a date that does not exist, an amount under a dollar)
    // are tested with the other calculators: one routine checks them for all.
    // The field is set to the text; optUseJoint 0 asks for the spouse's date. Today is
    // 12/06/2026: 12/31/1910 is 116 calendar years back, 1/1/1909 117; a spouse born 12/31/1960 is
    // ten calendar years younger than the planholder (1950).
    const struct {
        const char *tag, *text;
        int optUseJoint;
        QString message;
        const char *title, *replacement;
    } cases[] = {
        {"8-PartFirst", "", 1, QStringLiteral("Please enter a first name."), missing, "John"},
        {"8-PartLast", "", 1, QStringLiteral("Please enter a last name."), missing, "Sample"},
        {"7-PartDOB", "", 1, born, dateError, "01/01/1930"},
        {"7-PartDOB", "12/31/1910", 1, bornTooEarly, dateError, "01/01/1930"},
        {"7-PartDOB", "01/01/2027", 1, bornTooEarly, dateError, "01/01/1930"},
        {"7-SpouseDOB", "", 0,
         QStringLiteral("The Spouse's Date of Birth is required.\r\n") + DateHelp, dateError,
         "01/01/1930"},
        {"7-SpouseDOB", "1/1/1909", 0,
         QStringLiteral("The Spouse's Date of Birth is incorrect.\r\n") + DateHelp, dateError,
         "01/01/1930"},
        {"7-SpouseDOB", "12/31/1960", 0,
         QStringLiteral("The Spouse's Date of Birth must be a date that\r\n"
                        "will produce a Spouse age more than 10 years\r\n"
                        "younger than the Client to qualify to use the\r\n"
                        "Joint Life Expectancy Table.\r\n\r\n") +
             DateHelp,
         "Incorrect Spouse Date of Birth", "01/01/1930"},
        {"7-DD0", "sometime", 1,
         QStringLiteral("The Planholder's Date of Death is not entered correctly.\r\n") + DateHelp,
         dateError, ""},
        {"7-PlanRetDate", "13/13/2020", 1,
         QStringLiteral("The Planholder's Retirement Date is not entered correctly.\r\n") +
             DateHelp,
         dateError, ""},
        {"3-Year0", "2000", 1, year, "Invalid Entry.", "2027"},
        {"3-Year0", "2028", 1, year, "Invalid Entry.", "2027"},
        {"7-DD0", "12/31/2021", 1,
         QStringLiteral("The Date of Death must occur during the\r\n"
                        "calculation year. If the date of death is\r\n"
                        "other than in the calculation year, use the\r\n"
                        "Required Minimum Beneficiary Calculator.\r\n\r\n") +
             DateHelp,
         "Date Input Error 12/31/2021", "12/06/2026"},
        {"6-AcctValue0", "$0", 1, account, missing, "100000"},
    };
    for (const auto &c : cases) {
        MakeRmdSample(illustration, Today);
        SetFields(illustration, {{c.tag, c.text}});
        illustration.setPosition(Control::optUseJoint, c.optUseJoint);
        prompter.clear();

        const std::string name = std::string(c.tag) + " " + c.text;
        ExpectFailure(
            run(), prompter,
            {QLatin1String(c.tag), c.message, QLatin1String(c.title), QLatin1String(c.replacement)},
            name);
        // The field takes the replacement (here for every calculator: one routine shows them).
        EXPECT_EQ(field(c.tag), QLatin1String(c.replacement)) << name;
    }
}

TEST_F(RmdTest, BoundariesThatPass) {
    const struct {
        const char *name, *tag, *text;
        int optUseJoint;
    } cases[] = {
        {"spouse eleven calendar years younger", "7-SpouseDOB", "01/01/1961", 0},
        {"death on the last day", "7-DD0", "12/31/2022", 1},
    };
    for (const auto &c : cases) {
        MakeRmdSample(illustration, Today);
        SetFields(illustration, {{c.tag, c.text}});
        illustration.setPosition(Control::optUseJoint, c.optUseJoint);
        EXPECT_TRUE(run().passed()) << c.name;
    }
}

TEST_F(RmdTest, LatestCalculationYearFollowsToday) {
    SetFields(illustration, {{"3-Year0", "2031"}});
    EXPECT_TRUE(run(false, QDate(2030, 1, 1)).passed());
    SetFields(illustration, {{"3-Year0", "2032"}});
    EXPECT_FALSE(run(false, QDate(2030, 1, 1)).passed());
}

TEST_F(RmdTest, ValidationClearsUnusedDates) {
    SetFields(illustration, {{"7-SpouseDOB", "01/01/1970"}, {"7-DD0", "   "}});
    ASSERT_TRUE(run().passed());
    expectFields({"7-SpouseDOB=", "7-DD0="});
}

// IRS Publication 590 (2014), Table III example: Joe, born October 1, 1943, reaches 70 1/2 on
// April 1, 2014; his IRA held $26,500 at the end of 2013; factor 26.5 at 71; RMD $1,000. 2014 is
// the first distribution year: its deadline is marked for the first-year note, whose text, like
// the other report fields, the golden merged reports hold.
TEST_F(RmdTest, PublishedUniformExample) {
    SetFields(illustration, {"8-PartFirst=Joe", "8-PartMiddle=", "7-PartDOB=10/01/1943",
                             "3-Year0=2014", "6-AcctValue0=$26,500"});
    ASSERT_TRUE(run().passed());
    expectFields({"R-PHName=Joe Sample", "R-Plan70=April 1, 2014", "R-RBD=April 1, 2015",
                  "R-IRSTable=26.5", "R-AA=for age 71", "R-RMD=$1,000",
                  "R-Dec31YYYY=April 1, 2015**"});
}

TEST_F(RmdTest, SpouseMoreThanTenYearsYoungerUsesTheJointTable) {
    illustration.setPosition(Control::optUseJoint, 0);
    SetFields(illustration, {{"7-SpouseDOB", "06/30/1961"}});
    ASSERT_TRUE(run(true).passed());
    // Pub 590 Table II: ages 72 and 61 give 26.3; 100000 / 26.3 = 3802.28. The joint table's
    // wording is the golden merged reports'.
    expectFields({"R-IRSTable=26.3", "R-RMD=$3,803"});
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].text,
              QStringLiteral("Planholder Age on 12/31/2022: 72\r\n"
                             "Spouse Age on 12/31/2022: 61\r\n"
                             "RMD Factor from Joint Life Table = 26.3\r\n"
                             "RMD: 3803"));
}

TEST_F(RmdTest, DistributionRoundsUpFromOneCentOfADollar) {
    // Uniform Lifetime factors of 2021: 26.5 at 71, 25.6 at 72, 23.8 at 74, 22.9 at 75.
    const struct {
        const char *born, *account, *factor, *rmd, *penalty;
    } cases[] = {
        {"01/15/1950", "26500", "26.5", "$1,000", "$500"},    // exactly 1000
        {"01/15/1950", "26500.2", "26.5", "$1,000", "$500"},  // 1000.0075: below a cent, dropped
        {"01/15/1950", "26500.53", "26.5", "$1,001", "$501"}, // 1000.02
        {"01/15/1950", "26513.25", "26.5", "$1,001", "$501"}, // 1000.5
        {"01/15/1950", "26765", "26.5", "$1,010", "$505"},    // 1010.0
        {"01/15/1950", "26791.5", "26.5", "$1,011", "$506"},  // 1011.0; penalty 505.5 rounds up
        // Exact quotients of the printed factor, which single precision misses by a cent or more.
        {"01/15/1946", "22900000", "22.9", "$1,000,000", "$500,000"},
        {"01/15/1947", "23800000", "23.8", "$1,000,000", "$500,000"},
        {"01/15/1949", "2560000000", "25.6", "$100,000,000", "$50,000,000"},
    };
    SetFields(illustration, {{"3-Year0", "2021"}});
    for (const auto &c : cases) {
        SetFields(illustration, {{"7-PartDOB", c.born}, {"6-AcctValue0", c.account}});
        ASSERT_TRUE(run().passed()) << c.account;
        expectFields({{"R-IRSTable", c.factor}, {"R-RMD", c.rmd}, {"R-IRSPen", c.penalty}},
                     c.account);
    }
}

TEST(RequiredDistributionTest, OverflowIsAnErrorNotAnAmount) {
    EXPECT_EQ(RequiredDistribution(99999999999.0, 1.0f), 99999999999);
    EXPECT_THROW(RequiredDistribution(3e20, 22.9f), FatalError);
    EXPECT_THROW(RequiredDistribution(std::numeric_limits<double>::infinity(), 1.0f), FatalError);
}

// No factor, so detailed mode has nothing to show either.
TEST_F(RmdTest, Year2009HasNoDistribution) {
    SetFields(illustration, {{"7-PartDOB", "01/15/1935"}, {"3-Year0", "2009"}});
    ASSERT_TRUE(run(true).passed());
    expectFields({"R-RMD=$0", "R-IRSTable=N/A", "R-AA= ", "R-Dec31YYYY=December 31, 2009"});
    EXPECT_EQ(field("R-NoteYear1"),
              QStringLiteral("Note: Under the Worker, Retiree, and Employers Recovery Act of 2008 "
                             "(H.R. 7327), Congress approved a one-year suspension of the "
                             "required minimum distribution (RMD) for 2009.")
                  .leftJustified(400));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(RmdTest, Year2009AsFirstDistributionYearGetsTheFirstYearNote) {
    // 70 1/2 on 09/01/2009.
    SetFields(illustration, {{"7-PartDOB", "03/01/1939"}, {"3-Year0", "2009"}});
    ASSERT_TRUE(run().passed());
    expectFields({"R-RBD=April 1, 2010", "R-Dec31YYYY=April 1, 2010**", "R-RMD=$0"});
    EXPECT_TRUE(field("R-NoteYear1").startsWith(QStringLiteral("** Although")));
}

TEST_F(RmdTest, BeforeTheFirstDistributionYearAgesAreZero) {
    // Born 08/15/1951: 70 1/2 on 02/15/2022, so 2022 is the first distribution year.
    SetFields(illustration, {{"7-PartDOB", "08/15/1951"}, {"3-Year0", "2021"}});
    ASSERT_TRUE(run().passed());
    expectFields({"R-Plan70=February 15, 2022", "R-RBD=April 1, 2023", "R-RMD=$0", "R-IRSTable=N/A",
                  "R-Dec31YYYY=December 31, 2021"});
    EXPECT_EQ(field("R-NoteYear1"), QString(400, QLatin1Char(' ')));

    // Aged 70 by December 31 of the first distribution year: an RMD and the first-year note.
    SetFields(illustration, {{"7-PartDOB", "03/15/1952"}, {"3-Year0", "2022"}});
    ASSERT_TRUE(run().passed());
    // 100000 / 27.4 = 3649.64.
    expectFields(
        {"R-AA=for age 70", "R-IRSTable=27.4", "R-RMD=$3,650", "R-Dec31YYYY=April 1, 2023**"});
}

TEST_F(RmdTest, RetirementDateOfAnEmployerPlan) {
    // 70 1/2 on 07/15/2020.
    illustration.setListEntry(Control::cmboPlanType0, QStringLiteral("401(k)"));
    const struct {
        const char *retired, *year, *rbd, *rmd;
    } cases[] = {
        {"01/01/2019", "2022", "April 1, 2021", "$3,907"}, // before 70 1/2: no change
        {"06/30/2023", "2022", "April 1, 2024", "$0"},     // still working in 2022
        {"06/30/2023", "2023", "April 1, 2024", "$4,049"}, // age 73: 100000 / 24.7
    };
    for (const auto &c : cases) {
        SetFields(illustration, {{"7-PlanRetDate", c.retired}, {"3-Year0", c.year}});
        ASSERT_TRUE(run().passed()) << c.retired;
        expectFields({{"R-RBD", c.rbd}, {"R-RMD", c.rmd}}, std::string(c.retired) + " " + c.year);
    }
    EXPECT_EQ(field("R-Dec31YYYY"), QStringLiteral("April 1, 2024**"));

    // An IRA has no retirement date: the field is cleared and greyed at computation.
    illustration.setListEntry(Control::cmboPlanType0, QStringLiteral("IRA"));
    SetFields(illustration, {{"7-PlanRetDate", "06/30/2023"}, {"3-Year0", "2022"}});
    ASSERT_TRUE(run().passed());
    EXPECT_FALSE(illustration.fields().state(6).enabled);
    EXPECT_EQ(illustration.fields().state(6).background, ColourRole::Grey);
    expectFields({"7-PlanRetDate=", "R-RBD=April 1, 2021", "R-RetDate=~R"});
}

TEST_F(RmdTest, RothPlanHasNoRequiredDistribution) {
    illustration.setListEntry(Control::cmboPlanType0, QStringLiteral("Roth IRA"));
    ASSERT_TRUE(run().passed());
    expectFields({"R-Plan70=", "R-RBD=", "R-RMD=$0", "R-IRSTable=N/A"});
}

TEST_F(RmdTest, DateOfDeathFollowsTheBirthDate) {
    SetFields(illustration, {{"7-DD0", "3/10/2022"}});
    ASSERT_TRUE(run().passed());
    EXPECT_EQ(field("R-PHDOB"),
              QStringLiteral("January 15, 1950\\par \\tab Date of death \\tab March 10, 2022"));
}

TEST_F(RmdTest, DetailedCalculationMode) {
    ASSERT_TRUE(run(true).passed());
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].caption, QStringLiteral("Calculation Details:"));
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(prompter.messages()[0].text,
              QStringLiteral("Planholder Age on 12/31/2022: 72\r\n"
                             "RMD Factor from Uniform Lifetime Table = 25.6\r\n"
                             "RMD: 3907"));
}

// The spouse's date follows the same rule: the windows' test opens and closes it.
TEST_F(RmdTest, EmployerPlansOpenTheRetirementDate) {
    for (const char *plan : {"403(b)", "401(k)", "457", "401(a)"}) {
        illustration.setListEntry(Control::cmboPlanType0, QLatin1String(plan));
        RefreshRetirementDate(illustration);
        EXPECT_TRUE(illustration.fields().state(6).enabled) << plan;
        EXPECT_EQ(illustration.fields().state(6).background, ColourRole::Normal) << plan;
    }
}

TEST(RepresentativeBlockTest, PartsAppearOnlyWhenGiven) {
    EXPECT_EQ(BuildRepresentativeBlock(SampleRepresentative()),
              QStringLiteral("Pat Q. Advisor \\bullet  Example Financial \\bullet  100 Main Street "
                             "\\bullet  Springfield, IL 62701-1234\\par Office: (217) 555-0100 "
                             "\\bullet  Mobile: (217) 555-0101 \\bullet  Fax: (217) 555-0102 "
                             "\\bullet  Email: pat@example.com"));

    RepresentativeDetails sparse;
    sparse.first = QStringLiteral("Pat");
    sparse.initial = QStringLiteral(" ");
    sparse.last = QStringLiteral("Advisor");
    sparse.fax = QStringLiteral("555-0102");
    EXPECT_EQ(BuildRepresentativeBlock(sparse), QStringLiteral("Pat Advisor\\par Fax: 555-0102"));

    sparse.fax.clear();
    EXPECT_EQ(BuildRepresentativeBlock(sparse), QStringLiteral("Pat Advisor\\par "));
}

} // namespace
