#pragma once

// One client's illustration: the field store, the calculator it belongs to, whether it equals
// its stored record, and the inputs that are not text fields. The main window binds its
// widgets to this object and keeps no second copy of any value: every change goes through a
// setter here and is announced, saying what changed, to any number of observers; a setter that
// changes nothing announces nothing.

#include "calculator.h"
#include "controltable.h"
#include "fieldstore.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <array>

// The SEPP tab's method options as the window shows them: the amount label beside each option
// button and what can be chosen. The selected option is IllustrationControls::optEqualPmt.
struct EqualPaymentOption {
    QString amount = QStringLiteral("0.00"); // caption of lblEqualPmt
    bool enabled = true;                     // the option button
    bool amountEnabled = true;               // its amount label

    bool operator==(const EqualPaymentOption &) const = default;
};

struct SeppTabState {
    std::array<EqualPaymentOption, 7> options;
    bool irsButtonEnabled = true; // cmdIRS, "&Web Lookup *"
    QString note = QStringLiteral("* Required fields");
    bool noteBold = false;

    bool operator==(const SeppTabState &) const = default;
};

// What a computation shows beside its result on the calculator tab besides the report fields.
struct RuleSetOutcome {
    QString finalYear;        // the year an inherited account must be empty by; empty when none
    QString otherRuleSetNote; // the other rule set's amount where it differs; empty otherwise

    bool operator==(const RuleSetOutcome &) const = default;
};

// Who changes a control. The user's changes are inputs and clear the saved flag; a refresh that
// moves a selection or unticks a box as a consequence of another input does not.
enum class ChangeOrigin { Input, Refresh };

class Illustration : public QObject {
    Q_OBJECT

public:
    explicit Illustration(Prompter &prompter, QObject *parent = nullptr);

    // The store's text and look changes are announced as fieldChanged.
    FieldStore &fields() { return m_fields; }
    const FieldStore &fields() const { return m_fields; }
    Prompter &prompter() const { return m_fields.prompter(); }

    Calculator calculator() const { return m_calculator; }
    void setCalculator(Calculator calculator);

    // True while the illustration equals its stored record; every input change clears it.
    bool isSaved() const { return m_saved; }
    void setSaved(bool saved);

    // The fingerprint of the stored record this illustration was read from or last written
    // to; empty for a new one. A save checks that its record still holds it, so a record
    // number gone stale (a compaction, another program) never overwrites another client.
    const QString &recordFingerprint() const { return m_recordFingerprint; }
    void setRecordFingerprint(const QString &fingerprint) { m_recordFingerprint = fingerprint; }

    const IllustrationControls &controls() const { return m_controls; }
    // A list's entry, an option or scroll position, a check box. The control must be of the
    // setter's kind.
    void setListEntry(Control control, const QString &entry,
                      ChangeOrigin origin = ChangeOrigin::Input);
    void setPosition(Control control, int position, ChangeOrigin origin = ChangeOrigin::Input);
    void setChecked(Control control, bool checked, ChangeOrigin origin = ChangeOrigin::Input);
    // Whether the surviving-spouse box can be used (not for a Roth IRA).
    void setSurvivingSpouseEnabled(bool enabled);

    const SeppTabState &seppTab() const { return m_seppTab; }
    void setSeppTab(const SeppTabState &state);

    const RuleSetOutcome &ruleSetOutcome() const { return m_ruleSetOutcome; }
    void setRuleSetOutcome(const RuleSetOutcome &outcome);

    // A keystroke typed into an input slot: clears the saved flag whatever the key, and says
    // whether the key reaches the text.
    bool keyPress(int slot, QChar key);

    // The user's edit of an input slot's text (typing settled, a paste, a lookup button): the
    // text changes and the saved flag clears.
    void editField(int slot, const QString &text);

    // A blank illustration with defaults: empty inputs, the plan lists at their first entry,
    // the current year in the calculation years, "0.00%" in rates, "$0" in amounts, the record
    // number and today's date. The saved flag is set, so an untouched illustration never prompts.
    void resetToNew(int recordNumber, const QDate &today, const QString &firstPlanType);

signals:
    void fieldChanged(int slot);
    void savedChanged(bool saved);
    void calculatorChanged(Calculator calculator);
    void controlChanged(Control control);
    void seppTabChanged();
    void ruleSetOutcomeChanged();

private:
    const ControlEntry &entryOf(Control control, ControlKind kind) const;
    void changed(Control control, ChangeOrigin origin);

    FieldStore m_fields;
    Calculator m_calculator = Calculator::Rmd;
    bool m_saved = true;
    QString m_recordFingerprint;
    IllustrationControls m_controls;
    SeppTabState m_seppTab;
    RuleSetOutcome m_ruleSetOutcome;
};

// The text of the illustration's field `tag`.
inline QString FieldText(const Illustration &illustration, const char *tag) {
    return illustration.fields().GetField(QLatin1String(tag));
}
