// Times the Report and Graph tabs in a running window: for each calculator's sample the Report
// tab shown (the rebuild and the first page painted on screen), and for the Stretch sample a
// graph redraw after one scroll-bar step (the step, the coalesced redraw and the chart painted).
// Prints the median of the runs against the targets. Run by bench/window.sh; not a test.
//
//   windowbench SUPPORT_ARCHIVE SAMPLES_FOLDER [RUNS]
//   windowbench SUPPORT_ARCHIVE SAMPLES_FOLDER --show SAMPLE
// The second form leaves the window open on the sample ("rmd", "rmbd", "sepp", "stretch") for a
// look on a display; File, Export PDF then writes into $HOME/Data/PDF.

#include "fatalguard.h"
#include "graphtab.h"
#include "graphview.h"
#include "illustrationjson.h"
#include "mainwindow.h"
#include "recordingprompter.h"
#include "reporttab.h"
#include "shell.h"
#include "shellcontext.h"
#include "windowprompter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

[[noreturn]] void fail(const QString &message) {
    std::fprintf(stderr, "windowbench: %s\n", qPrintable(message));
    std::exit(1);
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1").arg(path));
    return file.readAll();
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double timed(const std::function<void()> &work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

struct Sample {
    const char *name;
    int calculator;
    double targetMs;
};

class Bench {
public:
    // `show`: message boxes on screen and the user's own home for the PDF folder.
    Bench(const QString &archive, const QString &samples, bool show)
        : m_samples(samples), m_show(show) {
        const QDir root(m_folder.path());
        root.mkdir(QStringLiteral("work"));
        root.mkdir(QStringLiteral("data"));
        m_context.programFolder = m_folder.path();
        m_context.workFolder = root.filePath(QStringLiteral("work"));
        m_context.dataFolder = root.filePath(QStringLiteral("data"));
        m_context.home = show ? QDir::homePath() : m_folder.path();
        m_context.archive = SupportArchive(archive);
        m_context.userSettings = std::make_unique<SettingsStore>(
            SettingsStore::inIniFile(root.filePath(QStringLiteral("user.ini")), "bench"));
        m_context.clock = &m_clock;
    }

    MainWindow &open(const Sample &sample) {
        m_context.commandLine = QStringLiteral("/%1").arg(sample.calculator);
        m_shell = m_show ? std::make_unique<Shell>(m_context, m_boxes, m_fatal)
                         : std::make_unique<Shell>(m_context, m_messages, m_fatal);
        if (!m_shell->start())
            fail(QStringLiteral("the start-up failed"));
        MainWindow &window = *m_shell->mainWindow();
        if (!QTest::qWaitForWindowExposed(&window))
            fail(QStringLiteral("the window was not shown"));
        window.calculation().representative =
            ReadRepresentativeJson(readFile(QDir(m_samples).filePath(QStringLiteral("rep.json"))));
        ReadIllustrationJson(readFile(QDir(m_samples).filePath(QLatin1String(sample.name) +
                                                               QStringLiteral(".json"))),
                             window.illustration(), m_clock.today());
        // A record number, as an opened illustration has: an activation keeps it on screen.
        window.illustration().fields().SetField(QStringLiteral("1"),
                                                QStringLiteral("3-DatabaseIndex"));
        return window;
    }

    // The Report tab selected from the calculator's tab, rebuilt and its first page painted.
    double showReport(MainWindow &window, const Sample &sample) {
        {
            const QSignalBlocker quiet(window.tabs());
            window.showTab(CalculatorTab(Calculator(sample.calculator)));
        }
        QCoreApplication::processEvents();
        auto *page = qobject_cast<ReportTab *>(window.tabPage(Tab::Report));
        auto *preview = page->findChild<QPrintPreviewWidget *>();
        const double ms = timed([&] {
            window.showTab(Tab::Report);
            QCoreApplication::processEvents(); // the tab's rebuild
            preview->repaint();
        });
        if (page->pagesShown() < 1 || !m_messages.fieldErrors().isEmpty())
            fail(QStringLiteral("the %1 report was not built").arg(QLatin1String(sample.name)));
        return ms;
    }

    int reportPages(MainWindow &window) {
        return qobject_cast<ReportTab *>(window.tabPage(Tab::Report))->pagesShown();
    }

    RecordingPrompter m_messages;

private:
    QString m_samples;
    bool m_show;
    MessageBoxPrompter m_boxes;
    QTemporaryDir m_folder;
    FixedClock m_clock{QDate(2025, 12, 6)};
    EndingFatalHandler m_fatal{m_messages, [](int) { fail(QStringLiteral("a fatal error")); }};
    ShellContext m_context;
    std::unique_ptr<Shell> m_shell;
};

} // namespace

int main(int argc, char *argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc < 3) {
        std::fprintf(stderr, "usage: windowbench SUPPORT_ARCHIVE SAMPLES_FOLDER [RUNS]\n");
        return 1;
    }
    QApplication application(argc, argv);
    SetApplicationIdentity();
    const QString archive = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const bool show = argc > 4 && qstrcmp(argv[3], "--show") == 0;
    Bench bench(archive, QString::fromLocal8Bit(argv[2]), show);
    const Sample samples[] = {
        {"rmd", 0, 60}, {"rmbd", 1, 60}, {"sepp", 2, 60}, {"stretch", 3, 120}};
    if (show) {
        for (const Sample &sample : samples) {
            if (qstrcmp(argv[4], sample.name) == 0) {
                bench.open(sample);
                return application.exec();
            }
        }
        fail(QStringLiteral("no sample %1").arg(QLatin1String(argv[4])));
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 11;

    std::printf("Report tab shown, rebuilt and first page painted (%s), median of %d runs:\n",
                qPrintable(QGuiApplication::platformName()), runs);
    std::printf("%-8s %6s %10s %10s\n", "sample", "pages", "median ms", "target ms");
    bool allMet = true;
    for (const Sample &sample : samples) {
        MainWindow &window = bench.open(sample);
        bench.showReport(window, sample); // fonts and the archive's pictures into the caches
        std::vector<double> times;
        for (int run = 0; run < runs; ++run)
            times.push_back(bench.showReport(window, sample));
        const double ms = median(times);
        allMet = allMet && ms < sample.targetMs;
        std::printf("%-8s %6d %10.1f %10.0f\n", sample.name, bench.reportPages(window), ms,
                    sample.targetMs);
    }

    MainWindow &window = bench.open(samples[3]);
    window.showTab(Tab::Graph);
    auto *page = qobject_cast<GraphTab *>(window.tabPage(Tab::Graph));
    if (!page->redraw())
        fail(QStringLiteral("the graph was not drawn"));
    auto *scroll = page->findChild<QScrollBar *>(QStringLiteral("hScrollGraph"));
    std::vector<double> steps;
    for (int run = 0; run < std::max(runs, 30); ++run) {
        const auto action = run % 20 < 10 ? QAbstractSlider::SliderSingleStepSub
                                          : QAbstractSlider::SliderSingleStepAdd;
        steps.push_back(timed([&] {
            scroll->triggerAction(action);
            QCoreApplication::processEvents(); // the coalesced redraw
            page->view()->repaint();
        }));
    }
    const double stepMs = median(steps);
    allMet = allMet && stepMs < 16;
    std::printf("graph redraw on a scroll step: median %.1f ms of %zu steps (target 16 ms)\n",
                stepMs, steps.size());
    std::printf(allMet ? "every target met\n" : "a target was missed\n");
    return 0;
}
