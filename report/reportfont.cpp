#include "reportfont.h"

QFont ReportFont::referenceFont() const {
    // Font merging stays on, as Qt has it by default: a character the face lacks (a client's
    // Chinese name in Arial) is measured and drawn from a face of the system that has it. A
    // list of families would not do: "Arial" is only an alias of the system's, and the second
    // family would then take the whole text.
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
