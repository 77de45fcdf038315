// Times building each sample's report PDF inside one running process, as the desktop window
// builds it on every export: calculation, merged template, graph, document, PDF. The first
// build pays for loading fonts and tables; the median of the builds after it is what each
// further report costs. bench/report.sh prints these beside the whole-process figures.
//
//   reportbench SUPPORT_ARCHIVE SAMPLES_FOLDER [BUILDS]     (11 builds per sample)

#include "batcherror.h"
#include "batchpdf.h"
#include "illustrationjson.h"
#include "supportarchive.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QByteArray readFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "reportbench: cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    return file.readAll();
}

double milliseconds(const QElapsedTimer &timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: reportbench SUPPORT_ARCHIVE SAMPLES_FOLDER [BUILDS]\n");
        return 1;
    }
    const SupportArchive archive(QString::fromLocal8Bit(argv[1]));
    const QDir samples(QString::fromLocal8Bit(argv[2]));
    const int builds = argc > 3 ? std::max(2, std::atoi(argv[3])) : 11;
    const RepresentativeDetails representative =
        ReadRepresentativeJson(readFile(samples.filePath(QStringLiteral("rep.json"))));

    std::printf("%-8s %14s %14s\n", "sample", "first ms", "median ms");
    try {
        for (const char *sample : {"rmd", "rmbd", "sepp", "stretch"}) {
            ReportRequest request;
            request.illustration = readFile(samples.filePath(QLatin1String(sample) + ".json"));
            request.today = QDate(2025, 12, 6);
            request.representative = representative;
            std::vector<double> times;
            for (int build = 0; build < builds; ++build) {
                const QTemporaryDir work;
                QElapsedTimer timer;
                timer.start();
                const ReportRun run(request, archive, work.path());
                if (!run.passed()) {
                    std::fprintf(stderr, "reportbench: %s does not pass its validation\n", sample);
                    return 1;
                }
                run.writePdf(QDir(work.path()).filePath(QStringLiteral("report.pdf")));
                times.push_back(milliseconds(timer));
            }
            const double first = times.front();
            std::vector<double> warm(times.begin() + 1, times.end());
            std::sort(warm.begin(), warm.end());
            std::printf("%-8s %14.1f %14.1f\n", sample, first, warm[warm.size() / 2]);
        }
    } catch (const BatchError &error) {
        std::fprintf(stderr, "reportbench: %s\n", error.what());
        return 1;
    }
    return 0;
}
