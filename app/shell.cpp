#include "shell.h"

#include "calculatortabs.h"
#include "fatalguard.h"
#include "graphtab.h"
#include "installation.h"
#include "mainwindow.h"
#include "pagefooter.h"
#include "reporttab.h"
#include "shellcontext.h"
#include "splashwindow.h"
#include "storagewindows.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

// Q_INIT_RESOURCE has to be expanded at global namespace scope; app is a static library.
static void initialiseIcon() {
    Q_INIT_RESOURCE(rmdcalc);
}

namespace {

void setNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("Brantex"));
    QCoreApplication::setApplicationName(Installation::ProgramName());
    const ProgramVersion version = CurrentVersion();
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
}

} // namespace

void ProcessCommandLine(const QCoreApplication &application) {
    setNames();
    QCommandLineParser parser;
    parser.setApplicationDescription(Installation::FileDescription());
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("/N"),
        QStringLiteral("Opens the main window on calculator N without the start-up window: "
                       "/0 RMD, /1 RMBD, /2 SEPP, /3 Stretch."),
        QStringLiteral("[/0|/1|/2|/3]"));
    parser.process(application);
}

void SetApplicationIdentity() {
    initialiseIcon();
    setNames();
    QGuiApplication::setApplicationDisplayName(Installation::FileDescription());
    QGuiApplication::setDesktopFileName(Installation::ProgramName());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/rmdcalc/rmdcalc.xpm")));
}

Shell::Shell(ShellContext &context, Prompter &messages, FatalHandler &fatal)
    : m_context(context), m_messages(messages), m_fatal(fatal) {}

Shell::~Shell() = default;

bool Shell::start() {
    m_load = LoadStartup(m_context.archive, m_context.workFolder, m_context.programFolder,
                         m_context.system, m_messages);
    if (m_load.ended)
        return false;
    m_switch = CalculatorSwitch(m_context.commandLine);
    if (m_switch) {
        // The switch carries out "&Ok" at once: the start-up window is never shown.
        openMainWindow(*m_switch);
        return true;
    }
    m_splash = std::make_unique<SplashWindow>(m_load.picture, m_load.choice);
    connect(m_splash.get(), &QDialog::accepted, this,
            Guarded(m_fatal, "cmdOK_Click", [this] { openMainWindow(m_splash->selected()); }));
    connect(m_splash.get(), &QDialog::rejected, this,
            Guarded(m_fatal, "cmdCancel_Click", [this] { emit ended(0); }));
    m_splash->show();
    return true;
}

void Shell::openMainWindow(Calculator calculator) {
    if (m_splash)
        m_splash->hide();
    m_load.choice.selected = calculator;
    m_main = std::make_unique<MainWindow>(m_context, m_messages, m_fatal, m_load.choice,
                                          m_load.supportLink, m_switch);
    InstallCalculatorTabs(*m_main, m_context, m_fatal);
    // Each page takes its tab, which owns it.
    new ReportTab(*m_main, m_context, m_fatal);
    new GraphTab(*m_main, m_context, m_fatal);
    if (!m_load.iconFile.isEmpty())
        m_main->setWindowIcon(QIcon(m_load.iconFile));
    connect(m_main.get(), &MainWindow::ended, this, &Shell::ended);
    m_main->setHooks(StorageWindowHooks(*m_main, m_context, m_fatal));
    m_main->showPlaced();
    RemoveReloadProgram(m_context.programFolder);
}
