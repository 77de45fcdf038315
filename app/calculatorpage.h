#pragma once

// What the four calculator tabs share: frames of labelled controls in slot order in a page that
// scrolls when the window is small, notes under the frames, and the binding of text fields, check
// boxes and lists to the illustration. Each tab's page adds its own controls and rules.

#include "calculation.h"
#include "controltable.h"
#include "illustrationrecord.h"
#include "ruleset.h"

#include <QScrollArea>
#include <functional>
#include <map>
#include <vector>

class Clock;
class FatalHandler;
class FieldEdit;
class Illustration;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QVBoxLayout;

// What the tabs work with besides their widgets.
struct PageContext {
    Illustration &illustration;
    // The main window's calculation context: one for the whole run, so the once-per-run
    // warnings stay shown once; its "today" is taken from the clock before each run.
    CalcContext &calculation;
    const Clock &clock;
    FatalHandler &fatal; // failures in the tabs' handlers
    RecordLists lists;
    // Whether the main window's tabs are on screen (the SEPP refresh validates only then).
    std::function<bool()> tabsVisible;
    // Opens a web-link file of the support archive.
    std::function<void(const QString &entry)> openLink;
    // The user chose a rule set: new illustrations take it from then on.
    std::function<void(RuleSet)> ruleSetChosen = {};

    // The calculation context with today's date, for a run starting now.
    CalcContext &run();
};

class CalculatorPage : public QScrollArea {
    Q_OBJECT

public:
    explicit CalculatorPage(PageContext &context, QWidget *parent = nullptr);

    // The edit of an input slot on this page; nullptr for any other slot.
    FieldEdit *field(int slot) const;

protected:
    QGroupBox *addFrame(const char *name);
    FieldEdit *addField(QGroupBox *frame, int slot);
    // A control in the frame's next row, with the caption of `name` beside it when `labelled`.
    void addRow(QGroupBox *frame, QWidget *control, bool labelled);
    // A control beside the one in the frame's last row.
    void addBeside(QGroupBox *frame, QWidget *control);
    QLabel *addNote();
    // The rule-set list in the frame, and under the frames what the other rule set would give
    // and the year an inherited account must be empty by.
    void addRuleSet(QGroupBox *frame, std::function<void()> chosen = {});

    // A check box bound to `control`: a click sets it as an input, then runs `clicked`.
    QCheckBox *addCheckBox(QGroupBox *frame, const char *name, Control control,
                           std::function<void()> clicked = {});
    // A list of `entries` bound to `control`: a choice sets it as an input, then runs `chosen`.
    QComboBox *addList(QGroupBox *frame, const char *name, Control control,
                       const QStringList &entries, std::function<void()> chosen = {});

    // Runs `show` now and whenever a control or the SEPP tab state changes.
    void showAlways(std::function<void()> show);

    PageContext &m_context;
    Illustration &m_illustration;

private:
    void showControls();

    QVBoxLayout *m_frames;
    std::map<int, FieldEdit *> m_fields;
    std::vector<std::function<void()>> m_views;
};
