// rmdbatch: the planner's calculators without windows, for batch work, scripts and tests.
// Output is JSON on stdout; errors are one line on stderr. Exit codes: 0 success, 1 bad usage
// or input file, 2 validation failed, 3 I/O failure.

#include "batchcommand.h"
#include "batcherror.h"
#include "batchoptions.h"
#include "calccommand.h"
#include "dbcommand.h"
#include "democommand.h"
#include "fatalerror.h"
#include "loadcommand.h"
#include "mergecommand.h"
#include "repcommand.h"
#include "reportcommand.h"
#include "savecommand.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <array>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

struct Command {
    const char *name;
    int (*run)(const QStringList &arguments);
    const char *usage;       // after "rmdbatch ", for the subcommand's --help
    bool drawsPages = false; // fonts, pictures and charts need a QApplication
};

const std::array<Command, 9> Commands{{
    {"calc", RunCalc, "calc --input ILL.json [options]"},
    {"merge", RunMerge, "merge --input ILL.json [options]"},
    {"report", RunReport, "report --input ILL.json --pdf OUT.pdf [options]", true},
    {"demo", RunDemo, "demo --out DIR [options]", true},
    {"batch", RunBatch, "batch --out OUTDIR [--data-folder DIR | --inputs DIR] [options]", true},
    {"save", RunSave, "save --input ILL.json [options]"},
    {"load", RunLoad, "load N [options]"},
    {"db", RunDb,
     "db list | copy N | delete N | undelete | compact --yes | backup --to DIR |\n"
     "                   restore --from DIR  [options]"},
    {"rep", RunRep, "rep show | set --input REP.json  [options]"},
}};

const char *const Usage =
    "usage: rmdbatch calc --input ILL.json [--today MM/DD/YYYY] [--rep REP.json] [--pages P]\n"
    "                     [--compare-rules] [--csv FILE]\n"
    "       rmdbatch merge --input ILL.json [--today] [--rep] [--pages P]\n"
    "                      [--support-archive PATH]\n"
    "       rmdbatch report --input ILL.json --pdf OUT.pdf [--today] [--rep] [--pages P]\n"
    "                       [--support-archive PATH]\n"
    "       rmdbatch demo --out DIR [--today] [--support-archive PATH]\n"
    "       rmdbatch batch --out OUTDIR [--data-folder DIR | --inputs DIR] [--year YYYY]\n"
    "                      [--calculators 0,1,2,3] [--rules 2002|current] [--jobs N]\n"
    "                      [--summary FILE.csv] [--today] [--rep] [--pages P]\n"
    "       rmdbatch save --input ILL.json | load N\n"
    "       rmdbatch db list | copy N | delete N | undelete | compact --yes | backup --to DIR |\n"
    "                   restore --from DIR\n"
    "       rmdbatch rep show | set --input REP.json\n"
    "       rmdbatch --help | --version | COMMAND --help\n"
    "  (save, load, db and rep take [--data-folder DIR] [--today MM/DD/YYYY])";

int printUsage(const QString &text) {
    std::printf("%s\n", text.toLocal8Bit().constData());
    return int(ExitCode::Ok);
}

int fail(ExitCode code, const QString &message) {
    std::fprintf(stderr, "rmdbatch: %s\n", message.toLocal8Bit().constData());
    return int(code);
}

bool drawsPages(int argc, char *argv[]) {
    if (argc < 2)
        return false;
    for (const Command &command : Commands) {
        if (qstrcmp(argv[1], command.name) == 0)
            return command.drawsPages;
    }
    return false;
}

// The page-drawing commands run without a display; the other commands need no GUI at all.
// `runtime` is the private runtime folder made when the session has none.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[],
                                                  std::optional<QTemporaryDir> &runtime) {
    if (!drawsPages(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY") &&
        !qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The GUI start-up asks for the runtime folder; without XDG_RUNTIME_DIR (a cron job, a
    // container) Qt warns and falls back to a shared name under /tmp. This run gets its own
    // folder instead, made private (0700) by QTemporaryDir and removed at the end.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        runtime.emplace(QDir::tempPath() + QStringLiteral("/rmdbatch-runtime-XXXXXX"));
        if (runtime->isValid())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
    }
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[]) {
#ifdef SIGXFSZ
    // A file-size limit then fails the write that meets it, which every writer handles without
    // tearing a file or leaving its lock, instead of killing the program half-way.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::optional<QTemporaryDir> runtime;
    const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv, runtime);
    QCoreApplication::setApplicationName(QStringLiteral("rmdbatch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(RMD_VERSION));
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2)
        return fail(ExitCode::BadInput, QLatin1String(Usage));

    const QString name = arguments.at(1);
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help"))
        return printUsage(QLatin1String(Usage));
    if (arguments.size() == 2 && name == QLatin1String("--version"))
        return printUsage(QStringLiteral("rmdbatch ") + QCoreApplication::applicationVersion());
    for (const Command &command : Commands) {
        if (name != QLatin1String(command.name))
            continue;
        try {
            // The subcommand's parser sees "rmdbatch calc ..." and skips the first word.
            return command.run(arguments.mid(1));
        } catch (const HelpRequested &help) {
            return printUsage(QStringLiteral("usage: rmdbatch ") + QLatin1String(command.usage) +
                              QStringLiteral("\noptions:\n") + help.options);
        } catch (const BatchError &error) {
            return fail(error.code(), QString::fromStdString(error.what()));
        } catch (const FatalError &error) {
            return fail(ExitCode::BadInput,
                        error.caption() + QStringLiteral(": ") + error.description());
        } catch (const std::exception &error) {
            return fail(ExitCode::BadInput, QStringLiteral("unexpected error: ") +
                                                QString::fromLocal8Bit(error.what()));
        }
    }
    return fail(ExitCode::BadInput,
                QStringLiteral("unknown command \"%1\"; %2").arg(name, QLatin1String(Usage)));
}
