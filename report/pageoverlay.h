#pragma once

// Drawing on a page of a report document after its text is written: pictures, logos, footers.
// An overlay of a page that does not exist draws nothing.

#include "pageitems.h"
#include "reportfont.h"

#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <Qt>
#include <vector>

class ReportDocument;

class PageOverlay {
public:
    bool isValid() const { return items() != nullptr; }
    int pageNumber() const { return m_pageNumber; }

    // One line of text in `box`, at its top, placed by the horizontal part of `alignment`.
    void drawText(const QString &text, const ReportFont &font, const QRectF &box,
                  Qt::Alignment alignment);
    void drawLine(const QLineF &line, double penWidth);
    void drawPicture(const QRectF &target, const QImage &image);

private:
    friend class ReportDocument;
    PageOverlay(ReportDocument *document, int pageNumber)
        : m_document(document), m_pageNumber(pageNumber) {}

    // The page's overlay items, or null when the page does not exist (any more).
    std::vector<PageItem> *items() const;

    ReportDocument *m_document; // not owned
    int m_pageNumber;
};
