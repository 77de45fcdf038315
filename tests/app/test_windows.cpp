// The shell's windows, off screen: only what the widgets themselves can get wrong. The rules they
// apply are tested as plain functions in test_shellrules.

#include "helpwindow.h"
#include "pagefooter.h"
#include "ruleset.h"
#include "splashwindow.h"
#include "windowtest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

namespace {

TEST_F(WindowTest, SwitchesOpenTheMainWindowOnTheirCalculator) {
    // The switch's option caption is the title until TabViews next shortens it. Which tabs each
    // calculator shows is the tab views' own test; here that the window applies them.
    const struct {
        const char *switchText;
        QStringList tabs;
        const char *title;
        bool reportOptions;
    } cases[] = {
        {"/0",
         {"&Planholder", "&Report"},
         "Planholder Required Minimum Distribution Calculator",
         false},
        {"/3", {"&Stretch Concept", "&Report", "&Graph"}, "Stretch IRA Concept", true},
    };
    for (const auto &c : cases) {
        const auto shell = start(c.switchText);
        EXPECT_EQ(shell->splashWindow(), nullptr) << c.switchText;
        MainWindow *window = shell->mainWindow();
        ASSERT_TRUE(window) << c.switchText;
        EXPECT_EQ(visibleTabs(*window), c.tabs) << c.switchText;
        EXPECT_EQ(window->currentTab(), CalculatorTab(window->illustration().calculator()))
            << c.switchText;
        EXPECT_EQ(window->windowTitle(), QLatin1String(c.title)) << c.switchText;
        const auto *reportMenu = window->findChild<QMenu *>(QStringLiteral("mnuReport"));
        EXPECT_EQ(reportMenu->menuAction()->isVisible(), c.reportOptions) << c.switchText;
    }
    const auto shell = start("/0");
    shell->mainWindow()->applyTabViews();
    EXPECT_EQ(shell->mainWindow()->windowTitle(), QStringLiteral("Planholder RMD Calculator"));
}

// Through the saved-illustrations window's New, as a representative starts one.
TEST_F(WindowTest, NewIllustrationsTakeTheUsersRuleSet) {
    for (const RuleSet rules : {RuleSet::Regulations2002, RuleSet::CurrentLaw}) {
        context.userSettings->setNewIllustrationRules(rules);
        const auto shell = startActive("/0");
        const Illustration &illustration = shell->mainWindow()->illustration();
        EXPECT_EQ(illustration.controls().cmboRuleSet, RuleSetCaption(rules));
        EXPECT_TRUE(illustration.isSaved()) << "a new illustration is unedited";
    }
    // A rule set chosen on a tab is the one the next new illustration takes.
    const auto shell = startActive("/0");
    auto *list = shell->mainWindow()->findChild<QComboBox *>(QStringLiteral("cmboRuleSet"));
    list->setCurrentText(RuleSetCaption(RuleSet::Regulations2002));
    emit list->activated(list->currentIndex());
    EXPECT_EQ(context.userSettings->newIllustrationRules(), RuleSet::Regulations2002);
}

TEST_F(WindowTest, StartupWindowChoosesAndShrinksForHiddenOptions) {
    auto shell = start("");
    SplashWindow *splash = shell->splashWindow();
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(shell->mainWindow(), nullptr);
    const int fullHeight = splash->sizeHint().height();
    splash->findChild<QRadioButton *>(QStringLiteral("optIllustrationType3"))->click();
    const auto buttons = splash->findChildren<QPushButton *>();
    const auto ok = std::find_if(buttons.begin(), buttons.end(), [](QPushButton *button) {
        return button->text() == QLatin1String("&Ok");
    });
    ASSERT_NE(ok, buttons.end());
    (*ok)->click();
    EXPECT_FALSE(splash->isVisible());
    ASSERT_TRUE(shell->mainWindow());
    EXPECT_EQ(shell->mainWindow()->windowTitle(), QStringLiteral("Stretch IRA Concept"));

    // Two options hidden: two rows of 300 twips fewer, and the selection moved on.
    writeArchive("RMD\nRMBD\n");
    shell = start("");
    splash = shell->splashWindow();
    EXPECT_EQ(fullHeight - splash->sizeHint().height(), 2 * 300 / 15);
    EXPECT_EQ(splash->selected(), Calculator::Sepp);

    QSignalSpy ended(shell.get(), &Shell::ended);
    splash->reject();
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(ended[0][0].toInt(), 0);
    EXPECT_EQ(shell->mainWindow(), nullptr);
}

// Which items a feature list or an old system hides is the startup rules' test; here that the
// window's actions and separators follow them.
TEST_F(WindowTest, MenuItemsHiddenAndDisabled) {
    writeArchive("PDF\nEqual\n");
    context.system = {4, 0};
    const auto shell = start("/0");
    MainWindow &window = *shell->mainWindow();
    const auto visible = [&window](MenuItem item) { return window.action(item)->isVisible(); };
    const auto enabled = [&window](MenuItem item) { return window.action(item)->isEnabled(); };
    EXPECT_FALSE(visible(MenuItem::mnuFileExportPDF));
    EXPECT_TRUE(visible(MenuItem::mnuFileNewStretch));
    EXPECT_FALSE(enabled(MenuItem::mnuFileNewStretch)) << "an outdated system";
    // The separator before Export PDF went with it; the one before the New items stayed.
    const QList<QAction *> file = window.findChild<QMenu *>(QStringLiteral("mnuFile"))->actions();
    EXPECT_FALSE(file.at(file.indexOf(window.action(MenuItem::mnuFileExportPDF)) - 1)->isVisible());
    EXPECT_TRUE(file.at(file.indexOf(window.action(MenuItem::mnuFileNew)) - 1)->isVisible());

    // Save follows the saved flag as the model announces it.
    window.illustration().setSaved(true);
    EXPECT_FALSE(enabled(MenuItem::mnuFileSave));
    window.illustration().editField(2, QStringLiteral("Sample"));
    EXPECT_TRUE(enabled(MenuItem::mnuFileSave));
}

TEST_F(WindowTest, ExitAsksTheTitleBarDoesNotAndCtrlXInAFieldCuts) {
    const auto shell = startActive("/0");
    MainWindow *window = shell->mainWindow();
    QSignalSpy ended(window, &MainWindow::ended);

    auto *field = new QLineEdit(QStringLiteral("cut me"), window->tabPage(Tab::Planholder));
    field->show();
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(field->text(), QString()) << "Ctrl+X cuts in a text field";
    EXPECT_TRUE(prompter.questions().isEmpty());

    window->tabs()->setFocus();
    for (const int key : {int(Qt::Key_X), int(Qt::Key_Q)}) {
        prompter.queueAnswer(Answer::No);
        QTest::keyClick(window, Qt::Key(key), Qt::ControlModifier);
        QCoreApplication::processEvents();
        ASSERT_FALSE(prompter.questions().isEmpty());
        EXPECT_EQ(prompter.questions().constLast().caption, QStringLiteral("Software Exit"));
        EXPECT_EQ(prompter.questions().constLast().text,
                  QStringLiteral("Are you sure you want to exit?"));
    }
    EXPECT_EQ(prompter.questions().size(), 2);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(ended.isEmpty());

    // The title bar's close asks nothing but offers to save an unsaved illustration.
    window->illustration().editField(2, QStringLiteral("Sample"));
    prompter.clear();
    prompter.queueAnswer(Answer::No);
    window->close();
    EXPECT_EQ(prompter.questions().size(), 1);
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(ended[0][0].toInt(), 0);
}

TEST_F(WindowTest, TheWindowComesBackWhereItWasLeft) {
    auto shell = start("/0");
    MainWindow *window = shell->mainWindow();
    // A place inside the screen, at least the minimum size.
    const QPoint place(window->screen()->geometry().width() / 10, 0);
    const QSize size(window->minimumWidth() + 20, window->minimumHeight());
    window->move(place);
    window->resize(size);
    window->close(); // what it writes, a new run reads
    EXPECT_EQ(context.userSettings->text("WindowState"), QStringLiteral("0"));

    newUserSettings();
    shell = start("/0");
    EXPECT_EQ(shell->mainWindow()->pos(), place);
    EXPECT_EQ(shell->mainWindow()->size(), size);

    // A settings file beside the program wins over the user's settings when reading.
    QSettings file(context.settingsFile(), QSettings::IniFormat);
    file.setValue(QStringLiteral("Program/Left"), 1500);
    file.sync();
    shell = start("/0");
    EXPECT_EQ(shell->mainWindow()->x(), 100);
    EXPECT_EQ(shell->mainWindow()->width(),
              std::max(8370 / 15, shell->mainWindow()->minimumWidth()))
        << "the file's default";
}

// A field that notes when its edit ends.
class NotingField : public QLineEdit {
public:
    NotingField(QStringList &log, QWidget *parent) : QLineEdit(parent), m_log(log) {}

protected:
    void focusOutEvent(QFocusEvent *event) override {
        m_log << QStringLiteral("edit ended");
        QLineEdit::focusOutEvent(event);
    }

private:
    QStringList &m_log;
};

TEST_F(WindowTest, ClickingATabEndsTheFieldsEditBeforeTheTabsHandler) {
    const auto shell = startActive("/0");
    MainWindow *window = shell->mainWindow();
    QStringList log;
    auto *field = new NotingField(log, window->tabPage(Tab::Planholder));
    field->show();
    field->setFocus();
    QObject::connect(window, &MainWindow::tabShown,
                     [&log](Tab tab) { log << QStringLiteral("tab %1").arg(int(tab)); });
    QTabBar *bar = window->tabs()->tabBar();
    const int report = window->tabs()->indexOf(window->tabPage(Tab::Report));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(report).center());
    EXPECT_EQ(log, (QStringList{"edit ended", "tab 4"}));
}

TEST_F(WindowTest, MenuActionsAndAFailureAtAnEventBoundary) {
    const auto shell = startActive("/3");
    MainWindow &window = *shell->mainWindow();
    prompter.clear();
    choose(window, MenuItem::mnuDebugMode);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].text, QStringLiteral("Detailed Calculation Mode on."));
    EXPECT_TRUE(window.calculation().detailedMode);

    choose(window, MenuItem::mnuHelpSupport);
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("https://support.example"))});

    // A failure inside a handler goes to the fatal handler and no further.
    context.openUrl = [](const QUrl &) -> bool { throw std::runtime_error("no browser"); };
    choose(window, MenuItem::mnuHelpSupport);
    ASSERT_EQ(fatal.errors.size(), 1u);
    EXPECT_EQ(fatal.errors[0].caption(), QStringLiteral("Fatal Error in mnuHelpSupport"));
    EXPECT_EQ(fatal.errors[0].description(), QStringLiteral("no browser"));
}

TEST_F(WindowTest, AboutShowsTheVersion) {
    const auto shell = startActive("/0");
    QStringList texts;
    QString caption;
    modals.handler = [&](QDialog *about) {
        caption = about->windowTitle();
        for (const QLabel *label : about->findChildren<QLabel *>())
            texts << label->text();
        about->close();
    };
    choose(*shell->mainWindow(), MenuItem::mnuHelpAbout);
    EXPECT_EQ(caption, QStringLiteral("About Retirement Distribution Planner"));
    // The build's version, whatever the release.
    const ProgramVersion version = CurrentVersion();
    EXPECT_TRUE(texts.contains(QStringLiteral("Version %1.%2.%3")
                                   .arg(version.major)
                                   .arg(version.minor)
                                   .arg(version.revision)))
        << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Copyright (C) 2026 Brantex. All rights reserved.")));
}

TEST_F(WindowTest, F1OpensTheHelpAndSearchGoesOnToTheNextPageHoldingTheWord) {
    context.helpFolder = QStringLiteral(HELP_DIR);
    auto shell = startActive("/0");
    MainWindow *window = shell->mainWindow();
    window->tabs()->setFocus();
    QTest::keyClick(window, Qt::Key_F1);
    QCoreApplication::processEvents();
    auto *help = window->findChild<HelpWindow *>();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(QFileInfo(help->browser()->source().toLocalFile()).fileName(),
              QStringLiteral("index.html"));

    // Only the calculators' page names this method.
    help->searchField()->setText(QStringLiteral("annuitization method"));
    QTest::keyClick(help->searchField(), Qt::Key_Return);
    EXPECT_EQ(QFileInfo(help->browser()->source().toLocalFile()).fileName(),
              QStringLiteral("calculators.html"));
    EXPECT_EQ(help->browser()->textCursor().selectedText().toLower(),
              QStringLiteral("annuitization method"));
    ASSERT_TRUE(help->contents()->currentItem());
    EXPECT_EQ(help->contents()->currentItem()->text(0),
              QStringLiteral("The Calculators and Their Rules"));
    EXPECT_FALSE(help->findText(QStringLiteral("no page holds this")));

    // Without installed pages the menu item says so instead of opening an empty window.
    context.helpFolder.clear();
    shell = startActive("/0");
    prompter.clear();
    choose(*shell->mainWindow(), MenuItem::mnuHelpFAQ);
    EXPECT_FALSE(shell->mainWindow()->findChild<HelpWindow *>());
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(
        prompter.messages()[0].text.startsWith(QStringLiteral("The help pages are missing")));
}

} // namespace
