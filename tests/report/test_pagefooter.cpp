// The footer of every report page and the shortening of the window caption it repeats.

#include "pagefooter.h"
#include "windowcaption.h"

#include "displaylist.h"
#include "testsupport.h"

namespace {

TEST(FooterTextTest, ThreeParts) {
    struct Case {
        const char *name;
        QString computed;
        QString expected;
    };
    // The drawn footer's test has one-digit pages, version 1.0 and a date in long form.
    const Case cases[] = {
        {"longer numbers", FooterCentre(12, 120), QStringLiteral("Page 12 of 120")},
        {"two-digit minor", FooterRight(QStringLiteral("X"), {2, 15}),
         QStringLiteral("X Version 2.15")},
        {"a text that is not a date stays", FooterLeft(QStringLiteral("soon")),
         QStringLiteral("soon")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.computed, c.expected) << c.name;
}

// Each word in its turn, and only its first occurrence, gives its initial.
TEST(WindowCaptionTest, ShortenedCaption) {
    EXPECT_EQ(ShortenedCaption(QStringLiteral("Minimum Required Minimum Required ")),
              QStringLiteral("MRMinimum Required "));
}

TEST(DrawPageFooterTest, LeftCentreAndRightBelowTheText) {
    // A first page whose last line ends at the bottom edge, as low as text goes; then more pages.
    const ReportFontMetrics metrics = ReportFont{QStringLiteral("Arial"), 12}.metrics();
    const int before =
        int(14976 - 720 - (metrics.ascent() + metrics.descent() + metrics.leading()));
    const QString rtf = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\fs24"
                                       "\\sb%1 Lowest line\\par\\pard Next page\\par}")
                            .arg(before);
    ReportDocument document = RenderRtf(rtf);
    ASSERT_EQ(document.pageCount(), 2) << DrawnText(document).toStdString();
    ASSERT_EQ(TextsOn(document, 1).size(), 1u);
    DrawPageFooter(document, QStringLiteral("12/31/2025"), QStringLiteral("Stretch IRA Concept"),
                   {1, 0});

    double lowestText = 0;
    for (const TextItem &item : TextsOn(document, 1))
        lowestText = std::max(lowestText, item.origin.y() + item.font.metrics().descent());
    const double pageHeight = document.pageSize().height();
    for (int page = 1; page <= document.pageCount(); ++page) {
        const std::vector<TextItem> items = OverlayTextsOn(document, page);
        ASSERT_EQ(items.size(), 3u) << page;
        EXPECT_EQ(items[0].text, QStringLiteral("December 31, 2025"));
        EXPECT_EQ(items[1].text,
                  QStringLiteral("Page %1 of %2").arg(page).arg(document.pageCount()));
        EXPECT_EQ(items[2].text, QStringLiteral("Stretch IRA Concept Version 1.0"));
        EXPECT_DOUBLE_EQ(items[0].origin.x(), 1440) << "left at the left margin";
        EXPECT_NEAR(items[1].origin.x() + items[1].width / 2, 6120, 0.01) << "centred";
        EXPECT_NEAR(RightEnd(items[2]), 10800, 0.01) << "right at the right margin";
        for (const TextItem &item : items) {
            EXPECT_EQ(item.font.family, QStringLiteral("Arial"));
            EXPECT_EQ(item.font.pointSize, 6);
            EXPECT_FALSE(item.font.bold);
            EXPECT_EQ(item.origin.y(), items[0].origin.y()) << "one line";
        }
        const double top = items[0].origin.y() - items[0].font.metrics().ascent();
        EXPECT_GE(top, pageHeight - 1008);
        EXPECT_LE(top, pageHeight - 720);
        EXPECT_GT(top, lowestText) << "the footer runs into a full page's last line";
    }
}

} // namespace
