#include "reportfont.h"

QFont ReportFont::toQFont() const {
    QFont font(family);
    font.setPixelSize(qMax(1, qRound(twips())));
    font.setBold(bold);
    font.setItalic(italic);
    // Design metrics: hinting at screen resolutions would make widths depend on the device.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}
