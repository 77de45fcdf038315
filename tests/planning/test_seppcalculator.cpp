#include "calculators.h"
#include "illustration.h"
#include "sepppresenter.h"
#include "testsupport.h"

namespace {

const QDate Today(2026, 12, 6);

const QString DateHelp = ExpectedDateHelp();

const QString CalculationDateMessage =
    QStringLiteral("The Calculation Date is incorrect.\r\n"
                   "This calculator is based on IRS Revenue Ruling 2002-62\r\n"
                   "for plan years 2002 and thereafter.\r\n"
                   "\r\n"
                   "Please enter a date between 01/01/2002 and 12/06/2026.");

const QString RateMessage =
    QStringLiteral("Choose an Interest Rate. We strongly recommend that you\r\n"
                   "press the \"Web Lookup\" button to review the federal\r\n"
                   "mid-term rates for the two months prior to the date when\r\n"
                   "distributions will begin.");

const QString RateWarning =
    QStringLiteral("Important: The IRS has determined that the Chosen Interest Rate\r\n"
                   "should be an interest rate not more than 120% of the federal\r\n"
                   "mid-term rate for either of the two months prior to the date\r\n"
                   "distributions will begin.\r\n"
                   "\r\n"
                   "You may enter a rate between 1.00% and 12.00%, but\r\n"
                   "we STRONGLY recommend that you press the \"Web Lookup\" button\r\n"
                   "to find the maximum allowable rate.");

// The IRS FAQ's Bob: 50 at the end of 2026, $400,000 for every method, 2.98%.
class SeppTest : public IllustrationTest {
protected:
    void SetUp() override {
        context.today = Today;
        makeSample();
    }

    void makeSample() {
        MakeSeppSample(illustration, Today);
        prompter.clear();
    }

    Validation run() { return RunCalculation(illustration, context); }

    CalcContext context;
};

struct Failure {
    QString message;
    const char *title, *replacement;
};

TEST_F(SeppTest, EachCheckReportsItsOwnFailure) {
    const char *missing = "Missing Required Information.";
    const QString born = QStringLiteral("The Date of Birth is ");
    const Failure first{QStringLiteral("The first name is required\r\nPlease enter a first name."),
                        missing, "John"};
    const Failure last{QStringLiteral("The last name is required.\r\nPlease enter a last name."),
                       missing, "Sample"};
    const Failure noBirth{born + QStringLiteral("required.\r\n") + DateHelp,
                          "Missing Required Date", "01/01/1950"};
    const Failure badBirth{born + QStringLiteral("incorrect.\r\n") + DateHelp, "Date Input Error",
                           "01/01/1950"};
    const Failure plan{QStringLiteral("The plan name is required.\r\n"
                                      "Please enter the name of this retirement plan."),
                       missing, "IRA Plan"};
    const Failure date{CalculationDateMessage, "Date Input Error", "12/06/2026"};
    const Failure account{QStringLiteral("Please enter the Account Value."), missing, "100000"};
    const Failure rate{RateMessage, "Invalid Chosen Interest Rate", "4.00"};
    const struct {
        const char *tag, *text;
        const Failure &failure;
    } cases[] = {{"8-EqualFirst", "  ", first},
                 {"8-EqualLast", "", last},
                 {"7-EqualDOB", "", noBirth},
                 {"7-EqualDOB", "13/45/1976", noBirth},
                 {"7-EqualDOB", "12/31/1910", badBirth}, // 116 calendar years back
                 {"8-EqualPlanName", " ", plan},
                 {"7-EqualDate", "12/07/2026", date}, // tomorrow
                 {"7-EqualDate", "12/31/2001", date},
                 {"7-EqualDate", "next week", date},
                 {"6-EqualAcctValue1", "$0", account},
                 {"6-EqualAcctValue1", "0.99", account},
                 {"6-EqualAcctValue2", "", account},
                 {"1-EqualROR", "0.99%", rate},
                 {"1-EqualROR", "12.01", rate},
                 {"1-EqualROR", "%", rate}};
    for (const auto &c : cases) {
        makeSample();
        SetFields(illustration, {{c.tag, c.text}});
        const std::string name = std::string(c.tag) + " " + c.text;
        ExpectFailure(run(), prompter,
                      {QLatin1String(c.tag), c.failure.message, QLatin1String(c.failure.title),
                       QLatin1String(c.failure.replacement)},
                      name);
        // Nothing computed, nothing else shown.
        EXPECT_TRUE(prompter.messages().isEmpty()) << name;
        EXPECT_EQ(field("R-Payment1"), QStringLiteral("R-Payment1")) << name;
    }
}

// Each failure leaves its replacement in the field, so a blank tab meets the checks in order.
TEST_F(SeppTest, ChecksRunInOrder) {
    illustration.resetToNew(1, Today, QStringLiteral("IRA"));
    for (const char *tag :
         {"8-EqualFirst", "8-EqualLast", "7-EqualDOB", "8-EqualPlanName", "7-EqualDate",
          "6-EqualAcctValue1", "6-EqualAcctValue2", "1-EqualROR"}) {
        const Validation validation = run();
        ASSERT_FALSE(validation.passed()) << "expected to fail on " << tag;
        EXPECT_EQ(validation.failure->tag, QLatin1String(tag));
    }
    EXPECT_TRUE(run().passed());
    EXPECT_EQ(field("R-PHName"), QStringLiteral("John Sample"));
}

TEST_F(SeppTest, BoundariesThatPassSilently) {
    const struct {
        const char *name;
        FieldValues fields;
        bool rmdOnce;
    } cases[] = {
        {"born 115 calendar years back", {{"7-EqualDOB", "01/01/1911"}}, false},
        {"born today", {{"7-EqualDOB", "12/06/2026"}}, false},
        {"calculated today", {{"7-EqualDate", "12/06/2026"}}, false},
        {"first day of the ruling", {{"7-EqualDate", "1 Jan 2002"}}, false},
        {"one dollar", {{"6-EqualAcctValue1", "$1"}, {"6-EqualAcctValue2", "1"}}, false},
        {"rate 1%", {{"1-EqualROR", "1.00%"}}, false},
        {"fixed inputs unused", {{"6-EqualAcctValue2", "0"}, {"1-EqualROR", "0"}}, true},
    };
    for (const auto &c : cases) {
        makeSample();
        SetFields(illustration, c.fields);
        illustration.setChecked(Control::chkRMDOnce, c.rmdOnce);
        EXPECT_TRUE(run().passed()) << c.name;
        EXPECT_TRUE(prompter.messages().isEmpty()) << c.name;
        EXPECT_NE(field("R-Payment1"), QStringLiteral("R-Payment1")) << c.name << ": not computed";
    }
}

// Above 6% (up to 12%) the rate passes with a warning, shown once per run of the program.
TEST_F(SeppTest, QuestionableRateWarnsOnceAndCalculates) {
    SetFields(illustration, {{"1-EqualROR", "6.01%"}});
    ASSERT_TRUE(run().passed());
    ASSERT_TRUE(run().passed());
    EXPECT_TRUE(context.rateWarningShown);
    EXPECT_EQ(field("R-AA"), QStringLiteral("6.01%"));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].caption,
              QStringLiteral("Questionable Interest Rate Assumption"));
    EXPECT_EQ(prompter.messages()[0].text, RateWarning);
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Exclamation);
}

// Notice 2022-6 section 2.04, 50 at 4% with the 2022 tables: single life 36.2, amortization
// factor 18.9559, annuity factor 18.1568 (here over $500,000). A series started in 2022 keeps
// Rev. Rul. 2002-62 under current law too.
TEST_F(SeppTest, Notice2022_6Example) {
    SetFields(illustration, {{"6-EqualAcctValue1", "$500,000"},
                             {"6-EqualAcctValue2", "$500,000"},
                             {"1-EqualROR", "4.00%"}});
    illustration.setListEntry(Control::cmboRuleSet, QStringLiteral("Current law"));
    ASSERT_TRUE(run().passed());
    expectFields({"R-Factor1=36.2", "R-Payment1=$13,812.15", "R-Payment4=$26,377.04",
                  "R-Payment7=$27,537.91"});
    SetFields(illustration, {{"7-EqualDate", "01/15/2022"}});
    ASSERT_TRUE(run().passed());
    expectFields({"R-Age= 46", "R-Factor1=37.9"});
}

// The report fields of a series without a beneficiary are the golden merged reports'; their
// names have no middle part.
TEST_F(SeppTest, WithoutBeneficiary) {
    SetFields(illustration, {{"8-EqualMiddle", " Q "}, {"7-EqualSpouseDOB1", "not known"}});
    ASSERT_TRUE(run().passed());
    EXPECT_TRUE(prompter.fieldErrors().isEmpty());
    expectFields({"R-PHName=Bob Q Sample", "7-EqualSpouseDOB1="});
}

// RMD-method payments are rounded to the cent with ties to the even cent, then held in single
// precision, which prints with seven significant digits. Without a beneficiary the joint
// factor is 1, so payment 3 is the balance itself.
TEST_F(SeppTest, RmdMethodRoundingAndSinglePrecision) {
    const struct {
        const char *balance, *payment;
    } cases[] = {
        {"1000.125", "$1,000.12"}, {"1000.135", "$1,000.14"},    {"1000.005", "$1,000.00"},
        {"1000.126", "$1,000.13"}, {"123456.78", "$123,456.80"}, {"$1,234,567.89", "$1,234,568.00"},
    };
    for (const auto &c : cases) {
        makeSample();
        SetFields(illustration, {{"6-EqualAcctValue1", c.balance}});
        ASSERT_TRUE(run().passed()) << c.balance;
        EXPECT_EQ(field("R-Payment3"), QLatin1String(c.payment)) << "balance " << c.balance;
    }
}

// Fixed-method payments keep every digit single precision holds: 956.514995 shows its seven
// digits, 956.5150, before the cents are cut; rounding to the cent first would give $956.51.
TEST_F(SeppTest, FixedPaymentsAreNotRoundedToCents) {
    SetFields(illustration, {{"6-EqualAcctValue2", "20340"}});
    ASSERT_TRUE(run().passed());
    EXPECT_EQ(field("R-Payment4"), QStringLiteral("$956.52"));
}

TEST_F(SeppTest, SelectedOptionMarkerAndAmount) {
    for (int selected = 0; selected < 7; ++selected) {
        makeSample();
        illustration.setPosition(Control::optEqualPmt, selected);
        SeppTabState tab = illustration.seppTab();
        for (int i = 0; i < 7; ++i)
            tab.options[std::size_t(i)].amount = QStringLiteral("$%1.00").arg(i + 1);
        illustration.setSeppTab(tab);
        ASSERT_TRUE(run().passed());
        for (int i = 0; i < 7; ++i) {
            const QString tag = QStringLiteral("R-") + QString::number(i + 1);
            EXPECT_EQ(illustration.fields().GetField(tag),
                      i == selected ? QStringLiteral(" X") : QStringLiteral(" "))
                << "selected " << selected << ", " << tag.toStdString();
        }
        EXPECT_EQ(field("6-RMD_Amt"), QStringLiteral("$%1.00").arg(selected + 1))
            << "selected " << selected;
    }
}

// The agent's name is the representative block up to and including the blank before its first
// bullet; a block whose name line has no bullet gives that line (never the placeholder itself or
// a name left from an earlier run).
TEST_F(SeppTest, NameAgentFromTheRepresentativeBlock) {
    const struct {
        const char *block, *nameAgent;
    } cases[] = {
        {"Pat Q. Advisor \\bullet  Example Financial \\bullet  100 Main St\\par Office: 1",
         "Pat Q. Advisor "},
        {"P \\bullet  Example", "P "},
        {" \\bullet  Example Financial", ""},
        {"Pat Advisor\\par Fax: 555-0102", "Pat Advisor"},
        {"Pat Advisor\\par Office: 1 \\bullet  Fax: 2", "Pat Advisor"},
        {"\\par ", ""},
        {"", ""},
    };
    ASSERT_TRUE(std::holds_alternative<SeppInputs>(ValidateSepp(illustration, context)));
    const SeppInputs inputs = std::get<SeppInputs>(ValidateSepp(illustration, context));
    const SeppResult result = ComputeSepp(illustration);
    for (const auto &c : cases) {
        illustration.fields().SetField(QStringLiteral("previous"), QStringLiteral("R-NameAgent"));
        illustration.fields().SetField(QLatin1String(c.block), QStringLiteral("R-Aname"));
        WriteSeppReport(inputs, result, illustration);
        EXPECT_EQ(field("R-NameAgent"), QLatin1String(c.nameAgent)) << "block " << c.block;
        EXPECT_EQ(field("R-Aname"), QLatin1String(c.block));
    }
}

// The same sample on the SEPP tab.
class SeppPresenterTest : public SeppTest {
protected:
    void refresh(bool visible = true) { RefreshEqualPayments(illustration, context, visible); }

    const EqualPaymentOption &option(int i) const {
        return illustration.seppTab().options[std::size_t(i)];
    }
    int selected() const { return illustration.controls().optEqualPmt; }
    const FieldState &state(const char *tag) const {
        return illustration.fields().state(InputSlot(tag));
    }

    // Options 0 to 6: the amounts (nullptr: not checked) and which are enabled, "+" or "-".
    void expectOptions(const std::array<const char *, 7> &amounts, const char *enabled,
                       const char *name) const {
        for (int i = 0; i < 7; ++i) {
            if (amounts[std::size_t(i)]) {
                EXPECT_EQ(option(i).amount, QLatin1String(amounts[std::size_t(i)]))
                    << name << ": option " << i;
            }
            EXPECT_EQ(option(i).enabled, enabled[i] == '+') << name << ": option " << i;
            EXPECT_EQ(option(i).amountEnabled, enabled[i] == '+') << name << ": option " << i;
        }
    }
    void expectAllDisabled(const char *name) const {
        expectOptions({"0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00"}, "-------", name);
    }
};

// IRS, "Retirement Plans FAQs regarding Substantially Equal Periodic Payments": Bob, 50, with
// $400,000 at 2.98%: RMD method $400,000 / 34.2 = $11,696; fixed amortization $18,811; fixed
// annuitization $400,000 / 21.345 = $18,740.
// The Uniform Lifetime options divide the same balances by Rev. Rul. 2002-62 Appendix A's 46.5.
// The options show the report's payments; without a beneficiary the joint options are off.
TEST_F(SeppPresenterTest, ShowsTheSevenPayments) {
    refresh();
    EXPECT_TRUE(prompter.fieldErrors().isEmpty());
    expectFields({"R-Age= 50", "R-Factor1=34.2", "R-Factor2=46.5"});
    expectOptions(
        {"$11,695.91", "$8,602.15", "0.00", "$18,810.52", "$16,005.69", "0.00", "$18,739.75"},
        "++-++-+", "no beneficiary");

    SetFields(illustration, {{"7-EqualSpouseDOB1", "07/04/1981"}});
    refresh();
    expectOptions({nullptr, nullptr, "$9,259.26", nullptr, nullptr, "$16,584.09", nullptr},
                  "+++++++", "beneficiary 45");
}

TEST_F(SeppPresenterTest, RateEdgeCases) {
    const struct {
        const char *rate;
        bool warnedBefore, warning, accepted;
    } cases[] = {
        {"6.00", false, false, true}, {"6.01", false, true, true},    {"12.00", false, true, true},
        {"12.00", true, false, true}, {"12.01", false, false, false}, {"0.99", true, false, false},
    };
    for (const auto &c : cases) {
        makeSample();
        context.rateWarningShown = c.warnedBefore;
        refresh();
        const QString before = option(3).amount;

        SetFields(illustration, {{"1-EqualROR", c.rate}});
        refresh();
        EXPECT_EQ(prompter.messages().size(), c.warning ? 1 : 0) << c.rate;
        EXPECT_EQ(prompter.fieldErrors().size(), c.accepted ? 0 : 1) << c.rate;
        if (c.accepted) {
            EXPECT_EQ(field("1-EqualROR"), QLatin1String(c.rate)) << c.rate;
            EXPECT_NE(option(3).amount, before) << c.rate << ": not recalculated";
        } else {
            EXPECT_EQ(field("1-EqualROR"), QStringLiteral("4.00")) << c.rate;
            // Nothing was computed: the amounts of the latest calculation stay.
            EXPECT_EQ(option(3).amount, before) << c.rate;
        }
    }
}

TEST_F(SeppPresenterTest, RmdMethodOnly) {
    SetFields(illustration, {{"7-EqualSpouseDOB1", "07/04/1981"}});
    illustration.setPosition(Control::optEqualPmt, 4);
    illustration.setChecked(Control::chkRMDOnce, true);
    refresh();

    EXPECT_TRUE(prompter.fieldErrors().isEmpty());
    for (const char *tag : {"6-EqualAcctValue2", "1-EqualROR"}) {
        EXPECT_EQ(field(tag), QStringLiteral("0")) << tag;
        EXPECT_FALSE(state(tag).enabled) << tag;
        EXPECT_EQ(state(tag).captionColour, ColourRole::Grey) << tag;
    }
    EXPECT_FALSE(illustration.seppTab().irsButtonEnabled);
    EXPECT_EQ(field("R-PValue"), QStringLiteral("$0"));
    // The fixed methods cannot be chosen; their amounts are the computation's zero payments.
    expectOptions({"$11,695.91", "$8,602.15", "$9,259.26", "$0.00", "$0.00", "$0.00", "$0.00"},
                  "+++----", "RMD method only");
    EXPECT_EQ(selected(), 0);

    // Back to all methods: the inputs come back, still zero, so nothing can be chosen yet.
    illustration.setChecked(Control::chkRMDOnce, false);
    refresh();
    for (const char *tag : {"6-EqualAcctValue2", "1-EqualROR"}) {
        EXPECT_TRUE(state(tag).enabled) << tag;
        EXPECT_EQ(state(tag).captionColour, ColourRole::Normal) << tag;
    }
    EXPECT_TRUE(illustration.seppTab().irsButtonEnabled);
    expectAllDisabled("unchecked with zero inputs");
}

TEST_F(SeppPresenterTest, MissingInputsDisableEveryOption) {
    const struct {
        const char *name;
        FieldValues fields;
        bool rmdOnce;
    } cases[] = {
        {"blank first name", {{"8-EqualFirst", "  "}}, false},
        {"no RMD balance", {{"6-EqualAcctValue1", "$0"}}, false},
        {"no fixed balance", {{"6-EqualAcctValue2", ""}}, false},
        {"no rate", {{"1-EqualROR", "0.00%"}}, false},
        {"RMD only, blank first name", {{"8-EqualFirst", ""}}, true},
        {"RMD only, no RMD balance", {{"6-EqualAcctValue1", "0"}}, true},
    };
    for (const auto &c : cases) {
        makeSample();
        refresh();
        illustration.setPosition(Control::optEqualPmt, 4);
        SetFields(illustration, c.fields);
        illustration.setChecked(Control::chkRMDOnce, c.rmdOnce);
        refresh();
        expectAllDisabled(c.name);
        EXPECT_TRUE(prompter.fieldErrors().isEmpty()) << c.name;
        EXPECT_EQ(selected(), 4) << c.name;
    }
}

TEST_F(SeppPresenterTest, RemovingTheBeneficiaryMovesAJointChoice) {
    const struct {
        int before, after;
    } cases[] = {{2, 0}, {5, 3}, {0, 0}, {1, 1}, {3, 3}, {4, 4}, {6, 6}};
    for (const auto &c : cases) {
        makeSample();
        SetFields(illustration, {{"7-EqualSpouseDOB1", "07/04/1981"}});
        refresh();
        illustration.setPosition(Control::optEqualPmt, c.before);
        SetFields(illustration, {{"7-EqualSpouseDOB1", ""}});
        refresh();
        EXPECT_EQ(selected(), c.after) << "selected " << c.before;
        expectOptions({nullptr, nullptr, "0.00", nullptr, nullptr, "0.00", nullptr}, "++-++-+",
                      "no beneficiary");
    }
}

TEST_F(SeppPresenterTest, HiddenTabOnlyEnablesAndCopies) {
    refresh();
    SetFields(illustration, {{"1-EqualROR", "12.01"}, {"6-EqualAcctValue1", "$100"}});
    refresh(false);
    EXPECT_TRUE(prompter.fieldErrors().isEmpty());
    EXPECT_EQ(field("1-EqualROR"), QStringLiteral("12.01"));
    EXPECT_EQ(option(0).amount, QStringLiteral("$11,695.91"));
    EXPECT_EQ(option(6).amount, QStringLiteral("$18,739.75"));
    EXPECT_TRUE(option(6).enabled);
}

TEST_F(SeppPresenterTest, NoAmountBeforeTheFirstCalculation) {
    SetFields(illustration, {{"7-EqualDOB", "13/45/1970"}});
    refresh();
    ASSERT_EQ(prompter.fieldErrors().size(), 1);
    EXPECT_EQ(option(0).amount, QStringLiteral("0.00")) << "not the report field's tag";
}

// At 115 the annuity factor is an error code: the annuitization payment stays 0 while the
// other methods still compute.
TEST_F(SeppPresenterTest, NoAnnuitizationPaymentPastTheTable) {
    SetFields(illustration, {{"7-EqualDOB", "06/01/1911"}});
    refresh();
    EXPECT_EQ(option(6).amount, QStringLiteral("$0.00"));
    EXPECT_TRUE(option(6).enabled);
    EXPECT_NE(option(3).amount, QStringLiteral("$0.00"));
}

TEST_F(SeppPresenterTest, FieldNotes) {
    const QString balance = QStringLiteral(
        "* Important: In most cases we recommend the prior year 12-31 balance. This date must be "
        "consistent from year to year; you cannot continually switch this date.");
    const QString rate =
        QStringLiteral("* Important: Cannot exceed 120% of Federal Mid-Term rate. Press the "
                       "\"Web Lookup\"  button for current rates.");
    const QString resting = QStringLiteral("* Required fields");
    const struct {
        int index;
        const QString &note;
        bool bold;
    } cases[] = {
        {27, balance, true},  {29, balance, true},
        {31, rate, true},     {SeppControl::Other, resting, false},
        {21, resting, false}, {28, resting, false},
        {30, resting, false}, {0, resting, false},
    };
    for (const auto &c : cases) {
        ShowFieldNote(illustration, 31); // a bold note to replace
        ShowFieldNote(illustration, c.index);
        EXPECT_EQ(illustration.seppTab().note, c.note) << "index " << c.index;
        EXPECT_EQ(illustration.seppTab().noteBold, c.bold) << "index " << c.index;
    }
}

} // namespace
