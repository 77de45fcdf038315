// Times the desktop program from process start to its main window shown and idle, with a sample
// illustration open: each run is a fresh process (this program again, with --child) that starts
// the shell as rmdcalc does, opens the Stretch sample from its database as the
// saved-illustrations window would, and says "ready" once the window is exposed and its event
// queue has run dry. The parent prints the median of the runs. Run by bench/startup.sh; not a
// test.
//
//   startupbench SUPPORT_ARCHIVE SAMPLES_FOLDER [RUNS]     (11 runs after one untimed)

#include "fatalguard.h"
#include "illustrationjson.h"
#include "illustrationstore.h"
#include "mainwindow.h"
#include "recordingprompter.h"
#include "shell.h"
#include "shellcontext.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

[[noreturn]] void fail(const QString &message) {
    std::fprintf(stderr, "startupbench: %s\n", qPrintable(message));
    std::exit(1);
}

// A data folder whose database holds the Stretch sample as record 1.
void prepareData(const QString &samples, const QString &dataFolder) {
    QFile file(QDir(samples).filePath(QStringLiteral("stretch.json")));
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1").arg(file.fileName()));
    RecordingPrompter prompter;
    Illustration illustration(prompter);
    ReadIllustrationJson(file.readAll(), illustration, QDate(2025, 12, 6));
    illustration.setSaved(false);
    const WriteOutcome written = WriteIllustration(IllustrationDatabase(dataFolder), illustration);
    if (!written.ok())
        fail(written.error->description);
}

// Says "ready" once the window has been exposed and the events queued until then have run.
class ReadyWhenIdle : public QObject {
public:
    explicit ReadyWhenIdle(QWindow *window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed() &&
            !m_seen) {
            m_seen = true;
            // Two turns of the queue: the activation the exposure queues runs in between.
            QTimer::singleShot(0, [] {
                QTimer::singleShot(0, [] {
                    std::printf("ready\n");
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

int child(int argc, char *argv[], const QString &archive, const QString &folder) {
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    SetApplicationIdentity();
    SystemClock clock;
    RecordingPrompter messages;
    EndingFatalHandler fatal(messages, [](int status) { QCoreApplication::exit(status); });

    const QDir root(folder);
    ShellContext context;
    context.programFolder = folder;
    context.workFolder = root.filePath(QStringLiteral("work"));
    context.dataFolder = root.filePath(QStringLiteral("data"));
    context.home = folder;
    context.archive = SupportArchive(archive);
    context.userSettings = std::make_unique<SettingsStore>(
        SettingsStore::inIniFile(root.filePath(QStringLiteral("user.ini")), "bench"));
    context.clock = &clock;
    context.commandLine = QStringLiteral("/3");

    Shell shell(context, messages, fatal);
    if (!shell.start())
        fail(QStringLiteral("the start-up failed"));
    MainWindow &window = *shell.mainWindow();
    // What the saved-illustrations window's Open does with the record chosen.
    if (OpenRecord(context.database(), 1, window.illustration(), window.lists()))
        fail(QStringLiteral("cannot open the sample"));
    window.applyTabViews();
    window.winId();
    ReadyWhenIdle ready(window.windowHandle());
    const int status = application.exec();
    if (!messages.messages().isEmpty() || !messages.questions().isEmpty())
        fail(QStringLiteral("a message box would have stopped the start: ") +
             (messages.messages().isEmpty() ? messages.questions().constFirst().text
                                            : messages.messages().constFirst().text));
    return status;
}

double runOnce(const QString &self, const QStringList &arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(self, arguments);
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(30000))
            fail(QStringLiteral("the child did not get ready"));
    }
    const double elapsed = double(timer.nsecsElapsed()) / 1e6;
    process.waitForFinished();
    return elapsed;
}

} // namespace

int main(int argc, char *argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 4 && qstrcmp(argv[1], "--child") == 0)
        return child(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc < 3) {
        std::fprintf(stderr, "usage: startupbench SUPPORT_ARCHIVE SAMPLES_FOLDER [RUNS]\n");
        return 1;
    }
    QCoreApplication application(argc, argv);
    const QString archive = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 11;
    QTemporaryDir folder;
    const QDir root(folder.path());
    root.mkdir(QStringLiteral("work"));
    root.mkdir(QStringLiteral("data"));
    prepareData(QString::fromLocal8Bit(argv[2]), root.filePath(QStringLiteral("data")));

    const QString self = QCoreApplication::applicationFilePath();
    const QStringList arguments{QStringLiteral("--child"), archive, folder.path()};
    runOnce(self, arguments); // fonts and libraries into the cache
    std::vector<double> times;
    for (int run = 0; run < runs; ++run)
        times.push_back(runOnce(self, arguments));
    std::sort(times.begin(), times.end());
    std::printf("startup to main window shown and idle (%s), %d runs: median %.1f ms "
                "(fastest %.1f, slowest %.1f); target under 400 ms\n",
                qPrintable(QString::fromLocal8Bit(qgetenv("QT_QPA_PLATFORM")).isEmpty()
                               ? QStringLiteral("xcb")
                               : QString::fromLocal8Bit(qgetenv("QT_QPA_PLATFORM"))),
                runs, times[times.size() / 2], times.front(), times.back());
    return 0;
}
