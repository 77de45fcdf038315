// Report assembly: which decorations go on which page for each set of Stretch page switches,
// and the finished document's overlays with the support archive the build packs.

#include "reportassembly.h"
#include "reportfixture.h"

#include "displaylist.h"
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
    struct Case {
        const char *name;
        ReportPages pages;
        int pageCount;
        QStringList expected;
    };
    const Case cases[] = {
        {"cover and taxes: the tax pictures on page 2",
         ReportPages{true, false, true, false, false},
         2,
         {"100side.bmp at 1,1 on 1", "PileofCashMed.jpg at 7,1 on 2",
          "PileofCashMed.jpg at 7,4.5 on 2", "PileofCashMed.jpg at 6.55,4.5 on 2",
          "logo StretchLogo on 1", "logo (default) on 1"}},
        {"cover and story: the story picture on page 2, both logos on page 1",
         ReportPages{true, true, false, false, false},
         2,
         {"100side.bmp at 1,1 on 1", "Wenpic.jpg at 1.5,1 on 2", "logo StretchLogo on 1",
          "logo (default) on 1"}},
        {"story alone starts the report",
         ReportPages{false, true, false, false, false},
         1,
         {"Wenpic.jpg at 1.5,1 on 1"}},
        {"story and taxes",
         ReportPages{false, true, true, false, false},
         3,
         {"Wenpic.jpg at 1.5,1 on 1", "PileofCashMed.jpg at 7,1 on 2",
          "PileofCashMed.jpg at 7,4.5 on 2", "PileofCashMed.jpg at 6.55,4.5 on 2"}},
        {"graph alone",
         ReportPages{false, false, false, false, true},
         1,
         {"RMDGraph.bmp at 2.5,1 on 1", "logo StretchLogo on 1"}},
        {"graph after nine pages",
         ReportPages{false, false, false, true, true},
         9,
         {"RMDGraph.bmp at 2.5,1 on 9", "logo StretchLogo on 9", "logo StretchLogo on 1"}},
        {"every page",
         ReportPages{true, true, true, true, true},
         7,
         {"100side.bmp at 1,1 on 1", "Wenpic.jpg at 1.5,1 on 2", "PileofCashMed.jpg at 7,1 on 3",
          "PileofCashMed.jpg at 7,4.5 on 3", "PileofCashMed.jpg at 6.55,4.5 on 3",
          "RMDGraph.bmp at 2.5,1 on 7", "logo StretchLogo on 7", "logo StretchLogo on 1",
          "logo (default) on 1", "logo StretchLogo on 3"}},
        {"no page", ReportPages{false, false, false, false, false}, 1, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(describe(StretchDecorations(c.pages, c.pageCount)), c.expected) << c.name;
}

QSize pictureSize(const QString &archivePath, const QString &entry, const QString &folder) {
    const ExtractResult result = SupportArchive(archivePath).extract(entry, folder);
    EXPECT_TRUE(result.ok()) << entry.toStdString();
    const QString path = QDir(folder).filePath(entry);
    const QSize size = QImageReader(path).size();
    QFile::remove(path);
    return size;
}

class CreateReportTest : public IllustrationTest {
protected:
    ReportEnvironment environment(const QString &caption) const {
        return {archive, folder.work, QStringLiteral("Retirement Distribution Planner"), caption,
                ProgramVersion{1, 0}};
    }

    ArchiveFolder folder;
    const QString builtArchive = QStringLiteral(SUPPORT_ARCHIVE);
    SupportArchive archive{builtArchive};
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

TEST_F(CreateReportTest, StretchPagesGetTheirPicturesLogosAndFooters) {
    MakeStretchSample(illustration, QDate(2024, 1, 15));
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

    for (int page = 1; page <= 3; ++page)
        EXPECT_EQ(texts(OverlayTextsOn(document, page)),
                  QStringList({QStringLiteral("January 15, 2024"),
                               QStringLiteral("Page %1 of 3").arg(page),
                               QStringLiteral("Stretch IRA Concept Version 1.0")}))
            << page;
    // Every extracted copy is gone; the graph bitmap, which the archive does not hold, stays.
    EXPECT_EQ(folder.workFiles(), QStringList{QStringLiteral("RMDGraph.bmp")});
    EXPECT_TRUE(prompter.messages().isEmpty());
}

} // namespace
