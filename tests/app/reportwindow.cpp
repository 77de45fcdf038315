#include "reportwindow.h"

#include "illustrationjson.h"

#include <QApplication>
#include <QDir>
#include <QTest>

namespace {

QByteArray sampleFile(const QString &name) {
    return ReadWholeFile(QDir(QStringLiteral(SAMPLES_DIR)).filePath(name));
}

} // namespace

void ReportWindowTest::SetUp() {
    WindowTest::SetUp();
    context.archive = SupportArchive(QStringLiteral(SUPPORT_ARCHIVE));
}

MainWindow &ReportWindowTest::open(const char *sample) {
    const QByteArray json = sampleFile(QLatin1String(sample) + QStringLiteral(".json"));
    RecordingPrompter scratch;
    Illustration probe(scratch);
    ReadIllustrationJson(json, probe, clock.today());
    shell = startActive(
        QByteArray("/" + QByteArray::number(CalculatorNumber(probe.calculator()))).constData());
    MainWindow &window = *shell->mainWindow();
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
