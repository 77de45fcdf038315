#pragma once

// What the rmdbatch subcommands that build a report share: the support archive (--support-
// archive, else where the desktop program finds it) and a private work folder for the files
// extracted from it.

#include "batchcalculation.h"
#include "supportarchive.h"

#include <QCommandLineParser>
#include <QTemporaryDir>

// --support-archive PATH
QCommandLineOption SupportArchiveOption();

// The archive named by --support-archive, else "rmdcalc.icf" in the current folder, the
// program's folder or the install data folder, in that order.
SupportArchive SupportArchiveFor(const QCommandLineParser &parser);

// The report's merged RTF: the template of the calculation's calculator, with the Stretch
// directives resolved, the markers cut and the placeholders filled. A template the archive
// cannot deliver is an I/O failure (exit 3).
QString MergedReport(BatchCalculation &calculation, const SupportArchive &archive,
                     const QString &workFolder);

// A private folder (mode 0700) for extracted files, removed with everything in it.
class WorkFolder {
public:
    WorkFolder();
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
