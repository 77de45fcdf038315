#include "pageitems.h"

#include <QPainter>
#include <QPen>

namespace {

struct ItemPainter {
    QPainter &painter;
    QTransform page; // twips to the device

    void operator()(const TextItem &item) const {
        // The face at its reference size, scaled about the text's origin.
        const double scale = item.font.scale();
        QFont font = item.font.referenceFont();
        font.setWordSpacing(item.wordSpacing / scale);
        painter.setTransform(QTransform(scale, 0, 0, scale, item.origin.x(), item.origin.y()) *
                             page);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(0, 0), item.text);
        painter.setTransform(page);
    }

    void operator()(const LineItem &item) const {
        painter.setPen(QPen(Qt::black, item.penWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(item.line);
    }

    void operator()(const PictureItem &item) const { painter.drawImage(item.target, item.image); }
};

} // namespace

void paintItems(QPainter &painter, const std::vector<PageItem> &items) {
    const ItemPainter itemPainter{painter, painter.transform()};
    for (const PageItem &item : items)
        std::visit(itemPainter, item);
}
