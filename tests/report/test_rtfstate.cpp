// The renderer's state classes: the group stack and the division of a paragraph into runs.

#include "rtfcontrolwords.h"
#include "rtfgroupstate.h"
#include "rtfparagraph.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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

TEST(RtfControlWords, KnownAndUnknownWords) {
    const struct {
        const char *word;
        bool known;
        RtfAction action;
    } cases[] = {
        {"b", true, RtfAction::Style},
        {"par", true, RtfAction::Paragraph},
        {"pard", true, RtfAction::ParagraphDefaults},
        {"tx", true, RtfAction::TabStop},
        {"v", true, RtfAction::Style},
        {"margb", true, RtfAction::Margin},
        {"pa", false, {}},
        {"parx", false, {}},
        {"", false, {}},
        {"fsx", false, {}},
        {"zzz", false, {}},
        {"a", false, {}},
    };
    for (const auto &c : cases) {
        const RtfControlWord *entry = FindControlWord(c.word);
        EXPECT_EQ(entry != nullptr, c.known) << '\\' << c.word;
        if (entry && c.known) {
            EXPECT_EQ(entry->action, c.action) << '\\' << c.word;
        }
    }
}

namespace {

const RtfCharFormat Plain{0, 24, 0};
const RtfCharFormat Bold{0, 24, RtfStyle::Bold};
const RtfCharFormat Underlined{0, 24, RtfStyle::Underline};

RtfParagraph paragraphOf(std::initializer_list<std::pair<QString, RtfCharFormat>> parts) {
    RtfParagraph paragraph;
    for (const auto &[text, format] : parts) {
        for (const QChar c : text)
            paragraph.append(c, format);
    }
    return paragraph;
}

// "text/tab/last" for each run, e.g. "ab" or "cd/tab" or "/last".
QString describe(const RtfParagraph &paragraph, const RtfCharFormat &endFormat) {
    QStringList parts;
    for (const RtfRun &run : paragraph.runs(endFormat)) {
        QString part = paragraph.text().mid(run.start, run.length);
        if (run.format == Bold)
            part += u"/bold"_s;
        if (run.tabFollows)
            part += run.tabUnderlined ? u"/ultab"_s : u"/tab"_s;
        if (run.last)
            part += u"/last"_s;
        parts << part;
    }
    return parts.join(u' ');
}

} // namespace

TEST(RtfParagraph, RunsEndAtFormatChangesAndTabs) {
    const struct {
        const char *name;
        RtfParagraph paragraph;
        QString expected;
    } cases[] = {
        {"one format", paragraphOf({{u"abc"_s, Plain}}), u"abc/last"_s},
        {"format change", paragraphOf({{u"ab"_s, Bold}, {u"cd"_s, Plain}}), u"ab/bold cd/last"_s},
        {"same format joins", paragraphOf({{u"ab"_s, Plain}, {u"cd"_s, Plain}}), u"abcd/last"_s},
        {"tab between", paragraphOf({{u"a\tb"_s, Plain}}), u"a/tab b/last"_s},
        {"underlined tab", paragraphOf({{u"a"_s, Plain}, {u"\t"_s, Underlined}, {u"b"_s, Plain}}),
         u"a/ultab b/last"_s},
        {"two tabs give an empty run", paragraphOf({{u"a\t\tb"_s, Plain}}), u"a/tab /tab b/last"_s},
        {"closing tab still ends the paragraph", paragraphOf({{u"a\t"_s, Plain}}),
         u"a/tab /last"_s},
        {"leading tab", paragraphOf({{u"\tb"_s, Plain}}), u"/tab b/last"_s},
        {"empty paragraph", RtfParagraph{}, u"/bold/last"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(describe(c.paragraph, Bold), c.expected) << c.name;
}

TEST(RtfParagraph, EmptyRunsTakeTheFormatOfTheirTab) {
    const RtfParagraph paragraph = paragraphOf({{u"a"_s, Plain}, {u"\t"_s, Underlined}});
    const auto runs = paragraph.runs(Bold);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].length, 0);
    EXPECT_EQ(runs[1].format, Underlined);
}
