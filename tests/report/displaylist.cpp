#include "displaylist.h"

#include "rtfrenderer.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

PageMargins ReportMargins() {
    return {1440, 1440, 720, 864};
}

ReportDocument RenderRtf(const QString &rtf) {
    ReportDocument document;
    document.open();
    document.setMargins(ReportMargins());
    DrawRTF(document, rtf);
    document.close();
    return document;
}

namespace {

template <typename Item>
std::vector<Item> itemsOn(const ReportDocument &document, int page, bool overlay = false) {
    std::vector<Item> found;
    if (page < 1 || page > document.pageCount())
        return found;
    for (const PageItem &item :
         overlay ? document.page(page).overlay : document.page(page).content) {
        if (const Item *match = std::get_if<Item>(&item))
            found.push_back(*match);
    }
    return found;
}

} // namespace

std::vector<TextItem> TextsOn(const ReportDocument &document, int pageNumber) {
    return itemsOn<TextItem>(document, pageNumber);
}

std::vector<LineItem> LinesOn(const ReportDocument &document, int pageNumber) {
    return itemsOn<LineItem>(document, pageNumber);
}

std::vector<TextItem> OverlayTextsOn(const ReportDocument &document, int pageNumber) {
    return itemsOn<TextItem>(document, pageNumber, true);
}

std::vector<PictureItem> OverlayPicturesOn(const ReportDocument &document, int pageNumber) {
    return itemsOn<PictureItem>(document, pageNumber, true);
}

QString DrawnText(const ReportDocument &document) {
    QStringList texts;
    for (int page = 1; page <= document.pageCount(); ++page) {
        for (const TextItem &item : TextsOn(document, page))
            texts << item.text;
    }
    return texts.join(u'|');
}

TextItem FindText(const ReportDocument &document, const QString &text) {
    for (int page = 1; page <= document.pageCount(); ++page) {
        for (const TextItem &item : TextsOn(document, page)) {
            if (item.text == text)
                return item;
        }
    }
    ADD_FAILURE() << "no text \"" << text.toStdString() << "\" among \""
                  << DrawnText(document).toStdString() << "\"";
    return {};
}

double RightEnd(const TextItem &item) {
    return item.origin.x() + item.width;
}

QString FontText(const ReportFont &font) {
    return u"%1 %2pt"_s.arg(font.family).arg(font.pointSize) + (font.bold ? u" bold"_s : u""_s) +
           (font.italic ? u" italic"_s : u""_s) + (font.underline ? u" underline"_s : u""_s);
}

void PrintTo(const TextItem &item, std::ostream *out) {
    *out << '"' << item.text.toStdString() << "\" at (" << item.origin.x() << ", "
         << item.origin.y() << ") width " << item.width << ' ' << FontText(item.font).toStdString();
}

void PrintTo(const LineItem &item, std::ostream *out) {
    *out << "line (" << item.line.x1() << ", " << item.line.y1() << ")-(" << item.line.x2() << ", "
         << item.line.y2() << ")";
}

void PrintTo(const QRectF &rect, std::ostream *out) {
    *out << '(' << rect.x() << ", " << rect.y() << ", " << rect.width() << " x " << rect.height()
         << ')';
}
