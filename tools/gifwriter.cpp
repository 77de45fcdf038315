#include "gifwriter.h"

#include <QHash>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

// ---- Palette: Heckbert's median cut ----

struct ColourCount {
    QRgb colour;
    qint64 pixels;
};

int channel(QRgb colour, int axis) {
    return axis == 0 ? qRed(colour) : axis == 1 ? qGreen(colour) : qBlue(colour);
}

// A run [begin, end) of the histogram that will share one palette entry.
struct Box {
    std::size_t begin;
    std::size_t end;
    qint64 pixels = 0;
    int axis = 0;  // the channel with the widest spread
    int range = 0; // that spread
};

Box makeBox(const std::vector<ColourCount> &histogram, std::size_t begin, std::size_t end) {
    Box box{begin, end};
    int low[3] = {255, 255, 255};
    int high[3] = {0, 0, 0};
    for (std::size_t i = begin; i < end; ++i) {
        box.pixels += histogram[i].pixels;
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], channel(histogram[i].colour, axis));
            high[axis] = std::max(high[axis], channel(histogram[i].colour, axis));
        }
    }
    for (int axis = 0; axis < 3; ++axis) {
        if (high[axis] - low[axis] > box.range) {
            box.range = high[axis] - low[axis];
            box.axis = axis;
        }
    }
    return box;
}

QRgb meanColour(const std::vector<ColourCount> &histogram, const Box &box) {
    qint64 sum[3] = {0, 0, 0};
    for (std::size_t i = box.begin; i < box.end; ++i) {
        for (int axis = 0; axis < 3; ++axis)
            sum[axis] += channel(histogram[i].colour, axis) * histogram[i].pixels;
    }
    const auto mean = [&](int axis) { return int((sum[axis] + box.pixels / 2) / box.pixels); };
    return qRgb(mean(0), mean(1), mean(2));
}

QList<QRgb> medianCutPalette(std::vector<ColourCount> histogram) {
    std::vector<Box> boxes{makeBox(histogram, 0, histogram.size())};
    while (boxes.size() < 256) {
        // Split the box whose colours spread widest over the most pixels, so that large smooth
        // areas and strong edges both get a share of the entries.
        const auto weight = [](const Box &box) { return box.range * box.pixels; };
        const auto widest =
            std::max_element(boxes.begin(), boxes.end(),
                             [&](const Box &a, const Box &b) { return weight(a) < weight(b); });
        if (widest->range == 0)
            break;
        const Box box = *widest;
        std::sort(histogram.begin() + qsizetype(box.begin), histogram.begin() + qsizetype(box.end),
                  [&](const ColourCount &a, const ColourCount &b) {
                      return channel(a.colour, box.axis) < channel(b.colour, box.axis);
                  });
        // Cut at the pixel-weighted median, leaving at least one colour on each side.
        std::size_t split = box.begin + 1;
        qint64 seen = histogram[box.begin].pixels;
        while (split < box.end - 1 && seen < box.pixels / 2)
            seen += histogram[split++].pixels;
        *widest = makeBox(histogram, box.begin, split);
        boxes.push_back(makeBox(histogram, split, box.end));
    }
    QList<QRgb> palette;
    for (const Box &box : boxes)
        palette.append(meanColour(histogram, box));
    return palette;
}

// ---- LZW, as Appendix F of the GIF89a standard describes it ----

// Packs variable-width codes least significant bit first.
class BitPacker {
public:
    void put(int code, int width) {
        m_buffer |= quint32(code) << m_used;
        m_used += width;
        for (; m_used >= 8; m_used -= 8, m_buffer >>= 8)
            m_bytes.append(char(m_buffer & 0xff));
    }
    QByteArray finish() {
        if (m_used > 0)
            m_bytes.append(char(m_buffer & 0xff));
        m_buffer = 0;
        m_used = 0;
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_buffer = 0;
    int m_used = 0;
};

constexpr int MaxCodeWidth = 12;
constexpr int CodeLimit = 1 << MaxCodeWidth;

QByteArray lzwCompress(const QImage &indexed, int minCodeSize) {
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    const int colourCount = int(indexed.colorCount());

    // table[prefix * 256 + pixel] is the code of that string extended by the pixel; 0 means
    // not yet seen, as no string code is that low.
    std::vector<quint16> table(std::size_t(CodeLimit) * 256);
    int nextCode = 0;
    int width = 0;
    const auto restart = [&] {
        std::fill(table.begin(), table.end(), 0);
        nextCode = endCode + 1;
        width = minCodeSize + 1;
    };

    BitPacker out;
    restart();
    out.put(clearCode, width);
    int prefix = -1;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar *line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            const int pixel = line[x];
            if (pixel >= colourCount) {
                throw std::invalid_argument(
                    QStringLiteral("encodeGif: pixel (%1, %2) has index %3 but the colour table "
                                   "has %4 entries")
                        .arg(x)
                        .arg(y)
                        .arg(pixel)
                        .arg(colourCount)
                        .toStdString());
            }
            if (prefix < 0) {
                prefix = pixel;
                continue;
            }
            quint16 &extended = table[std::size_t(prefix) * 256 + std::size_t(pixel)];
            if (extended != 0) {
                prefix = extended;
                continue;
            }
            out.put(prefix, width);
            if (nextCode < CodeLimit) {
                extended = quint16(nextCode++);
                // The decoder learns each string one code later than we do, and widens as soon
                // as its next free code no longer fits: that is when ours is one past the limit.
                if (nextCode > (1 << width))
                    ++width;
            } else {
                // Table full: start afresh rather than keep emitting with a frozen table.
                out.put(clearCode, width);
                restart();
            }
            prefix = pixel;
        }
    }
    out.put(prefix, width);
    // Reading that last code, the decoder adds one more string and may widen for the end code.
    if (nextCode < CodeLimit && ++nextCode > (1 << width))
        ++width;
    out.put(endCode, width);
    return out.finish();
}

void appendWord(QByteArray &bytes, int value) {
    bytes.append(char(value & 0xff));
    bytes.append(char((value >> 8) & 0xff));
}

// Image data travels in sub-blocks of at most 255 bytes, each led by its length, and ends with
// an empty one.
void appendSubBlocks(QByteArray &bytes, const QByteArray &data) {
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        bytes.append(char(block.size()));
        bytes.append(block);
    }
    bytes.append(char(0));
}

} // namespace

QImage quantiseForGif(const QImage &image) {
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(QPoint(0, 0), image);
    }

    QHash<QRgb, qint64> counts;
    for (int y = 0; y < flat.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(flat.constScanLine(y));
        for (int x = 0; x < flat.width(); ++x)
            ++counts[line[x]];
    }
    std::vector<ColourCount> histogram;
    histogram.reserve(std::size_t(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        histogram.push_back({it.key(), it.value()});
    // Sorted, so that the same picture always gives the same file.
    std::sort(histogram.begin(), histogram.end(),
              [](const ColourCount &a, const ColourCount &b) { return a.colour < b.colour; });

    QList<QRgb> palette;
    if (histogram.size() <= 256) {
        for (const ColourCount &entry : histogram)
            palette.append(entry.colour);
    } else {
        palette = medianCutPalette(std::move(histogram));
    }
    // With a colour table Qt maps every pixel to its nearest entry, without dithering: exact
    // colours stay exact and flat logo colours stay flat.
    return flat.convertToFormat(QImage::Format_Indexed8, palette);
}

QByteArray encodeGif(const QImage &image) {
    if (image.isNull())
        throw std::invalid_argument("encodeGif: the image is null");
    if (image.width() > 0xffff || image.height() > 0xffff) {
        throw std::invalid_argument(QStringLiteral("encodeGif: %1x%2 exceeds GIF's 65535x65535")
                                        .arg(image.width())
                                        .arg(image.height())
                                        .toStdString());
    }
    const QImage indexed =
        image.format() == QImage::Format_Indexed8 ? image : quantiseForGif(image);
    const QList<QRgb> colours = indexed.colorTable();
    int depth = 1; // the colour table holds 2^depth entries
    while ((1 << depth) < colours.size())
        ++depth;

    QByteArray gif("GIF89a");
    // Logical screen descriptor: a global colour table of 2^depth entries, 8 bits per primary,
    // background colour 0, square pixels.
    appendWord(gif, indexed.width());
    appendWord(gif, indexed.height());
    gif.append(char(0x80 | (7 << 4) | (depth - 1)));
    gif.append(char(0));
    gif.append(char(0));
    for (int i = 0; i < (1 << depth); ++i) {
        const QRgb colour = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
        gif.append(char(qRed(colour)));
        gif.append(char(qGreen(colour)));
        gif.append(char(qBlue(colour)));
    }
    // Image descriptor: the whole screen, no local colour table, not interlaced.
    gif.append(char(0x2c));
    appendWord(gif, 0);
    appendWord(gif, 0);
    appendWord(gif, indexed.width());
    appendWord(gif, indexed.height());
    gif.append(char(0));
    // The smallest LZW code size the format allows is 2, even for two colours.
    const int minCodeSize = std::max(2, depth);
    gif.append(char(minCodeSize));
    appendSubBlocks(gif, lzwCompress(indexed, minCodeSize));
    gif.append(char(0x3b)); // trailer
    return gif;
}

bool writeGif(const QImage &image, const QString &path, QString *error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(encodeGif(image)) < 0 || !file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
