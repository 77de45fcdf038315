// The renderer's behaviour, read back from the document's display list.

#include "displaylist.h"
#include "rtfrenderer.h"
#include "rtftext.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr double LeftMargin = 1440;
constexpr double RightEdge = 12240 - 1440;
constexpr double TopMargin = 720;
constexpr double Near = 0.01;

} // namespace

TEST(DrawRTF, CharacterFormats) {
    const QString fonts = uR"({\fonttbl{\f0\fswiss Arial;}{\f1\froman Times New Roman;})"
                          uR"({\f2\fmodern Courier New;}{\f2\fmodern Liberation Mono;}})"_s;
    const struct {
        const char *name;
        QString rtf;
        QString text; // the drawn text to look at
        const char *font;
    } cases[] = {
        {"bold group", uR"({\b bold} plain\par)"_s, u"bold"_s, "Arial 12pt bold"},
        {"after the bold group", uR"({\b bold} plain\par)"_s, u" plain"_s, "Arial 12pt"},
        {"\\b0 clears bold", uR"(\b x\b0 y\par)"_s, u"y"_s, "Arial 12pt"},
        {"\\b sets bold", uR"(\b x\b0 y\par)"_s, u"x"_s, "Arial 12pt bold"},
        {"\\b1 sets bold", uR"(\b1 x\par)"_s, u"x"_s, "Arial 12pt bold"},
        {"\\i sets italic", uR"(\i x\i0 y\par)"_s, u"x"_s, "Arial 12pt italic"},
        {"\\i0 clears italic", uR"(\i x\i0 y\par)"_s, u"y"_s, "Arial 12pt"},
        {"\\fs in half-points", uR"(\fs40 x\par)"_s, u"x"_s, "Arial 20pt"},
        {"odd half-points", uR"(\fs17 x\par)"_s, u"x"_s, "Arial 8.5pt"},
        {"\\plain resets size and style", uR"(\fs40\b\i x\plain y\par)"_s, u"y"_s, "Arial 12pt"},
        {"\\plain takes the \\deff font",
         uR"({\fonttbl{\f0 Arial;}{\f2 Courier New;}}\deff2\f0 x\plain y\par)"_s, u"y"_s,
         "Courier New 12pt"},
        {"group ends restore the format", uR"(\fs20{\fs40\b x}y\par)"_s, u"y"_s, "Arial 10pt"},
        {"\\f takes the font table's name", fonts + uR"(\f1 x\par)"_s, u"x"_s,
         "Times New Roman 12pt"},
        {"a later entry of a number wins", fonts + uR"(\f2 x\par)"_s, u"x"_s,
         "Liberation Mono 12pt"},
        {"a number without an entry keeps the name", fonts + uR"(\f2 x\par\f9 y\par)"_s, u"y"_s,
         "Liberation Mono 12pt"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FontText(FindText(RenderRtf(c.rtf), c.text).font), QLatin1String(c.font))
            << c.name;
}

TEST(DrawRTF, WithoutAnySizeTheDocumentKeepsItsOwnFontSize) {
    // No \fs and no \plain: the runs carry 0 half-points, which the page refuses.
    ReportDocument document;
    document.open();
    document.setFontSize(9);
    DrawRTF(document, u"small{\\ul\\tab}{\\ul under}\\par"_s);
    document.close();
    EXPECT_EQ(FindText(document, u"small"_s).font.pointSize, 9);
    // The underlined tab's line sits where the underlined text's does, not at the line's top.
    const auto lines = LinesOn(document);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NEAR(lines[0].line.y1(), lines[1].line.y1(), Near);
}

TEST(DrawRTF, RunsOfOneFormatAreWrittenOnOneLine) {
    const ReportDocument document = RenderRtf(uR"(one {\b two} three\par)"_s);
    const auto texts = TextsOn(document);
    ASSERT_EQ(texts.size(), 3u) << DrawnText(document).toStdString();
    EXPECT_EQ(texts[0].origin.x(), LeftMargin);
    for (std::size_t i = 1; i < texts.size(); ++i) {
        EXPECT_NEAR(texts[i].origin.x(), RightEnd(texts[i - 1]), Near)
            << texts[i].text.toStdString();
        EXPECT_EQ(texts[i].origin.y(), texts[0].origin.y()) << texts[i].text.toStdString();
    }
}

TEST(DrawRTF, EscapesAndSpecialCharacters) {
    const struct {
        const char *name;
        QString rtf;
        QString drawn;
    } cases[] = {
        {"quotes", uR"(\lquote x\rquote\par)"_s, u"'x'"_s},
        {"bullet", uR"(\bullet  item\par)"_s, u"- item"_s},
        {"line breaks in the source are not text", u"a\r\nb\\par"_s, u"ab"_s},
        {"unknown words are skipped with their parameter", uR"(a\foo12 b\unknown c\par)"_s,
         u"abc"_s},
        {"unicode and its fallback", uR"(O\u8217?Brien \u-3913?x\par)"_s,
         u"O\u2019Brien \uf0b7x"_s},
        {"\\uc0: no fallback", uR"(\uc0\u8364 5\par)"_s, u"\u20ac5"_s},
        {"\\uc2: an escape and a character", uR"(\uc2\u233\'e9xy\par)"_s, u"\u00e9y"_s},
        {"\\uc holds in its group", uR"({\uc0\u233}\u233?y\par)"_s, u"\u00e9\u00e9y"_s},
        {"a brace ends the fallback", uR"({\u20013}x\par)"_s, u"\u4e2dx"_s},
        {"text after the last paragraph mark", uR"(shown\par not shown)"_s, u"shown"_s},
        {"the same in a group", uR"({\rtf1 shown\par not shown})"_s, u"shown"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DrawnText(RenderRtf(c.rtf)), c.drawn) << c.name << ": " << c.rtf.toStdString();
}

// What a person types goes into a report escaped and in the report's code page, and the
// renderer draws it back as typed.
TEST(DrawRTF, TypedTextComesBackAsTyped) {
    for (const QString &typed : {u"}\\par\\b {"_s, u"O\u2019Brien \u2013 \u20ac5 Zo\u00eb"_s,
                                 u"\u674e\u660e"_s, u"\u0081 \U0001f600"_s}) {
        const QString rtf = RtfText::toCodePage(RtfText::escape(typed));
        EXPECT_TRUE(std::ranges::all_of(rtf, [](QChar c) { return c.unicode() <= 0xff; }))
            << rtf.toStdString();
        EXPECT_EQ(DrawnText(RenderRtf(rtf + u"\\par"_s)), typed) << rtf.toStdString();
    }
}

// Where a text goes: after a tab, the stop's kind decides which end of the text (or its middle)
// meets it; past the last stop, or beyond the right edge, it is the right edge. Alignment, the
// margin words and hidden text move it too.
TEST(DrawRTF, WhereTextIsDrawn) {
    enum class End { Left, Centre, Right };
    const struct {
        const char *name;
        QString rtf;
        QString text;
        End end;
        double x;
    } cases[] = {
        {"no stops", uR"(a\tab b\par)"_s, u"b"_s, End::Left, RightEdge},
        {"left stop", uR"(\tx1000 a\tab b\tab c\par)"_s, u"b"_s, End::Left, LeftMargin + 1000},
        {"past the last stop", uR"(\tx1000 a\tab b\tab c\par)"_s, u"c"_s, End::Left, RightEdge},
        {"right stop", uR"(\tqr\tx5000 Name\tab Value\par)"_s, u"Value"_s, End::Right,
         LeftMargin + 5000},
        // Measured in the font before the tab, the larger bold text would end short of the stop.
        {"right stop measures in the text's own font",
         uR"(\tqr\tx5000 x\tab\fs48\b WIDE TEXT\par)"_s, u"WIDE TEXT"_s, End::Right,
         LeftMargin + 5000},
        {"left then centre stop", uR"(\tx2000\tqc\tx6000 a\tab b\tab Middle\par)"_s, u"b"_s,
         End::Left, LeftMargin + 2000},
        {"centre stop", uR"(\tx2000\tqc\tx6000 a\tab b\tab Middle\par)"_s, u"Middle"_s, End::Centre,
         LeftMargin + 6000},
        // The first stop right of the position wins, even when a nearer one is listed later.
        {"stops in the order written", uR"(\tx4000\tx2000 a\tab b\tab c\par)"_s, u"b"_s, End::Left,
         LeftMargin + 4000},
        {"no later stop", uR"(\tx4000\tx2000 a\tab b\tab c\par)"_s, u"c"_s, End::Left, RightEdge},
        {"stop beyond the right edge", uR"(\tqr\tx20000 a\tab b\par)"_s, u"b"_s, End::Right,
         RightEdge},
        {"consecutive tabs", uR"(\tx1000\tx3000 a\tab\tab b\par)"_s, u"b"_s, End::Left,
         LeftMargin + 3000},
        {"\\pard clears the stops", uR"(\tx2000\pard a\tab b\par)"_s, u"b"_s, End::Left, RightEdge},
        {"groups restore the alignment", uR"({\qr\tx100\sb999 x\par}a\tab b\par)"_s, u"a"_s,
         End::Left, LeftMargin},
        {"groups restore the stops", uR"({\qr\tx100\sb999 x\par}a\tab b\par)"_s, u"b"_s, End::Left,
         RightEdge},
        {"underlined tab to a right stop", uR"(\fs24\tqr\tx5000 Name{\ul\tab}Value\par)"_s,
         u"Value"_s, End::Right, LeftMargin + 5000},
        {"left margin", uR"(\margl2880 a\par)"_s, u"a"_s, End::Left, 2880},
        {"right margin", uR"(\margr2880 a\tab b\par)"_s, u"b"_s, End::Left, 12240 - 2880},
        // A margin that leaves no room between the edges is refused.
        {"margin refused", uR"(\margl20000 a\par)"_s, u"a"_s, End::Left, LeftMargin},
        {"hidden text draws nothing, not even tabs or bullets",
         uR"(a{\v hidden\tab\bullet\lquote}b\v gone\v0 c\par)"_s, u"abc"_s, End::Left, LeftMargin},
    };
    for (const auto &c : cases) {
        const TextItem found = FindText(RenderRtf(c.rtf), c.text);
        const double x = c.end == End::Left    ? found.origin.x()
                         : c.end == End::Right ? RightEnd(found)
                                               : found.origin.x() + found.width / 2;
        EXPECT_NEAR(x, c.x, Near) << c.name << ": " << ::testing::PrintToString(found);
    }
}

TEST(DrawRTF, RightTabStopNeverOverlapsTheTextBeforeIt) {
    // The stop lies right of the label, but the value is wider than the gap between them.
    const ReportDocument document = RenderRtf(
        uR"(\tqr\tx5000 A label\tab a value that is much wider than the gap before the stop\par)"_s);
    const TextItem label = FindText(document, u"A label"_s);
    const TextItem value =
        FindText(document, u"a value that is much wider than the gap before the stop"_s);
    ASSERT_LT(RightEnd(label), 1440 + 5000);
    ASSERT_GT(value.width, 1440 + 5000 - RightEnd(label));
    EXPECT_NEAR(value.origin.x(), RightEnd(label), Near);
}

// Underlined runs and tabs draw a line 1.2 times the 12-point size below the line's top, across
// the underlined text or gap. A signature line: the underlined tab at the paragraph's end draws.
TEST(DrawRTF, UnderlineLines) {
    const double y = TopMargin + 12 * 24;
    const struct {
        const char *name;
        QString rtf;
        QString from; // the line starts at this text's start, or its end when fromEnd
        bool fromEnd;
        QString to; // and ends at this text's end, or its start when toStart; none: the edge
        bool toStart;
    } cases[] = {
        {"run", uR"(\fs24\ul under\ul0  not\par)"_s, u"under"_s, false, u"under"_s, false},
        {"centred title", uR"(\fs24\qc\ul Title\par)"_s, u"Title"_s, false, u"Title"_s, false},
        {"tab to the edge", uR"(\fs24 Signature{\ul\tab}\par)"_s, u"Signature"_s, true, {}, false},
        {"tab to a right stop", uR"(\fs24\tqr\tx5000 Name{\ul\tab}Value\par)"_s, u"Name"_s, true,
         u"Value"_s, true},
    };
    for (const auto &c : cases) {
        const ReportDocument document = RenderRtf(c.rtf);
        const auto at = [&document](const QString &text, bool start) {
            if (text.isEmpty())
                return RightEdge;
            const TextItem item = FindText(document, text);
            return start ? item.origin.x() : RightEnd(item);
        };
        const auto lines = LinesOn(document);
        ASSERT_EQ(lines.size(), 1u) << c.name;
        EXPECT_EQ(lines[0].line, QLineF(at(c.from, !c.fromEnd), y, at(c.to, c.toStart), y))
            << c.name << ": " << ::testing::PrintToString(lines[0]);
    }
    // A tab that is not underlined draws no line between underlined texts.
    EXPECT_EQ(LinesOn(RenderRtf(uR"({\ul a}\tab{\ul b}\par)"_s)).size(), 2u);
}

// Every line of a wrapped paragraph keeps its alignment, follows the one before at the same
// distance and loses no word; a justified paragraph fills all its lines but the last.
TEST(DrawRTF, WrappedLinesKeepTheirAlignment) {
    QStringList words;
    for (int i = 0; i < 70; ++i)
        words << u"word%1"_s.arg(i);
    for (const QString &alignment : {u""_s, u"\\qc "_s, u"\\qr "_s, u"\\qj "_s}) {
        SCOPED_TRACE(alignment.toStdString());
        auto texts = TextsOn(RenderRtf(alignment + words.join(u' ') + u"\\par after\\par"_s));
        ASSERT_GE(texts.size(), 4u);
        texts.pop_back(); // "after"
        QStringList drawn;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const TextItem &text = texts[i];
            drawn << text.text;
            const double before = text.origin.x() - LeftMargin;
            const double after = RightEdge - text.origin.x() -
                                 text.font.metrics().horizontalAdvance(text.text.trimmed());
            const auto printed = ::testing::PrintToString(text);
            ASSERT_GE(before, -Near) << printed;
            ASSERT_GE(after, -Near) << printed;
            EXPECT_NEAR(text.origin.y() - texts[i ? i - 1 : 0].origin.y(),
                        i ? texts[1].origin.y() - texts[0].origin.y() : 0, Near);
            if (alignment == u"\\qc ") {
                EXPECT_NEAR(before, after, Near) << printed;
            } else if (alignment == u"\\qr ") {
                EXPECT_NEAR(after, 0, Near) << printed;
            } else {
                EXPECT_NEAR(before, 0, Near) << printed;
            }
            if (alignment == u"\\qj " && i + 1 < texts.size()) {
                EXPECT_NEAR(RightEnd(text), RightEdge, Near) << printed;
            }
        }
        EXPECT_GT(texts[1].origin.y(), texts[0].origin.y());
        EXPECT_EQ(drawn.join(u' '), words.join(u' '));
        EXPECT_EQ(texts.back().wordSpacing, 0);
    }
}

TEST(DrawRTF, SpaceBetweenParagraphs) {
    const ReportDocument plain = RenderRtf(uR"(a\par b\par)"_s);
    const double line = FindText(plain, u"b"_s).origin.y() - FindText(plain, u"a"_s).origin.y();
    ASSERT_GT(line, 0);
    const struct {
        const char *name;
        QString rtf;
        double gap; // from a's line to b's
    } cases[] = {
        {"space before", uR"(a\par\sb240 b\par)"_s, line + 240},
        {"space after", uR"(\sa360 a\par\pard b\par)"_s, line + 360},
        {"an empty paragraph leaves a blank line", uR"(a\par\par b\par)"_s, 2 * line},
    };
    for (const auto &c : cases) {
        const ReportDocument document = RenderRtf(c.rtf);
        EXPECT_NEAR(FindText(document, u"b"_s).origin.y() - FindText(document, u"a"_s).origin.y(),
                    c.gap, Near)
            << c.name;
    }
    const ReportDocument first = RenderRtf(uR"(\sb500 a\par)"_s);
    EXPECT_NEAR(FindText(first, u"a"_s).origin.y(), FindText(plain, u"a"_s).origin.y() + 500, Near);
}

TEST(DrawRTF, SkippedDestinationsProduceNothing) {
    const char *groups[] = {R"(\colortbl\red0\green0\blue0;)",   R"(\stylesheet{\s0 Normal;})",
                            R"(\info{\title Report})",           R"(\header Page\par)",
                            R"(\footer\tab Footer\page\par)",    R"(\pict\wmetafile8 0123abcd)",
                            R"(\*\generator Writer\par)",        R"(\*\unknown{\b x}\tab)",
                            R"(\fonttbl{\f0 Arial;}\bullet\par)"};
    for (const char *group : groups) {
        const QString rtf = u"a{"_s + QString::fromLatin1(group) + u"}b\\par"_s;
        const ReportDocument document = RenderRtf(rtf);
        EXPECT_EQ(DrawnText(document), u"ab"_s) << rtf.toStdString();
        EXPECT_EQ(document.pageCount(), 1) << rtf.toStdString();
        EXPECT_EQ(FindText(document, u"ab"_s).origin.y(),
                  FindText(RenderRtf(u"ab\\par"_s), u"ab"_s).origin.y())
            << rtf.toStdString();
    }
}

TEST(DrawRTF, PageBreak) {
    const ReportDocument document = RenderRtf(uR"(a\par\page b\par)"_s);
    ASSERT_EQ(document.pageCount(), 2);
    EXPECT_EQ(DrawnText(document), u"a|b"_s);
    ASSERT_EQ(TextsOn(document, 2).size(), 1u);
    EXPECT_EQ(TextsOn(document, 2)[0].origin.y(), TextsOn(document, 1)[0].origin.y());
}
