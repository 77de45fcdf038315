// The tokenizer, and the bounds of the renderer's group stack and tab stops, which hostile input
// would otherwise grow without end.

#include "rtfgroupstate.h"
#include "rtfparagraph.h"
#include "rtftokenizer.h"

#include <QString>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Writes what the tokenizer reports as a readable string: "{", "}", "*", "[word]" or
// "[wordN]", and characters as they come.
class Recorder : public RtfListener {
public:
    QString events;

    void groupStart() override { events += u'{'; }
    void groupEnd() override { events += u'}'; }
    void controlWord(std::string_view word, std::optional<int> parameter) override {
        events += u'[' + QString::fromLatin1(word.data(), qsizetype(word.size()));
        if (parameter)
            events += QString::number(*parameter);
        events += u']';
    }
    void ignorableDestination() override { events += u'*'; }
    void character(QChar c) override { events += c; }
};

QString tokenize(const QString &text) {
    Recorder recorder;
    RtfTokenizer tokenizer(recorder);
    tokenizer.feed(text);
    tokenizer.finish();
    return recorder.events;
}

struct Case {
    const char *name;
    QString input;
    QString expected;
};

void expectAll(std::initializer_list<Case> cases) {
    for (const Case &c : cases) {
        EXPECT_EQ(tokenize(c.input).toStdString(), c.expected.toStdString())
            << c.name << ": input \"" << c.input.toStdString() << '"';
    }
}

} // namespace

TEST(RtfTokenizer, ControlWordsAndTheirDelimiters) {
    expectAll({
        {"blank delimiter is consumed", u"\\b bold"_s, u"[b]bold"_s},
        {"only one blank is consumed", u"\\fs24  x"_s, u"[fs24] x"_s},
        {"parameter ends at a letter", u"\\b0x"_s, u"[b0]x"_s},
        {"letters after the word join it", u"\\bx y"_s, u"[bx]y"_s},
        {"negative parameter", u"\\fs-4x"_s, u"[fs-4]x"_s},
        {"lone minus is no parameter", u"\\fs-x"_s, u"[fs]x"_s},
        {"second minus ends the word", u"\\fs--4"_s, u"[fs]-4"_s},
        {"minus after digits is text", u"\\fs2-4"_s, u"[fs2]-4"_s},
        {"backslash starts the next word", u"\\fs24\\b\\i0 "_s, u"[fs24][b][i0]"_s},
        {"brace ends a word", u"{\\b}{"_s, u"{[b]}{"_s},
        {"line break ends a word and stays", u"\\par\r\nx"_s, u"[par]\r\nx"_s},
        {"uppercase letter ends a word", u"\\parA"_s, u"[par]A"_s},
        {"leading zeros", u"\\fs0024 "_s, u"[fs24]"_s},
        {"end of text ends the word", u"x\\par"_s, u"x[par]"_s},
        {"end of text ends the parameter", u"\\sb120"_s, u"[sb120]"_s},
    });
}

TEST(RtfTokenizer, ParametersBeyondThirtyTwoBitsDropTheWord) {
    expectAll({
        {"largest", u"\\fs2147483647 x"_s, u"[fs2147483647]x"_s},
        {"smallest kept", u"\\fs-2147483647 x"_s, u"[fs-2147483647]x"_s},
        {"one beyond", u"\\fs2147483648 x"_s, u"x"_s},
        {"far beyond", u"\\fs99999999999999999999999999999 x"_s, u"x"_s},
        {"far beyond, negative", u"\\fs-99999999999999999999999 x"_s, u"x"_s},
    });
}

TEST(RtfTokenizer, OverlongWordsAreSkippedWhole) {
    const QString word32(32, u'a');
    const QString word33(33, u'a');
    expectAll({
        {"32 letters", u'\\' + word32 + u" x"_s, u'[' + word32 + u"]x"_s},
        {"33 letters", u'\\' + word33 + u"5 x"_s, u"x"_s},
        {"a long word that starts like a known one", u"\\par"_s + word33 + u" x"_s, u"x"_s},
    });
}

TEST(RtfTokenizer, ControlSymbols) {
    expectAll({
        {"escaped backslash and braces", u"\\\\\\{\\}"_s, u"\\{}"_s},
        {"non-breaking space", u"a\\~b"_s, u"a b"_s},
        {"ignorable destination", u"{\\*\\foo x}"_s, u"{*[foo]x}"_s},
        {"other symbols are dropped", u"a\\-b\\_c\\|d\\:e\\A\\1"_s, u"abcde"_s},
        {"backslash before a line break", u"a\\\nb"_s, u"ab"_s},
        {"backslash at the very end", u"a\\"_s, u"a"_s},
    });
}

// The code page's own table is the Windows-1252 test's; the rows show the escapes use it, and
// fold single quotes to the apostrophe.
TEST(RtfTokenizer, HexEscapesAreWindows1252) {
    expectAll({
        {"right single quote is the apostrophe", u"it\\'92s"_s, u"it's"_s},
        {"left single quote too", u"\\'91x"_s, u"'x"_s},
        {"upper-case digits", u"\\'E9"_s, u"\u00e9"_s},
        {"euro sign", u"\\'80"_s, u"\u20ac"_s},
        {"undefined byte", u"\\'81x"_s, QString(QChar(0)) + u'x'},
        {"escape followed by text", u"\\'e9t\\'e9"_s, u"\u00e9t\u00e9"_s},
        {"broken escape keeps the brace", u"{\\'4}x"_s, u"{'}x"_s},
        {"broken at once", u"\\'zz"_s, u"'zz"_s},
        {"truncated at the end", u"x\\'4"_s, u"x"_s},
    });
}

TEST(RtfTokenizer, RawHighBytesReadAsLatin1AreWindows1252) {
    // A template read as Latin-1 carries its Windows-1252 bytes 0x80 to 0x9F as U+0080..U+009F.
    expectAll({
        {"curly quotes", QString(QChar(0x93)) + u"x"_s + QChar(0x94), u"\u201cx\u201d"_s},
        {"Latin-1 letters stay", u"\u00e9\u00bd"_s, u"\u00e9\u00bd"_s},
        {"characters beyond Latin-1 stay", u"\u0142\u4e2d"_s, u"\u0142\u4e2d"_s},
    });
}

TEST(RtfTokenizer, TextSplitAnywhereGivesTheSameTokens) {
    const QString text =
        uR"({\rtf1{\fonttbl{\f0\fswiss Arial;}}\f0\fs24\b0 a\'92b\tab\tqr\tx-5000 c\~d\\\{\}\par})"_s;
    const QString whole = tokenize(text);
    for (qsizetype split = 0; split <= text.size(); ++split) {
        Recorder recorder;
        RtfTokenizer tokenizer(recorder);
        tokenizer.feed(QStringView(text).left(split));
        tokenizer.feed(QStringView(text).mid(split));
        tokenizer.finish();
        EXPECT_EQ(recorder.events.toStdString(), whole.toStdString()) << "split at " << split;
    }
}

TEST(RtfGroupStack, NestingBeyondTheLimitIsStillMatched) {
    RtfGroupStack groups;
    groups.push();
    groups.current().character.setStyle(RtfStyle::Bold, true);
    const std::size_t extra = RtfGroupStack::MaximumDepth + 100;
    for (std::size_t i = 0; i < extra; ++i)
        groups.push();
    EXPECT_EQ(groups.depth(), extra + 1);
    for (std::size_t i = 0; i < extra; ++i)
        groups.pop();
    EXPECT_EQ(groups.depth(), 1u);
    EXPECT_TRUE(groups.current().character.has(RtfStyle::Bold)) << "still in the first group";
    groups.pop();
    EXPECT_FALSE(groups.current().character.has(RtfStyle::Bold));
}

TEST(RtfParaFormat, TabStopsTakeThePendingKindAndAreBounded) {
    RtfParaFormat format;
    format.nextTabKind = TabKind::Right;
    format.addTabStop(5000);
    format.addTabStop(6000);
    ASSERT_EQ(format.tabStops.size(), 2u);
    EXPECT_EQ(format.tabStops[0], (TabStop{5000, TabKind::Right}));
    EXPECT_EQ(format.tabStops[1], (TabStop{6000, TabKind::Left}));
    for (int i = 0; i < 1000; ++i)
        format.addTabStop(i);
    EXPECT_EQ(format.tabStops.size(), RtfParaFormat::MaximumTabStops);
}

// The run after a closing tab takes the tab's format (an underlined one draws its line); an empty
// paragraph takes the format at its end, which sets its height.
TEST(RtfParagraph, EmptyRunsTakeTheFormatBeforeThem) {
    const RtfCharFormat plain{0, 24, 0};
    const RtfCharFormat underlined{0, 24, RtfStyle::Underline};
    const RtfCharFormat bold{0, 24, RtfStyle::Bold};
    RtfParagraph tabbed;
    tabbed.append(u'a', plain);
    tabbed.append(u'\t', underlined);
    const auto runs = tabbed.runs(bold);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].length, 0);
    EXPECT_EQ(runs[1].format, underlined);
    EXPECT_TRUE(runs[1].last);
    const auto empty = RtfParagraph{}.runs(bold);
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].format, bold);
    EXPECT_TRUE(empty[0].last);
}
