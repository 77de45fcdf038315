#include "gifwriter.h"

#include <gtest/gtest.h>

namespace {

// The largest channel difference between two images of one size.
int worstDifference(const QImage &expected, const QImage &actual) {
    EXPECT_EQ(actual.size(), expected.size());
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

// giflib does the encoding; ours is handing it the picture's own colours when it has few, and
// giflib's reduced palette when it has more.
TEST(GifWriterTest, PicturesComeBackAsDrawn) {
    QImage few(90, 70, QImage::Format_RGB32);      // 150 colours
    QImage smooth(256, 256, QImage::Format_RGB32); // 65536 colours
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            smooth.setPixel(x, y, qRgb(x, y, 128));
            if (x < few.width() && y < few.height())
                few.setPixel(x, y, qRgb(x / 6 * 17, y / 7 * 25, 90));
        }
    }
    EXPECT_EQ(worstDifference(few, QImage::fromData(encodeGif(few), "GIF")), 0);
    // giflib cuts the channels to 5 bits before it chooses the colours.
    EXPECT_LE(worstDifference(smooth, QImage::fromData(encodeGif(smooth), "GIF")), 40);
}

} // namespace
