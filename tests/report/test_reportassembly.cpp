// The report rebuild (validation first, the document only after it passed; the graph step only
// when its page is on) and its assembly: which decorations go on which page for each set of
// Stretch page switches, the finished document's overlays with the support archive the build
// packs, and the footer of every page with the shortening of the window caption it repeats.

#include "pagefooter.h"
#include "reportassembly.h"
#include "reportfixture.h"
#include "windowcaption.h"

#include "displaylist.h"
#include "fatalerror.h"
#include "reportbuild.h"
#include "supportarchive.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

namespace {

QStringList describe(const std::vector<Decoration> &decorations) {
    QStringList lines;
    for (const Decoration &d : decorations) {
        if (d.kind == Decoration::Kind::Picture)
            lines << QStringLiteral("%1 at %2,%3 on %4")
                         .arg(d.name)
                         .arg(double(d.left))
                         .arg(double(d.top))
                         .arg(d.page);
        else
            lines << QStringLiteral("logo %1 on %2")
                         .arg(d.name.isEmpty() ? QStringLiteral("(default)") : d.name)
                         .arg(d.page);
    }
    return lines;
}

QStringList texts(const std::vector<TextItem> &items) {
    QStringList list;
    for (const TextItem &item : items)
        list << item.text;
    return list;
}

TEST(StretchDecorationsTest, PagesFollowTheSwitches) {
    const struct {
        ReportPages pages;
        int pageCount;
        const char *expected; // in the order drawn, "; " between them
    } cases[] = {
        // cover and taxes: the tax pictures on page 2
        {{true, false, true, false, false},
         2,
         "100side.bmp at 1,1 on 1; PileofCashMed.jpg at 7,1 on 2; PileofCashMed.jpg at 7,4.5 on 2; "
         "PileofCashMed.jpg at 6.55,4.5 on 2; logo StretchLogo on 1; logo (default) on 1"},
        // cover and story: the story picture on page 2, both logos on page 1
        {{true, true, false, false, false},
         2,
         "100side.bmp at 1,1 on 1; Wenpic.jpg at 1.5,1 on 2; logo StretchLogo on 1; logo (default) "
         "on 1"},
        // story alone starts the report
        {{false, true, false, false, false}, 1, "Wenpic.jpg at 1.5,1 on 1"},
        // story and taxes
        {{false, true, true, false, false},
         3,
         "Wenpic.jpg at 1.5,1 on 1; PileofCashMed.jpg at 7,1 on 2; PileofCashMed.jpg at 7,4.5 on "
         "2; PileofCashMed.jpg at 6.55,4.5 on 2"},
        // graph alone
        {{false, false, false, false, true},
         1,
         "RMDGraph.bmp at 2.5,1 on 1; logo StretchLogo on 1"},
        // graph after nine pages
        {{false, false, false, true, true},
         9,
         "RMDGraph.bmp at 2.5,1 on 9; logo StretchLogo on 9; logo StretchLogo on 1"},
        // every page: rmdbatch's report of the Stretch sample reads its pictures back per page
        // no page
        {{false, false, false, false, false}, 1, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(describe(StretchDecorations(c.pages, c.pageCount)).join(u"; "),
                  QLatin1String(c.expected));
}

QSize pictureSize(const QString &archivePath, const QString &entry, const QString &folder) {
    const ExtractResult result = SupportArchive(archivePath).extract(entry, folder);
    EXPECT_TRUE(result.ok()) << entry.toStdString();
    const QString path = QDir(folder).filePath(entry);
    const QSize size = QImageReader(path).size();
    QFile::remove(path);
    return size;
}

// The rebuild and the assembly with the archive the build packs, as on 01/15/2024.
class ReportTest : public IllustrationTest {
protected:
    void SetUp() override {
        context.today = QDate(2024, 1, 15);
        context.representative = SampleRepresentative();
    }
    ReportEnvironment environment(const QString &caption = QStringLiteral("Stretch")) const {
        return {archive, folder.work, QStringLiteral("Retirement Distribution Planner"), caption,
                ProgramVersion{1, 0}};
    }

    ArchiveFolder folder;
    const QString builtArchive = QStringLiteral(SUPPORT_ARCHIVE);
    SupportArchive archive{builtArchive};
    CalcContext context;
    Report report;
};

const QString ThreePages = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                                          "\\pard\\plain\\sb1000 Cover\\par\\page Taxes\\par"
                                          "\\page Graph\\par}");

// A run keeps what the archive gave whole for its next reports, never a report's own graph
// bitmap nor a picture that failed or was missing (it may be there for the next report).
TEST(KeepArchivePicturesTest, KeepsWholeArchivePicturesOnly) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    PictureCache read;
    read.pictures = {{QStringLiteral("RMDGraph.bmp"), {image, {}}},
                     {QStringLiteral("Wenpic.jpg"), {image, {}}},
                     {QStringLiteral("missing.jpg"), {QImage(), {}}},
                     {QStringLiteral("broken.bmp"), {image, QStringLiteral("not a picture")}}};
    read.logos = {{QStringLiteral("StretchLogo"), {image, QRectF(0, 0, 10, 10)}},
                  {QStringLiteral("NoLogo"), {QImage(), std::nullopt}}};
    PictureCache kept;
    KeepArchivePictures(read, kept);
    QStringList names;
    for (const auto &entry : kept.pictures)
        names << entry.first;
    for (const auto &entry : kept.logos)
        names << entry.first;
    EXPECT_EQ(names, QStringList({QStringLiteral("Wenpic.jpg"), QStringLiteral("StretchLogo")}));
}

TEST_F(ReportTest, StretchPagesGetTheirPicturesLogosAndFooters) {
    MakeStretchSample(illustration, context.today);
    // The graph bitmap lies in the work folder, as the graph leaves it.
    WriteWholeFile(folder.workFile(QStringLiteral("RMDGraph.bmp")), PictureBytes(624, 468));

    CreateReport(report, ThreePages, illustration, ReportPages{true, false, true, false, true},
                 environment(QStringLiteral("Stretch IRA Concept")));
    const ReportDocument &document = report.document;
    EXPECT_EQ(report.name, QStringLiteral("Retirement Distribution Planner"));
    ASSERT_EQ(document.pageCount(), 3);
    const PageMargins margins = document.margins();
    EXPECT_EQ(std::tuple(margins.left, margins.right, margins.top, margins.bottom),
              std::tuple(1440, 1440, 720, 864));
    EXPECT_EQ(DrawnText(document), QStringLiteral("Cover|Taxes|Graph"));

    const QSize side = pictureSize(builtArchive, QStringLiteral("100side.bmp"), folder.work);
    const QSize pile = pictureSize(builtArchive, QStringLiteral("PileofCashMed.jpg"), folder.work);
    const std::vector<PictureItem> cover = OverlayPicturesOn(document, 1);
    ASSERT_EQ(cover.size(), 3u);
    EXPECT_EQ(cover[0].target, QRectF(QPointF(1440, 1440), QSizeF(side) * 15));
    // The Stretch logo at its placement's left, the default logo beside it, both 720 down.
    EXPECT_EQ(cover[1].target.topLeft(), QPointF(6230, 720));
    EXPECT_EQ(cover[2].target.topLeft(), QPointF(1440, 720));
    EXPECT_EQ(cover[1].target.height(), 560);
    EXPECT_LE(cover[2].target.right(), cover[1].target.left()) << "the logos overlap";

    const std::vector<PictureItem> taxes = OverlayPicturesOn(document, 2);
    ASSERT_EQ(taxes.size(), 3u);
    const QPointF pileCorners[] = {{10080, 1440}, {10080, 6480}, {9432, 6480}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(taxes[i].target.left(), pileCorners[i].x(), 0.01) << i;
        EXPECT_EQ(taxes[i].target.top(), pileCorners[i].y()) << i;
        EXPECT_EQ(taxes[i].target.size(), QSizeF(pile) * 15) << i;
    }

    // One picture read once, shared by its places, so that a PDF holds it once.
    EXPECT_EQ(taxes[0].image.cacheKey(), taxes[2].image.cacheKey());

    const std::vector<PictureItem> last = OverlayPicturesOn(document, 3);
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[0].target, QRectF(3600, 1440, 7200, 5400));
    EXPECT_EQ(last[1].target.topLeft(), QPointF(6230, 720));
    EXPECT_EQ(last[1].image.cacheKey(), cover[1].image.cacheKey());

    // Footers on every page are rmdbatch report's test; here the date, caption and version.
    EXPECT_EQ(texts(OverlayTextsOn(document, 3)),
              QStringList({QStringLiteral("January 15, 2024"), QStringLiteral("Page 3 of 3"),
                           QStringLiteral("Stretch IRA Concept Version 1.0")}));
    // Every extracted copy is gone; the graph bitmap, which the archive does not hold, stays.
    EXPECT_EQ(folder.workFiles(), QStringList{QStringLiteral("RMDGraph.bmp")});
    EXPECT_TRUE(prompter.messages().isEmpty());
}

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
            EXPECT_EQ(item.font, (ReportFont{QStringLiteral("Arial"), 6}));
            EXPECT_EQ(item.origin.y(), items[0].origin.y()) << "one line";
        }
        const double top = items[0].origin.y() - items[0].font.metrics().ascent();
        EXPECT_GE(top, pageHeight - 1008);
        EXPECT_LE(top, pageHeight - 720);
        EXPECT_GT(top, lowestText) << "the footer runs into a full page's last line";
    }
}

TEST_F(ReportTest, FailedValidationLeavesThePreviousReport) {
    report.name = QStringLiteral("previous");
    report.document = RenderRtf(QStringLiteral("{\\rtf1 One\\par\\page Two\\par}"));
    MakeRmdSample(illustration, context.today);
    SetFields(illustration, {{"8-PartFirst", ""}});
    const CalculatedIllustration calculated =
        RebuildReport(report, illustration, context, ReportPages{}, environment());
    ASSERT_FALSE(calculated.validation.passed());
    EXPECT_EQ(calculated.validation.failure->tag, QStringLiteral("8-PartFirst"));
    EXPECT_EQ(report.name, QStringLiteral("previous"));
    EXPECT_EQ(DrawnText(report.document), QStringLiteral("One|Two"));
    EXPECT_EQ(prompter.fieldErrors().size(), 1);
}

TEST_F(ReportTest, GraphStepOnlyWithTheGraphPage) {
    for (const bool graphPage : {true, false}) {
        SCOPED_TRACE(graphPage);
        MakeStretchSample(illustration, context.today);
        int calculations = 0;
        std::vector<int> graphYears;
        RebuildSteps steps;
        steps.calculate = [&calculations](Illustration &target, CalcContext &calc) {
            ++calculations;
            return DefineAndCalculate(target, calc);
        };
        steps.createGraph = [&graphYears](const Illustration &, const StretchInputs &inputs,
                                          const StretchProjection &projection) {
            graphYears.push_back(projection.ple);
            EXPECT_EQ(inputs.planholderName, QStringLiteral("Robert J Sample"));
        };
        const ReportPages pages{.graph = graphPage};
        ASSERT_TRUE(RebuildReport(report, illustration, context, pages, environment(), steps)
                        .validation.passed());
        EXPECT_EQ(calculations, 1);
        EXPECT_EQ(graphYears, graphPage ? std::vector{15} : std::vector<int>{});
        // The merge itself is the goldens' test; here the graph page follows the switch.
        EXPECT_EQ(
            DrawnText(report.document).contains(QStringLiteral("Your Account Over the Years")),
            graphPage);
    }
}

// The graph is drawn while the template is merged elsewhere: a graph that fails still ends
// the rebuild with its own error, after the merge is over and its copy gone.
TEST_F(ReportTest, FailingGraphEndsTheRebuildWithItsError) {
    MakeStretchSample(illustration, context.today);
    RebuildSteps steps;
    steps.createGraph = [](const Illustration &, const StretchInputs &, const StretchProjection &) {
        throw FatalError(QStringLiteral("Graph Routine"), 75, QStringLiteral("disk full"));
    };
    try {
        RebuildReport(report, illustration, context, ReportPages{}, environment(), steps);
        ADD_FAILURE() << "the graph's error was lost";
    } catch (const FatalError &error) {
        EXPECT_EQ(error.routine(), QStringLiteral("Graph Routine"));
    }
    EXPECT_TRUE(folder.workFiles().isEmpty());
}

} // namespace
