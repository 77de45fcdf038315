#include "pageoverlay.h"

#include "reportdocument.h"

std::vector<PageItem> *PageOverlay::items() const {
    if (!m_document || m_pageNumber < 1 || m_pageNumber > m_document->pageCount())
        return nullptr;
    return &m_document->m_pages[std::size_t(m_pageNumber - 1)].overlay;
}

void PageOverlay::drawText(const QString &text, const ReportFont &font, const QRectF &box,
                           Qt::Alignment alignment) {
    std::vector<PageItem> *target = items();
    if (!target || text.isEmpty())
        return;
    const ReportFontMetrics metrics = font.metrics();
    const double width = metrics.horizontalAdvance(text);
    double x = box.left();
    if (alignment & Qt::AlignHCenter)
        x = box.center().x() - width / 2;
    else if (alignment & Qt::AlignRight)
        x = box.right() - width;
    target->emplace_back(TextItem{text, font, QPointF(x, box.top() + metrics.ascent()), width, 0});
    if (font.underline) {
        const double y = box.top() + font.underlineDepth();
        target->emplace_back(LineItem{QLineF(x, y, x + width, y), m_document->penWidth()});
    }
}

void PageOverlay::drawLine(const QLineF &line, double penWidth) {
    if (std::vector<PageItem> *target = items())
        target->emplace_back(LineItem{line, penWidth});
}

void PageOverlay::drawPicture(const QRectF &target, const QImage &image) {
    if (std::vector<PageItem> *list = items())
        list->emplace_back(PictureItem{target, image});
}
