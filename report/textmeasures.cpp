#include "textmeasures.h"

#include <algorithm>

std::size_t TextMeasures::face(const ReportFont &font) {
    const auto found = std::find_if(m_faces.begin(), m_faces.end(),
                                    [&font](const Face &face) { return face.font.sameFace(font); });
    if (found != m_faces.end()) {
        found->used = true;
        return std::size_t(found - m_faces.begin());
    }
    m_faces.push_back({font, QFontMetricsF(font.referenceFont()), {}, true});
    return m_faces.size() - 1;
}

double TextMeasures::width(std::size_t face, const QString &text) {
    Face &measured = m_faces[face];
    auto known = measured.widths.find(text);
    if (known == measured.widths.end())
        known = measured.widths.insert(text, {measured.reference.horizontalAdvance(text), false});
    known->used = true;
    return known->advance;
}

void TextMeasures::forgetUnused() {
    std::erase_if(m_faces, [](const Face &face) { return !face.used; });
    for (Face &face : m_faces) {
        face.used = false;
        face.widths.removeIf([](const auto &entry) { return !entry.value().used; });
        for (Width &width : face.widths)
            width.used = false;
    }
}
