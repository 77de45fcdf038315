#pragma once

// One client's illustration: the field store, the calculator it belongs to, whether it equals
// its stored record, and the inputs that are not text fields. The main window binds its
// widgets to this object and keeps no second copy of any value.

#include "fieldstore.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>

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
};

// The SEPP tab's method options as the window shows them: the amount label beside each option
// button and what can be chosen. The selected option is IllustrationControls::optEqualPmt.
struct EqualPaymentOption {
    QString amount = QStringLiteral("0.00"); // caption of lblEqualPmt
    bool enabled = true;                     // the option button
    bool amountEnabled = true;               // its amount label
};

struct SeppTabState {
    std::array<EqualPaymentOption, 7> options;
    bool irsButtonEnabled = true; // cmdIRS, "&Web Lookup *"
    QString note = QStringLiteral("* Required fields");
    bool noteBold = false;
};

class Illustration {
public:
    explicit Illustration(Prompter &prompter) : m_fields(prompter) {}

    FieldStore &fields() { return m_fields; }
    const FieldStore &fields() const { return m_fields; }
    Prompter &prompter() const { return m_fields.prompter(); }

    int calculator() const { return m_calculator; }
    void setCalculator(int calculator) { m_calculator = calculator; }

    // True while the illustration equals its stored record; every input change clears it.
    bool isSaved() const { return m_saved; }
    void setSaved(bool saved) { m_saved = saved; }

    // The fingerprint of the stored record this illustration was read from or last written
    // to; empty for a new one. A save checks that its record still holds it, so a record
    // number gone stale (a compaction, another program) never overwrites another client.
    const QString &recordFingerprint() const { return m_recordFingerprint; }
    void setRecordFingerprint(const QString &fingerprint) { m_recordFingerprint = fingerprint; }

    IllustrationControls &controls() { return m_controls; }
    const IllustrationControls &controls() const { return m_controls; }

    SeppTabState &seppTab() { return m_seppTab; }
    const SeppTabState &seppTab() const { return m_seppTab; }

    // A keystroke typed into an input slot: clears the saved flag whatever the key, and says
    // whether the key reaches the text.
    bool keyPress(int slot, QChar key);

    // A blank illustration with defaults: empty inputs, the plan lists at their first entry,
    // the current year in the calculation years, "0.00%" in rates, "$0" in amounts, the record
    // number and today's date. The saved flag is set, so an untouched illustration never prompts.
    void resetToNew(int recordNumber, const QDate &today, const QString &firstPlanType);

private:
    FieldStore m_fields;
    int m_calculator = 0;
    bool m_saved = true;
    QString m_recordFingerprint;
    IllustrationControls m_controls;
    SeppTabState m_seppTab;
};
