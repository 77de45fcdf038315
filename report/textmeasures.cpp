#include "textmeasures.h"

#include <algorithm>

std::size_t TextMeasures::face(const ReportFont &font) {
    const auto found = std::find_if(m_faces.begin(), m_faces.end(),
                                    [&font](const Face &face) { return face.font.sameFace(font); });
    if (found != m_faces.end()) {
        found->lastUsed = m_reports.current();
        return std::size_t(found - m_faces.begin());
    }
    m_faces.push_back({font, QFontMetricsF(font.referenceFont()), {}, m_reports.current()});
    return m_faces.size() - 1;
}

double TextMeasures::width(std::size_t face, const QString &text) {
    Face &measured = m_faces[face];
    auto known = measured.widths.find(text);
    if (known == measured.widths.end())
        known = measured.widths.insert(text, {measured.reference.horizontalAdvance(text), 0});
    known->lastUsed = m_reports.current();
    return known->advance;
}

void TextMeasures::forgetUnused() {
    m_reports.forgetStale(m_faces);
    for (Face &face : m_faces)
        m_reports.forgetStale(face.widths);
    m_reports.next();
}
