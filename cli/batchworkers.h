#pragma once

// rmdbatch batch on several cores: worker processes (rmdbatch batch --worker K/N) each build
// every N-th report of one job list into a staging folder and print one row a report; the
// parent takes the rows back in job order, so names, files and summary are the same whatever
// the number of workers. Processes rather than threads: the report's fonts, painting and the
// Qt Charts graph belong to the GUI thread.

#include "yearendbatch.h"

#include <QStringList>
#include <functional>

// A finished job as a worker left it: its row, and for a written report the staged file and
// the File > Export PDF name it is to get.
struct StagedReport {
    YearEndRow row;
    QString stagedPath;
    QString fileName;
};

// The job list file the workers read.
void WriteJobList(const QString &path, const QList<YearEndJob> &jobs);
QList<YearEndJob> ReadJobList(const QString &path);

// A row as the one line a worker prints, and back.
QByteArray StagedReportLine(int job, const StagedReport &report);

// Starts `count` workers with `arguments` (each adds --worker K/N) and hands every job's report
// to `deliver` in job order. A worker that ends early leaves its remaining jobs as failed rows.
void RunWorkers(int jobCount, int count, const QStringList &arguments,
                const std::function<void(int job, const StagedReport &)> &deliver);
