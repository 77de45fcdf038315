#pragma once

// Report assembly: the merged RTF drawn into a fresh document with the report margins, then the
// pictures, logos and footers laid over the finished pages.

#include "calculator.h"
#include "pagefooter.h"
#include "reportdocument.h"
#include "reportpictures.h"
#include "stretchreport.h"

#include <QString>
#include <vector>

class Illustration;
class SupportArchive;

// The finished report: its pages and the name print queues and PDF readers show.
struct Report {
    QString name;
    ReportDocument document;
};

// What a report needs besides the illustration: where its files come from and go, and what its
// name and footer say.
struct ReportEnvironment {
    const SupportArchive &archive;
    QString workFolder;
    QString fileDescription; // the program's file description: the document's name
    QString windowCaption;   // the main window's caption, repeated in the footer
    ProgramVersion version = CurrentVersion();
    // The archive's pictures as an earlier report of the same run read them, so that a batch
    // reads each once; none: every report reads its own.
    PictureCache *keptPictures = nullptr;
    // Likewise the widths of the texts measured so far.
    TextMeasures *keptMeasures = nullptr;
};

// Top 0.5 inch, bottom 0.6 inch, left and right 1 inch.
PageMargins ReportPageMargins();

// One picture or logo of the Stretch report and the page it goes on.
struct Decoration {
    enum class Kind { Picture, Logo };
    Kind kind;
    QString name;   // a picture file, or a logo name (empty: the default logo)
    float left = 0; // inches, pictures only
    float top = 0;
    int page = 0;
};

// The Stretch report's decorations, in drawing order, for the pages switched on and the report's
// page count. Pages count from 1 and follow the pages that come first: the story page after the
// cover, the taxes page after both; the graph is on the last page whatever the count.
std::vector<Decoration> StretchDecorations(const ReportPages &pages, int pageCount);

// The decorations of a calculator's report: the Stretch report's, or the default logo on
// page 1 for the others.
std::vector<Decoration> ReportDecorations(Calculator calculator, const ReportPages &pages,
                                          int pageCount);

// CreateReport in steps, for callers that do other work between them. Loading the decorations
// reads every picture and logo but the graph bitmap, which may still be in the making, and
// touches no window. Decorating draws the pictures and logos (from the cache where it holds
// them, showing a picture's error box) and the footers over the laid-out pages.
void LayOutReport(ReportDocument &document, const QString &rtf, TextMeasures *kept = nullptr);
void LoadDecorations(PictureCache &cache, const Illustration &illustration,
                     const ReportPages &pages, const ReportEnvironment &environment);
void DecorateReport(Report &report, const Illustration &illustration, const ReportPages &pages,
                    const ReportEnvironment &environment, PictureCache &cache);
// Adds what a report read to the run's kept pictures: every picture and logo that was read
// whole, but not the graph bitmap, which is each report's own.
void KeepArchivePictures(const PictureCache &read, PictureCache &kept);

// Builds the report from the merged RTF: the text, then for the Stretch calculator its
// decorations, for the others the default logo on page 1, and the footer on every page. A
// missing picture or logo leaves its place empty.
void CreateReport(Report &report, const QString &rtf, const Illustration &illustration,
                  const ReportPages &pages, const ReportEnvironment &environment);
