// The page store: flow of text, wrapping, alignment, page breaks, overlays and painting.

#include "displaylist.h"
#include "pageoverlay.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr double Near = 0.01;

ReportDocument openDocument() {
    ReportDocument document;
    document.open();
    document.setMargins(ReportMargins());
    return document;
}

} // namespace

TEST(ReportDocument, MixedSizesShareOneBaseline) {
    ReportDocument document = openDocument();
    document.writeInline(u"small "_s);
    document.setFontSize(30);
    document.writeParagraph(u"LARGE"_s);
    document.close();
    const auto texts = TextsOn(document);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].origin.y(), texts[1].origin.y());
    const ReportFont large{u"Arial"_s, 30};
    EXPECT_NEAR(texts[1].origin.y(), 720 + large.metrics().ascent(), Near);
}

// Widths are remembered per font, so a text measured again after the font changed back and
// forth must get its own font's width each time, and underlining must not change it; so too
// with the measures a run keeps, after earlier documents used and let go of other faces.
TEST(ReportDocument, RememberedWidthsFollowTheFont) {
    TextMeasures kept;
    for (const bool italic : {true, false}) {
        ReportDocument earlier;
        earlier.open(&kept);
        earlier.setItalic(italic);
        earlier.setBold(!italic);
        earlier.measure(u"Distribution 1,234"_s);
        earlier.close();
    }
    for (TextMeasures *measures : {static_cast<TextMeasures *>(nullptr), &kept}) {
        ReportDocument document;
        document.open(measures);
        const QString text = u"Distribution 1,234"_s;
        // Regular, bold, larger, regular again, underlined, bold again.
        const ReportFont fonts[] = {{u"Arial"_s, 10},
                                    {u"Arial"_s, 10, true},
                                    {u"Arial"_s, 14},
                                    {u"Arial"_s, 10},
                                    {u"Arial"_s, 10, false, false, true},
                                    {u"Arial"_s, 10, true}};
        for (const ReportFont &font : fonts) {
            document.setBold(font.bold);
            document.setFontSize(font.pointSize);
            document.setUnderline(font.underline);
            ReportFont expected = font;
            expected.underline = false;
            EXPECT_DOUBLE_EQ(document.measure(text).width(),
                             expected.metrics().horizontalAdvance(text))
                << FontText(font).toStdString() << (measures ? " (kept)" : "");
        }
    }
}

TEST(ReportDocument, RefusedSettingsLeaveTheOldOnes) {
    ReportDocument document = openDocument();
    const struct {
        const char *name;
        double points;
    } sizes[] = {{"zero", 0}, {"negative", -4}, {"too large", 801}, {"not a number", qQNaN()}};
    for (const auto &size : sizes) {
        EXPECT_FALSE(document.setFontSize(size.points)) << size.name;
        EXPECT_EQ(document.font().pointSize, 12) << size.name;
    }
    document.setFontName(QString());
    EXPECT_EQ(document.font().family, u"Arial"_s);

    const struct {
        const char *name;
        PageMargins margins;
    } margins[] = {
        {"negative", {-1, 1440, 720, 864}},
        {"left and right meet", {6120, 6120, 720, 864}},
        {"top and bottom pass each other", {1440, 1440, 9000, 9000}},
        {"infinite", {qInf(), 1440, 720, 864}},
    };
    for (const auto &m : margins) {
        EXPECT_FALSE(document.setMargins(m.margins)) << m.name;
        EXPECT_EQ(document.margins().left, 1440) << m.name;
        EXPECT_EQ(document.margins().top, 720) << m.name;
    }
}

TEST(ReportDocument, PositionOnAMarginFollowsIt) {
    ReportDocument document;
    document.open();
    EXPECT_EQ(document.position(), QPointF(1440, 1440));
    EXPECT_TRUE(document.setMargins(ReportMargins()));
    EXPECT_EQ(document.position(), QPointF(1440, 720));
    document.setX(3000);
    document.setMargins({2000, 1440, 720, 864});
    EXPECT_EQ(document.position().x(), 3000);
}

TEST(ReportDocument, InlineTextNearTheEdgeStartsTheNextLine) {
    ReportDocument document = openDocument();
    document.setX(document.rightEdge() - 300);
    document.writeInline(u"x"_s); // placed where the caller put it
    document.writeParagraph(u"wide words here"_s);
    document.close();
    const auto texts = TextsOn(document);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].origin.x(), 1440);
    EXPECT_GT(texts[1].origin.y(), texts[0].origin.y());
}

TEST(ReportDocument, TextPlacedAtTheRightEdgeIsNotWrapped) {
    ReportDocument document = openDocument();
    document.writeInline(u"a"_s);
    document.setX(document.rightEdge());
    document.writeParagraph(u"b c"_s);
    document.close();
    const TextItem b = FindText(document, u"b c"_s);
    EXPECT_EQ(b.origin.x(), document.rightEdge());
    EXPECT_EQ(b.origin.y(), FindText(document, u"a"_s).origin.y());
}

TEST(ReportDocument, WordWiderThanTheLineOverflowsWithoutLooping) {
    ReportDocument document = openDocument();
    const QString huge(400, u'W');
    document.writeParagraph(huge + u" tail"_s);
    document.close();
    const auto texts = TextsOn(document);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, huge);
    EXPECT_EQ(texts[1].text, u"tail"_s);
}

TEST(ReportDocument, AutomaticPageBreakCarriesTheLineAndItsDrawings) {
    ReportDocument document = openDocument();
    document.setY(document.bottomEdge() - 10);
    document.setUnderline(true);
    document.drawLine(
        QLineF(1440, document.position().y() + 100, 3000, document.position().y() + 100));
    document.writeParagraph(u"moved"_s);
    document.close();
    ASSERT_EQ(document.pageCount(), 2);
    EXPECT_TRUE(TextsOn(document, 1).empty());
    const TextItem moved = FindText(document, u"moved"_s);
    EXPECT_NEAR(moved.origin.y(), 720 + moved.font.metrics().ascent(), Near);
    const auto lines = LinesOn(document, 2);
    ASSERT_EQ(lines.size(), 2u); // the run's underline and the flow line
    for (const LineItem &line : lines)
        EXPECT_LT(line.line.y1(), 720 + 400) << ::testing::PrintToString(line);
}

TEST(ReportDocument, LineTallerThanThePageIsPlacedAtItsTop) {
    ReportDocument document = openDocument();
    ASSERT_TRUE(document.setFontSize(MaximumPointSize));
    document.writeParagraph(u"A"_s);
    document.writeParagraph(u"B"_s);
    document.close();
    EXPECT_EQ(document.pageCount(), 2);
    EXPECT_EQ(TextsOn(document, 1).size(), 1u);
    EXPECT_EQ(TextsOn(document, 2).size(), 1u);
}

TEST(ReportDocument, ClosedDocumentIgnoresWriting) {
    ReportDocument document = openDocument();
    document.writeParagraph(u"kept"_s);
    document.close();
    document.writeParagraph(u"late"_s);
    document.newPage();
    document.drawLine(QLineF(0, 0, 100, 100));
    EXPECT_EQ(document.pageCount(), 1);
    EXPECT_EQ(DrawnText(document), u"kept"_s);
    EXPECT_TRUE(LinesOn(document).empty());
}

TEST(ReportDocument, OverlaysDecorateFinishedPages) {
    ReportDocument document = openDocument();
    document.writeParagraph(u"page one"_s);
    document.newPage();
    document.writeParagraph(u"page two"_s);
    document.close();

    // Where each alignment puts a text in its box is the page footer's test.
    PageOverlay overlay = document.overlay(2);
    ASSERT_TRUE(overlay.isValid());
    overlay.drawPicture(QRectF(1440, 1440, 720, 720), QImage(10, 10, QImage::Format_RGB32));
    const ReportFont footer{u"Arial"_s, 6};
    const QRectF box(1440, 15840 - 1008, 12240 - 2 * 1440, 200);
    overlay.drawText(u"left"_s, footer, box, Qt::AlignLeft);

    EXPECT_TRUE(document.page(1).overlay.empty());
    const auto &items = document.page(2).overlay;
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(std::get<PictureItem>(items[0]).target, QRectF(1440, 1440, 720, 720));
    EXPECT_EQ(std::get<TextItem>(items[1]).origin,
              QPointF(box.left(), box.top() + footer.metrics().ascent()));
    EXPECT_EQ(TextsOn(document, 2).size(), 1u) << "overlays stay apart from the content";

    for (const int missing : {0, 3, -1}) {
        PageOverlay nowhere = document.overlay(missing);
        EXPECT_FALSE(nowhere.isValid()) << missing;
        nowhere.drawText(u"x"_s, footer, box, Qt::AlignLeft); // ignored, not a crash
    }
    document.open();
    EXPECT_FALSE(overlay.isValid()) << "the page went with the reopened document";
}
