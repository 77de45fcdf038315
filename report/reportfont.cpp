#include "reportfont.h"

QFont ReportFont::referenceFont() const {
    QFont font(family);
    font.setPixelSize(int(ReferencePixels));
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

ReportFontMetrics ReportFont::metrics() const {
    return ReportFontMetrics(*this);
}
