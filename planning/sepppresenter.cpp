#include "sepppresenter.h"

#include "calculators.h"
#include "datetext.h"
#include "fieldformat.h"
#include "illustration.h"
#include "numbertext.h"

namespace {

constexpr int OptionCount = 7;
constexpr int FixedMethodsFirst = 3; // options 3 to 6 need the fixed methods' balance and rate
constexpr std::array JointOptions = {2, 5};
const QString ZeroAmount = QStringLiteral("0.00");

// The fixed methods' inputs and the captions beside them.
constexpr std::array FixedMethodTags = {"6-EqualAcctValue2", "1-EqualROR"};

const std::array<const char *, OptionCount> Captions = {
    "Single Life",      "Uniform Lifetime",        "Joint and Last Survivor", "Single Life",
    "Uniform Lifetime", "Joint and Last Survivor", "Annuitization Method",
};

struct FieldNote {
    int controlIndex;
    const char *text;
};

const char *const BalanceNote =
    "* Important: In most cases we recommend the prior year 12-31 balance. This date must be "
    "consistent from year to year; you cannot continually switch this date.";

// Every note but the resting one is bold.
const FieldNote Notes[] = {
    {27, BalanceNote},
    {29, BalanceNote},
    {31, "* Important: Cannot exceed 120% of Federal Mid-Term rate. Press the \"Web Lookup\"  "
         "button for current rates."},
};
const char *const RestingNote = "* Required fields";

bool isZero(const Illustration &illustration, const char *tag) {
    return illustration.fields().cleanValue(QLatin1String(tag)) == 0;
}

bool firstNameBlank(const Illustration &illustration) {
    return illustration.fields().GetField(QStringLiteral("8-EqualFirst")).trimmed().isEmpty();
}

// A disabled option cannot be chosen and shows a zero amount, its label greyed.
void enableOption(EqualPaymentOption &option, bool enabled) {
    option.enabled = enabled;
    option.amountEnabled = enabled;
    if (!enabled)
        option.amount = ZeroAmount;
}

void enableOptions(SeppTabState &tab, int first, int last, bool enabled) {
    for (int i = first; i <= last; ++i)
        enableOption(tab.options[std::size_t(i)], enabled);
}

void enableFixedMethodInputs(Illustration &illustration, SeppTabState &tab, bool enabled) {
    FieldStore &fields = illustration.fields();
    for (const char *tag : FixedMethodTags) {
        const int slot = fields.SetIndex(QLatin1String(tag));
        fields.setEnabled(slot, enabled);
        fields.setCaptionColour(slot, enabled ? ColourRole::Normal : ColourRole::Grey);
    }
    tab.irsButtonEnabled = enabled;
}

// Which options the inputs allow, into `tab`; false when an input is missing and nothing is to
// be computed.
bool enableForInputs(Illustration &illustration, SeppTabState &tab) {
    if (illustration.controls().chkRMDOnce) {
        // Only the RMD method applies: the fixed methods' inputs are zeroed before anything
        // reads them, so the calculation below sees them settled.
        for (const char *tag : FixedMethodTags)
            illustration.fields().SetField(QStringLiteral("0"), QLatin1String(tag));
        enableFixedMethodInputs(illustration, tab, false);
        if (firstNameBlank(illustration) || isZero(illustration, "6-EqualAcctValue1")) {
            enableOptions(tab, 0, OptionCount - 1, false);
            return false;
        }
        enableOptions(tab, 0, FixedMethodsFirst - 1, true);
        enableOptions(tab, FixedMethodsFirst, OptionCount - 1, false);
        return true;
    }

    enableFixedMethodInputs(illustration, tab, true);
    const bool missing =
        firstNameBlank(illustration) || isZero(illustration, "6-EqualAcctValue1") ||
        isZero(illustration, "6-EqualAcctValue2") || isZero(illustration, "1-EqualROR");
    enableOptions(tab, 0, OptionCount - 1, !missing);
    return !missing;
}

} // namespace

const std::array<const char *, 7> &EqualPaymentCaptions() {
    return Captions;
}

void RefreshEqualPayments(Illustration &illustration, CalcContext &context,
                          bool tabControlVisible) {
    SeppTabState tab = illustration.seppTab();
    const bool complete = enableForInputs(illustration, tab);
    // The computation reads the selected option's amount from the tab.
    illustration.setSeppTab(tab);
    if (!complete)
        return;

    // The window refreshes only while the SEPP tab is current; another calculator's checks
    // must never run from here.
    if (tabControlVisible && illustration.calculator() == Calculator::Sepp) {
        const Validation validation = DefineVariables(illustration, context);
        if (validation.passed())
            CalculateValues(illustration, validation.variables, context);
    }

    tab = illustration.seppTab();
    const FieldStore &fields = illustration.fields();
    for (int i = 0; i < OptionCount; ++i) {
        // Before any calculation a report field holds its own tag, which is no amount.
        const QString tag = QStringLiteral("R-Payment") + QString::number(i + 1);
        const QString payment = fields.GetField(tag);
        tab.options[std::size_t(i)].amount = payment == tag ? ZeroAmount : payment;
    }

    // Without a beneficiary the joint options cannot be chosen; a joint choice falls back to the
    // single life option of the same method.
    int selected = illustration.controls().optEqualPmt;
    if (!DateText::IsDate(fields.GetField(QStringLiteral("7-EqualSpouseDOB1")))) {
        if (selected == JointOptions[0])
            selected = 0;
        else if (selected == JointOptions[1])
            selected = FixedMethodsFirst;
        for (const int joint : JointOptions)
            enableOption(tab.options[std::size_t(joint)], false);
    }

    if (selected >= 0 && selected < OptionCount && !tab.options[std::size_t(selected)].enabled)
        selected = 0;
    illustration.setSeppTab(tab);
    illustration.setPosition(Control::optEqualPmt, selected, ChangeOrigin::Refresh);
}

void ShowFieldNote(Illustration &illustration, int controlIndex) {
    SeppTabState tab = illustration.seppTab();
    tab.note = QLatin1String(RestingNote);
    tab.noteBold = false;
    for (const FieldNote &note : Notes) {
        if (note.controlIndex == controlIndex) {
            tab.note = QLatin1String(note.text);
            tab.noteBold = true;
        }
    }
    illustration.setSeppTab(tab);
}
