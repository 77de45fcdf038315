#include "rtfparagraphdrawing.h"

#include "reportdocument.h"
#include "rtffonttable.h"
#include "rtfparagraph.h"

#include <algorithm>

namespace {

struct PendingTab {
    double target = 0; // page position
    TabKind kind = TabKind::Left;
};

// The first stop, in the order written, that lies right of x; past the last stop the right
// edge, with the text starting there.
PendingTab nextTab(const ReportDocument &document, const std::vector<TabStop> &stops, double x) {
    const double left = document.margins().left;
    const double rightEdge = document.rightEdge();
    for (const TabStop &stop : stops) {
        const double position = left + stop.position;
        if (position > x)
            return {std::min(position, rightEdge), stop.kind};
    }
    return {std::max(rightEdge, x), TabKind::Left};
}

// A font number without a table entry keeps the name set before.
void applyFont(ReportDocument &document, const RtfFontTable &fonts, const RtfCharFormat &format) {
    if (const RtfFont *font = fonts.find(format.font))
        document.setFontName(font->name);
    document.setFontSize(format.halfPoints / 2.0);
    document.setBold(format.has(RtfStyle::Bold));
    document.setItalic(format.has(RtfStyle::Italic));
    document.setUnderline(format.has(RtfStyle::Underline));
}

} // namespace

void DrawParagraph(ReportDocument &document, const RtfParagraph &paragraph,
                   const RtfParaFormat &format, const RtfFontTable &fonts,
                   const RtfCharFormat &endFormat) {
    document.setAlignment(format.alignment);
    document.setY(document.position().y() + format.spaceBefore);

    PendingTab pendingTab;
    bool tabPending = false;
    bool underlineThroughTab = false;
    for (const RtfRun &run : paragraph.runs(endFormat)) {
        const QString text = paragraph.text().mid(run.start, run.length);
        // The font comes first so that the run is measured in its own font.
        applyFont(document, fonts, run.format);
        const QPointF position = document.position();
        // The document's size, not the run's: a run without \fs carries none.
        const double underlineY = position.y() + document.font().underlineDepth();
        const double width = document.measure(text).width();

        if (tabPending) {
            double start = pendingTab.target;
            if (pendingTab.kind == TabKind::Centre)
                start -= width / 2;
            else if (pendingTab.kind == TabKind::Right)
                start -= width;
            start = std::max(start, position.x());
            if (underlineThroughTab)
                document.drawLine(QLineF(position.x(), underlineY, start, underlineY));
            document.setX(start);
            tabPending = false;
            underlineThroughTab = false;
        }

        // An underlined run gets its line from the document, which knows where wrapping puts
        // each part of it.
        if (run.last)
            document.writeParagraph(text);
        else
            document.writeInline(text);

        if (run.tabFollows) {
            underlineThroughTab = run.tabUnderlined;
            pendingTab = nextTab(document, format.tabStops, document.position().x());
            tabPending = true;
        }
    }

    document.setY(document.position().y() + format.spaceAfter);
}
