#pragma once

// frmMain, the main window: the illustration on screen, one input tab per calculator, the Report
// and Graph tabs, and the File, Options, Report Options and Help menus. The tabs' contents, the
// report and graph, and the storage windows plug into the frame through setTabPage, the signals
// and the window hooks; every rule the frame follows is a plain function of app/.

#include "calculation.h"
#include "illustration.h"
#include "illustrationrecord.h"
#include "menus.h"
#include "representativewindow.h"
#include "startup.h"
#include "tabviews.h"
#include "windowplacement.h"
#include "windowprompter.h"

#include <QMainWindow>
#include <QTimer>
#include <QUrl>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class FatalHandler;
class HelpWindow;
class QTabWidget;
struct ShellContext;

// The windows other parts of the program open from the frame.
struct WindowHooks {
    // The representative window, modal; returns the details it leaves behind and whether
    // Cancel left them incomplete.
    std::function<RepresentativeWindowResult(const RepresentativeDetails &)> representativeWindow;
    // The saved-illustrations window, modal, and whether it is on screen.
    std::function<void()> savedIllustrationsWindow;
    std::function<bool()> savedIllustrationsVisible;
};

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // `messages` shows the boxes (message boxes, or a recorder in tests). `startCalculator` is
    // the command line's switch.
    MainWindow(ShellContext &context, Prompter &messages, FatalHandler &fatal, StartupChoice choice,
               QUrl supportLink, std::optional<Calculator> startCalculator,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    Illustration &illustration() { return *m_illustration; }
    CalcContext &calculation() { return m_calculation; }
    const RecordLists &lists() const { return m_lists; }
    const MenuState &menuState() const { return m_menus; }
    QAction *action(MenuItem item) const { return m_actions[std::size_t(item)]; }
    // The tab strip holds the tabs shown, in tab order; the others' pages wait outside it.
    QTabWidget *tabs() const { return m_tabs; }
    // The page of a tab: a placeholder until the tab's own page takes its place.
    QWidget *tabPage(Tab tab) const { return m_pages[std::size_t(tab)]; }
    void setTabPage(Tab tab, QWidget *page);
    std::optional<Tab> currentTab() const;
    // Makes a shown tab the current one.
    void showTab(Tab tab);
    // Finds the widget bound to an input slot, for field errors.
    void setFieldLocator(std::function<QWidget *(int slot)> locator) {
        m_prompter->setFieldLocator(std::move(locator));
    }
    void setHooks(WindowHooks hooks) { m_hooks = std::move(hooks); }

    // Shows the window in the placement read at load, its state last.
    void showPlaced();

    // TabViews: the tabs, title and menus of the selected calculator.
    void applyTabViews();

    // The window's placement now, in twips.
    Placement placement() const;

    // Open of the saved-illustrations window read a record into the illustration: its
    // calculator's tabs and menus, the saved flag set.
    void showLoadedIllustration();
    // A new illustration for the current calculator, without the offer to save.
    void startNewIllustration();

signals:
    // A tab became the current one (after the focused field's edit ended).
    void tabShown(Tab tab);
    // The one-shot graph timer elapsed while the Graph tab is current.
    void graphTimerElapsed();
    // File, Print; File, Export PDF; a page switch while the Report tab is current.
    void printRequested();
    void exportPdfRequested();
    void reportRebuildRequested();
    // The program ends with this status.
    void ended(int status);

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void load(std::optional<Calculator> startCalculator);
    void createTabs();
    void arrangeTabs(const std::array<TabState, TabCount> &tabs);
    void createMenus();
    void updateActions();
    void updateFileMenu();
    void updateOptionsMenu();
    void run(MenuItem item);
    void activate();
    // The File and Options menus' storage flows (fileflows.cpp).
    void newIllustration(Calculator calculator);
    void openIllustration();
    void exitProgram(); // asks first
    void saveFromMenu();
    void representativeFromMenu();
    void runMaintenance(MenuItem item); // compaction, backup, restore
    // Export to Spreadsheet and Year-End Reports (yearendreports.cpp).
    void exportSpreadsheet();
    void yearEndReports();
    // The offer to save before New, Open and the end; false keeps the illustration on screen.
    bool offerToSave();
    void toggleReportPage(MenuItem item);
    // Help, Contents, Quick Start Guide and Frequently Asked Questions: the help window.
    void showHelp(MenuItem item);
    void storePlacement();
    void saveSettings(); // says so when the user's settings cannot be written
    void endProgram(int status);
    QSize minimumTwips() const;
    QSize screenTwips() const;

    ShellContext &m_context;
    FatalHandler &m_fatal;
    std::unique_ptr<FieldFocusPrompter> m_prompter;
    std::unique_ptr<Illustration> m_illustration;
    CalcContext m_calculation;
    StartupChoice m_choice;
    MenuState m_menus;
    QUrl m_supportLink;
    RecordLists m_lists;
    WindowHooks m_hooks;
    Placement m_placement;

    QTabWidget *m_tabs = nullptr;
    std::array<QWidget *, TabCount> m_pages{};
    std::array<QAction *, MenuItemCount> m_actions{};
    std::array<QAction *, MenuItemCount> m_separators{};
    std::array<QMenu *, 4> m_menuBar{};
    QTimer m_graphTimer;
    HelpWindow *m_help = nullptr; // made when first asked for
    bool m_activationQueued = false;
    bool m_activating = false;
    bool m_ended = false;
    int m_endStatus = 0;
};
