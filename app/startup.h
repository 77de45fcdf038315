#pragma once

// The start-up choices without a window: the four calculator options, the feature list that
// hides options and menu items, the outdated-system branch and the command-line switch.

#include "calculator.h"
#include "menus.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

struct CalculatorOption {
    bool visible = true;
    bool enabled = true;
    QString toolTip;
    bool operator==(const CalculatorOption &) const = default;
};

// What the start-up window offers and what it hides in the main window's menus.
struct StartupChoice {
    std::array<CalculatorOption, CalculatorCount> options;
    Calculator selected = Calculator::Rmd; // the option selected at design time
    MenuState menus = initialMenus();
    bool operator==(const StartupChoice &) const = default;

    // The Help menu's Update item is hidden at every start.
    static MenuState initialMenus();
};

// The feature list's keywords, each applied in the order of its line (blanks around it removed,
// compared exactly); other lines are ignored.
void ApplyFeatureList(StartupChoice &choice, const QStringList &lines);

// The system's version as the check reads it. Only major 4 with minor 0 is outdated: there the
// Stretch calculator is not offered.
struct SystemVersion {
    int major = 0;
    int minor = 0;
    bool outdated() const { return major == 4 && minor == 0; }
};

// On an outdated system, while New Stretch is still shown: that item and option 3 are disabled
// and the option says why.
void ApplyOutdatedSystem(StartupChoice &choice, SystemVersion version);

// The whole command line after the program's name, as one text; Qt's own options (which the
// application has already taken out of the arguments) are not part of it.
QString CommandLineText(const QStringList &arguments);

// "/0" to "/3", blanks around it trimmed, compared exactly; anything else chooses nothing.
std::optional<Calculator> CalculatorSwitch(const QString &commandLine);
