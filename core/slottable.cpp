#include "slottable.h"

#include <array>

namespace {

// Input slots: tag (kind digit, "-", name), maximum length, caption, initial text, hidden.
constexpr std::array<SlotDefinition, 53> InputSlots{{
    {0, "8-PartFirst", 30, "First *", "", false, ""},
    {1, "8-PartMiddle", 30, "Middle", "", false, ""},
    {2, "8-PartLast", 50, "Last *", "", false, ""},
    {3, "7-PartDOB", 18, "Date of Birth *", "", false, ""},
    {4, "7-SpouseDOB", 18, "Spouse Date of Birth", "", false, ""},
    {5, "8-PlanName0", 50, "Plan Name", "", false, ""},
    {6, "7-PlanRetDate", 18, "Retirement Date (Not Applicable to 5% or Greater Business Owners)",
     "", false, ""},
    {7, "7-DD0", 18, "Planholder's Date of Death (if Applicable)", "", false, ""},
    {8, "3-Year0", 4, "Calculation Year *", "", false, ""},
    {9, "6-AcctValue0", 11, "Account Value (Generally on Last Day Prior to Calculation Year) *", "",
     false, ""},
    {10, "8-BeneFirst", 30, "First *", "", false, ""},
    {11, "8-BeneMiddle", 30, "Middle", "", false, ""},
    {12, "8-BeneLast", 50, "Last *", "", false, ""},
    {13, "7-BeneDOB", 18, "Date of Birth *", "", false, ""},
    {14, "8-PlanName1", 50, "Plan Name", "", false, ""},
    {15, "7-DD1", 18, "Original Planholder's Date of Death *", "", false, ""},
    {16, "3-Year1", 4, "Calculation Year *", "", false, ""},
    {17, "6-AcctValue1", 11, "Account Value (Generally on Last Day Prior to Calculation Year) *",
     "", false, ""},
    {18, "3-DatabaseIndex", 6, "", "Record", true, ""},
    {19, "6-IllustrationDate", 10, "", "19 - Illustration Date - Invisible", true, ""},
    {20, "6-RMD_Amt", 11, "", "20 - RMD Amount - Invisible", true, ""},
    {21, "8-EqualFirst", 12, "First *", "", false, ""},
    {22, "8-EqualMiddle", 12, "Middle", "", false, ""},
    {23, "8-EqualLast", 18, "Last *", "", false, ""},
    {24, "7-EqualDOB", 18, "Date of Birth *", "", false, ""},
    {25, "8-EqualPlanName", 25, "Plan Name *", "", false, ""},
    {26, "7-EqualDate", 18, "Calculation Date *", "", false, ""},
    {27, "6-EqualAcctValue1", 11,
     "Account Balance - Any Value Between Prior Year End and Calculation Date. *", "", false, ""},
    {28, "7-EqualSpouseDOB1", 18, "Beneficiary Date of Birth", "", false, ""},
    {29, "6-EqualAcctValue2", 11,
     "Account Balance - Any Value Between Prior Year End and Calculation Date. *", "", false, ""},
    {30, "7-EqualSpouseDOB2", 18, "", "", true, ""},
    {31, "1-EqualROR", 6, "Interest Rate Assumption (Max 120% Fed Mid-Term Rate) *", "", false,
     "Important: Cannot exceed 120% of Federal Mid-Term rate."},
    {32, "8-StretchPFirst", 12, "First *", "", false, ""},
    {33, "8-StretchPMiddle", 12, "Middle", "", false, ""},
    {34, "8-StretchPLast", 18, "Last *", "", false, ""},
    {35, "7-StretchPDOB", 18, "Date of Birth *", "", false, ""},
    {36, "2-StretchPLEO", 2, "Years Life Expectancy *", "", false, ""},
    {37, "8-StretchSFirst", 12, "First *", "", false, ""},
    {38, "8-StretchSMiddle", 12, "Middle", "", false, ""},
    {39, "8-StretchSLast", 18, "Last *", "", false, ""},
    {40, "7-StretchSDOB", 18, "Date of Birth *", "", false, ""},
    {41, "2-StretchSLEO", 2, "Years Life Expectancy *", "", false, ""},
    {42, "8-StretchBFirst", 12, "First *", "", false, ""},
    {43, "8-StretchBMiddle", 12, "Middle", "", false, ""},
    {44, "8-StretchBLast", 18, "Last *", "", false, ""},
    {45, "7-StretchBDOB", 18, "Date of Birth *", "", false, ""},
    {46, "8-StretchPlanName", 25, "Plan Name *", "", false, ""},
    {47, "6-StretchAcctValue", 11, "Account Value *", "", false, ""},
    {48, "6-StretchAcctCont", 11, "Annual Contribution", "", false, ""},
    {49, "2-StretchContYrs", 2, "Contribution Years", "", false, ""},
    {50, "1-StretchROR", 6, "Hypothetical Rate of Return *", "", false, ""},
    {51, "7-OriginalDOB", 18, "Original Planholder's Date of Birth *", "", false, ""},
    {52, "", 100, "", "52 - Last Field - Invisible, No Tag", true, ""},
}};

// Report slots start with their own tag as text. "R-PlanType" stands in 106, 109 and 111; a tag
// search always stops at 106, so the other two keep their initial text.
constexpr std::array<SlotDefinition, 58> ReportSlots{{
    {101, "R-Plan70", 32000, "", "R-Plan70", true, ""},
    {102, "R-RBD", 32000, "", "R-RBD", true, ""},
    {103, "R-RMD", 32000, "", "R-RMD", true, ""},
    {104, "R-YYYY", 32000, "", "R-YYYY", true, ""},
    {105, "R-YYY1", 32000, "", "R-YYY1", true, ""},
    {106, "R-PlanType", 32000, "", "R-PlanType", true, ""},
    {107, "R-PHDOB", 32000, "", "R-PHDOB", true, ""},
    {108, "R-BeneName", 32000, "", "R-BeneName", true, ""},
    {109, "R-PlanType", 32000, "", "R-PlanType", true, ""},
    {110, "R-PlanName", 32000, "", "R-PlanName", true, ""},
    {111, "R-PlanType", 32000, "", "R-PlanType", true, ""},
    {112, "R-SpouseName", 32000, "", "R-SpouseName", true, ""},
    {113, "R-SpouseDOB", 32000, "", "R-SpouseDOB", true, ""},
    {114, "R-PlanValue", 32000, "", "R-PlanValue", true, ""},
    {115, "R-IRSTable", 32000, "", "R-IRSTable", true, ""},
    {116, "R-IRSPen", 32000, "", "R-IRSPen", true, ""},
    {117, "R-Aname", 32000, "", "R-Aname", true, ""},
    {118, "R-PHName", 32000, "", "R-PHName", true, ""},
    {119, "R-XTable", 32000, "", "R-XTable", true, ""},
    {120, "R-AA", 32000, "", "R-AA", true, ""},
    {121, "R-DD", 32000, "", "R-DD", true, ""},
    {122, "R-BAgeDD", 32000, "", "R-BAgeDD", true, ""},
    {123, "R-Dec31YYYY", 32000, "", "R-Dec31YYYY", true, ""},
    {124, "R-NoteYear1", 32000, "", "R-NoteYear1", true, ""},
    {125, "R-Payment1", 32000, "", "R-Payment1", true, ""},
    {126, "R-Payment2", 32000, "", "R-Payment2", true, ""},
    {127, "R-Payment3", 32000, "", "R-Payment3", true, ""},
    {128, "R-Payment4", 32000, "", "R-Payment4", true, ""},
    {129, "R-Age", 32000, "", "R-Age", true, ""},
    {130, "R-STable", 32000, "", "R-STable", true, ""},
    {131, "R-JTable", 32000, "", "R-JTable", true, ""},
    {132, "R-AT", 32000, "", "R-AT", true, ""},
    {133, "R-BT", 32000, "", "R-BT", true, ""},
    {134, "R-PValue", 32000, "", "R-PValue", true, ""},
    {135, "R-BeneDOB", 32000, "", "R-BeneDOB", true, ""},
    {136, "R-CalcDate", 32000, "", "R-CalcDate", true, ""},
    {137, "R-PHX", 32000, "", "R-PHX", true, ""},
    {138, "R-SHX", 32000, "", "R-SHX", true, ""},
    {139, "R-BHX", 32000, "", "R-BHX", true, ""},
    {140, "R-Payment5", 32000, "", "R-Payment5", true, ""},
    {141, "R-Payment6", 32000, "", "R-Payment6", true, ""},
    {142, "R-Payment7", 32000, "", "R-Payment7", true, ""},
    {143, "R-Factor1", 32000, "", "R-Factor1", true, ""},
    {144, "R-Factor2", 32000, "", "R-Factor2", true, ""},
    {145, "R-Factor3", 32000, "", "R-Factor3", true, ""},
    {146, "R-NameAgent", 32000, "", "R-NameAgent", true, ""},
    {147, "R-1", 32000, "", "R-1", true, ""},
    {148, "R-2", 32000, "", "R-2", true, ""},
    {149, "R-3", 32000, "", "R-3", true, ""},
    {150, "R-4", 32000, "", "R-4", true, ""},
    {151, "R-5", 32000, "", "R-5", true, ""},
    {152, "R-6", 32000, "", "R-6", true, ""},
    {153, "R-7", 32000, "", "R-7", true, ""},
    {154, "R-RetDate", 32000, "", "R-RetDate", true, ""},
    {155, "R-OriginalDOB", 32000, "", "R-OriginalDOB", true, ""},
    {156, "R-DSpecial", 32000, "", "R-DSpecial", true, ""},
    {157, "Age of Beneficiary on RBD", 32000, "", "Age of Beneficiary on RBD", true, ""},
    {158, "", 32000, "", "Last Field Blank", true, ""},
}};

} // namespace

namespace SlotTable {

std::span<const SlotDefinition> inputSlots() {
    return InputSlots;
}
std::span<const SlotDefinition> reportSlots() {
    return ReportSlots;
}

const SlotDefinition *slot(int index) {
    if (index >= 0 && index <= InputEndMarker)
        return &InputSlots[std::size_t(index)];
    if (index >= FirstReportSlot && index <= ReportEndMarker)
        return &ReportSlots[std::size_t(index - FirstReportSlot)];
    return nullptr;
}

int kindDigit(const QString &tag) {
    if (tag.size() < 2 || tag.at(1) != QLatin1Char('-') || !tag.at(0).isDigit())
        return 0;
    return tag.at(0).digitValue();
}

int lastInputSlot() {
    static const int last = [] {
        int index = 1;
        while (*InputSlots[std::size_t(index + 1)].tag != '\0')
            ++index;
        return index;
    }();
    return last;
}

} // namespace SlotTable
