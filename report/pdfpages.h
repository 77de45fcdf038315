#pragma once

// A report document's pages as PDF, written through cairo: its TrueType subsetting costs a
// fraction of what Qt's PDF engine spends embedding the same fonts, which set the pace of
// year-end batches. Text is shaped by Qt exactly as the window paints it, so the glyphs stand
// where the page's layout measured them.

#include <QString>

class QIODevice;
class ReportDocument;

// Writes every page (letter size, or the document's page size) to the device. Returns an
// empty text when written, else what failed.
QString WritePdfPages(const ReportDocument &document, const QString &title, QIODevice &device);
