#pragma once

// The text format of a report page. Pages are laid out in twips (1440 to the inch); font sizes
// are kept in points as the report templates give them.

#include <QFont>
#include <QFontMetricsF>
#include <QString>

enum class TextAlignment { Left, Centre, Right, Justified };

struct ReportFont {
    QString family = QStringLiteral("Arial");
    double pointSize = 12; // RTF's default size, which \plain also restores
    bool bold = false;
    bool italic = false;
    // Drawn by the page as a line under the text rather than by the font engine, so that its
    // place is the same on every output device.
    bool underline = false;

    double twips() const { return pointSize * 20; }

    // A font whose pixel size is the size in twips: text measured with it and painted through a
    // painter scaled from twips to the device agrees at any device resolution.
    QFont toQFont() const;
    QFontMetricsF metrics() const { return QFontMetricsF(toQFont()); }

    friend bool operator==(const ReportFont &, const ReportFont &) = default;
};

// The largest size a page accepts (sizes must also be above 0). A letter page is 792 points
// tall; beyond about 900 points the font engine's fixed-point metrics overflow and report a
// negative ascent.
constexpr double MaximumPointSize = 800;
