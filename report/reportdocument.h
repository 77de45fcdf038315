#pragma once

// The report document: a store of pages that text is written into line by line, with the
// operations a page-printing control offers (margins, a current position, fonts, measuring,
// inline and end-of-paragraph writing, lines, pictures, new pages), plus overlays added to
// finished pages. Units are twips. One painting path serves every output device.

#include "pageitems.h"
#include "reportfont.h"
#include "textmeasures.h"

#include <QPointF>
#include <QSizeF>
#include <vector>

class PageOverlay;
class QPainter;

struct PageMargins {
    double left = 1440;
    double right = 1440;
    double top = 1440;
    double bottom = 1440;
};

class ReportDocument {
public:
    static constexpr double TwipsPerInch = 1440;
    static constexpr QSizeF LetterSize{8.5 * TwipsPerInch, 11 * TwipsPerInch};

    explicit ReportDocument(QSizeF pageSize = LetterSize);

    // Discards every page and starts page 1 with the position at the top-left margin. Texts
    // are measured into `kept` when given (it must outlive the document's closing), else into
    // the document's own measures.
    void open(TextMeasures *kept = nullptr);
    // Places what is still pending; afterwards only overlays change the pages.
    void close();
    bool isOpen() const { return m_open; }

    QSizeF pageSize() const { return m_pageSize; }
    const PageMargins &margins() const { return m_margins; }
    // Refuses (returns false) a negative margin or one that leaves no room between the margins.
    // A position resting on a margin moves with it.
    bool setMargins(const PageMargins &margins);
    double rightEdge() const { return m_pageSize.width() - m_margins.right; }
    double bottomEdge() const { return m_pageSize.height() - m_margins.bottom; }

    // The current position: where the next text starts (x) and the top of the current line (y).
    QPointF position() const { return {m_x, m_y}; }
    // Moving the pen sideways stays on the current line. A write that starts where setX put the
    // pen at or beyond the right edge is not wrapped: the caller chose that place.
    void setX(double x);
    // A vertical move first places the current line where it is.
    void setY(double y);

    TextAlignment alignment() const { return m_alignment; }
    // Applies to the lines finished from now on.
    void setAlignment(TextAlignment alignment) { m_alignment = alignment; }

    const ReportFont &font() const { return m_font; }
    // An empty name or a size outside (0, MaximumPointSize] is refused and the font stays.
    void setFontName(const QString &name);
    bool setFontSize(double points);
    void setBold(bool on);
    void setItalic(bool on);
    void setUnderline(bool on);
    // Width and height of a text in the current font.
    QSizeF measure(const QString &text) const;

    // A line drawn into the flow belongs to the current line: it moves with the line's
    // alignment and with the line when an automatic page break carries it to the next page.
    void drawLine(const QLineF &line);
    double penWidth() const { return m_penWidth; }
    // A picture at a fixed place on the current page.
    void drawPicture(const QRectF &target, const QImage &image);

    // Writes text at the current position and leaves the position after it on the same line.
    // Text that would pass the right edge is wrapped at blanks onto further lines.
    void writeInline(const QString &text);
    // The same, then ends the line: the position goes to the left margin of the next line.
    // Empty text still ends a line, so an empty paragraph leaves a blank line.
    void writeParagraph(const QString &text);
    void newPage();

    int pageCount() const { return int(m_pages.size()); }
    // Pages are numbered from 1.
    const ReportPage &page(int pageNumber) const;
    // Drawing on a page after the text is written; an overlay for a page that does not exist
    // draws nothing.
    PageOverlay overlay(int pageNumber);

    // Paints one page, content then overlay, scaled to fill `target` (device coordinates).
    void paintPage(QPainter &painter, int pageNumber, const QRectF &target) const;

private:
    friend class PageOverlay;

    struct Piece {
        QString text;
        ReportFont font;
        double x = 0;
        double width = 0;
        double trimmedWidth = 0; // without trailing blanks, which hang past the line's end
        double ascent = 0;
        double descent = 0;
        double leading = 0;
    };
    enum class LineEnd { Wrap, Paragraph, Flush };

    void write(const QString &text, bool endParagraph);
    void addPiece(const QString &text);
    // Places the current line and, unless flushed, moves the position to the next one.
    void finishLine(LineEnd end);
    // The steps of finishing a line: its height, its place, its alignment and its items.
    struct LineBox {
        double ascent = 0;
        double height = 0;
    };
    struct LinePlace {
        double top = 0;
        double dy = 0; // how far a page break moved the line
    };
    struct LineSpread {
        double shift = 0;
        double wordSpacing = 0;
        qsizetype lastLength = 0; // the last piece's length without trailing blanks
    };
    LineBox lineBox() const;
    LinePlace placeLine(LineEnd end, double height);
    LineSpread spreadLine(LineEnd end) const;
    void emitLine(const LineSpread &spread, const LinePlace &place, double baseline);
    void startPage();
    // The current font's measures in twips.
    ReportFontMetrics metrics() const;
    // The width of a text in the current font. Shaping is the costly part of laying out a
    // report, and the same words, labels and runs come back line after line, in any size.
    double width(const QString &text) const;
    ReportPage &currentPage() { return m_pages.back(); }

    QSizeF m_pageSize;
    PageMargins m_margins;
    std::vector<ReportPage> m_pages;
    bool m_open = false;
    double m_x = 0;
    double m_y = 0;
    bool m_xSetByCaller = false;
    TextAlignment m_alignment = TextAlignment::Left;
    ReportFont m_font;
    // Metrics and widths at the reference size of each face used so far. The document's own
    // are dropped when it closes: font objects are best released on the thread that made them.
    static constexpr std::size_t NoMeasures = std::size_t(-1);
    mutable TextMeasures m_ownMeasures;
    TextMeasures *m_keptMeasures = nullptr;     // only while open
    mutable std::size_t m_current = NoMeasures; // m_font's face, found when first needed
    TextMeasures &measures() const { return m_keptMeasures ? *m_keptMeasures : m_ownMeasures; }
    std::size_t currentFace() const;
    double m_penWidth = 10;
    std::vector<Piece> m_pieces;   // text of the current line, not yet placed
    std::vector<LineItem> m_lines; // lines drawn into the current line
};
