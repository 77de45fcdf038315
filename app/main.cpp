// rmdcalc: the Retirement Distribution Planner's window.

#include "fatalguard.h"
#include "shell.h"
#include "shellcontext.h"
#include "windowprompter.h"

#include <QApplication>
#include <cstring>

namespace {

// Whether the command line asks only for the usage or the version, which a terminal without a
// display must get too.
bool asksForText(int argc, char *argv[]) {
    for (int index = 1; index < argc; ++index) {
        for (const char *option : {"-h", "--help", "--help-all", "-?", "-v", "--version"}) {
            if (std::strcmp(argv[index], option) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[]) {
    if (asksForText(argc, argv)) {
        const QCoreApplication application(argc, argv);
        ProcessCommandLine(application); // prints and ends
    }
    QApplication application(argc, argv);
    // The program ends when the main window says so, with the status it gives.
    application.setQuitOnLastWindowClosed(false);
    SetApplicationIdentity();
    ProcessCommandLine(application);

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
