#include "menus.h"

#include <utility>

namespace {

using I = MenuItem;
using M = Menu;

constexpr std::array<MenuItemEntry, MenuItemCount> Items{{
    // item, name, menu, caption, shortcut, second shortcut, separator before, settings key
    {I::mnuFilePrint, "mnuFilePrint", M::File, "&Print Report...", "Ctrl+P"},
    {I::mnuFileExportPDF, "mnuFileExportPDF", M::File, "&Export Report to PDF...", nullptr, nullptr,
     true},
    {I::mnuFileExportCSV, "mnuFileExportCSV", M::File, "Export to Spreadsheet (&CSV)..."},
    {I::mnuFileYearEnd, "mnuFileYearEnd", M::File, "&Year-End Reports..."},
    {I::mnuFileNew, "mnuFileNew", M::File, "RMD &New Illustration", "F2", nullptr, true},
    {I::mnuFileNewRBD, "mnuFileNewRBD", M::File, "RMBD New &Illustration", "F3"},
    {I::mnuFileNewEqual, "mnuFileNewEqual", M::File, "E&qual Payments New Illustration", "F4"},
    {I::mnuFileNewStretch, "mnuFileNewStretch", M::File, "Stretc&h New Illustration", "F5"},
    {I::mnuFileLoad, "mnuFileLoad", M::File, "&Open Illustration...", "Ctrl+O"},
    {I::mnuFileSave, "mnuFileSave", M::File, "&Save Illustration", "Ctrl+S"},
    // Ctrl+X as the system always had it, and the desktop's quit key beside it.
    {I::mnuFileExit, "mnuFileExit", M::File, "E&xit", "Ctrl+X", "Ctrl+Q", true},
    {I::mnuOptionsAdvisor, "mnuOptionsAdvisor", M::Options,
     "&Financial Representative Information..."},
    {I::mnuOptionsCompact, "mnuOptionsCompact", M::Options, "&Compact Database...", nullptr,
     nullptr, true},
    {I::mnuOptionsBackup, "mnuOptionsBackup", M::Options, "&Backup Database to Floppy...", nullptr,
     nullptr, true},
    {I::mnuOptionsRestore, "mnuOptionsRestore", M::Options, "&Restore Database from Floppy..."},
    {I::mnuOptionsInternetBackup, "mnuOptionsInternetBackup", M::Options,
     "Backup Database to &Internet...", nullptr, nullptr, true},
    {I::mnuOptionsInternetRestore, "mnuOptionsInternetRestore", M::Options,
     "Re&store Database from Internet..."},
    {I::mnuDebugMode, "mnuDebugMode", M::Options, "Set &Detailed Calculation Mode..."},
    {I::mnuReportCover, "mnuReportCover", M::ReportOptions, "&Title Page", nullptr, nullptr, false,
     "ReportCover"},
    {I::mnuReportWenmark, "mnuReportWenmark", M::ReportOptions, "&Wenmark Story Page", nullptr,
     nullptr, false, "ReportWenmark"},
    {I::mnuReportTaxes, "mnuReportTaxes", M::ReportOptions,
     "&Effect of Taxes on Distributions Page", nullptr, nullptr, false, "ReportTaxes"},
    {I::mnuReportLedger, "mnuReportLedger", M::ReportOptions, "&Ledger Pages", nullptr, nullptr,
     false, "ReportLedger"},
    {I::mnuReportGraph, "mnuReportGraph", M::ReportOptions, "&Graph", nullptr, nullptr, false,
     "ReportGraph"},
    {I::mnuHelpContents, "mnuHelpContents", M::Help, "&Contents...", "F1"},
    {I::mnuHelpAbout, "mnuHelpAbout", M::Help, "&About..."},
    {I::mnuHelpQuickStart, "mnuHelpQuickStart", M::Help, "&Quick Start Guide..."},
    {I::mnuHelpFAQ, "mnuHelpFAQ", M::Help, "&Frequently Asked Questions..."},
    {I::mnuHelpUpdate, "mnuHelpUpdate", M::Help, "Software &Updates..."},
    {I::mnuHelpSupport, "mnuHelpSupport", M::Help, "&Support..."},
}};

constexpr bool inEnumOrder() {
    for (std::size_t index = 0; index < Items.size(); ++index) {
        if (std::size_t(Items[index].item) != index)
            return false;
    }
    return true;
}
static_assert(inEnumOrder(), "the menu table is indexed by MenuItem");

} // namespace

const std::array<MenuItemEntry, MenuItemCount> &MenuItems() {
    return Items;
}

const MenuItemEntry &EntryOf(MenuItem item) {
    return Items[std::size_t(item)];
}

QString MenuTitle(Menu menu) {
    static constexpr std::array<const char *, 4> Titles{"&File", "&Options", "Report Op&tions",
                                                        "&Help"};
    return QLatin1String(Titles[std::size_t(menu)]);
}

MenuState::MenuState() {
    // Tick marks at design time: every page of the Stretch report is on.
    for (const MenuItemEntry &entry : Items)
        m_items[std::size_t(entry.item)].checked = entry.settingsKey != nullptr;
}

void MenuState::hideWithSeparator(MenuItem item) {
    MenuItemState &state = (*this)[item];
    state.visible = false;
    state.separatorVisible = false;
}

std::optional<Calculator> NewItemCalculator(MenuItem item) {
    static constexpr std::array<std::pair<MenuItem, Calculator>, CalculatorCount> NewItems{{
        {I::mnuFileNew, Calculator::Rmd},
        {I::mnuFileNewRBD, Calculator::Rmbd},
        {I::mnuFileNewEqual, Calculator::Sepp},
        {I::mnuFileNewStretch, Calculator::Stretch},
    }};
    for (const auto &[newItem, calculator] : NewItems) {
        if (newItem == item)
            return calculator;
    }
    return std::nullopt;
}

bool SaveEnabled(bool saved) {
    return !saved;
}

ReportPages ReportPagesOf(const MenuState &menus) {
    return {menus[MenuItem::mnuReportCover].checked, menus[MenuItem::mnuReportWenmark].checked,
            menus[MenuItem::mnuReportTaxes].checked, menus[MenuItem::mnuReportLedger].checked,
            menus[MenuItem::mnuReportGraph].checked};
}

bool SpreadsheetExportEnabled(Calculator calculator) {
    return calculator == Calculator::Sepp || calculator == Calculator::Stretch;
}

OptionsEnabling OptionsMenuEnabling(int recordCount, bool removableDisk) {
    const bool records = recordCount >= 1;
    return {records, records && removableDisk, removableDisk};
}
