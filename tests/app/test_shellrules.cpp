#include "fatalguard.h"
#include "menus.h"
#include "shellrules.h"
#include "shelltexts.h"
#include "startup.h"
#include "tabviews.h"
#include "testsupport.h"
#include "windowplacement.h"

#include <QMap>

namespace {

using I = MenuItem;

// The items a choice hides, by name, in menu order.
QString hiddenItems(const MenuState &menus) {
    QStringList names;
    for (const MenuItemEntry &entry : MenuItems()) {
        if (!menus[entry.item].visible)
            names << QLatin1String(entry.name);
    }
    return names.join(QLatin1Char(' '));
}

QString visibleOptions(const StartupChoice &choice) {
    QString shown;
    for (int number = 0; number < CalculatorCount; ++number)
        shown += choice.options[std::size_t(number)].visible ? QChar(u'0' + number) : QChar(u'-');
    return shown;
}

TEST(StartupRulesTest, FeatureListActsLineByLine) {
    const struct {
        const char *name;
        const char *lines;   // separated by '|'
        const char *options; // shown options
        Calculator selected;
        const char *hidden; // besides Help, Software Updates, which every start hides
    } cases[] = {
        {"empty list", "", "0123", Calculator::Rmd, ""},
        {"RMD, then RMBD: option 2", "RMD|RMBD", "--23", Calculator::Sepp,
         "mnuFileNew mnuFileNewRBD "},
        {"RMBD first: a hidden option keeps the selection it got", "RMBD|RMD", "--23",
         Calculator::Rmbd, "mnuFileNew mnuFileNewRBD "},
        {"blanks around a keyword, other lines ignored", "  Equal |equal|Stretch IRA|# Stretch",
         "01-3", Calculator::Rmd, "mnuFileNewEqual "},
        {"the last option is never moved off", "RMD|RMBD|Equal|Stretch", "----",
         Calculator::Stretch, "mnuFileNew mnuFileNewRBD mnuFileNewEqual mnuFileNewStretch "},
        {"menu features", "PDF|InternetBackup|FloppyBackup|InternetUpdate", "0123", Calculator::Rmd,
         "mnuFileExportPDF mnuFileYearEnd mnuOptionsBackup mnuOptionsRestore "
         "mnuOptionsInternetBackup mnuOptionsInternetRestore "},
    };
    for (const auto &c : cases) {
        StartupChoice choice;
        ApplyFeatureList(choice, QString::fromLatin1(c.lines).split('|', Qt::SkipEmptyParts));
        EXPECT_EQ(visibleOptions(choice), QLatin1String(c.options)) << c.name;
        EXPECT_EQ(choice.selected, c.selected) << c.name;
        EXPECT_EQ(hiddenItems(choice.menus), QLatin1String(c.hidden) + "mnuHelpUpdate") << c.name;
    }
    // A feature's separator goes with its items (Export PDF's is the window's test); the New
    // items keep theirs.
    StartupChoice choice;
    ApplyFeatureList(choice, {"FloppyBackup", "RMD"});
    EXPECT_FALSE(choice.menus[I::mnuOptionsBackup].separatorVisible);
    EXPECT_TRUE(choice.menus[I::mnuOptionsInternetBackup].separatorVisible);
    EXPECT_TRUE(choice.menus[I::mnuFileNew].separatorVisible);
}

TEST(StartupRulesTest, OutdatedSystemDisablesStretchWhileItIsOffered) {
    StartupChoice choice;
    ApplyOutdatedSystem(choice, {5, 0});
    ApplyOutdatedSystem(choice, {4, 10});
    EXPECT_EQ(choice, StartupChoice{});

    ApplyOutdatedSystem(choice, {4, 0});
    EXPECT_EQ(choice.options[3],
              (CalculatorOption{true, false, QStringLiteral("Requires Windows 98 or Higher")}));

    StartupChoice hidden;
    ApplyFeatureList(hidden, {"Stretch"});
    ApplyOutdatedSystem(hidden, {4, 0});
    EXPECT_TRUE(hidden.options[3].enabled);
}

TEST(StartupRulesTest, SwitchesAreTheWholeCommandLineTrimmed) {
    const struct {
        QStringList arguments;
        std::optional<Calculator> chosen;
    } cases[] = {
        {{"rmdcalc"}, std::nullopt},
        {{"rmdcalc", "/0"}, Calculator::Rmd},
        {{"rmdcalc", "  /2 "}, Calculator::Sepp},
        {{"rmdcalc", "/3"}, Calculator::Stretch},
        {{"rmdcalc", "/4"}, std::nullopt},
        {{"rmdcalc", "/1", "/2"}, std::nullopt},
        {{"rmdcalc", "/2x"}, std::nullopt},
        {{"rmdcalc", "-2"}, std::nullopt},
        {{"rmdcalc", "2"}, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CalculatorSwitch(CommandLineText(c.arguments)), c.chosen)
            << c.arguments.join(QLatin1Char(' ')).toStdString();
}

// The Planholder and Stretch views on a current system are the window's switch test.
TEST(TabViewsTest, EachCalculatorShowsItsTabAndReport) {
    const struct {
        Calculator calculator;
        bool outdated;
        const char *visible; // tabs P B E S R G
        const char *enabled;
        Tab current;
        const char *title;
    } cases[] = {
        {Calculator::Rmbd, false, "-B--R-", "PBESRG", Tab::Beneficiary, "RMBD Calculator"},
        {Calculator::Sepp, false, "--E-R-", "PBESRG", Tab::Sepp,
         "Substantially Equal Periodic Payments"},
        {Calculator::Stretch, true, "---SR-", "PBE--G", Tab::Stretch, "Stretch IRA Concept"},
        {Calculator::Sepp, true, "--E-R-", "PBESRG", Tab::Sepp,
         "Substantially Equal Periodic Payments"},
    };
    const QString letters = QStringLiteral("PBESRG");
    for (const auto &c : cases) {
        const TabView view = TabViews(c.calculator, c.outdated);
        QString visible, enabled;
        for (int index = 0; index < TabCount; ++index) {
            visible += view.tabs[std::size_t(index)].visible ? letters[index] : QChar(u'-');
            enabled += view.tabs[std::size_t(index)].enabled ? letters[index] : QChar(u'-');
        }
        const std::string name = c.title + std::string(c.outdated ? ", outdated" : "");
        EXPECT_EQ(visible, QLatin1String(c.visible)) << name;
        EXPECT_EQ(enabled, QLatin1String(c.enabled)) << name;
        EXPECT_EQ(view.current, c.current) << name;
        EXPECT_EQ(view.title, QLatin1String(c.title)) << name;
        const bool stretch = c.calculator == Calculator::Stretch;
        EXPECT_EQ(view.reportMenuVisible, stretch) << name;
        EXPECT_EQ(view.outdatedNotice, stretch && c.outdated) << name;
        EXPECT_EQ(view.graphReportItemVisible, !(stretch && c.outdated)) << name;
    }
}

TEST(TabViewsTest, ReportTicksComeFromTheSettingsButTaxesKeepsItsOwn) {
    MenuState menus;
    menus[I::mnuReportTaxes].checked = false;
    ApplyToMenus(TabViews(Calculator::Stretch, false), {false, true, false, true}, menus);
    EXPECT_FALSE(menus[I::mnuReportCover].checked);
    EXPECT_TRUE(menus[I::mnuReportWenmark].checked);
    EXPECT_FALSE(menus[I::mnuReportTaxes].checked);
    EXPECT_FALSE(menus[I::mnuReportLedger].checked);
    EXPECT_TRUE(menus[I::mnuReportGraph].checked);
    // Other calculators hide the menu and leave its ticks alone.
    ApplyToMenus(TabViews(Calculator::Rmd, false), {true, true, true, true}, menus);
    EXPECT_FALSE(menus[I::mnuReportCover].checked);
    EXPECT_TRUE(MenuState()[I::mnuReportTaxes].checked) << "ticked at design time";
}

TEST(WindowPlacementTest, ReadPlacementStaysOnTheScreen) {
    const QSize screen(19200, 15360); // 1280 x 1024 pixels
    const struct {
        const char *name;
        const char *stored; // key=text pairs
        Placement placed;
    } cases[] = {
        {"nothing stored: the defaults", "", {1, 1, 8370, 8775, WindowState::Normal}},
        {"as stored",
         "Top=300 Left=450 Width=9000 Height=9600 WindowState=2",
         {300, 450, 9000, 9600, WindowState::Maximized}},
        {"a top beyond the screen: the bottom edge meets the screen's",
         "Top=20000 Left=19200",
         {15360 - 8775, 19200 - 8370, 8370, 8775, WindowState::Normal}},
        {"below 1", "Top=-500 Left=0", {1, 1, 8370, 8775, WindowState::Normal}},
        {"larger than the screen",
         "Width=19200 Height=40000",
         {1, 1, 19100, 15160, WindowState::Normal}},
        {"texts that are no numbers",
         "Top=high WindowState=7",
         {1, 1, 8370, 8775, WindowState::Normal}},
    };
    for (const auto &c : cases) {
        QMap<QString, QString> stored;
        for (const QString &pair : QString::fromLatin1(c.stored).split(' ', Qt::SkipEmptyParts))
            stored.insert(pair.section('=', 0, 0), pair.section('=', 1));
        const Placement placed = PlacementAtLoad(
            [&stored](const char *key, const QString &fallback) {
                return stored.value(QLatin1String(key), fallback);
            },
            screen);
        EXPECT_EQ(placed, c.placed) << c.name;
    }
}

TEST(WindowPlacementTest, StoredPlacementIsOnTheScreenAndAtLeastTheMinimum) {
    const QSize screen(19200, 15360);
    const QSize minimum = MinimumWindowSize(2040, 120);
    EXPECT_EQ(minimum, QSize(8280, 9000));
    const struct {
        Placement placement;
        std::array<QString, 5> texts;
    } cases[] = {
        {{300, 450, 9000, 9600, WindowState::Normal}, {"300", "450", "9000", "9600", "0"}},
        {{-60, -60, 19320, 15000, WindowState::Maximized}, {"1", "1", "19320", "15000", "2"}},
        {{10000, 12000, 8000, 8000, WindowState::Normal}, {"1", "1", "8280", "9000", "0"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PlacementToStore(c.placement, screen, minimum), c.texts)
            << c.placement.top << "," << c.placement.left;
}

TEST(MenuRulesTest, MnemonicsOfMenusAndTabsDoNotCollide) {
    QString keys;
    const auto mnemonic = [](const QString &caption) {
        return caption.at(caption.indexOf(QLatin1Char('&')) + 1).toUpper();
    };
    for (const Menu menu : {Menu::File, Menu::Options, Menu::ReportOptions, Menu::Help})
        keys += mnemonic(MenuTitle(menu));
    for (int tab = 0; tab < TabCount; ++tab)
        keys += mnemonic(TabCaption(Tab(tab)));
    EXPECT_EQ(keys, QStringLiteral("FOTHPBESRG"));
}

TEST(ShellRulesTest, SmallRules) {
    EXPECT_EQ(AccessibleName(QStringLiteral("&Web Lookup *")), QStringLiteral("Web Lookup"));
    EXPECT_EQ(AccessibleName(QStringLiteral("S&EPP")), QStringLiteral("SEPP"));
    EXPECT_TRUE(RepresentativeMissing(QStringLiteral("   ")));
    EXPECT_FALSE(RepresentativeMissing(QStringLiteral(" Pat")));
    EXPECT_FALSE(IllustrationOnScreen(QString()));
    EXPECT_FALSE(IllustrationOnScreen(QStringLiteral("0")));
    EXPECT_TRUE(IllustrationOnScreen(QStringLiteral("12")));
    // The first of the known monitors that is installed.
    const QStringList present{"plasma-systemmonitor", "ksysguard"};
    EXPECT_EQ(SystemMonitor([&present](const QString &program) {
                  return present.contains(program) ? "/usr/bin/" + program : QString();
              }),
              QStringLiteral("/usr/bin/ksysguard"));
    EXPECT_EQ(SystemMonitor([](const QString &) { return QString(); }), QString());
}

TEST(FatalGuardTest, AFailureIsShownOnceAndEndsTheProgram) {
    RecordingPrompter prompter;
    QList<int> statuses;
    EndingFatalHandler handler(prompter, [&statuses](int status) { statuses << status; });
    RunGuarded(handler, QStringLiteral("mnuFileSave_Click"),
               [] { throw std::runtime_error("disk gone"); });
    RunGuarded(handler, QStringLiteral("tmrGraph_Timer"),
               [] { throw FatalError(QStringLiteral("CalcTax"), 13, QStringLiteral("late")); });
    EXPECT_EQ(statuses, QList<int>{1});
    ASSERT_EQ(prompter.messages().size(), 1) << "the program ended with the first";
    EXPECT_EQ(prompter.messages()[0].caption, QStringLiteral("Fatal Error in mnuFileSave_Click"));
    EXPECT_EQ(prompter.messages()[0].text,
              QStringLiteral("An error, type 5,\r\n\"disk gone\"\r\nhas just occured in routine: "
                             "mnuFileSave_Click\r\n\r\nPress OK to exit."));
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Stop);

    // A failure whose own message was shown only ends the program.
    RecordingPrompter quiet;
    EndingFatalHandler shown(quiet, [&statuses](int status) { statuses << status; });
    RunGuarded(shown, QStringLiteral("Graph Routine"), [] {
        throw FatalError(QStringLiteral("Graph Routine"), 75, QStringLiteral("x")).markShown();
    });
    EXPECT_TRUE(quiet.messages().isEmpty());
    EXPECT_EQ(statuses, (QList<int>{1, 1}));
}

TEST(FatalGuardTest, LoadAndTabViewsErrorsAreShownAndTheWorkGoesOn) {
    RecordingPrompter prompter;
    bool after = false;
    RunShowingErrors(prompter, ShellText::LoadError, [] {
        throw FatalError(QStringLiteral("Form_Load"), 53, QStringLiteral("no such file"));
    });
    RunShowingErrors(prompter, ShellText::TabViewsError,
                     [] { throw std::runtime_error("bad tab"); });
    RunShowingErrors(prompter, ShellText::LoadError, [&after] { after = true; });
    EXPECT_TRUE(after);
    ASSERT_EQ(prompter.messages().size(), 2);
    EXPECT_EQ(prompter.messages()[0].caption, QStringLiteral("Error in frmMain Form_Load"));
    EXPECT_EQ(prompter.messages()[0].text, QStringLiteral("Error Number: 53\r\nno such file"));
    EXPECT_EQ(prompter.messages()[1].caption, QStringLiteral("Critical Error in TabViews"));
    EXPECT_EQ(prompter.messages()[1].text, QStringLiteral("Error Type 5\r\nbad tab"));
}

} // namespace
