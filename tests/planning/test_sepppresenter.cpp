#include "illustration.h"
#include "sepppresenter.h"
#include "testsupport.h"

namespace {

const QDate Today(2026, 12, 6);

// The IRS FAQ's Bob (50, $400,000, 2.98%) on the SEPP tab.
class SeppPresenterTest : public IllustrationTest {
protected:
    void SetUp() override {
        context.today = Today;
        makeSample();
    }

    void makeSample() {
        MakeSeppSample(illustration, Today);
        prompter.clear();
    }

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

    CalcContext context;
};

TEST_F(SeppPresenterTest, ShowsTheSevenPayments) {
    refresh();
    EXPECT_TRUE(prompter.fieldErrors().isEmpty());
    // IRS FAQ (Substantially Equal Periodic Payments) figures on options 0, 3 and 6; no
    // beneficiary, so the joint options are off.
    expectOptions(
        {"$11,695.91", "$8,602.15", "0.00", "$18,810.52", "$16,005.69", "0.00", "$18,739.75"},
        "++-++-+", "no beneficiary");
    EXPECT_TRUE(state("6-EqualAcctValue2").enabled);
    EXPECT_TRUE(state("1-EqualROR").enabled);
    EXPECT_TRUE(illustration.seppTab().irsButtonEnabled);

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
        ASSERT_EQ(before, QStringLiteral("$18,810.52")) << c.rate;

        SetFields(illustration, {{"1-EqualROR", c.rate}});
        refresh();
        EXPECT_EQ(prompter.messages().size(), c.warning ? 1 : 0) << c.rate;
        EXPECT_EQ(prompter.fieldErrors().size(), c.accepted ? 0 : 1) << c.rate;
        if (c.accepted) {
            EXPECT_EQ(field("1-EqualROR"), QLatin1String(c.rate)) << c.rate;
            EXPECT_NE(option(3).amount, before) << c.rate << ": not recalculated";
        } else {
            EXPECT_EQ(field("1-EqualROR"), QStringLiteral("4.00")) << c.rate;
            EXPECT_EQ(prompter.fieldErrors()[0].title,
                      QStringLiteral("Invalid Chosen Interest Rate"));
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
    expectFields({"R-IRSPen=~K", "R-PValue=$0"});
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
