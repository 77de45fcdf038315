#include "tabcaptions.h"

#include "errornumber.h"
#include "fatalerror.h"

#include <array>
#include <cstring>

namespace {

const char *const LookUpTip = "Look up life expectancy from IRS table";

constexpr std::array<TabControlCaption, 32> Captions{{
    // Planholder (RMD)
    {"fraPlanholder", "Planholder", ""},
    {"fraSpouse", "Spouse Beneficiary", ""},
    {"fraPlan0", "Plan", ""},
    {"optUseJoint0", "Yes", ""},
    {"optUseJoint1", "No", ""},
    {"cmboPlanType0", "Plan Type", ""},
    // Beneficiary (RMBD)
    {"fraBeneficiary", "Beneficiary", ""},
    {"fraOriginal", "Original Planholder", ""},
    {"fraPlan1", "Plan", ""},
    {"cmboPlanType1", "Plan Type", ""},
    {"chkSurvivingSpouse", "Surviving Spouse Beneficiary - Not Taken Ownership", ""},
    {"chkSpouseElection", "Spouse Elects to Be Treated as the Owner",
     "Current law from 2024: the sole spouse beneficiary's distributions follow the Uniform "
     "Lifetime Table for the spouse's own age."},
    // SEPP
    {"fraEqualPlanholder", "Planholder", ""},
    {"fraEqualPlan", "Plan", ""},
    {"fraEqualRmd", "Required Minimum Distribution Method", ""},
    {"fraEqualFixed", "Fixed Amortization and Annuitization Methods", ""},
    {"chkRMDOnce", "RMD Annual Recalculation  -- or --   One-time Change", ""},
    {"cmdToday", "&Today", ""},
    // The options' captions are EqualPaymentCaptions().
    {"cmdIRS", "&Web Lookup *",
     "Press here to check web for the current Federal Mid-Term Rate, which changes monthly."},
    // Stretch Concept
    {"fraStretchPlanholder", "Planholder", ""},
    {"fraStretchSpouse", "Spouse Beneficiary", ""},
    {"fraStretchBeneficiary", "Non-Spouse Beneficiary", ""},
    {"fraStretchPlan", "Plan", ""},
    {"chkSkipSpouse", "Skip", ""},
    {"chkRoth", "Roth IRA Plan", ""},
    {"cmboState", "State to Use for Income Tax Comparison Page", ""},
    {"cmdCalc0", "Look Up", LookUpTip},
    {"cmdCalc1", "Look Up", LookUpTip},
    // Every tab
    {"lblNote", "* Required fields", ""},
    {"cmboRuleSet", "Rules",
     "The law the illustration is computed under: the 2002 regulations, or current law (SECURE "
     "2.0 Act of 2022 and the life-expectancy tables of 2022)"},
    {"cmboBeneClass", "Beneficiary Class",
     "Under current law only an eligible designated beneficiary keeps a life-expectancy payout; "
     "others empty the account within ten or five years"},
    {"lblRuleSetNote", "", ""},
}};

} // namespace

const TabControlCaption &TabControl(const char *name) {
    for (const TabControlCaption &entry : Captions) {
        if (std::strcmp(entry.name, name) == 0)
            return entry;
    }
    throw FatalError(QStringLiteral("TabControl"), ErrorNumber::InvalidProcedureCall,
                     QStringLiteral("No caption for control %1").arg(QLatin1String(name)));
}

QString TabCaptionText(const char *name) {
    return QString::fromUtf8(TabControl(name).caption);
}

QString TabToolTip(const char *name) {
    return QString::fromUtf8(TabControl(name).tooltip);
}
