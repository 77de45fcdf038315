#pragma once

// TabViews: the tabs, title and Report Options menu the current calculator shows.

#include "calculator.h"
#include "menus.h"

#include <QString>
#include <array>

enum class Tab { Planholder, Beneficiary, Sepp, Stretch, Report, Graph };
constexpr int TabCount = 6;

// "&Planholder", "&Beneficiary", "S&EPP", "&Stretch Concept", "&Report", "&Graph".
QString TabCaption(Tab tab);

// A calculator's own tab: its index is the calculator's number.
constexpr Tab CalculatorTab(Calculator calculator) {
    return Tab(CalculatorNumber(calculator));
}

struct TabState {
    bool visible = false;
    bool enabled = true;
    bool operator==(const TabState &) const = default;
};

// The Report Options menu's page switches as the user's settings hold them; the Effect of Taxes
// item keeps its own tick.
struct ReportPageSettings {
    bool cover = true;
    bool wenmark = true;
    bool ledger = true;
    bool graph = true;
};

struct TabView {
    std::array<TabState, TabCount> tabs;
    QString title;
    bool reportMenuVisible = false;
    bool graphReportItemVisible = true;
    bool outdatedNotice = false;   // "Outdated Windows System Detected" is to be shown
    Tab current = Tab::Planholder; // the first visible tab
};

TabView TabViews(Calculator calculator, bool outdatedSystem);

// A TabView's menu parts: the Graph page item hidden on an outdated system, and for the shown
// Report Options menu the ticks of the settings (Effect of Taxes keeps its own).
void ApplyToMenus(const TabView &view, const ReportPageSettings &pages, MenuState &menus);
