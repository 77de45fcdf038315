#pragma once

// Widths of texts at each face's reference size. Measuring means shaping, which is most of the
// time a layout takes; a document keeps its measures while it is open, and a run of reports
// keeps one set for all of them, as their templates repeat the same texts.

#include "reportfont.h"
#include "reportgenerations.h"

#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <vector>

class TextMeasures {
public:
    // The face's metrics at the reference size, and its index for width().
    std::size_t face(const ReportFont &font);
    const QFontMetricsF &reference(std::size_t face) const { return m_faces[face].reference; }
    // The advance of the text in the face at the reference size.
    double width(std::size_t face, const QString &text);

    void clear() { m_faces.clear(); }
    // Ends a report: lets go of what the last few reports did not ask for, so that a run's
    // measures hold no more than those reports' texts.
    void forgetUnused();

private:
    struct Width {
        double advance = 0;
        int lastUsed = 0;
    };
    struct Face {
        ReportFont font;
        QFontMetricsF reference;
        QHash<QString, Width> widths;
        int lastUsed = 0;
    };
    std::vector<Face> m_faces;
    ReportGenerations m_reports;
};
