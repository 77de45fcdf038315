#include "controltable.h"

#include "controllists.h"
#include "ruleset.h"

#include <algorithm>

namespace {

using C = IllustrationControls;

QStringList planTypes0(bool withRollover) {
    return ControlLists::planTypes(0, withRollover);
}
QStringList planTypes1(bool withRollover) {
    return ControlLists::planTypes(1, withRollover);
}
QStringList states(bool) {
    return ControlLists::stateCodes();
}
QStringList graphEntries(bool) {
    return ControlLists::graphEntries();
}
QStringList ruleSets(bool) {
    return RuleSetCaptions();
}
QStringList beneficiaryClasses(bool) {
    return ControlLists::beneficiaryClasses();
}

using K = ControlKind;
const std::array<ControlEntry, 17> Table{{
    {Control::cmboPlanType0, "cmboPlanType0", K::List, &C::cmboPlanType0, nullptr, nullptr, 0,
     planTypes0},
    {Control::cmboPlanType1, "cmboPlanType1", K::List, &C::cmboPlanType1, nullptr, nullptr, 0,
     planTypes1},
    {Control::optUseJoint, "optUseJoint", K::Position, nullptr, &C::optUseJoint, nullptr, 1},
    {Control::optEqualPmt, "optEqualPmt", K::Position, nullptr, &C::optEqualPmt, nullptr, 6},
    {Control::chkRoth, "chkRoth", K::CheckBox, nullptr, nullptr, &C::chkRoth},
    {Control::chkSkipSpouse, "chkSkipSpouse", K::CheckBox, nullptr, nullptr, &C::chkSkipSpouse},
    {Control::chkRMDOnce, "chkRMDOnce", K::CheckBox, nullptr, nullptr, &C::chkRMDOnce},
    {Control::chkSurvivingSpouse, "chkSurvivingSpouse", K::CheckBox, nullptr, nullptr,
     &C::chkSurvivingSpouse},
    {Control::cmboState, "cmboState", K::List, &C::cmboState, nullptr, nullptr, 0, states, true},
    {Control::lstGraph, "lstGraph", K::List, &C::lstGraph, nullptr, nullptr, 0, graphEntries, true},
    {Control::hScrollGraph, "hScrollGraph", K::Position, nullptr, &C::hScrollGraph, nullptr, 120},
    {Control::chkBackground, "chkBackground", K::CheckBox, nullptr, nullptr, &C::chkBackground},
    {Control::chkGrayScale, "chkGrayScale", K::CheckBox, nullptr, nullptr, &C::chkGrayScale},
    {Control::chkTopView, "chkTopView", K::CheckBox, nullptr, nullptr, &C::chkTopView},
    {Control::cmboRuleSet, "cmboRuleSet", K::List, &C::cmboRuleSet, nullptr, nullptr, 0, ruleSets},
    {Control::cmboBeneClass, "cmboBeneClass", K::List, &C::cmboBeneClass, nullptr, nullptr, 0,
     beneficiaryClasses},
    {Control::chkSpouseElection, "chkSpouseElection", K::CheckBox, nullptr, nullptr,
     &C::chkSpouseElection},
}};

} // namespace

const std::array<ControlEntry, 17> &ControlTable() {
    return Table;
}

const ControlEntry &EntryOf(Control control) {
    return *std::find_if(Table.begin(), Table.end(),
                         [control](const ControlEntry &entry) { return entry.control == control; });
}

const ControlEntry *FindControl(QStringView name) {
    const auto found = std::find_if(Table.begin(), Table.end(), [name](const ControlEntry &entry) {
        return name == QLatin1String(entry.name);
    });
    return found == Table.end() ? nullptr : &*found;
}
