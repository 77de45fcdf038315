#pragma once

// The text format of a report page. Pages are laid out in twips (1440 to the inch); font sizes
// are kept in points as the report templates give them.

#include <QFont>
#include <QFontMetricsF>
#include <QString>

class ReportFontMetrics;

enum class TextAlignment { Left, Centre, Right, Justified };

struct ReportFont {
    QString family = QStringLiteral("Arial");
    double pointSize = 12; // RTF's default size, which \plain also restores
    bool bold = false;
    bool italic = false;
    // Drawn by the page as a line under the text rather than by the font engine, so that its
    // place is the same on every output device.
    bool underline = false;

    // Every size of a face is measured and drawn with the face at this pixel size, scaled to
    // the size wanted: unhinted outlines scale exactly, and one font engine per face then
    // serves the whole report instead of one per size.
    static constexpr double ReferencePixels = 200;

    double twips() const { return pointSize * 20; }
    // An underline runs this far below the top of the text: just under the descenders.
    double underlineDepth() const { return 1.2 * twips(); }
    // From the reference size to this size in twips.
    double scale() const { return twips() / ReferencePixels; }
    // The face at the reference size, unhinted: hinting would make widths depend on the size
    // and the device.
    QFont referenceFont() const;
    // Measures in twips.
    ReportFontMetrics metrics() const;

    // The same face whatever the size and underlining.
    bool sameFace(const ReportFont &other) const {
        return family == other.family && bold == other.bold && italic == other.italic;
    }
    friend bool operator==(const ReportFont &, const ReportFont &) = default;
};

// A report font's measures in twips: the reference size's, scaled.
class ReportFontMetrics {
public:
    explicit ReportFontMetrics(const ReportFont &font)
        : m_reference(font.referenceFont()), m_scale(font.scale()) {}
    ReportFontMetrics(const QFontMetricsF &reference, double scale)
        : m_reference(reference), m_scale(scale) {}

    double ascent() const { return m_reference.ascent() * m_scale; }
    double descent() const { return m_reference.descent() * m_scale; }
    double leading() const { return m_reference.leading() * m_scale; }
    double height() const { return m_reference.height() * m_scale; }
    double horizontalAdvance(const QString &text) const {
        return m_reference.horizontalAdvance(text) * m_scale;
    }

private:
    QFontMetricsF m_reference;
    double m_scale;
};

// The largest size a page accepts (sizes must also be above 0). A letter page is 792 points
// tall.
constexpr double MaximumPointSize = 800;
