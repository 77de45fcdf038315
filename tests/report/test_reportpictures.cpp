// Pictures and logos over finished pages: placement files, the placement rules, extraction and
// clean-up of the work folder, and the faults that leave a picture out.

#include "reportfixture.h"
#include "reportpictures.h"

#include "displaylist.h"
#include "recordingprompter.h"
#include "reportdocument.h"
#include "supportarchive.h"
#include "testsupport.h"

#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

TEST(LogoPlacementTest, ReadsFourWholeNumbers) {
    const struct {
        const char *name;
        QByteArray text;
        std::optional<LogoPlacement> expected;
    } cases[] = {
        {"one a line", "0\r\n1440\r\n560\r\n0\r\n", LogoPlacement{0, 1440, 560, 0}},
        {"commas", "7,6230,560,900", LogoPlacement{7, 6230, 560, 900}},
        {"empty file", "", LogoPlacement{0, 0, 0, 0}},
        {"missing numbers read as 0", "5 100", LogoPlacement{5, 100, 0, 0}},
        {"words read as 0", "x 100 abc 30", LogoPlacement{0, 100, 0, 30}},
        {"halves to even", "0 100.5 561.5 0", LogoPlacement{0, 100, 562, 0}},
        {"more than four ignored", "1 2 3 4 5", LogoPlacement{1, 2, 3, 4}},
        {"16-bit limits", "0 -32768 32767 0", LogoPlacement{0, -32768, 32767, 0}},
        {"beyond 16 bits", "0 40000 560 0", std::nullopt},
        {"huge number", "0 0 1e300 0", std::nullopt},
    };
    const auto numbers = [](const std::optional<LogoPlacement> &place) {
        return place ? std::vector{place->unused, place->left, place->height, place->width}
                     : std::vector<int>{};
    };
    for (const auto &c : cases)
        EXPECT_EQ(numbers(ParseLogoPlacement(c.text)), numbers(c.expected)) << c.name;
}

TEST(LogoPlacementTest, WidthFromProportionsAndCentring) {
    constexpr double PageWidth = 12240;
    const QSizeF picture(200, 50); // four times as wide as high
    const struct {
        const char *name;
        LogoPlacement placement;
        QSizeF picture;
        std::optional<QRectF> expected;
    } cases[] = {
        {"width and height 0 draw nothing", {0, 1440, 0, 0}, picture, std::nullopt},
        {"zero width, height below 1", {0, 0, 0, 0}, picture, std::nullopt},
        {"zero width from the proportions",
         {0, 1440, 560, 0},
         picture,
         QRectF(1440, 720, 2240, 560)},
        {"zero left centres", {0, 0, 560, 1000}, picture, QRectF(5620, 720, 1000, 560)},
        {"both rules", {0, 0, 560, 0}, picture, QRectF(5000, 720, 2240, 560)},
        {"given width kept", {9, 6230, 560, 900}, picture, QRectF(6230, 720, 900, 560)},
        {"no height to draw", {0, 1440, 0, 300}, picture, std::nullopt},
        {"negative width", {0, 1440, 560, -10}, picture, std::nullopt},
        {"no picture to take proportions from", {0, 1440, 560, 0}, QSizeF(), std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(LogoPlace(c.placement, c.picture, PageWidth), c.expected) << c.name;
}

TEST(PicturePlaceTest, OwnSizeUnlessItRunsOffThePaper) {
    ReportDocument document;
    document.open();
    document.setMargins({1440, 1440, 720, 864});
    const struct {
        const char *name;
        QSizeF pixels;
        double left;
        double top;
        QRectF expected;
    } cases[] = {
        {"up to the paper's edge", QSizeF(48, 10), 8.0, 0, QRectF(11520, 0, 720, 150)},
        {"starting beyond the right margin", QSizeF(100, 100), 7.8, 1.0, QRectF()},
        {"empty picture", QSizeF(), 1.0, 1.0, QRectF()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PicturePlace(c.pixels, c.left, c.top, document), c.expected) << c.name;
}

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        document.open();
        document.setMargins({1440, 1440, 720, 864});
        document.newPage();
        document.close();
    }

    PictureSource source() { return {archive, folder.work, prompter}; }

    ArchiveFolder folder;
    SupportArchive archive{folder.archive};
    RecordingPrompter prompter;
    ReportDocument document;
};

TEST_F(PictureTest, FaultyLogosAreLeftOutSilently) {
    const ArchiveEntry gif{QStringLiteral("TestLogo.gif"), PictureBytes(20, 20)};
    const ArchiveEntry txt{QStringLiteral("TestLogo.txt"), "0 0 560 0"};
    const struct {
        const char *name;
        QList<ArchiveEntry> entries;
        int page;
    } cases[] = {
        {"no picture", {txt}, 1},
        {"no placement file", {gif}, 1},
        {"damaged picture", {{gif.name, "GIF89a but not really"}, txt}, 1},
        {"placement beyond its range", {gif, {txt.name, "0 99999 560 0"}}, 1},
        {"page that does not exist", {gif, txt}, 3},
        {"logo not in the archive", {{QStringLiteral("Other.txt"), "x"}}, 1},
    };
    for (const auto &c : cases) {
        WriteSupportArchive(folder.archive, c.entries);
        DrawLogo(document, QStringLiteral("TestLogo"), c.page, source());
        EXPECT_TRUE(OverlayPicturesOn(document, 1).empty()) << c.name;
        EXPECT_TRUE(OverlayPicturesOn(document, 2).empty()) << c.name;
        EXPECT_TRUE(folder.workFiles().isEmpty()) << c.name;
    }
    // A missing archive is no different.
    QFile::remove(folder.archive);
    DrawLogo(document, QStringLiteral("TestLogo"), 1, source());
    EXPECT_TRUE(OverlayPicturesOn(document, 1).empty());
    EXPECT_TRUE(prompter.messages().isEmpty());
}

// A picture in neither the work folder nor the archive, or an empty file in the work folder
// (kept: the report did not make it), is left out without a message. Where pictures go, and that
// copies taken from the archive are deleted, is the report assembly's test.
TEST_F(PictureTest, MissingOrEmptyPicturesAreLeftOutSilently) {
    WriteSupportArchive(folder.archive, {{QStringLiteral("Pile.jpg"), PictureBytes(115, 96)}});
    WriteWholeFile(folder.workFile(QStringLiteral("Empty.jpg")), "");
    for (const char *file : {"Missing.jpg", "Empty.jpg"}) {
        OverlayPicture(document, QLatin1String(file), 1, 1, 1, source());
        EXPECT_TRUE(OverlayPicturesOn(document, 1).empty()) << file;
    }
    EXPECT_EQ(folder.workFiles(), QStringList{QStringLiteral("Empty.jpg")});
    EXPECT_TRUE(prompter.messages().isEmpty());
}

// A damaged picture is left out with an error; one read ahead (on another thread) keeps its error
// for the first drawing, which shows it once however often the picture is drawn.
TEST_F(PictureTest, DamagedPictureIsReportedOnceAndLeftOut) {
    WriteSupportArchive(folder.archive, {{QStringLiteral("Wenpic.jpg"), "not a picture"}});
    for (const bool readAhead : {false, true}) {
        prompter.clear();
        PictureCache cache;
        PictureSource pictures = source();
        if (readAhead) {
            pictures.cache = &cache;
            LoadPicture(QStringLiteral("Wenpic.jpg"), pictures);
            EXPECT_TRUE(prompter.messages().isEmpty());
        }
        for (int page = 1; page <= (readAhead ? 2 : 1); ++page)
            OverlayPicture(document, QStringLiteral("Wenpic.jpg"), 1.5f, 1.0f, page, pictures);
        EXPECT_TRUE(OverlayPicturesOn(document, 1).empty()) << readAhead;
        EXPECT_TRUE(folder.workFiles().isEmpty()) << readAhead;
        ASSERT_EQ(prompter.messages().size(), 1) << readAhead;
        const RecordingPrompter::Message &message = prompter.messages()[0];
        EXPECT_EQ(message.caption, QStringLiteral("Error in OverlayPicture"));
        EXPECT_TRUE(QRegularExpression(uR"(^An error, code 481, has occurred\.\r\n)"
                                       uR"(Description: .+\r\nin the OverlayPicture routine\.\r\n)"
                                       uR"(Please report this to support@brantex\.example\.$)"_s)
                        .match(message.text)
                        .hasMatch())
            << message.text.toStdString();
    }
}

} // namespace
