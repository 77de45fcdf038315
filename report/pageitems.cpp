#include "pageitems.h"

#include <QPainter>
#include <QPen>

namespace {

struct ItemPainter {
    QPainter &painter;

    void operator()(const TextItem &item) const {
        QFont font = item.font.toQFont();
        font.setWordSpacing(item.wordSpacing);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(item.origin, item.text);
    }

    void operator()(const LineItem &item) const {
        painter.setPen(QPen(Qt::black, item.penWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(item.line);
    }

    void operator()(const PictureItem &item) const { painter.drawImage(item.target, item.image); }
};

} // namespace

void paintItems(QPainter &painter, const std::vector<PageItem> &items) {
    const ItemPainter itemPainter{painter};
    for (const PageItem &item : items)
        std::visit(itemPainter, item);
}
