// rmdcalc: the Retirement Distribution Planner's window.

#include "fatalguard.h"
#include "shell.h"
#include "shellcontext.h"
#include "windowprompter.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    // The program ends when the main window says so, with the status it gives.
    application.setQuitOnLastWindowClosed(false);
    SetApplicationIdentity();

    SystemClock clock;
    MessageBoxPrompter messages;
    EndingFatalHandler fatal(messages, [](int status) { QCoreApplication::exit(status); });
    std::optional<ShellContext> context;
    std::optional<Shell> shell;
    bool started = false;
    RunGuarded(fatal, QStringLiteral("Main"), [&] {
        // Qt has taken its own options (-platform and the like) out of the arguments.
        context.emplace(
            ShellContext::fromSystem(clock, CommandLineText(QCoreApplication::arguments())));
        shell.emplace(*context, messages, fatal);
        QObject::connect(&*shell, &Shell::ended, &application,
                         [](int status) { QCoreApplication::exit(status); });
        started = shell->start();
    });
    if (!started || fatal.ended())
        return 1;
    return application.exec();
}
