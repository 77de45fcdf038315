#pragma once

// A report built by rmdbatch as the window builds it (validation, computation, merged template,
// graph, document) and written as a PDF file. Shared by the report and demo subcommands.

#include "illustration.h"
#include "recordingprompter.h"
#include "reportbuild.h"

#include <QByteArray>
#include <QDate>
#include <optional>

class SupportArchive;

struct ReportRequest {
    QByteArray illustration; // ILL.json
    QDate today;
    std::optional<RepresentativeDetails> representative;
    ReportPages pages;
};

class ReportRun {
public:
    // Reads and rebuilds; a template or graph file that cannot be handled is an I/O failure
    // (BatchError, exit 3), a bad illustration file bad input (exit 1).
    ReportRun(const ReportRequest &request, const SupportArchive &archive,
              const QString &workFolder);
    // The illustration refers to the prompter beside it.
    ReportRun(const ReportRun &) = delete;
    ReportRun &operator=(const ReportRun &) = delete;

    bool passed() const { return calculated.validation.passed(); }
    // Writes the PDF; BatchError (exit 3) when it cannot be written.
    void writePdf(const QString &path) const;
    // The file name File > Export PDF would give the report.
    QString pdfFileName() const;

    RecordingPrompter prompter;
    Illustration illustration{prompter};
    CalcContext context;
    Report report;
    CalculatedIllustration calculated;
};
