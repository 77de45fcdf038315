#include "gifwriter.h"
#include "testsupport.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

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

std::function<int(int, int)> randomIndices(int colours, unsigned seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine, colours](int, int) {
        return std::uniform_int_distribution<int>(0, colours - 1)(*engine);
    };
}

QImage decode(const QByteArray &gif) {
    QBuffer buffer;
    buffer.setData(gif);
    QImageReader reader(&buffer, "gif");
    const QImage image = reader.read();
    EXPECT_FALSE(image.isNull()) << reader.errorString().toStdString();
    return image;
}

// The first pixel where the two images differ, as text; empty when they agree.
std::string firstDifference(const QImage &expected, const QImage &actual) {
    if (expected.size() != actual.size()) {
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height())
            .toStdString();
    }
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (expected.pixel(x, y) != actual.pixel(x, y)) {
                return QStringLiteral("pixel (%1, %2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y), 8, 16)
                    .arg(expected.pixel(x, y), 8, 16)
                    .toStdString();
            }
        }
    }
    return {};
}

// The parts of a GIF file that say how it was encoded; the image data's sub-blocks are walked
// to their terminator, and the trailer must follow.
struct GifLayout {
    int tableEntries = 0;
    int minCodeSize = 0;
    QByteArray data;
    bool wellFormed = false;
};

GifLayout layoutOf(const QByteArray &gif) {
    GifLayout layout;
    if (gif.size() < 13 || !gif.startsWith("GIF89a") || !(uchar(gif[10]) & 0x80))
        return layout;
    layout.tableEntries = 2 << (uchar(gif[10]) & 7);
    qsizetype at = 13 + 3 * layout.tableEntries;
    if (gif.size() < at + 11 || gif[at] != 0x2c)
        return layout;
    at += 10;
    layout.minCodeSize = uchar(gif[at++]);
    while (at < gif.size() && gif[at] != 0) {
        layout.data += gif.mid(at + 1, uchar(gif[at]));
        at += 1 + uchar(gif[at]);
    }
    layout.wellFormed = at + 2 == gif.size() && gif[at + 1] == 0x3b;
    return layout;
}

// A strict reading of the LZW data, after the GIF89a standard's Appendix F. Qt's reader
// stops once it has every pixel; this one also insists on a leading clear code, on the end code
// at the width the decoder has reached, and on nothing after it. The pixel indices, or an error.
struct LzwReading {
    QByteArray indices;
    std::string error;
};

LzwReading readLzw(const QByteArray &data, int minCodeSize) {
    LzwReading reading;
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    std::vector<QByteArray> table;
    int width = minCodeSize + 1;
    qsizetype bit = 0;
    QByteArray previous;
    for (bool first = true;; first = false) {
        if (bit + width > data.size() * 8) {
            reading.error = "the data ends without an end code";
            return reading;
        }
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit)
            code |= ((uchar(data[bit / 8]) >> (bit % 8)) & 1) << i;
        if (first && code != clearCode) {
            reading.error = "the data does not begin with a clear code";
            return reading;
        }
        if (code == clearCode) {
            table.assign(std::size_t(endCode) + 1, {});
            for (int i = 0; i < clearCode; ++i)
                table[std::size_t(i)] = QByteArray(1, char(i));
            width = minCodeSize + 1;
            previous.clear();
            continue;
        }
        if (code == endCode)
            break;
        QByteArray string;
        if (code < clearCode || (code > endCode && std::size_t(code) < table.size()))
            string = table[std::size_t(code)];
        else if (std::size_t(code) == table.size() && !previous.isEmpty())
            string = previous + previous[0];
        else {
            reading.error = "code " + std::to_string(code) + " is not in the table of " +
                            std::to_string(table.size());
            return reading;
        }
        if (!previous.isEmpty() && table.size() < 4096)
            table.push_back(previous + string[0]);
        if (table.size() >= (std::size_t(1) << width) && width < 12)
            ++width;
        reading.indices += string;
        previous = string;
    }
    if ((bit + 7) / 8 != data.size())
        reading.error = "bytes follow the end code";
    return reading;
}

// Where the strict reading of the file differs from the indexed image's pixel indices.
std::string strictDifference(const QImage &indexed, const QByteArray &gif) {
    const GifLayout layout = layoutOf(gif);
    if (!layout.wellFormed)
        return "the file's blocks are malformed";
    const LzwReading reading = readLzw(layout.data, layout.minCodeSize);
    if (!reading.error.empty())
        return reading.error;
    QByteArray expected;
    for (int y = 0; y < indexed.height(); ++y)
        expected +=
            QByteArray(reinterpret_cast<const char *>(indexed.constScanLine(y)), indexed.width());
    if (reading.indices != expected)
        return "the indices differ";
    return {};
}

struct RoundTripCase {
    const char *name;
    int width;
    int height;
    int colours;
    std::function<int(int, int)> indexAt;
    int tableEntries;
    int minCodeSize;
    // Enough image data that one 12-bit dictionary cannot have covered it (4096 codes of at most
    // 12 bits are 6144 bytes), so the encoder must have cleared its table on the way.
    bool spansDictionaries;
};

TEST(GifWriterTest, IndexedImagesComeBackPixelForPixel) {
    const RoundTripCase cases[] = {
        {"one pixel", 1, 1, 1, [](int, int) { return 0; }, 2, 2, false},
        {"two-colour checkerboard", 37, 23, 2, [](int x, int y) { return (x + y) % 2; }, 2, 2,
         false},
        {"three colours, table padded to four", 50, 9, 3, [](int x, int y) { return (x * y) % 3; },
         4, 2, false},
        {"seventeen colours", 64, 40, 17, [](int x, int y) { return (x / 3 + y) % 17; }, 32, 5,
         false},
        {"exactly 256 colours, each used", 64, 64, 256,
         [](int x, int y) { return (x * 7 + y * 13) % 256; }, 256, 8, false},
        {"random 256 colours: widths grow to 12 bits, many table resets", 320, 240, 256,
         randomIndices(256, 1), 256, 8, true},
        {"random 2 colours: codes grow from 3 bits and reset", 400, 300, 2, randomIndices(2, 2), 2,
         2, true},
        {"one long run of a single colour", 500, 400, 4, [](int, int) { return 3; }, 4, 2, false},
        {"stripes of growing runs", 640, 480, 16,
         [](int x, int y) { return (x / (1 + y % 9)) % 16; }, 16, 4, true},
    };
    for (const RoundTripCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = indexedImage(c.width, c.height, c.colours, c.indexAt);
        const QByteArray gif = encodeGif(image);
        const GifLayout layout = layoutOf(gif);
        EXPECT_TRUE(layout.wellFormed);
        EXPECT_EQ(layout.tableEntries, c.tableEntries);
        EXPECT_EQ(layout.minCodeSize, c.minCodeSize);
        if (c.spansDictionaries) {
            EXPECT_GT(layout.data.size(), 6144);
        }
        EXPECT_EQ(firstDifference(image, decode(gif)), "");
        EXPECT_EQ(strictDifference(image, gif), "");
    }
}

// The end code is written at whatever width the decoder has reached; single rows of every
// length up to 700 pixels put the last code on each side of the 4-to-12-bit boundaries.
TEST(GifWriterTest, EveryRowLengthDecodes) {
    for (const int colours : {2, 5, 256}) {
        for (int length = 1; length <= 700; ++length) {
            const QImage image = indexedImage(length, 1, colours, randomIndices(colours, length));
            const QByteArray gif = encodeGif(image);
            ASSERT_EQ(firstDifference(image, decode(gif)), "") << colours << " colours, " << length;
            ASSERT_EQ(strictDifference(image, gif), "") << colours << " colours, " << length;
        }
    }
}

TEST(GifWriterTest, ImagesOfFewColoursKeepThemExactly) {
    QImage image(90, 70, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x / 6 * 17, y / 7 * 25, 90)); // 15 x 10 colours
    }
    const QImage indexed = quantiseForGif(image);
    EXPECT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_EQ(indexed.colorCount(), 150);
    EXPECT_EQ(firstDifference(image, indexed), "");
    EXPECT_EQ(firstDifference(image, decode(encodeGif(image))), "");
}

TEST(GifWriterTest, ManyColoursAreReducedToNearbyOnes) {
    // A smooth red-green field has 65536 colours; 256 boxes of about 16 x 16 leave each
    // channel within 8 or so of the original.
    QImage image(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x)
            image.setPixel(x, y, qRgb(x, y, 128));
    }
    const QImage indexed = quantiseForGif(image);
    ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_LE(indexed.colorCount(), 256);
    EXPECT_GE(indexed.colorCount(), 200);
    int worst = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const QRgb mapped = indexed.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(mapped) - x), std::abs(qGreen(mapped) - y),
                              std::abs(qBlue(mapped) - 128)});
        }
    }
    EXPECT_LE(worst, 12);
    EXPECT_EQ(firstDifference(indexed, decode(encodeGif(image))), "");
}

TEST(GifWriterTest, TransparencyIsLaidOnWhite) {
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(0, 0, 0, 255));
    image.setPixel(2, 0, qRgba(0, 0, 255, 255));
    image.setPixel(3, 0, qRgba(0, 0, 0, 128));
    const QImage decoded = decode(encodeGif(image));
    ASSERT_EQ(decoded.size(), image.size());
    EXPECT_EQ(decoded.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(decoded.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(decoded.pixel(2, 0), qRgb(0, 0, 255));
    EXPECT_NEAR(qRed(decoded.pixel(3, 0)), 127, 1);
}

TEST(GifWriterTest, WritesFilesAndReportsFailures) {
    QTemporaryDir dir;
    const QImage image = indexedImage(20, 10, 3, [](int x, int) { return x % 3; });
    QString error;
    const QString path = dir.filePath(QStringLiteral("logo.gif"));
    ASSERT_TRUE(writeGif(image, path, &error)) << error.toStdString();
    EXPECT_EQ(firstDifference(image, QImage(path)), "");

    const QString unwritable = dir.filePath(QStringLiteral("missing/logo.gif"));
    EXPECT_FALSE(writeGif(image, unwritable, &error));
    EXPECT_TRUE(error.contains(unwritable)) << error.toStdString();
}

TEST(GifWriterTest, RefusesImagesItCannotEncode) {
    EXPECT_THROW(encodeGif(QImage()), std::invalid_argument);
    EXPECT_THROW(encodeGif(QImage(70000, 1, QImage::Format_Indexed8)), std::invalid_argument);
    QImage pastTable = indexedImage(3, 1, 2, [](int x, int) { return x % 2; });
    pastTable.scanLine(0)[2] = 5; // setPixel refuses an index past the table
    EXPECT_THROW(encodeGif(pastTable), std::invalid_argument);
}

} // namespace
