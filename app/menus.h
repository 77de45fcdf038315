#pragma once

// The main window's menus as data: every item with its menu, caption, shortcut and the separator
// before it, the state each item is in (shown, usable, ticked), and the rules that change it.

#include "calculator.h"
#include "stretchreport.h"

#include <QString>
#include <array>
#include <optional>

enum class Menu { File, Options, ReportOptions, Help };

enum class MenuItem {
    mnuFilePrint,
    mnuFileExportPDF,
    mnuFileExportCSV,
    mnuFileYearEnd,
    mnuFileNew,
    mnuFileNewRBD,
    mnuFileNewEqual,
    mnuFileNewStretch,
    mnuFileLoad,
    mnuFileSave,
    mnuFileExit,
    mnuOptionsAdvisor,
    mnuOptionsCompact,
    mnuOptionsBackup,
    mnuOptionsRestore,
    mnuOptionsInternetBackup,
    mnuOptionsInternetRestore,
    mnuDebugMode,
    mnuReportCover,
    mnuReportWenmark,
    mnuReportTaxes,
    mnuReportLedger,
    mnuReportGraph,
    mnuHelpContents,
    mnuHelpAbout,
    mnuHelpQuickStart,
    mnuHelpFAQ,
    mnuHelpUpdate,
    mnuHelpSupport,
};

constexpr int MenuItemCount = 29;

struct MenuItemEntry {
    MenuItem item;
    const char *name;
    Menu menu;
    const char *caption;
    // Portable key texts ("Ctrl+P", "F2"); Ctrl is Command on macOS.
    const char *shortcut = nullptr;
    const char *secondShortcut = nullptr;
    bool separatorBefore = false;
    // Report page switches: the user setting that keeps the tick.
    const char *settingsKey = nullptr;
};

// Every item in menu order.
const std::array<MenuItemEntry, MenuItemCount> &MenuItems();
const MenuItemEntry &EntryOf(MenuItem item);

// "&File", "&Options", "Report Op&tions", "&Help".
QString MenuTitle(Menu menu);

struct MenuItemState {
    bool visible = true;
    bool enabled = true;
    bool separatorVisible = true; // the separator before the item, where it has one
    bool checked = false;
    bool operator==(const MenuItemState &) const = default;
};

class MenuState {
public:
    MenuState();
    MenuItemState &operator[](MenuItem item) { return m_items[std::size_t(item)]; }
    const MenuItemState &operator[](MenuItem item) const { return m_items[std::size_t(item)]; }
    // Hides the item, and the separator before it with it.
    void hideWithSeparator(MenuItem item);
    bool operator==(const MenuState &) const = default;

private:
    std::array<MenuItemState, MenuItemCount> m_items;
};

// The calculator of a File, New item; none for the other items.
std::optional<Calculator> NewItemCalculator(MenuItem item);

// File menu opening: Save only while the illustration has unsaved changes.
bool SaveEnabled(bool saved);
// The Stretch report pages the Report Options menu has ticked.
ReportPages ReportPagesOf(const MenuState &menus);

// Export to Spreadsheet: the calculators with a table to export (SEPP options, Stretch ledger).
bool SpreadsheetExportEnabled(Calculator calculator);

// Options menu opening: Backup and Compact need a record in the database, the floppy items a
// removable disk ("drive A:").
struct OptionsEnabling {
    bool compact = false;
    bool backup = false;
    bool restore = false;
};
OptionsEnabling OptionsMenuEnabling(int recordCount, bool removableDisk);
