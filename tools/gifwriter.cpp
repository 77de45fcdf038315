#include "gifwriter.h"

#include <QPainter>
#include <QSaveFile>
#include <QSet>
#include <algorithm>
#include <gif_lib.h>
#include <stdexcept>
#include <vector>

namespace {

QImage onWhite(const QImage &image) {
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(QPoint(0, 0), image);
    return flat;
}

// giflib's median cut over separate channel planes, for pictures of more than 256 colours.
QImage medianCut(const QImage &flat) {
    const auto pixels = std::size_t(flat.width()) * std::size_t(flat.height());
    std::vector<GifByteType> red(pixels), green(pixels), blue(pixels), indices(pixels);
    for (int y = 0, at = 0; y < flat.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(flat.constScanLine(y));
        for (int x = 0; x < flat.width(); ++x, ++at) {
            red[std::size_t(at)] = GifByteType(qRed(line[x]));
            green[std::size_t(at)] = GifByteType(qGreen(line[x]));
            blue[std::size_t(at)] = GifByteType(qBlue(line[x]));
        }
    }
    int size = 256;
    std::vector<GifColorType> map(256);
    if (GifQuantizeBuffer(unsigned(flat.width()), unsigned(flat.height()), &size, red.data(),
                          green.data(), blue.data(), indices.data(), map.data()) != GIF_OK)
        throw std::runtime_error("quantiseForGif: giflib could not reduce the colours");
    QImage indexed(flat.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < size; ++i)
        table.append(
            qRgb(map[std::size_t(i)].Red, map[std::size_t(i)].Green, map[std::size_t(i)].Blue));
    indexed.setColorTable(table);
    for (int y = 0; y < flat.height(); ++y)
        std::copy_n(indices.data() + std::size_t(y) * std::size_t(flat.width()), flat.width(),
                    indexed.scanLine(y));
    return indexed;
}

int appendTo(GifFileType *gif, const GifByteType *data, int size) {
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), size);
    return size;
}

std::runtime_error gifError(const char *step, int code) {
    return std::runtime_error(std::string("encodeGif: ") + step + ": " + GifErrorString(code));
}

} // namespace

QImage quantiseForGif(const QImage &image) {
    const QImage flat = onWhite(image);
    QSet<QRgb> colours;
    for (int y = 0; y < flat.height() && colours.size() <= 256; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(flat.constScanLine(y));
        colours.unite(QSet<QRgb>(line, line + flat.width()));
    }
    if (colours.size() > 256)
        return medianCut(flat);
    // Its own colours, sorted so that the same picture always gives the same file; with a
    // colour table Qt maps each pixel to its entry without dithering.
    QList<QRgb> palette(colours.cbegin(), colours.cend());
    std::sort(palette.begin(), palette.end());
    return flat.convertToFormat(QImage::Format_Indexed8, palette);
}

QByteArray encodeGif(const QImage &image) {
    if (image.isNull())
        throw std::invalid_argument("encodeGif: the image is null");
    if (image.width() > 0xffff || image.height() > 0xffff)
        throw std::invalid_argument(QStringLiteral("encodeGif: %1x%2 exceeds GIF's 65535x65535")
                                        .arg(image.width())
                                        .arg(image.height())
                                        .toStdString());
    const QImage indexed =
        image.format() == QImage::Format_Indexed8 ? image : quantiseForGif(image);
    const QList<QRgb> colours = indexed.colorTable();
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar *line = indexed.constScanLine(y);
        if (std::any_of(line, line + indexed.width(), [&](uchar i) { return i >= colours.size(); }))
            throw std::invalid_argument("encodeGif: a pixel points past the colour table");
    }
    int depth = 1; // the colour table holds 2^depth entries
    while ((1 << depth) < colours.size())
        ++depth;
    std::vector<GifColorType> entries(std::size_t(1) << depth, GifColorType{0, 0, 0});
    for (int i = 0; i < colours.size(); ++i)
        entries[std::size_t(i)] = {GifByteType(qRed(colours[i])), GifByteType(qGreen(colours[i])),
                                   GifByteType(qBlue(colours[i]))};

    QByteArray bytes;
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, appendTo, &error);
    if (!gif)
        throw gifError("open", error);
    ColorMapObject *map = GifMakeMapObject(int(entries.size()), entries.data());
    EGifSetGifVersion(gif, true);
    bool written =
        map && EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map) == GIF_OK;
    written = written && EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false,
                                          nullptr) == GIF_OK;
    std::vector<GifPixelType> line(std::size_t(indexed.width()));
    for (int y = 0; written && y < indexed.height(); ++y) {
        std::copy_n(indexed.constScanLine(y), indexed.width(), line.data());
        written = EGifPutLine(gif, line.data(), indexed.width()) == GIF_OK;
    }
    const int step = gif->Error;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK || !written)
        throw gifError("write", written ? error : step);
    return bytes;
}

bool writeGif(const QImage &image, const QString &path, QString *error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(encodeGif(image)) < 0 || !file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
