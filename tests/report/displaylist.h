#pragma once

// Reading back what a report document drew, for the renderer and document tests.

#include "reportdocument.h"

#include <QString>
#include <ostream>
#include <vector>

// The margins the report assembly sets: top 0.5 inch, bottom 0.6 inch, left and right 1 inch.
PageMargins ReportMargins();

// A fresh letter document with the report margins, the text drawn by DrawRTF, closed.
ReportDocument RenderRtf(const QString &rtf);

std::vector<TextItem> TextsOn(const ReportDocument &document, int pageNumber = 1);
std::vector<LineItem> LinesOn(const ReportDocument &document, int pageNumber = 1);
// What was laid over a finished page: footers, logos and pictures.
std::vector<TextItem> OverlayTextsOn(const ReportDocument &document, int pageNumber);
std::vector<PictureItem> OverlayPicturesOn(const ReportDocument &document, int pageNumber);
// Every text of the document, pages in order, joined by "|".
QString DrawnText(const ReportDocument &document);
// The first text item whose text is `text`; fails the test when there is none.
TextItem FindText(const ReportDocument &document, const QString &text);

double RightEnd(const TextItem &item);
// "Arial 12pt", then " bold", " italic" and " underline" as the font has them.
QString FontText(const ReportFont &font);

void PrintTo(const TextItem &item, std::ostream *out);
void PrintTo(const LineItem &item, std::ostream *out);
void PrintTo(const QRectF &rect, std::ostream *out);
