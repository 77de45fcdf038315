#include "gifwriter.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <functional>
#include <stdexcept>

namespace {

// An indexed image of `colours` distinct opaque colours, each pixel's index from `indexAt`.
QImage indexedImage(int width, int height, int colours,
                    const std::function<int(int, int)> &indexAt) {
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i)
        table.append(qRgb((i * 67) % 256, (i * 151 + 30) % 256, 255 - i));
    image.setColorTable(table);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, uint(indexAt(x, y)));
    }
    return image;
}

// The largest channel difference between two images of one size.
int worstDifference(const QImage &expected, const QImage &actual) {
    EXPECT_EQ(expected.size(), actual.size());
    int worst = 0;
    for (int y = 0; y < std::min(expected.height(), actual.height()); ++y) {
        for (int x = 0; x < std::min(expected.width(), actual.width()); ++x) {
            const QRgb a = expected.pixel(x, y);
            const QRgb b = actual.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    }
    return worst;
}

QImage decode(const QByteArray &gif) {
    return QImage::fromData(gif, "GIF");
}

TEST(GifWriterTest, PicturesComeBackAsDrawn) {
    QImage smooth(256, 256, QImage::Format_RGB32); // 65536 colours
    QImage few(90, 70, QImage::Format_RGB32);      // 150 colours
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            smooth.setPixel(x, y, qRgb(x, y, 128));
            if (x < few.width() && y < few.height())
                few.setPixel(x, y, qRgb(x / 6 * 17, y / 7 * 25, 90));
        }
    }
    QImage translucent(4, 1, QImage::Format_ARGB32);
    const QRgb pixels[] = {qRgba(0, 0, 0, 0), qRgb(0, 0, 0), qRgb(0, 0, 255), qRgba(0, 0, 0, 128)};
    for (int x = 0; x < 4; ++x)
        translucent.setPixel(x, 0, pixels[x]);
    QImage onWhite(4, 1, QImage::Format_RGB32);
    const QRgb laid[] = {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(0, 0, 255), qRgb(127, 127, 127)};
    for (int x = 0; x < 4; ++x)
        onWhite.setPixel(x, 0, laid[x]);

    const struct {
        const char *name;
        QImage image;
        QImage expected;
        int tolerance;
    } cases[] = {
        {"one pixel", indexedImage(1, 1, 1, [](int, int) { return 0; }), {}, 0},
        {"256 colours, every row length class",
         indexedImage(701, 3, 256, [](int x, int y) { return (x * 7 + y * 13) % 256; }),
         {},
         0},
        {"few colours stay exact", few, {}, 0},
        {"many colours come near (giflib cuts 5-bit channels)", smooth, {}, 40},
        {"transparency is laid on white", translucent, onWhite, 1},
    };
    for (const auto &c : cases) {
        const QImage decoded = decode(encodeGif(c.image));
        ASSERT_FALSE(decoded.isNull()) << c.name;
        EXPECT_LE(worstDifference(c.expected.isNull() ? c.image : c.expected, decoded), c.tolerance)
            << c.name;
    }
    EXPECT_EQ(encodeGif(few), encodeGif(few)) << "the same picture gives the same file";
}

TEST(GifWriterTest, WritesFilesAndReportsFailures) {
    QTemporaryDir dir;
    const QImage image = indexedImage(20, 10, 3, [](int x, int) { return x % 3; });
    QString error;
    const QString path = dir.filePath(QStringLiteral("logo.gif"));
    ASSERT_TRUE(writeGif(image, path, &error)) << error.toStdString();
    EXPECT_EQ(worstDifference(image, QImage(path)), 0);

    const QString unwritable = dir.filePath(QStringLiteral("missing/logo.gif"));
    EXPECT_FALSE(writeGif(image, unwritable, &error));
    EXPECT_TRUE(error.contains(unwritable)) << error.toStdString();

    EXPECT_THROW(encodeGif(QImage()), std::invalid_argument);
    EXPECT_THROW(encodeGif(QImage(70000, 1, QImage::Format_Indexed8)), std::invalid_argument);
    QImage pastTable = indexedImage(3, 1, 2, [](int x, int) { return x % 2; });
    pastTable.scanLine(0)[2] = 5; // setPixel refuses an index past the table
    EXPECT_THROW(encodeGif(pastTable), std::invalid_argument);
}

} // namespace
