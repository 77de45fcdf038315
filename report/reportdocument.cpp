#include "reportdocument.h"

#include "pageoverlay.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Positions are compared with this slack so that a text measured to fit exactly still fits.
constexpr double Tolerance = 0.01;

bool isBlank(QChar c) {
    return c == u' ';
}

qsizetype trimmedLength(QStringView text) {
    qsizetype length = text.size();
    while (length > 0 && isBlank(text.at(length - 1)))
        --length;
    return length;
}

qsizetype leadingBlanks(QStringView text) {
    qsizetype count = 0;
    while (count < text.size() && isBlank(text.at(count)))
        ++count;
    return count;
}

qsizetype firstWordEnd(QStringView text) {
    qsizetype end = leadingBlanks(text);
    while (end < text.size() && !isBlank(text.at(end)))
        ++end;
    return end;
}

// The length of the longest start of `text` that ends with a word and fits into `room`: the
// whole text when it holds no word, 0 when not even the first word fits. Widths are summed
// word by word, so each character is measured once however long the text is.
template <typename Width>
qsizetype fittingLength(QStringView text, double room, const Width &widthOf) {
    qsizetype fit = 0;
    qsizetype end = 0;
    double width = 0;
    bool anyWord = false;
    while (end < text.size()) {
        const qsizetype start = end;
        while (end < text.size() && isBlank(text.at(end)))
            ++end;
        if (end == text.size())
            break;
        while (end < text.size() && !isBlank(text.at(end)))
            ++end;
        anyWord = true;
        width += widthOf(text.sliced(start, end - start).toString());
        if (width > room + Tolerance)
            break;
        fit = end;
    }
    return anyWord ? fit : text.size();
}

// Texts up to this length are measured whole before any search for a place to wrap.
constexpr qsizetype ShortText = 512;

qsizetype blanksIn(QStringView text) {
    return text.count(u' ');
}

} // namespace

ReportDocument::ReportDocument(QSizeF pageSize) : m_pageSize(pageSize) {}

void ReportDocument::open(TextMeasures *kept) {
    m_ownMeasures.clear();
    m_keptMeasures = kept;
    m_current = NoMeasures;
    m_pages.assign(1, ReportPage{});
    m_pieces.clear();
    m_lines.clear();
    m_x = m_margins.left;
    m_y = m_margins.top;
    m_xSetByCaller = false;
    m_open = true;
}

void ReportDocument::close() {
    if (!m_open)
        return;
    finishLine(LineEnd::Flush);
    m_open = false;
    if (m_keptMeasures)
        m_keptMeasures->forgetUnused();
    m_keptMeasures = nullptr;
    m_ownMeasures.clear();
    m_current = NoMeasures;
}

bool ReportDocument::setMargins(const PageMargins &margins) {
    const double values[] = {margins.left, margins.right, margins.top, margins.bottom};
    for (const double value : values) {
        if (!std::isfinite(value) || value < 0)
            return false;
    }
    if (margins.left + margins.right >= m_pageSize.width() ||
        margins.top + margins.bottom >= m_pageSize.height())
        return false;
    if (std::abs(m_x - m_margins.left) <= Tolerance)
        m_x = margins.left;
    if (std::abs(m_y - m_margins.top) <= Tolerance)
        m_y = margins.top;
    m_margins = margins;
    return true;
}

void ReportDocument::setX(double x) {
    if (!std::isfinite(x))
        return;
    m_x = x;
    m_xSetByCaller = true;
}

void ReportDocument::setY(double y) {
    if (!std::isfinite(y))
        return;
    finishLine(LineEnd::Flush);
    m_y = y;
}

void ReportDocument::setFontName(const QString &name) {
    if (name.isEmpty() || name == m_font.family)
        return;
    m_font.family = name;
    m_current = NoMeasures;
}

bool ReportDocument::setFontSize(double points) {
    if (!(points > 0 && points <= MaximumPointSize))
        return false;
    m_font.pointSize = points;
    return true;
}

void ReportDocument::setBold(bool on) {
    if (on == m_font.bold)
        return;
    m_font.bold = on;
    m_current = NoMeasures;
}

void ReportDocument::setItalic(bool on) {
    if (on == m_font.italic)
        return;
    m_font.italic = on;
    m_current = NoMeasures;
}

void ReportDocument::setUnderline(bool on) {
    m_font.underline = on;
}

std::size_t ReportDocument::currentFace() const {
    if (m_current == NoMeasures)
        m_current = measures().face(m_font);
    return m_current;
}

ReportFontMetrics ReportDocument::metrics() const {
    return ReportFontMetrics(measures().reference(currentFace()), m_font.scale());
}

double ReportDocument::width(const QString &text) const {
    return measures().width(currentFace(), text) * m_font.scale();
}

QSizeF ReportDocument::measure(const QString &text) const {
    return {width(text), metrics().height()};
}

void ReportDocument::drawLine(const QLineF &line) {
    if (m_open)
        m_lines.push_back({line, m_penWidth});
}

void ReportDocument::drawPicture(const QRectF &target, const QImage &image) {
    if (m_open)
        currentPage().content.emplace_back(PictureItem{target, image});
}

void ReportDocument::writeInline(const QString &text) {
    write(text, false);
}

void ReportDocument::writeParagraph(const QString &text) {
    write(text, true);
}

void ReportDocument::write(const QString &text, bool endParagraph) {
    if (!m_open)
        return;
    // What is still to be placed; a view, so that a long paragraph is never copied per line.
    QStringView rest(text);
    while (!rest.isEmpty()) {
        const double room = rightEdge() - m_x;
        if ((m_xSetByCaller && room <= 0) ||
            (rest.size() <= ShortText && width(rest.toString()) <= room + Tolerance)) {
            addPiece(rest.toString());
            break;
        }
        qsizetype fit =
            fittingLength(rest, room, [this](const QString &word) { return width(word); });
        if (fit == 0) {
            if (!m_pieces.empty() || m_x > m_margins.left + Tolerance) {
                finishLine(LineEnd::Wrap);
                rest = rest.sliced(leadingBlanks(rest));
                continue;
            }
            // A word wider than the whole line overflows it rather than being cut.
            fit = firstWordEnd(rest);
        }
        QStringView part = rest.first(fit);
        rest = rest.sliced(fit);
        rest = rest.sliced(leadingBlanks(rest));
        if (rest.isEmpty()) {
            // Everything fitted but blanks, which may hang past the edge.
            addPiece(part.toString());
            break;
        }
        addPiece(part.first(trimmedLength(part)).toString());
        finishLine(LineEnd::Wrap);
    }
    if (endParagraph)
        finishLine(LineEnd::Paragraph);
}

void ReportDocument::addPiece(const QString &text) {
    if (text.isEmpty())
        return;
    const ReportFontMetrics fm = metrics();
    Piece piece;
    piece.text = text;
    piece.font = m_font;
    piece.x = m_x;
    piece.width = width(text);
    const qsizetype trimmed = trimmedLength(text);
    piece.trimmedWidth = trimmed == text.size() ? piece.width : width(text.first(trimmed));
    piece.ascent = fm.ascent();
    piece.descent = fm.descent();
    piece.leading = fm.leading();
    m_x += piece.width;
    m_xSetByCaller = false;
    m_pieces.push_back(std::move(piece));
}

void ReportDocument::finishLine(LineEnd end) {
    if (end == LineEnd::Flush && m_pieces.empty() && m_lines.empty())
        return;
    if (!m_open)
        return;
    const LineBox box = lineBox();
    const LinePlace place = placeLine(end, box.height);
    emitLine(spreadLine(end), place, place.top + box.ascent);
    if (end != LineEnd::Flush) {
        m_y = place.top + box.height;
        m_x = m_margins.left;
        m_xSetByCaller = false;
    }
}

ReportDocument::LineBox ReportDocument::lineBox() const {
    double ascent = 0;
    double descent = 0;
    double leading = 0;
    if (m_pieces.empty()) {
        const ReportFontMetrics fm = metrics();
        ascent = fm.ascent();
        descent = fm.descent();
        leading = fm.leading();
    }
    for (const Piece &piece : m_pieces) {
        ascent = std::max(ascent, piece.ascent);
        descent = std::max(descent, piece.descent);
        leading = std::max(leading, piece.leading);
    }
    // Never upwards, whatever the font engine reports.
    return {ascent, std::max(0.0, ascent + descent + leading)};
}

ReportDocument::LinePlace ReportDocument::placeLine(LineEnd end, double height) {
    // A line that does not fit above the bottom edge goes to a new page, unless it already
    // starts a page: a line taller than the page would otherwise never be placed.
    const double top = m_y;
    if (end != LineEnd::Flush && top + height > bottomEdge() + Tolerance &&
        top > m_margins.top + Tolerance) {
        startPage();
        return {m_margins.top, m_margins.top - top};
    }
    return {top, 0};
}

ReportDocument::LineSpread ReportDocument::spreadLine(LineEnd end) const {
    // Alignment moves the whole line; the pieces keep their distances, so positions chosen by
    // tabs survive. Justification stretches the blanks of lines that the wrap ended.
    LineSpread spread;
    if (m_pieces.empty())
        return spread;
    double lineEnd = m_pieces.front().x;
    for (const Piece &piece : m_pieces)
        lineEnd = std::max(lineEnd, piece.x + piece.trimmedWidth);
    spread.lastLength = trimmedLength(m_pieces.back().text);
    const double spare = rightEdge() - lineEnd;
    if (!(spare > 0))
        return spread;
    switch (m_alignment) {
    case TextAlignment::Left:
        break;
    case TextAlignment::Centre:
        spread.shift = spare / 2;
        break;
    case TextAlignment::Right:
        spread.shift = spare;
        break;
    case TextAlignment::Justified: {
        qsizetype blanks = blanksIn(QStringView(m_pieces.back().text).left(spread.lastLength));
        for (std::size_t i = 0; i + 1 < m_pieces.size(); ++i)
            blanks += blanksIn(m_pieces[i].text);
        if (end == LineEnd::Wrap && blanks > 0)
            spread.wordSpacing = spare / double(blanks);
        break;
    }
    }
    return spread;
}

void ReportDocument::emitLine(const LineSpread &spread, const LinePlace &place, double baseline) {
    std::vector<PageItem> &items = currentPage().content;
    double stretch = 0;
    for (std::size_t i = 0; i < m_pieces.size(); ++i) {
        const Piece &piece = m_pieces[i];
        const QStringView spaced = i + 1 < m_pieces.size()
                                       ? QStringView(piece.text)
                                       : QStringView(piece.text).left(spread.lastLength);
        const double pieceStretch = spread.wordSpacing * double(blanksIn(spaced));
        TextItem text{piece.text, piece.font, QPointF(piece.x + spread.shift + stretch, baseline),
                      piece.width + pieceStretch, spread.wordSpacing};
        if (piece.font.underline) {
            const double y = baseline - piece.ascent + piece.font.underlineDepth();
            items.emplace_back(
                LineItem{QLineF(text.origin.x(), y, text.origin.x() + text.width, y), m_penWidth});
        }
        items.emplace_back(std::move(text));
        stretch += pieceStretch;
    }
    for (const LineItem &line : m_lines)
        items.emplace_back(LineItem{line.line.translated(spread.shift, place.dy), line.penWidth});
    m_pieces.clear();
    m_lines.clear();
}

void ReportDocument::startPage() {
    m_pages.emplace_back();
}

void ReportDocument::newPage() {
    if (!m_open)
        return;
    finishLine(LineEnd::Flush);
    startPage();
    m_x = m_margins.left;
    m_y = m_margins.top;
    m_xSetByCaller = false;
}

const ReportPage &ReportDocument::page(int pageNumber) const {
    return m_pages.at(std::size_t(pageNumber - 1));
}

PageOverlay ReportDocument::overlay(int pageNumber) {
    return PageOverlay(this, pageNumber);
}

void ReportDocument::paintPage(QPainter &painter, int pageNumber, const QRectF &target) const {
    if (pageNumber < 1 || pageNumber > pageCount())
        return;
    const ReportPage &content = page(pageNumber);
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / m_pageSize.width(), target.height() / m_pageSize.height());
    paintItems(painter, content.content);
    paintItems(painter, content.overlay);
    painter.restore();
}
