#include "calculators.h"
#include "illustration.h"
#include "stretchreport.h"
#include "stretchtab.h"
#include "stretchtaxes.h"
#include "testsupport.h"

#include <cstring>

namespace {

using namespace Projection;

const QDate Today(2026, 12, 6);

// The planholder-alone projection whose first years test_stretchcalculator verifies by hand:
// PLE = SLE = 3 from 2021, the account empties at year index 42; Texas.
class StretchReportTest : public IllustrationTest {
protected:
    void SetUp() override {
        context.today = Today;
        MakeStretchPlanholderAlone(illustration, Today);
        storeState("TX");
        representative = SampleRepresentative();
        representative.agency = QStringLiteral(" Example Financial ");
        representative.home = QStringLiteral("  ");
        representative.fax.clear();
    }

    // The state as stored with the illustration, so its dates stay those of its record.
    void storeState(const char *state) {
        illustration.setListEntry(Control::cmboState, QLatin1String(state));
        illustration.setSaved(true);
    }

    StretchReportData build(const ReportPages &pages = {}) {
        const Validation validation = DefineVariables(illustration, context);
        EXPECT_TRUE(validation.passed())
            << (validation.failure ? validation.failure->tag.toStdString() : "");
        const CalculationResult result =
            CalculateValues(illustration, validation.variables, context);
        projection = *result.projection;
        return BuildStretchReport(illustration, std::get<StretchInputs>(validation.variables),
                                  projection, pages, representative, Today);
    }

    static QString value(const StretchReportData &data, const char *name) {
        for (const ReportValue &v : data.values) {
            if (v.name == QLatin1String(name))
                return v.value;
        }
        return QStringLiteral("<undefined>");
    }

    // Expects each "name=text" entry to be a defined value.
    static void expectValues(const StretchReportData &data,
                             std::initializer_list<const char *> expected) {
        for (const char *entry : expected) {
            const char *equals = std::strchr(entry, '=');
            EXPECT_EQ(value(data, std::string(entry, equals).c_str()),
                      QString::fromUtf8(equals + 1))
                << entry;
        }
    }

    static const LedgerTable *table(const StretchReportData &data, const char *name) {
        for (const LedgerTable &t : data.tables) {
            if (t.name == QLatin1String(name))
                return &t;
        }
        return nullptr;
    }

    CalcContext context;
    RepresentativeDetails representative;
    StretchProjection projection;
};

QString tableNames(const StretchReportData &data) {
    QStringList list;
    for (const LedgerTable &t : data.tables)
        list.append(t.name);
    return list.join(QLatin1Char(' '));
}

// The values that a planholder alone changes; the others, and the texts copied from the tab, are
// the golden merged reports'. The representative's agency is trimmed, and a blank or missing
// number leaves no line.
TEST_F(StretchReportTest, ValuesOfAPlanholderAlone) {
    const StretchReportData data = build();
    // 345,871 distributed in all makes R-FutureInc, to the nearest 100.
    expectValues(data,
                 {"R-SpouseName=", "R-SpouseDOB=", "XY=42", "R-BeneAccount=$103,307",
                  "R-Bene0Name=Jack Sample", "R-PHX=3", "R-SHX=3", "R-BHX=42", "PHEnd=2023",
                  "SHStart=0", "SHEnd=0", "BHStart=2024", "BHEnd=2063", "R-PlanAssets=$100,000",
                  "R-FutureInc=$345,900", "S^=Texas", "R-Agency=Example Financial"});
    EXPECT_EQ(value(data, "R-Aphone"),
              QStringLiteral("\\par Office: (217) 555-0100 \\par Email: pat@example.com \\par "));
}

// Texas has no income tax, so only the federal tax counts. Each estimate: married filing
// jointly, two exemptions of 3,800, 2013 Schedule Y-1 (2026 has no schedule of its own).
// Other income alone: 50,000 - 7,600 = 42,400; 1,785 + 15% x 24,550 = 5,467.50.
// Lump sum 103,307 (the balance at the end of 2023): 145,707 taxable; 9,982.50 + 25% x 73,207
// = 28,284.25; less 5,467.50 is 22,816.75; after tax 80,490.25; (1 - 80,490.25 / 103,307) x
// 100 = 22.086...
// Five years and the stretched distributions stay below 30,100 a year, all in the 15% bracket.
TEST_F(StretchReportTest, TaxComparisonByHand) {
    const StretchReportData data = build();
    // The stretched distributions add up to the all-years total less the planholder's.
    expectValues(data, {"R-LumpTDist=$103,307", "R-LumpTFedTax=$22,817", "R-LumpTStateTax=$0",
                        "R-LumpTAfterTax=$80,490", "LSF=25", "LSS=0", "LLT=22.09", "FSF=15",
                        "FSS=0", "FLT=15", "RSF=15", "RSS=0", "RLT=15", "R-RMDTDist=$334,000",
                        "R-RMDTFedTax=$50,100"});

    // Five years: 103,307 / 5 = 20,661.40, then the rest grows 5% and is split by 4, 3, 2, 1.
    double balance = 103307;
    double paid = 0;
    for (int n = 5; n >= 1; --n) {
        paid += balance / n;
        balance = (balance - balance / n) * 1.05;
    }
    const auto taxes = CompareTaxes(projection, {QStringLiteral("TX"), false, 5, 2026});
    ASSERT_TRUE(taxes.has_value());
    EXPECT_NEAR(taxes->fiveYear.distributions, paid, 1e-6);
    EXPECT_NEAR(taxes->fiveYear.federalTax, 0.15 * paid, 1e-6);
}

TEST_F(StretchReportTest, FlatStateTaxIsItsRateOfEveryPayment) {
    // Illinois 5%: 50,000 less 4,200 of exemptions is taxable already, so each payment adds 5%.
    storeState("IL");
    const StretchReportData data = build();
    EXPECT_EQ(value(data, "S^"), QStringLiteral("Illinois"));
    const auto taxes = CompareTaxes(projection, {QStringLiteral("IL"), false, 5, 2026});
    ASSERT_TRUE(taxes.has_value());
    for (const TaxScenario *scenario : {&taxes->lumpSum, &taxes->fiveYear, &taxes->stretched}) {
        EXPECT_NEAR(scenario->stateTax, 0.05 * scenario->distributions, 1e-6);
        EXPECT_EQ(scenario->stateRate, 5);
    }
    // R-LumpTStateTax: 5% of 103,307.
    expectValues(data, {"LSS=5", "R-LumpTStateTax=$5,165", "LLT=27.09"});
}

TEST_F(StretchReportTest, RothPaymentsAddNoIncome) {
    illustration.setChecked(Control::chkRoth, true);
    storeState("CA");
    const StretchReportData data = build();
    for (const char *name : {"R-LumpTFedTax", "R-LumpTStateTax", "R-FiveTFedTax", "R-RMDTStateTax"})
        EXPECT_EQ(value(data, name), QStringLiteral("$0")) << name;
    EXPECT_EQ(value(data, "RLT"), QStringLiteral("0"));
    // The rates are those of the other income alone: 15% federal; California 4% on 50,000
    // less the joint standard deduction of 7,812 (FTB 2013 Schedule Y, 35,952 to 56,742).
    expectValues(data, {"LSF=15", "LSS=4"});
    // With no distributions before the beneficiary the balance only grows: 100,000 x 1.05^3 =
    // 115,762.50, whose half goes to the even dollar.
    EXPECT_EQ(value(data, "R-LumpTDist"), QStringLiteral("$115,762"));
}

TEST_F(StretchReportTest, NoTaxPageWithoutAnInheritance) {
    // An empty account with a contribution that is never made leaves nothing to inherit.
    SetFields(illustration,
              {"6-StretchAcctValue=0", "6-StretchAcctCont=100", "2-StretchContYrs=0"});
    const StretchReportData data = build();
    expectValues(data, {"R-LumpTDist=<undefined>", "RLT=<undefined>"});
    EXPECT_FALSE(data.conditions.contains(QStringLiteral("TaxPage")));
    EXPECT_TRUE(data.conditions.contains(QStringLiteral("HasContributions")));
    // 0 + 100 rounds above 0.
    EXPECT_EQ(value(data, "R-PlanAssets"), QStringLiteral("$100"));
    EXPECT_FALSE(CompareTaxes(projection, {QString(), false, 5, 2026}).has_value());
}

// All pages and none are the golden merged reports'.
TEST_F(StretchReportTest, ConditionsFollowThePageSwitches) {
    const struct {
        const char *name;
        ReportPages pages;
        const char *conditions;
    } rows[] = {
        {"cover only", {true, false, false, false, false}, "CoverPage"},
        {"story alone", {false, true, false, false, false}, "WenmarkPage"},
        {"story and graph", {false, true, false, false, true}, "WenmarkPage Graph0 PWenmark"},
        {"taxes alone", {false, false, true, false, false}, "TaxPage"},
        {"taxes and ledger", {false, false, true, true, false}, "TaxPage LedgerPages TPage"},
        {"ledger and graph", {false, false, false, true, true}, "LedgerPages Graph0 PLedger"},
        {"story and taxes", {false, true, true, false, false}, "WenmarkPage TaxPage PWenmark"},
    };
    for (const auto &row : rows) {
        SetUp();
        const StretchReportData data = build(row.pages);
        EXPECT_EQ(data.conditions, QString::fromLatin1(row.conditions).split(QLatin1Char(' ')))
            << row.name;
    }
}

// The rows' layout and the spacers of a longer projection are the golden merged reports'.
TEST_F(StretchReportTest, LedgersOfAPlanholderAlone) {
    const StretchReportData data = build();
    EXPECT_EQ(tableNames(data), QStringLiteral("PLANHOLDER1 BENE ALLYEARS1"));
    EXPECT_EQ(table(data, "PLANHOLDER1")->entries,
              QStringList({QStringLiteral("2021~ 71~3,774~3,774~101,226"),
                           QStringLiteral("2022~ 72~3,954~7,728~102,334"),
                           QStringLiteral("2023~ 73~4,143~11,871~103,307")}));

    // Beneficiary rows 3 to 42, a spacer before 13, 23 and 33 (the digit of SLE); the last row
    // is the one that empties the account.
    const QStringList &bene = table(data, "BENE")->entries;
    ASSERT_EQ(bene.size(), 40 + 3);
    EXPECT_TRUE(bene.at(10).isEmpty());
    EXPECT_TRUE(bene.last().startsWith(QStringLiteral("2063~ 83~")));
    EXPECT_TRUE(bene.last().endsWith(QStringLiteral("~0")));
    // All years 0 to 42, spacers before 10, 20, 30 and 40.
    EXPECT_EQ(table(data, "ALLYEARS1")->entries.size(), 43 + 4);
}

TEST_F(StretchReportTest, LedgersWithContributionsAndSpouse) {
    SetSkipSpouse(illustration, false);
    SetFields(illustration, {"7-StretchPDOB=03/15/1960", "6-StretchAcctCont=5000",
                             "2-StretchContYrs=2", "8-StretchSFirst=Mary", "8-StretchSLast=Sample",
                             "7-StretchSDOB=02/01/1962", "2-StretchSLEO=15"});
    illustration.setSaved(true);
    const StretchReportData data = build();
    EXPECT_EQ(tableNames(data), QStringLiteral("PLANHOLDER0 SPOUSE BENE ALLYEARS0"));
    // The contributions column first; the spouse's rows, values and spacers are the golden
    // merged reports'.
    EXPECT_EQ(table(data, "PLANHOLDER0")->entries.first(),
              QStringLiteral("2021~ 61~105,000~0~0~110,250"));
}

// The account that ends with 1 to 99 dollars left: its ledgers stop at that year rather than
// listing the empty year after it. $60 at 5%, 63 at the end of 2021 (no distribution at 61); the
// beneficiary's first year (42, Single Life 41.7): 63 x 1.05 = 66.15 less 63 / 41.7 = 1.51 leaves
// 64.64, below 100, which ends the phase at once.
TEST_F(StretchReportTest, LedgersStopAtTheLastBeneficiaryYear) {
    SetFields(illustration,
              {"7-StretchPDOB=03/15/1960", "2-StretchPLEO=1", "6-StretchAcctValue=60"});
    const StretchReportData data = build();
    ASSERT_EQ(projection.blast, 1);
    EXPECT_EQ(projection.last, 1);
    EXPECT_EQ(table(data, "BENE")->entries, QStringList({QStringLiteral("2022~ 42~2~2~65")}));
    EXPECT_EQ(table(data, "ALLYEARS1")->entries.size(), 2);
}

TEST(StretchReportRounding, FutureIncome) {
    const std::pair<double, double> cases[] = {
        {345871, 345900},     {1250, 1200},         {1350, 1400},         {1000000, 1000000},
        {1000001, 1000000},   {1234567, 1235000},   {10000000, 10000000}, {10000001, 10000000},
        {12345678, 12350000}, {10005000, 10000000}, {10015000, 10020000}, {0, 0},
    };
    for (const auto &[total, rounded] : cases)
        EXPECT_EQ(RoundedFutureIncome(total), rounded) << total;
}

} // namespace
