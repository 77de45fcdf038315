#include "mainwindow.h"

#include "aboutwindow.h"
#include "compaction.h"
#include "datalocations.h"
#include "fatalguard.h"
#include "helpwindow.h"
#include "programfiles.h"
#include "representativemodel.h"
#include "representativerecord.h"
#include "shellcontext.h"
#include "shellrules.h"
#include "shelltexts.h"
#include "slottable.h"
#include "windowcaption.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>

namespace {

// The input frame of the calculator tabs, in twips: the window is at least four frames wide.
constexpr int InputFrameWidth = 2040;
constexpr int InputFrameLeft = 120;
// The graph timer settles a burst of resizes into one drawing.
constexpr int GraphDelayMs = 100;

constexpr std::array<const char *, 4> MenuNames{"mnuFile", "mnuOptions", "mnuReport", "mnuHelp"};
constexpr std::array<const char *, TabCount> TabNames{
    "tabPlanholder", "tabBeneficiary", "tabSepp", "tabStretch", "tabReport", "tabGraph"};

void tell(Prompter &prompter, const Notice &notice, MessageIcon icon) {
    prompter.notice(notice.caption, notice.text, icon);
}

// A flag that stays set while a scope runs, also when it is left by an exception.
class Busy {
public:
    explicit Busy(bool &flag) : m_flag(flag) { m_flag = true; }
    ~Busy() { m_flag = false; }
    Busy(const Busy &) = delete;
    Busy &operator=(const Busy &) = delete;

private:
    bool &m_flag;
};

} // namespace

MainWindow::MainWindow(ShellContext &context, Prompter &messages, FatalHandler &fatal,
                       StartupChoice choice, QUrl supportLink,
                       std::optional<Calculator> startCalculator, QWidget *parent)
    : QMainWindow(parent), m_context(context), m_fatal(fatal), m_choice(std::move(choice)),
      m_menus(m_choice.menus), m_supportLink(std::move(supportLink)) {
    setObjectName(QStringLiteral("frmMain"));
    createTabs();
    m_prompter = std::make_unique<FieldFocusPrompter>(
        messages, m_tabs,
        [this](Calculator calculator) { return tabPage(CalculatorTab(calculator)); },
        [](int) -> QWidget * { return nullptr; },
        [this] {
            return m_hooks.savedIllustrationsVisible && m_hooks.savedIllustrationsVisible();
        });
    m_illustration = std::make_unique<Illustration>(*m_prompter);
    createMenus();

    m_graphTimer.setSingleShot(true);
    m_graphTimer.setInterval(GraphDelayMs);
    connect(&m_graphTimer, &QTimer::timeout, this, Guarded(m_fatal, "tmrGraph_Timer", [this] {
        if (currentTab() == Tab::Graph)
            emit graphTimerElapsed();
    }));
    connect(m_illustration.get(), &Illustration::savedChanged, this,
            Guarded(m_fatal, "Illustration_Changed", [this] { updateFileMenu(); }));

    load(startCalculator);
}

MainWindow::~MainWindow() = default;

void MainWindow::createTabs() {
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabMain"));
    m_tabs->setAccessibleName(QStringLiteral("Illustration"));
    for (int index = 0; index < TabCount; ++index) {
        auto *page = new QWidget(m_tabs);
        page->setObjectName(QLatin1String(TabNames[std::size_t(index)]));
        page->setAccessibleName(AccessibleName(TabCaption(Tab(index))));
        page->hide();
        m_pages[std::size_t(index)] = page;
    }
    // A click or a mnemonic on the tab strip first ends the edit of the focused field.
    m_tabs->tabBar()->installEventFilter(this);
    connect(m_tabs, &QTabWidget::currentChanged, this, Guarded(m_fatal, "tabMain_Click", [this] {
                const std::optional<Tab> tab = currentTab();
                if (!tab)
                    return;
                if (*tab == Tab::Graph)
                    m_graphTimer.start();
                emit tabShown(*tab);
            }));
    setCentralWidget(m_tabs);
}

void MainWindow::setTabPage(Tab tab, QWidget *page) {
    QWidget *old = tabPage(tab);
    page->setParent(m_tabs);
    page->setObjectName(old->objectName());
    page->setAccessibleName(old->accessibleName());
    page->hide();
    const int index = m_tabs->indexOf(old);
    if (index >= 0) {
        const QSignalBlocker blocker(m_tabs);
        const bool enabled = m_tabs->isTabEnabled(index);
        const bool current = m_tabs->currentIndex() == index;
        m_tabs->removeTab(index);
        m_tabs->insertTab(index, page, TabCaption(tab));
        m_tabs->setTabEnabled(index, enabled);
        if (current)
            m_tabs->setCurrentIndex(index);
    }
    m_pages[std::size_t(tab)] = page;
    delete old;
}

std::optional<Tab> MainWindow::currentTab() const {
    for (int index = 0; index < TabCount; ++index) {
        if (m_pages[std::size_t(index)] == m_tabs->currentWidget())
            return Tab(index);
    }
    return std::nullopt;
}

void MainWindow::showTab(Tab tab) {
    if (m_tabs->indexOf(tabPage(tab)) >= 0)
        m_tabs->setCurrentWidget(tabPage(tab));
}

// Hidden tabs leave the strip, so neither the keyboard nor an accessibility client meets them.
void MainWindow::arrangeTabs(const std::array<TabState, TabCount> &tabs) {
    int position = 0;
    for (int index = 0; index < TabCount; ++index) {
        QWidget *page = m_pages[std::size_t(index)];
        const TabState &state = tabs[std::size_t(index)];
        const int at = m_tabs->indexOf(page);
        if (!state.visible) {
            if (at >= 0)
                m_tabs->removeTab(at);
            continue;
        }
        if (at < 0)
            m_tabs->insertTab(position, page, TabCaption(Tab(index)));
        m_tabs->setTabEnabled(position, state.enabled);
        ++position;
    }
}

void MainWindow::createMenus() {
    for (std::size_t menu = 0; menu < m_menuBar.size(); ++menu) {
        m_menuBar[menu] = menuBar()->addMenu(MenuTitle(Menu(menu)));
        m_menuBar[menu]->setObjectName(QLatin1String(MenuNames[menu]));
    }
    for (const MenuItemEntry &entry : MenuItems()) {
        QMenu *menu = m_menuBar[std::size_t(entry.menu)];
        const auto index = std::size_t(entry.item);
        if (entry.separatorBefore)
            m_separators[index] = menu->addSeparator();
        QAction *action = menu->addAction(QLatin1String(entry.caption));
        action->setObjectName(QLatin1String(entry.name));
        QList<QKeySequence> keys;
        for (const char *key : {entry.shortcut, entry.secondShortcut}) {
            if (key)
                keys.append(QKeySequence(QLatin1String(key)));
        }
        action->setShortcuts(keys);
        action->setCheckable(entry.settingsKey != nullptr);
        const MenuItem item = entry.item;
        // Queued: the menu has closed when the item's work starts, and whoever triggered it (a
        // click, a key, an accessibility client's action) gets its answer before a box opens.
        connect(action, &QAction::triggered, this,
                Guarded(m_fatal, entry.name, [this, item] { run(item); }), Qt::QueuedConnection);
        m_actions[index] = action;
    }
    connect(m_menuBar[std::size_t(Menu::File)], &QMenu::aboutToShow, this,
            Guarded(m_fatal, "mnuFile_Click", [this] { updateFileMenu(); }));
    connect(m_menuBar[std::size_t(Menu::Options)], &QMenu::aboutToShow, this,
            Guarded(m_fatal, "mnuOptions_Click", [this] { updateOptionsMenu(); }));
}

void MainWindow::updateActions() {
    for (const MenuItemEntry &entry : MenuItems()) {
        const auto index = std::size_t(entry.item);
        const MenuItemState &state = m_menus[entry.item];
        m_actions[index]->setVisible(state.visible);
        m_actions[index]->setEnabled(state.enabled);
        m_actions[index]->setChecked(state.checked);
        if (m_separators[index])
            m_separators[index]->setVisible(state.separatorVisible);
    }
}

void MainWindow::updateFileMenu() {
    m_menus[MenuItem::mnuFileSave].enabled = SaveEnabled(m_illustration->isSaved());
    m_menus[MenuItem::mnuFileExportCSV].enabled =
        SpreadsheetExportEnabled(m_illustration->calculator());
    updateActions();
}

void MainWindow::updateOptionsMenu() {
    const QString removable = m_context.removableMediaFolder();
    const OptionsEnabling enabling = OptionsMenuEnabling(
        m_context.database().records().count(), DriveExists(QStringLiteral("A"), removable));
    m_menus[MenuItem::mnuOptionsCompact].enabled = enabling.compact;
    m_menus[MenuItem::mnuOptionsBackup].enabled = enabling.backup;
    m_menus[MenuItem::mnuOptionsRestore].enabled = enabling.restore;
    updateActions();
}

QSize MainWindow::minimumTwips() const {
    return MinimumWindowSize(InputFrameWidth, InputFrameLeft);
}

QSize MainWindow::screenTwips() const {
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize pixels = shown ? shown->geometry().size() : QSize(1024, 768);
    return {ToTwips(pixels.width()), ToTwips(pixels.height())};
}

void MainWindow::load(std::optional<Calculator> startCalculator) {
    Prompter &prompter = *m_prompter;
    const auto step = [&prompter](const std::function<void()> &work) {
        RunShowingErrors(prompter, ShellText::LoadError, work);
    };
    const IllustrationDatabase database = m_context.database();

    step([this] {
        const QSize minimum = minimumTwips();
        setMinimumSize(ToPixels(minimum.width()), ToPixels(minimum.height()));
    });
    step([this, &database] {
        if (const Status error = MoveOldDatabase(m_context.programFolder, database,
                                                 m_context.clock->now(), *m_prompter))
            throw FatalError(QStringLiteral("Form_Load"), error->number, error->description);
        ReportInterruptedCompaction(database, *m_prompter, m_context.clock->now());
    });
    step([this] {
        // Read from the program's settings file when it has one, else from the user's.
        const QString file = m_context.settingsFile();
        const bool fromFile = QFileInfo(file).isFile();
        const QSettings programSettings(file, QSettings::IniFormat);
        m_placement = PlacementAtLoad(
            [&](const char *key, const QString &fallback) {
                return fromFile
                           ? programSettings
                                 .value(QStringLiteral("Program/") + QLatin1String(key), fallback)
                                 .toString()
                           : m_context.userSettings->text(key, fallback);
            },
            screenTwips());
        resize(ToPixels(m_placement.width), ToPixels(m_placement.height));
        move(ToPixels(m_placement.left), ToPixels(m_placement.top));
    });
    step([this] {
        const QDir folder(m_context.dataFolder);
        const Result<RepresentativeDetails> details = LoadRepresentative(
            folder.filePath(QLatin1String(RepresentativeRecord::FileName)),
            DistributorSettingsFiles(m_context.dataFolder, m_context.programFolder));
        if (!details.ok())
            throw FatalError(QStringLiteral("Form_Load"), details.error->number,
                             details.error->description);
        m_calculation.representative = details.value;
    });
    step([this] {
        m_lists = RecordLists::window(SiblingProgramInstalled(m_context.programFolder));
    });
    step([this] {
        RefreshPlanNotes(*m_illustration);
        applyTabViews();
    });
    // A switch names the calculator, and its start-up option's whole caption is the title until
    // the next TabViews shortens it.
    step([this, startCalculator] {
        if (!startCalculator)
            return;
        m_choice.selected = *startCalculator;
        m_illustration->setCalculator(*startCalculator);
        setWindowTitle(CalculatorOptionCaption(*startCalculator));
    });
    updateFileMenu();
    updateOptionsMenu();
}

void MainWindow::showPlaced() {
    switch (m_placement.state) {
    case WindowState::Minimized:
        showMinimized();
        break;
    case WindowState::Maximized:
        showMaximized();
        break;
    case WindowState::Normal:
        show();
        break;
    }
}

Placement MainWindow::placement() const {
    Placement now;
    now.top = ToTwips(pos().y());
    now.left = ToTwips(pos().x());
    now.width = ToTwips(width());
    now.height = ToTwips(height());
    if (isMinimized())
        now.state = WindowState::Minimized;
    else if (isMaximized())
        now.state = WindowState::Maximized;
    return now;
}

void MainWindow::storePlacement() {
    const std::array<QString, 5> texts =
        PlacementToStore(placement(), screenTwips(), minimumTwips());
    for (std::size_t index = 0; index < texts.size(); ++index)
        m_context.userSettings->setText(PlacementKeys()[index].key, texts[index]);
    saveSettings();
}

void MainWindow::saveSettings() {
    if (!m_context.userSettings->sync())
        m_prompter->notice(QString(),
                           QStringLiteral("The settings could not be written to %1.")
                               .arg(QDir::toNativeSeparators(m_context.userSettings->location())),
                           MessageIcon::Exclamation);
}

void MainWindow::applyTabViews() {
    RunShowingErrors(*m_prompter, ShellText::TabViewsError, [this] {
        const Calculator calculator = m_choice.selected;
        m_illustration->setCalculator(calculator);
        const TabView view = TabViews(calculator, m_context.system.outdated());
        setWindowTitle(view.title);
        const std::optional<Tab> before = currentTab();
        {
            const QSignalBlocker blocker(m_tabs);
            arrangeTabs(view.tabs);
        }
        if (view.outdatedNotice)
            tell(*m_prompter, ShellText::OutdatedSystem(), MessageIcon::Information);
        const SettingsStore &settings = *m_context.userSettings;
        const ReportPageSettings pages{settings.flag(SettingsKey::ReportCover, true),
                                       settings.flag(SettingsKey::ReportWenmark, true),
                                       settings.flag(SettingsKey::ReportLedger, true),
                                       settings.flag(SettingsKey::ReportGraph, true)};
        ApplyToMenus(view, pages, m_menus);
        m_menuBar[std::size_t(Menu::ReportOptions)]->menuAction()->setVisible(
            view.reportMenuVisible);
        updateActions();
        RefreshPlanNotes(*m_illustration);
        {
            const QSignalBlocker blocker(m_tabs);
            showTab(view.current);
        }
        // The strip was arranged silently; a tab that became current is announced.
        if (const std::optional<Tab> now = currentTab(); now && now != before)
            emit tabShown(*now);
    });
}

void MainWindow::run(MenuItem item) {
    m_calculation.today = m_context.clock->today();
    switch (item) {
    case MenuItem::mnuFilePrint:
        emit printRequested();
        break;
    case MenuItem::mnuFileExportPDF:
        emit exportPdfRequested();
        break;
    case MenuItem::mnuFileExportCSV:
        exportSpreadsheet();
        break;
    case MenuItem::mnuFileYearEnd:
        yearEndReports();
        break;
    case MenuItem::mnuFileNew:
    case MenuItem::mnuFileNewRBD:
    case MenuItem::mnuFileNewEqual:
    case MenuItem::mnuFileNewStretch:
        newIllustration(*NewItemCalculator(item));
        break;
    case MenuItem::mnuFileLoad:
        openIllustration();
        break;
    case MenuItem::mnuFileSave:
        saveFromMenu();
        break;
    case MenuItem::mnuFileExit:
        exitProgram();
        break;
    case MenuItem::mnuOptionsAdvisor:
        representativeFromMenu();
        break;
    case MenuItem::mnuOptionsCompact:
    case MenuItem::mnuOptionsBackup:
    case MenuItem::mnuOptionsRestore:
    case MenuItem::mnuOptionsInternetBackup:
    case MenuItem::mnuOptionsInternetRestore:
        runMaintenance(item);
        break;
    case MenuItem::mnuDebugMode:
        m_calculation.detailedMode = !m_calculation.detailedMode;
        tell(*m_prompter, ShellText::DetailedMode(m_calculation.detailedMode),
             MessageIcon::Information);
        break;
    case MenuItem::mnuReportCover:
    case MenuItem::mnuReportWenmark:
    case MenuItem::mnuReportTaxes:
    case MenuItem::mnuReportLedger:
    case MenuItem::mnuReportGraph:
        toggleReportPage(item);
        break;
    case MenuItem::mnuHelpAbout: {
        AboutWindow about(*m_prompter, m_fatal, m_context.startProgram, this);
        about.exec();
        break;
    }
    case MenuItem::mnuHelpSupport:
        if (m_context.openUrl)
            m_context.openUrl(m_supportLink);
        break;
    case MenuItem::mnuHelpContents:
    case MenuItem::mnuHelpQuickStart:
    case MenuItem::mnuHelpFAQ:
        showHelp(item);
        break;
    case MenuItem::mnuHelpUpdate:
        // No action of their own.
        break;
    }
}

void MainWindow::showHelp(MenuItem item) {
    if (!m_help) {
        const QString folder = m_context.helpFolder;
        if (folder.isEmpty()) {
            tell(*m_prompter, ShellText::HelpMissing(), MessageIcon::Exclamation);
            return;
        }
        m_help = new HelpWindow(folder, this);
    }
    m_help->showPage(HelpPageOf(item));
}

void MainWindow::toggleReportPage(MenuItem item) {
    const bool checked = m_actions[std::size_t(item)]->isChecked();
    m_menus[item].checked = checked;
    m_context.userSettings->setFlag(EntryOf(item).settingsKey, checked);
    saveSettings();
    if (currentTab() == Tab::Report)
        emit reportRebuildRequested();
}

void MainWindow::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || m_activationQueued ||
        m_activating)
        return;
    // Run after the activation has been delivered, once for each real activation.
    m_activationQueued = true;
    QTimer::singleShot(0, this, Guarded(m_fatal, "Form_Activate", [this] {
                           m_activationQueued = false;
                           activate();
                       }));
}

void MainWindow::activate() {
    if (m_activating || m_ended)
        return;
    const Busy busy(m_activating);
    m_calculation.today = m_context.clock->today();
    if (m_hooks.representativeWindow && RepresentativeMissing(m_calculation.representative.first)) {
        const RepresentativeWindowResult result =
            m_hooks.representativeWindow(m_calculation.representative);
        m_calculation.representative = result.details;
        if (result.incomplete) {
            tell(*m_prompter, ShellText::IncompleteRepresentative(), MessageIcon::Stop);
            m_endStatus = 1;
            close();
            return;
        }
        // Closed by the title bar without the details: asked again at the next activation.
        if (RepresentativeMissing(m_calculation.representative.first))
            return;
    }
    const bool dataWindowVisible =
        m_hooks.savedIllustrationsVisible && m_hooks.savedIllustrationsVisible();
    if (IllustrationOnScreen(m_illustration->fields().GetField(SlotTable::RecordNumberTag)) ||
        dataWindowVisible)
        return;
    if (m_hooks.savedIllustrationsWindow) {
        m_hooks.savedIllustrationsWindow();
        return;
    }
    // Without the saved-illustrations window a new illustration is what it would offer first.
    startNewIllustration();
}

void MainWindow::closeEvent(QCloseEvent *event) {
    bool leave = true;
    RunGuarded(m_fatal, QStringLiteral("Form_Unload"), [this, &leave] {
        if (m_ended)
            return;
        m_calculation.today = m_context.clock->today();
        leave = offerToSave();
        if (leave)
            storePlacement();
    });
    if (!leave) {
        // The user stays at the field or with the message; the program goes on.
        event->ignore();
        m_endStatus = 0;
        return;
    }
    event->accept();
    endProgram(m_endStatus);
}

void MainWindow::endProgram(int status) {
    if (m_ended)
        return;
    m_ended = true;
    emit ended(status);
}

void MainWindow::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    // A failure here changes nothing the user relies on, so it is let go.
    try {
        if (!isMinimized() && width() >= minimumWidth() && height() >= minimumHeight())
            m_graphTimer.start();
    } catch (...) {
    }
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_tabs->tabBar() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Shortcut)) {
        QWidget *focused = QApplication::focusWidget();
        if (focused && focused != m_tabs->tabBar() && m_tabs->isAncestorOf(focused))
            m_tabs->tabBar()->setFocus(Qt::MouseFocusReason);
    }
    return QMainWindow::eventFilter(watched, event);
}
