#pragma once

// The display list of a report page: what was drawn, in twips from the page's top-left corner.
// Pages keep their items rather than pixels so that one document can be painted onto any device
// and examined by tests.

#include "reportfont.h"

#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <variant>
#include <vector>

class QPainter;

struct TextItem {
    QString text;
    ReportFont font;
    QPointF origin;         // left end of the baseline
    double width = 0;       // advance of the text, word spacing included
    double wordSpacing = 0; // extra width of each blank on a justified line
};

struct LineItem {
    QLineF line;
    double penWidth = 0;
};

struct PictureItem {
    QRectF target;
    QImage image;
};

using PageItem = std::variant<TextItem, LineItem, PictureItem>;

struct ReportPage {
    std::vector<PageItem> content; // written while the document was open
    std::vector<PageItem> overlay; // added afterwards, painted above the content
};

// Paints items in page units: the painter must already map twips to its device.
void paintItems(QPainter &painter, const std::vector<PageItem> &items);
