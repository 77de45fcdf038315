#include "tabviews.h"

#include "windowcaption.h"

namespace {

constexpr std::array<const char *, TabCount> Captions{"&Planholder",      "&Beneficiary", "S&EPP",
                                                      "&Stretch Concept", "&Report",      "&Graph"};

TabState &stateOf(TabView &view, Tab tab) {
    return view.tabs[std::size_t(tab)];
}

} // namespace

QString TabCaption(Tab tab) {
    return QLatin1String(Captions[std::size_t(tab)]);
}

TabView TabViews(Calculator calculator, bool outdatedSystem) {
    TabView view;
    view.title = MainWindowCaption(calculator);
    const bool stretch = calculator == Calculator::Stretch;
    stateOf(view, CalculatorTab(calculator)).visible = true;
    stateOf(view, Tab::Report).visible = true;
    stateOf(view, Tab::Graph).visible = stretch;
    if (stretch && outdatedSystem) {
        stateOf(view, Tab::Stretch).enabled = false;
        stateOf(view, Tab::Report).enabled = false;
        stateOf(view, Tab::Graph).visible = false;
        view.graphReportItemVisible = false;
        view.outdatedNotice = true;
    }
    view.reportMenuVisible = stretch;
    for (int index = 0; index < TabCount; ++index) {
        if (view.tabs[std::size_t(index)].visible) {
            view.current = Tab(index);
            break;
        }
    }
    return view;
}

void ApplyToMenus(const TabView &view, const ReportPageSettings &pages, MenuState &menus) {
    menus[MenuItem::mnuReportGraph].visible = view.graphReportItemVisible;
    if (!view.reportMenuVisible)
        return;
    menus[MenuItem::mnuReportCover].checked = pages.cover;
    menus[MenuItem::mnuReportWenmark].checked = pages.wenmark;
    menus[MenuItem::mnuReportLedger].checked = pages.ledger;
    menus[MenuItem::mnuReportGraph].checked = pages.graph;
}
