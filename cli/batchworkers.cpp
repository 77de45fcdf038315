#include "batchworkers.h"

#include "batcherror.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <array>
#include <map>
#include <memory>
#include <vector>

namespace {

struct RowField {
    const char *key;
    QString YearEndRow::*value;
};

const std::array<RowField, 10> RowFields{{
    {"record", &YearEndRow::record},
    {"name", &YearEndRow::name},
    {"calculator", &YearEndRow::calculator},
    {"planType", &YearEndRow::planType},
    {"planName", &YearEndRow::planName},
    {"year", &YearEndRow::year},
    {"distribution", &YearEndRow::distribution},
    {"rules", &YearEndRow::rules},
    {"pdf", &YearEndRow::pdf},
    {"message", &YearEndRow::message},
}};

std::pair<int, StagedReport> parseLine(const QByteArray &line) {
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    StagedReport report;
    for (const RowField &field : RowFields)
        report.row.*(field.value) = object.value(QLatin1String(field.key)).toString();
    report.row.status = YearEndStatus(object.value(QStringLiteral("status")).toInt());
    report.stagedPath = object.value(QStringLiteral("staged")).toString();
    report.fileName = object.value(QStringLiteral("file")).toString();
    return {object.value(QStringLiteral("job")).toInt(-1), report};
}

} // namespace

void WriteJobList(const QString &path, const QList<YearEndJob> &jobs) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw BatchError(ExitCode::IoFailure,
                         QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    for (const YearEndJob &job : jobs) {
        const QByteArray line =
            job.file.isEmpty() ? "R " + QByteArray::number(job.record) : "F " + job.file.toUtf8();
        file.write(line + '\n');
    }
    if (!file.flush())
        throw BatchError(ExitCode::IoFailure,
                         QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

QList<YearEndJob> ReadJobList(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BatchError(ExitCode::IoFailure,
                         QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    QList<YearEndJob> jobs;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().chopped(1);
        if (line.startsWith("R "))
            jobs.append(YearEndJob{line.mid(2).toInt(), {}});
        else
            jobs.append(YearEndJob{0, QString::fromUtf8(line.mid(2))});
    }
    return jobs;
}

QByteArray StagedReportLine(int job, const StagedReport &report) {
    QJsonObject object{{QStringLiteral("job"), job},
                       {QStringLiteral("status"), int(report.row.status)},
                       {QStringLiteral("staged"), report.stagedPath},
                       {QStringLiteral("file"), report.fileName}};
    for (const RowField &field : RowFields)
        object.insert(QLatin1String(field.key), report.row.*(field.value));
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

void RunWorkers(int jobCount, int count, const QStringList &arguments,
                const std::function<void(int job, const StagedReport &)> &deliver) {
    std::map<int, StagedReport> waiting; // finished out of order
    int next = 0;
    const auto flush = [&] {
        for (auto found = waiting.find(next); found != waiting.end(); found = waiting.find(next)) {
            deliver(next, found->second);
            waiting.erase(found);
            ++next;
        }
    };

    QEventLoop loop;
    int running = count;
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int index = 0; index < count; ++index) {
        auto worker = std::make_unique<QProcess>();
        // Workers' warnings go straight to the run's stderr.
        worker->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        worker->setReadChannel(QProcess::StandardOutput);
        QProcess *process = worker.get();
        QObject::connect(process, &QProcess::readyReadStandardOutput, &loop, [&, process] {
            while (process->canReadLine()) {
                auto [job, report] = parseLine(process->readLine());
                if (job >= 0)
                    waiting.emplace(job, std::move(report));
            }
            flush();
        });
        QObject::connect(process, &QProcess::finished, &loop, [&] {
            if (--running == 0)
                loop.quit();
        });
        QObject::connect(process, &QProcess::errorOccurred, &loop,
                         [&](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart && --running == 0)
                                 loop.quit();
                         });
        process->start(QCoreApplication::applicationFilePath(),
                       QStringList(arguments) << QStringLiteral("--worker")
                                              << QStringLiteral("%1/%2").arg(index).arg(count));
        workers.push_back(std::move(worker));
    }
    if (running > 0)
        loop.exec();
    for (const auto &worker : workers) {
        while (worker->canReadLine()) {
            auto [job, report] = parseLine(worker->readLine());
            if (job >= 0)
                waiting.emplace(job, std::move(report));
        }
    }
    flush();
    // Jobs whose worker ended before them: reported, never silently missing.
    for (; next < jobCount; ++next) {
        StagedReport lost;
        lost.row.status = YearEndStatus::Failed;
        lost.row.message = QStringLiteral("the worker process building it ended early");
        deliver(next, lost);
        waiting.erase(next);
    }
}
