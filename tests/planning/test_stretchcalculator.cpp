#include "calculators.h"
#include "fatalerror.h"
#include "illustration.h"
#include "stretchtab.h"
#include "testsupport.h"

namespace {

using namespace Projection;

const QDate Today(2026, 12, 6);

const QString SpouseWarning =
    QStringLiteral("For the purpose of this calculator, the spouse beneficiary's\r\n"
                   "life expectancy should exceed the planholder's life expectancy.\r\n"
                   "\r\n"
                   "Since the spouse life expectancy is less than or equal to the\r\n"
                   "planholder's life expectancy, this report will NOT reflect\r\n"
                   "the spouse.");

// Robert, 76 at the end of 2026 with 15 years; Mary, 71, with 25; Jack born 1985.
class StretchTest : public IllustrationTest {
protected:
    void SetUp() override {
        context.today = Today;
        MakeStretchSample(illustration, Today);
    }

    void set(FieldValues changes) { SetFields(illustration, changes); }
    void set(std::initializer_list<const char *> changes) { SetFields(illustration, changes); }

    CalcContext context;
};

TEST_F(StretchTest, EveryCheckInOrder) {
    const QString firstName =
        QStringLiteral("The first name is required\r\nPlease enter a first name.");
    const QString lastName =
        QStringLiteral("The last name is required.\r\nPlease enter a last name.");
    const QString dateRequired =
        QStringLiteral("The Date of Birth is required.\r\n") + ExpectedDateHelp();
    const QString dateIncorrect =
        QStringLiteral("The Date of Birth is incorrect.\r\n") + ExpectedDateHelp();
    const auto planholderRange = [](int limit) {
        return QStringLiteral("Enter the planholder's life expectancy.\r\nWhole numbers between 1 "
                              "and %1 are valid.")
            .arg(limit);
    };
    const QString spouseRange = QStringLiteral("Whole numbers between 1 and 28 are valid.");
    const QString rate = QStringLiteral("Choose a Rate of Return between 1% and 12%.");
    const char *missing = "Missing Required Information.";
    const char *missingDate = "Missing Required Date";
    const char *dateError = "Date Input Error";
    const char *noPlanholderLife = "Missing Planholder's Life Expectancy";
    const char *noSpouseLife = "Missing Spouse Beneficiary's Life Expectancy";
    // The field is set to the text; the check fails on that field unless another is named. Today
    // is 12/06/2026: 12/31/1926 is 100 calendar years back; a beneficiary born 12/31/1949 is
    // older by calendar year than the planholder (1950).
    const struct {
        const char *tag, *text;
        bool roth;
        QString message;
        const char *title, *replacement, *failingTag = nullptr;
    } rows[] = {
        {"8-StretchPFirst", " ", false, firstName, missing, "John"},
        {"8-StretchPLast", "", false, lastName, missing, "Sample"},
        {"7-StretchPDOB", "", false, dateRequired, missingDate, "01/01/1950"},
        {"7-StretchPDOB", "02/30/1950", false, dateRequired, missingDate, "01/01/1950"},
        {"7-StretchPDOB", "12/31/1926", false, dateIncorrect, dateError, "01/01/1950"},
        {"7-StretchPDOB", "01/01/2027", false, dateIncorrect, dateError, "01/01/1950"},
        // 99 years back passes the date, then leaves no valid life expectancy.
        {"7-StretchPDOB", "01/01/1927", false, planholderRange(0), noPlanholderLife, "10",
         "2-StretchPLEO"},
        {"2-StretchPLEO", "0", false, planholderRange(23), noPlanholderLife, "10"},
        {"2-StretchPLEO", "", false, planholderRange(23), noPlanholderLife, "10"},
        {"2-StretchPLEO", "24", false, planholderRange(23), noPlanholderLife, "10"},
        {"8-StretchSFirst", "", false, firstName, missing, "Susan"},
        {"8-StretchSLast", "", false, lastName, missing, "Sample"},
        {"7-StretchSDOB", "soon", false, dateRequired, missingDate, "01/01/1950"},
        {"7-StretchSDOB", "01/01/1927", false, dateIncorrect, dateError, "01/01/1950"},
        {"2-StretchSLEO", "29", false, spouseRange, noSpouseLife, "10"},
        {"2-StretchSLEO", "0", false, spouseRange, noSpouseLife, "10"},
        {"8-StretchBFirst", "", false, firstName, missing, "Jack"},
        {"8-StretchBLast", "  ", false, lastName, missing, "Sample"},
        {"7-StretchBDOB", "", false, dateRequired, missingDate, "01/01/1990"},
        {"7-StretchBDOB", "01/01/1926", false, dateIncorrect, dateError, "01/01/1990"},
        {"7-StretchBDOB", "12/31/1949", false,
         QStringLiteral("The Non-Spouse Beneficiary MUST be\r\nYOUNGER than the Client."),
         dateError, "01/01/1990"},
        {"8-StretchPlanName", "   ", false, QStringLiteral("Please enter the Plan Name."), missing,
         "IRA Plan"},
        // The sample has no contribution either.
        {"6-StretchAcctValue", "$0", false, QStringLiteral("Please enter the Account Value."),
         missing, "100000"},
        {"1-StretchROR", "0.99%", false, rate, "Invalid Rate of Return", "8.00%"},
        {"1-StretchROR", "12.01%", false, rate, "Invalid Rate of Return", "8.00%"},
        // 2026, age 76: (2026 - 2001) x 1,000 + 10,000, and as much again for the catch-up.
        {"6-StretchAcctCont", "$60,001", false,
         QStringLiteral("Choose an Annual Contribution not greater than $60,000."),
         "Invalid Contribution", "60000"},
        {"6-StretchAcctCont", "6001", true,
         QStringLiteral("Choose an Annual Contribution not greater than $6,000."),
         "Invalid Contribution", "6000"},
    };
    for (const auto &row : rows) {
        SetUp();
        SetFields(illustration, {{row.tag, row.text}});
        illustration.setChecked(Control::chkRoth, row.roth);
        prompter.clear();
        ExpectFailure(DefineVariables(illustration, context), prompter,
                      {QLatin1String(row.failingTag ? row.failingTag : row.tag), row.message,
                       QLatin1String(row.title), QLatin1String(row.replacement)},
                      std::string(row.tag) + " " + row.text);
    }
}

TEST_F(StretchTest, PassingEdges) {
    const struct {
        const char *name;
        FieldValues fields;
    } passing[] = {
        {"planholder life expectancy 23", {{"2-StretchPLEO", "23"}}},
        {"spouse life expectancy 28", {{"2-StretchSLEO", "28"}}},
        {"beneficiary born in the planholder's year", {{"7-StretchBDOB", "01/01/1950"}}},
        {"spouse 98 years back", {{"7-StretchSDOB", "01/01/1928"}, {"2-StretchSLEO", "1"}}},
        {"contributions alone",
         {{"6-StretchAcctValue", "$0"}, {"6-StretchAcctCont", "1"}, {"2-StretchContYrs", "5"}}},
        {"rate 12%", {{"1-StretchROR", "12.00%"}}},
        {"rate 1%", {{"1-StretchROR", "1.00%"}}},
        {"contribution at the limit", {{"6-StretchAcctCont", "$60,000"}}},
    };
    for (const auto &c : passing) {
        SetUp();
        SetFields(illustration, c.fields);
        const Validation validation = DefineVariables(illustration, context);
        EXPECT_TRUE(validation.passed())
            << c.name << ": " << (validation.failure ? validation.failure->tag.toStdString() : "");
    }
}

TEST_F(StretchTest, NonEssentialSpouseWarnsOncePerRun) {
    set({{"2-StretchSLEO", "15"}});
    ASSERT_TRUE(DefineVariables(illustration, context).passed());
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().at(0).caption,
              QStringLiteral("Non-Essential Spouse Life Expectancy"));
    EXPECT_EQ(prompter.messages().at(0).text, SpouseWarning);
    EXPECT_EQ(prompter.messages().at(0).icon, MessageIcon::Exclamation);
    EXPECT_TRUE(context.spouseWarningShown);
    ASSERT_TRUE(DefineVariables(illustration, context).passed());
    EXPECT_EQ(prompter.messages().size(), 1);
    // Shown even when a later check fails.
    CalcContext fresh;
    fresh.today = Today;
    set({{"8-StretchPlanName", ""}});
    EXPECT_FALSE(DefineVariables(illustration, fresh).passed());
    EXPECT_EQ(prompter.messages().size(), 2);
}

TEST_F(StretchTest, ContributionLimitFollowsTheCalendarYear) {
    // The planholder's birth makes him under 50 or over 49 at the end of the year; at 49 there
    // is no catch-up, at 50 there is (the 2010 rows).
    const struct {
        int year;
        const char *birth;
        bool roth;
        int limit;
    } rows[] = {{2003, "01/01/1960", true, 3000},   {2004, "01/01/1950", true, 3500},
                {2005, "01/01/1960", true, 4000},   {2007, "01/01/1950", true, 5000},
                {2008, "01/01/1960", true, 5000},   {2002, "01/01/1950", true, 6000},
                {2026, "01/01/1980", true, 5000},   {2002, "01/01/1960", false, 11000},
                {2006, "01/01/1950", false, 20000}, {2008, "01/01/1960", false, 15500},
                {2008, "01/01/1950", false, 20500}, {2009, "01/01/1960", false, 16500},
                {2009, "01/01/1950", false, 22000}, {2012, "01/01/1970", false, 21000},
                {2010, "06/30/1961", false, 19000}, {2010, "06/30/1960", false, 28000}};
    for (const auto &row : rows) {
        SetUp();
        context.today = QDate(row.year, 6, 1);
        set({{"7-StretchPDOB", row.birth},
             {"2-StretchPLEO", "10"},
             {"7-StretchBDOB", "01/01/1990"}});
        SetSkipSpouse(illustration, true);
        illustration.setChecked(Control::chkRoth, row.roth);
        set({{"6-StretchAcctCont", QByteArray::number(row.limit).constData()}});
        EXPECT_TRUE(DefineVariables(illustration, context).passed())
            << row.year << " " << row.limit;
        set({{"6-StretchAcctCont", QByteArray::number(row.limit + 1).constData()}});
        const Validation over = DefineVariables(illustration, context);
        ASSERT_FALSE(over.passed()) << row.year << " " << row.limit;
        EXPECT_EQ(over.failure->replacement, QString::number(row.limit)) << row.year;
    }
}

// A planholder alone: born 03/15/1950, 71 at the end of 2021, the first projection year; three
// years of life expectancy; $100,000 at 5%; the beneficiary born 07/01/1980, 41 in 2021.
class HandProjectionTest : public StretchTest {
protected:
    void SetUp() override { MakeStretchPlanholderAlone(illustration, Today); }

    void addSpouse(const char *birth, const char *lifeExpectancy) {
        SetSkipSpouse(illustration, false);
        set({{"8-StretchSFirst", "Mary"},
             {"8-StretchSLast", "Sample"},
             {"7-StretchSDOB", birth},
             {"2-StretchSLEO", lifeExpectancy}});
    }
};

// By hand, IRS Publication 590 Table III (Uniform Lifetime) 71: 26.5, 72: 25.6, 73: 24.7, and
// Table I (Single Life) 44: 39.8 (the beneficiary's age in the first inherited year, 41 + 3),
// then one less each year. Each year: distribution = opening balance / factor; closing balance
// = opening x 1.05 - distribution.
//   2021: 100,000 / 26.5 = 3,773.58 -> 3,774;  105,000 - 3,773.58 = 101,226.42 -> 101,226
//   2022: 101,226.42 / 25.6 = 3,954.16 -> 3,954; total 3,774 + 3,954.16 -> 7,728;
//         106,287.74 - 3,954.16 = 102,333.58 -> 102,334
//   2023: 102,333.58 / 24.7 = 4,143.06 -> 4,143; total 11,871; 107,450.26 - 4,143.06 =
//         103,307.20 -> 103,307
//   2024 (beneficiary, 44): 103,307.20 / 39.8 = 2,595.66 -> 2,596; 108,472.56 - 2,595.66 =
//         105,876.90 -> 105,877; all-years total 11,871 + 2,595.66 -> 14,467
//   2025 (45, factor 38.8): 105,876.90 / 38.8 = 2,728.79 -> 2,729; 111,170.74 - 2,728.79 =
//         108,441.95 -> 108,442
// (Factors are single precision, as the life tables deliver them: 25.6 is 25.6000004, which
// moves none of these dollars.)
TEST_F(HandProjectionTest, FirstYearsFromThePublishedTables) {
    const StretchProjection p = ComputeStretch(illustration);
    EXPECT_EQ(p.ple, 3);
    EXPECT_EQ(p.sle, 3);
    struct Row {
        int phase, year;
        qint64 cells[6];
    };
    const Row rows[] = {{Planholder, 0, {2021, 71, 0, 3774, 3774, 101226}},
                        {Planholder, 1, {2022, 72, 0, 3954, 7728, 102334}},
                        {Planholder, 2, {2023, 73, 0, 4143, 11871, 103307}},
                        {Beneficiary, 3, {2024, 44, 0, 2596, 2596, 105877}},
                        {Beneficiary, 4, {2025, 45, 0, 2729, 5325, 108442}},
                        {AllYears, 2, {2023, 2, 0, 4143, 11871, 103307}},
                        {AllYears, 3, {2024, 3, 0, 2596, 14467, 105877}},
                        {Spouse, 3, {0, 0, 0, 0, 0, 0}},
                        {Planholder, 3, {0, 0, 0, 0, 0, 0}}};
    for (const Row &row : rows) {
        for (int column = 0; column < Columns; ++column)
            EXPECT_EQ(p.table.at(row.phase, column, row.year), row.cells[column])
                << "phase " << row.phase << " year " << row.year << " column " << column;
    }
}

TEST_F(HandProjectionTest, RequiredBeginningAgeByBirthMonth) {
    // 70 at the end of 2021 either way; born by June the distributions start at 70, from
    // July at 71.
    set({{"7-StretchPDOB", "06/30/1951"}});
    StretchProjection p = ComputeStretch(illustration);
    EXPECT_EQ(p.table.at(Planholder, Age, 0), 70);
    EXPECT_EQ(p.table.at(Planholder, Distribution, 0), 3650); // 100,000 / 27.4
    set({{"7-StretchPDOB", "07/01/1951"}});
    p = ComputeStretch(illustration);
    EXPECT_EQ(p.table.at(Planholder, Age, 0), 70);
    EXPECT_EQ(p.table.at(Planholder, Distribution, 0), 0);
    EXPECT_EQ(p.table.at(Planholder, Balance, 0), 105000);
    EXPECT_EQ(p.table.at(Planholder, Distribution, 1), 3962); // 105,000 / 26.5
}

TEST_F(HandProjectionTest, ContributionsAndTheirTotal) {
    // Two years of 5,000 (below the required beginning age): total 105,000, then 110,000 kept.
    set({"7-StretchPDOB=03/15/1960", "6-StretchAcctCont=5000", "2-StretchContYrs=2"});
    const StretchProjection p = ComputeStretch(illustration);
    EXPECT_EQ(p.table.at(Planholder, Contributions, 0), 105000);
    EXPECT_EQ(p.table.at(Planholder, Contributions, 1), 110000);
    EXPECT_EQ(p.table.at(Planholder, Contributions, 2), 110000);
    EXPECT_EQ(p.table.at(Beneficiary, Contributions, 3), 110000);
    // (100,000 + 5,000) x 1.05 = 110,250; (110,250 + 5,000) x 1.05 = 121,012.50 -> 121,012.
    EXPECT_EQ(p.table.at(Planholder, Balance, 0), 110250);
    EXPECT_EQ(p.table.at(Planholder, Balance, 1), 121012);
    // No contribution years: the column stays 0 even with a balance.
    set({{"2-StretchContYrs", "0"}});
    const StretchProjection none = ComputeStretch(illustration);
    for (int year = 0; year < Years; ++year)
        ASSERT_EQ(none.table.at(AllYears, Contributions, year), 0) << year;
}

TEST_F(HandProjectionTest, RothDistributesOnlyToTheBeneficiary) {
    addSpouse("01/01/1945", "8");
    illustration.setChecked(Control::chkRoth, true);
    const StretchProjection p = ComputeStretch(illustration);
    ASSERT_TRUE(p.spousePhase());
    // Nothing distributed: 100,000 x 1.05^8 = 147,745.54 reaches the beneficiary, 49 in 2029
    // (Single Life 35.1).
    EXPECT_EQ(p.table.at(AllYears, Balance, p.sle - 1), 147746);
    EXPECT_EQ(p.table.at(Beneficiary, Age, p.sle), 49);
    EXPECT_EQ(p.table.at(Beneficiary, Distribution, p.sle), 4209); // 147,745.54 / 35.1
}

TEST_F(HandProjectionTest, SpousePhase) {
    // Spouse 76 at the end of 2021: Uniform Lifetime from the first spouse year (79: 19.5).
    addSpouse("02/01/1945", "6");
    const StretchProjection p = ComputeStretch(illustration);
    ASSERT_EQ(p.sle, 6);
    EXPECT_EQ(p.table.at(Spouse, Year, 3), 2024);
    EXPECT_EQ(p.table.at(Spouse, Age, 3), 79);
    // 103,307.20 / 19.5 = 5,297.80; a fresh phase total, the all-years total runs on.
    EXPECT_EQ(p.table.at(Spouse, Distribution, 3), 5298);
    EXPECT_EQ(p.table.at(Spouse, Accumulated, 3), 5298);
    EXPECT_EQ(p.table.at(AllYears, Accumulated, 3), 11871 + 5298);
    EXPECT_EQ(p.table.at(Beneficiary, Year, 6), 2027);
    // The spouse being more than ten years younger brings the joint table to the planholder:
    // 71 and 56 (IRS Publication 590 Table II): 30.1, so 100,000 / 30.1 = 3,322.26.
    set({{"7-StretchSDOB", "02/01/1965"}, {"2-StretchSLEO", "10"}});
    EXPECT_EQ(ComputeStretch(illustration).table.at(Planholder, Distribution, 0), 3322);
}

// Current law: born in 1950, Robert starts at 72 (2022) on the 2022 Uniform table (72: 27.4,
// 73: 26.5): 105,000 / 27.4 = 3,832.12; 106,417.88 / 26.5 = 4,015.77. He dies past his required
// beginning date; the beneficiary, 30 years younger, takes annual distributions (Single Life
// 2022 at 44: 41.9) and the rest in the tenth year, 2033.
TEST_F(HandProjectionTest, CurrentLawTenYearRule) {
    illustration.setListEntry(Control::cmboRuleSet, QStringLiteral("Current law"));
    StretchProjection p = ComputeStretch(illustration);
    EXPECT_EQ(p.table.at(Planholder, Distribution, 0), 0);
    EXPECT_EQ(p.table.at(Planholder, Distribution, 1), 3832);
    EXPECT_EQ(p.table.at(Planholder, Distribution, 2), 4016);
    EXPECT_EQ(p.table.at(Planholder, Balance, 2), 107723);
    EXPECT_EQ(p.table.at(Beneficiary, Distribution, 3), 2571); // 107,723.01 / 41.9
    EXPECT_EQ(p.blast, 12);
    EXPECT_EQ(p.last, 12);
    EXPECT_EQ(p.table.at(Beneficiary, Year, 12), 2033);
    EXPECT_EQ(p.table.at(Beneficiary, Balance, 12), 0);

    // Not more than ten years younger than the owner: the life-expectancy stretch stays.
    set({{"7-StretchBDOB", "07/01/1959"}});
    p = ComputeStretch(illustration);
    EXPECT_GT(p.blast, 12);
}

TEST_F(HandProjectionTest, SpouseNotOutlivingThePlanholderIsDropped) {
    addSpouse("02/01/1945", "3");
    const StretchProjection p = ComputeStretch(illustration);
    EXPECT_EQ(p.sle, p.ple);
    EXPECT_EQ(p.table.at(Beneficiary, Year, 3), 2024);
    for (int year = 0; year < Years; ++year)
        ASSERT_EQ(p.table.at(Spouse, Year, year), 0);
}

// The cells hold more than 32 bits: 99,999,999,999 at 12% for a beneficiary born this year.
TEST_F(HandProjectionTest, LargeBalancesDoNotOverflow) {
    set({"6-StretchAcctValue=99999999999", "1-StretchROR=12.00%", "7-StretchPDOB=03/15/1960",
         "2-StretchPLEO=20", "7-StretchBDOB=01/01/2021"});
    // No distributions before 70 (ages 61 to 69): 99,999,999,999 x 1.12^9 after nine years,
    // more than 100 x 2^31.
    EXPECT_EQ(ComputeStretch(illustration).table.at(Planholder, Balance, 8),
              Q_INT64_C(277307875742));
}

TEST_F(StretchTest, CalculateValuesBuildsTheProjection) {
    illustration.setSaved(false);
    const Validation validation = DefineVariables(illustration, context);
    ASSERT_TRUE(validation.passed());
    const CalculationResult result = CalculateValues(illustration, validation.variables, context);
    ASSERT_TRUE(result.projection.has_value());
    // An edited illustration starts in today's year.
    EXPECT_EQ(field("6-IllustrationDate"), QStringLiteral("12/06/2026"));
    EXPECT_EQ(result.projection->table.at(Planholder, Year, 0), 2026);
    EXPECT_EQ(field("R-YYYY"), QStringLiteral("2026"));
    EXPECT_EQ(result.projection->ple, 15);
    EXPECT_EQ(result.projection->sle, 25);
}

TEST_F(StretchTest, LifeExpectancyLookup) {
    // Today 12/06/2026: Robert 76, Single Life 12.7 -> 13; Mary 71, 16.3 -> 16.
    LookUpLifeExpectancy(illustration, 0, Today);
    EXPECT_EQ(field("2-StretchPLEO"), QStringLiteral("13"));
    EXPECT_FALSE(illustration.isSaved());
    LookUpLifeExpectancy(illustration, 1, Today);
    EXPECT_EQ(field("2-StretchSLEO"), QStringLiteral("16"));
    // Born after today counts as 0: 82.4 -> 82.
    set({{"7-StretchPDOB", "01/01/2027"}});
    LookUpLifeExpectancy(illustration, 0, Today);
    EXPECT_EQ(field("2-StretchPLEO"), QStringLiteral("82"));
    // Not a date: nothing happens.
    set({{"7-StretchSDOB", "someday"}});
    illustration.setSaved(true);
    LookUpLifeExpectancy(illustration, 1, Today);
    EXPECT_EQ(field("2-StretchSLEO"), QStringLiteral("16"));
    EXPECT_TRUE(illustration.isSaved());
    EXPECT_THROW(LookUpLifeExpectancy(illustration, 2, Today), FatalError);
}

TEST_F(StretchTest, SkipSpouseGreysAndRestores) {
    illustration.setSaved(true);
    SetSkipSpouse(illustration, true);
    EXPECT_FALSE(illustration.isSaved());
    EXPECT_FALSE(SpouseLookupEnabled(illustration));
    for (const char *tag : {"8-StretchSFirst", "8-StretchSMiddle", "8-StretchSLast",
                            "7-StretchSDOB", "2-StretchSLEO"})
        EXPECT_EQ(illustration.fields().state(InputSlot(tag)),
                  (FieldState{QString(), false, ColourRole::Grey, ColourRole::Grey}))
            << tag;
    // Other fields keep their text, and the skipped spouse is not checked.
    expectFields({"8-StretchPFirst=Robert", "8-StretchPlanName=Rollover IRA"});
    const Validation validation = DefineVariables(illustration, context);
    ASSERT_TRUE(validation.passed());
    EXPECT_TRUE(std::get<StretchInputs>(validation.variables).spouseName.isEmpty());
    EXPECT_TRUE(prompter.messages().isEmpty());

    SetSkipSpouse(illustration, false);
    EXPECT_TRUE(SpouseLookupEnabled(illustration));
    EXPECT_EQ(illustration.fields().state(InputSlot("7-StretchSDOB")), FieldState{});
}

} // namespace
