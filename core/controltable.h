#pragma once

// The inputs of the main window that are not text fields: their values in the illustration, and
// one table of their names, kinds, ranges and lists, which the window, the record reader and the
// ILL.json reader share.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

enum class Control {
    cmboPlanType0,
    cmboPlanType1,
    optUseJoint,
    optEqualPmt,
    chkRoth,
    chkSkipSpouse,
    chkRMDOnce,
    chkSurvivingSpouse,
    cmboState,
    lstGraph,
    hScrollGraph,
    chkBackground,
    chkGrayScale,
    chkTopView,
    cmboRuleSet,
    cmboBeneClass,
    chkSpouseElection,
};

struct IllustrationControls {
    QString cmboPlanType0 = QStringLiteral("IRA");
    QString cmboPlanType1 = QStringLiteral("IRA");
    int optUseJoint = 1; // 0 "Yes", 1 "No"
    int optEqualPmt = 0; // SEPP method, 0 to 6
    bool chkRoth = false;
    bool chkSkipSpouse = false;
    bool chkRMDOnce = false;
    bool chkSurvivingSpouse = false;
    bool chkSurvivingSpouseEnabled = true;
    bool chkBackground = false;
    bool chkGrayScale = false;
    bool chkTopView = false;
    QString cmboState; // empty: no state chosen
    QString lstGraph = QStringLiteral("All Years");
    int hScrollGraph = 99;
    // Records and files from before current law carry none: they are 2002 regulations.
    QString cmboRuleSet = QStringLiteral("2002 regulations");
    QString cmboBeneClass = QStringLiteral("Designated beneficiary");
    // Current law from 2024: a sole spouse beneficiary elects to be treated as the owner.
    bool chkSpouseElection = false;

    bool operator==(const IllustrationControls &) const = default;
};

enum class ControlKind {
    List,     // a list entry (text)
    Position, // a selected option button or a scroll position, 0 to maximum
    CheckBox,
};

struct ControlEntry {
    Control control;
    const char *name;
    ControlKind kind;
    QString IllustrationControls::*text = nullptr;
    int IllustrationControls::*position = nullptr;
    bool IllustrationControls::*flag = nullptr;
    int maximum = 0; // positions: 0 to maximum
    // Lists: the window's entries; withRollover when the sibling program adds "Rollover IRA".
    QStringList (*entries)(bool withRollover) = nullptr;
    // Lists: whether nothing may be selected (no state chosen, a graph entry the list lacks).
    bool noneAllowed = false;
};

// Every control, in the order ILL.json lists them.
const std::array<ControlEntry, 17> &ControlTable();

const ControlEntry &EntryOf(Control control);

// The control of this name ("chkRoth"); nullptr for any other name.
const ControlEntry *FindControl(QStringView name);
