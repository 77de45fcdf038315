// The bounds of the renderer's group stack and tab stops, which hostile input would otherwise
// grow without end, and the format of the empty runs no drawn text shows.

#include "rtfgroupstate.h"
#include "rtfparagraph.h"

#include <gtest/gtest.h>

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
