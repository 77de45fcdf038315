#include "reportwindow.h"

#include "illustrationjson.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QByteArray sampleFile(const QString &name) {
    QFile file(QDir(QStringLiteral(SAMPLES_DIR)).filePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

} // namespace

void ReportWindowTest::SetUp() {
    const QDir folder(dir.path());
    folder.mkdir(QStringLiteral("work"));
    folder.mkdir(QStringLiteral("data"));
    context.programFolder = dir.path();
    context.workFolder = folder.filePath(QStringLiteral("work"));
    context.dataFolder = folder.filePath(QStringLiteral("data"));
    context.home = dir.path();
    context.archive = SupportArchive(QStringLiteral(SUPPORT_ARCHIVE));
    context.clock = &clock;
    context.userSettings = std::make_unique<SettingsStore>(SettingsStore::inIniFile(
        folder.filePath(QStringLiteral("user.ini")), QStringLiteral("tester")));
}

MainWindow &ReportWindowTest::open(const char *sample) {
    const QByteArray json = sampleFile(QLatin1String(sample) + QStringLiteral(".json"));
    RecordingPrompter scratch;
    Illustration probe(scratch);
    ReadIllustrationJson(json, probe, clock.today());
    context.commandLine = QStringLiteral("/%1").arg(CalculatorNumber(probe.calculator()));
    shell = std::make_unique<Shell>(context, prompter, fatal);
    EXPECT_TRUE(shell->start());
    MainWindow &window = *shell->mainWindow();
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    settle();
    window.calculation().representative =
        ReadRepresentativeJson(sampleFile(QStringLiteral("rep.json")));
    window.calculation().detailedMode =
        ReadIllustrationJson(json, window.illustration(), clock.today()).detailedMode;
    prompter.clear();
    return window;
}

void ReportWindowTest::settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void ReportWindowTest::choose(MenuItem item) {
    shell->mainWindow()->action(item)->trigger();
    settle();
}
