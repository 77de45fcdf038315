#pragma once

// A report document's pages as PDF, written through cairo: its TrueType subsetting costs a
// fraction of what Qt's PDF engine spends embedding the same fonts, which set the pace of
// year-end batches. Text is shaped by Qt exactly as the window paints it, so the glyphs stand
// where the page's layout measured them.

#include <QString>
#include <memory>

class QIODevice;
class ReportDocument;

// What the PDF files of one run share: the font files matched to Qt's faces and the pictures
// already encoded. A batch keeps one for all its reports; what the last few files did not use
// is let go, so it never holds more than those reports' fonts and pictures.
class PdfResources {
public:
    PdfResources();
    ~PdfResources();
    PdfResources(const PdfResources &) = delete;
    PdfResources &operator=(const PdfResources &) = delete;

private:
    friend QString WritePdfPages(const ReportDocument &, const QString &, QIODevice &,
                                 PdfResources &);
    struct Kept;
    std::unique_ptr<Kept> m_kept;
};

// Writes every page (the document's page size) to the device. Returns an empty text when
// written, else what failed.
QString WritePdfPages(const ReportDocument &document, const QString &title, QIODevice &device,
                      PdfResources &resources);
