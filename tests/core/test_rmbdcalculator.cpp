#include "calculators.h"
#include "fieldformat.h"
#include "illustration.h"
#include "testsupport.h"

namespace {

const QDate Today(2026, 12, 6);

const QString DateHelp = QStringLiteral("\r\n") + ExpectedDateHelp();

class RmbdTest : public IllustrationTest {
protected:
    void SetUp() override { reset(); }

    // Pub 590-B (2018): the father died in 2017; his child, the designated beneficiary, is 53
    // in 2018; the IRA held $100,000 at the end of 2017.
    void reset() {
        illustration.setCalculator(Calculator::Rmbd);
        illustration.resetToNew(1, Today, QStringLiteral("IRA"));
        SetFields(illustration, {"8-BeneFirst=Sally", "8-BeneLast=Sample", "7-BeneDOB=06/15/1965",
                                 "7-DD1=03/10/2017", "3-Year1=2018", "6-AcctValue1=$100,000"});
        illustration.setChecked(Control::chkSurvivingSpouse, false);
    }

    Validation run(bool detailed = false) {
        CalcContext context{Today, {}, detailed};
        return RunCalculation(illustration, context);
    }
};

TEST_F(RmbdTest, EachCheckReportsItsOwnFailure) {
    const char *missing = "Missing Required Information.";
    const char *missingDate = "Missing Required Date";
    const char *dateError = "Date Input Error";
    const QString year =
        QStringLiteral("This calculator is based on IRS regulations\r\nreleased in 2001 and "
                       "2002.\r\n\r\nPlease enter a year between 2001 and 2027.");
    const QString deathIncorrect = QStringLiteral("The Date of Death is incorrect.") + DateHelp;
    // The field is set to the text; the deceased's birth date is asked for a surviving spouse.
    // Today is 12/06/2026: 1/1/1910 is 116 calendar years back, 12/31/1995 31; 01/05/2018 is a
    // death in the calculation year; a deceased born 01/01/2007 is 19.
    const struct {
        const char *tag, *text;
        bool survivingSpouse;
        QString message;
        const char *title, *replacement;
    } cases[] = {
        {"8-BeneFirst", "  ", false,
         QStringLiteral("The Beneficiary's first name is required\r\nPlease enter a first name."),
         missing, "Sally"},
        {"8-BeneLast", "", false,
         QStringLiteral("The Beneficiary's last name is required.\r\nPlease enter a last name."),
         missing, "Sample"},
        {"7-BeneDOB", "", false,
         QStringLiteral("The Beneficiary's Date of Birth is required.") + DateHelp, missingDate,
         "12/07/1941"},
        {"7-BeneDOB", "1/1/1910", false,
         QStringLiteral("The Beneficiary's Date of Birth is incorrect.") + DateHelp, dateError,
         "01/01/1930"},
        {"7-DD1", "x", false,
         QStringLiteral("The Original Planholder's Date of Death is required.") + DateHelp,
         missingDate, "01/01/2000"},
        {"7-DD1", "12/31/1995", false, deathIncorrect, dateError, "01/01/2000"},
        {"7-DD1", "12/07/2026", false, deathIncorrect, dateError, "01/01/2000"},
        {"3-Year1", "2000", false, year, "Invalid Entry.", "2027"},
        {"3-Year1", "2028", false, year, "Invalid Entry.", "2027"},
        {"7-DD1", "01/05/2018", false,
         QStringLiteral("The calculation year must be at least one\r\nyear after the original "
                        "planholder's death.\r\nIf this is not the case, use the RMD "
                        "Calculator\r\ninstead of the RMBD Calculator."),
         "Invalid Entry.", "01/01/2000"},
        {"6-AcctValue1", "", false, QStringLiteral("Please enter the Account Value."), missing,
         "100000"},
        {"7-OriginalDOB", "", true,
         QStringLiteral("The Original Planholder's Date of Birth is required.") + DateHelp,
         missingDate, "01/01/1930"},
        {"7-OriginalDOB", "01/01/2007", true,
         QStringLiteral("The Date of Birth is incorrect.") + DateHelp, dateError, "01/01/1930"},
    };
    for (const auto &c : cases) {
        reset();
        SetFields(illustration, {{c.tag, c.text}});
        illustration.setChecked(Control::chkSurvivingSpouse, c.survivingSpouse);
        prompter.clear();
        const std::string name = std::string(c.tag) + " " + c.text;
        ExpectFailure(
            run(), prompter,
            {QLatin1String(c.tag), c.message, QLatin1String(c.title), QLatin1String(c.replacement)},
            name);
        EXPECT_EQ(prompter.fieldErrors().value(0).focus.calculator, Calculator::Rmbd) << name;
    }
}

// IRS Publication 590-B (2018), "Example" for a designated beneficiary: Table I gives 31.4 at
// 53 for 2018, $3,185; for 2019 one less, 30.4, which the publication shows as $3,289.
// The other report fields of this example are the golden merged report's.
TEST_F(RmbdTest, PublishedBeneficiaryExample) {
    ASSERT_TRUE(run().passed());
    expectFields({"R-IRSTable=31.4", "R-AA=for age 53", "R-RMD=$3,185", "R-RBD=December 31, 2018"});

    // 100,000 / 30.4 = 3,289.47: any cent past a dollar counts as another dollar here.
    SetFields(illustration, {{"3-Year1", "2019"}});
    ASSERT_TRUE(run().passed());
    expectFields({"R-IRSTable=30.4", "R-AA=for age 53 minus 1", "R-RMD=$3,290", "R-IRSPen=$1,645",
                  "6-RMD_Amt=$3,290"});
}

TEST_F(RmbdTest, FactorsAndDistributions) {
    const struct {
        const char *name, *born, *died, *year, *account, *factor, *rmd;
    } cases[] = {
        // Age 80 in the year after the death: 10.2, less one a year, raised to one below one.
        {"1.2", "03/01/1935", "06/01/2014", "2024", "50000", "1.2", "$41,667"},
        {"0.2 raised to 1: the whole balance", "03/01/1935", "06/01/2014", "2025", "50000", "1.0",
         "$50,000"},
        {"-0.8 raised to 1", "03/01/1935", "06/01/2014", "2026", "50000", "1.0", "$50,000"},
        // 31.4 and 30.4 are a hair less in single precision: the exact quotient would gain a
        // dollar.
        {"printed 31.4", "06/15/1965", "03/10/2017", "2018", "31400000", "31.4", "$1,000,000"},
        {"printed 30.4", "06/15/1965", "03/10/2017", "2019", "304000000", "30.4", "$10,000,000"},
        // Treas. Reg. 1.72-9 Table V age 60: 24.2; Pub 590 Table I: 25.2.
        {"2001: Table V", "06/15/1941", "03/10/2000", "2001", "100000", "24.2", "$4,133"},
        {"2002: Table I", "06/15/1942", "03/10/2001", "2002", "100000", "25.2", "$3,969"},
    };
    for (const auto &c : cases) {
        SetFields(illustration, {{"7-BeneDOB", c.born},
                                 {"7-DD1", c.died},
                                 {"3-Year1", c.year},
                                 {"6-AcctValue1", c.account}});
        ASSERT_TRUE(run().passed()) << c.name;
        expectFields({{"R-IRSTable", c.factor}, {"R-RMD", c.rmd}}, c.name);
    }
}

TEST_F(RmbdTest, Year2009HasNoDistributionAndAnUnpaddedNote) {
    SetFields(illustration, {{"7-DD1", "03/10/2007"}, {"3-Year1", "2009"}});
    ASSERT_TRUE(run().passed());
    expectFields({"R-RMD=$0", "R-IRSTable=N/A", "R-AA= "});
    EXPECT_EQ(field("R-NoteYear1"),
              QStringLiteral("Note: Under the Worker, Retiree, and Employers Recovery Act of 2008 "
                             "(H.R. 7327), Congress approved a one-year suspension of the "
                             "required minimum distribution (RMD) for 2009."));
}

TEST_F(RmbdTest, SurvivingSpouseWaitsForTheDeceasedsSeventyAndAHalf) {
    illustration.setChecked(Control::chkSurvivingSpouse, true);
    SetFields(illustration, {"7-OriginalDOB=05/20/1960", "7-BeneDOB=02/02/1962", "7-DD1=09/09/2020",
                             "3-Year1=2022"});
    ASSERT_TRUE(run().passed());
    expectFields({"R-RMD=$0", "R-DSpecial=December 31, 2030", "R-OriginalDOB=May 20, 1960",
                  "R-1=~S", "R-2="});

    // Still before 2030: no factor, so detailed mode has nothing to show either.
    SetFields(illustration, {{"3-Year1", "2027"}});
    ASSERT_TRUE(run(true).passed());
    EXPECT_EQ(field("R-RMD"), QStringLiteral("$0"));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(RmbdTest, OlderSpouseUsesTheLongerLifeExpectancy) {
    // The deceased, born 1940, died in 2015 at 75; in 2020 he would be 80: 13.4 - 5 = 8.4.
    illustration.setChecked(Control::chkSurvivingSpouse, true);
    SetFields(illustration, {"7-OriginalDOB=01/10/1940", "7-BeneDOB=01/10/1935", "7-DD1=06/01/2015",
                             "3-Year1=2020"});
    ASSERT_TRUE(run().passed());
    // 8.4 is longer than the spouse's own 7.6 at 85; he died after his 70 1/2 year: "~X".
    expectFields(
        {"R-IRSTable=8.4", "R-BAgeDD=75", "R-AA=for age 75 minus 5", "R-RMD=$11,905", "R-2=~X"});
    EXPECT_EQ(illustration.fields().text(157),
              QStringLiteral("Age of Original Planholder at Death"));

    // A spouse of 81 has 9.7, longer than the deceased's 8.4: her own factor again.
    SetFields(illustration, {{"7-BeneDOB", "01/10/1939"}});
    ASSERT_TRUE(run().passed());
    expectFields({"R-IRSTable=9.7", "R-BAgeDD=81"});
    EXPECT_EQ(illustration.fields().text(157), QStringLiteral("Age of Beneficiary on RBD"));
}

TEST_F(RmbdTest, DetailedCalculationMode) {
    illustration.setListEntry(Control::cmboPlanType1, QStringLiteral("403(b)"));
    SetFields(illustration, {{"3-Year1", "2019"}});
    ASSERT_TRUE(run(true).passed());
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].caption, QStringLiteral("403(b) Calculation Details:"));
    EXPECT_EQ(prompter.messages()[0].text,
              QStringLiteral("Planholder's Death Date: 03/10/2017\r\n"
                             "Beneficiary's Required Beginning Date: 12/31/2018\r\n"
                             "Beneficiary Age on 12/31/2018: 53\r\n"
                             "Beneficiary Age on 12/31/2019: 54\r\n"
                             "Single RMD Factor (Without Recalc): 30.4\r\n"
                             "RMD: 3290"));
}

TEST_F(RmbdTest, RothPlanTypeUnticksTheSurvivingSpouseBox) {
    illustration.setChecked(Control::chkSurvivingSpouse, true);
    RefreshSurvivingSpouse(illustration);
    SetFields(illustration, {{"7-OriginalDOB", "01/10/1940"}});
    const int slot = InputSlot("7-OriginalDOB");
    EXPECT_EQ(illustration.fields().state(slot),
              (FieldState{QStringLiteral("01/10/1940"), true, ColourRole::Window}));

    illustration.setListEntry(Control::cmboPlanType1, QStringLiteral("Roth IRA"));
    RefreshRothPlanType(illustration);
    EXPECT_FALSE(illustration.controls().chkSurvivingSpouse);
    EXPECT_FALSE(illustration.controls().chkSurvivingSpouseEnabled);
    EXPECT_EQ(illustration.fields().state(slot),
              (FieldState{QString(), false, ColourRole::Grey, ColourRole::Grey}));

    illustration.setListEntry(Control::cmboPlanType1, QStringLiteral("IRA"));
    RefreshRothPlanType(illustration);
    EXPECT_TRUE(illustration.controls().chkSurvivingSpouseEnabled);
    EXPECT_FALSE(illustration.controls().chkSurvivingSpouse) << "enabling does not tick it";
}

} // namespace
