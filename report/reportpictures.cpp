#include "reportpictures.h"

#include "fatalerror.h"
#include "numbertext.h"
#include "pageoverlay.h"
#include "prompter.h"
#include "reportdocument.h"
#include "supportarchive.h"
#include "validation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <limits>

namespace {

constexpr double LogoTop = 720;
const QString DefaultLogo = QStringLiteral("RMDLogo");
const QString SupportEmail = QStringLiteral("support@brantex.example");
// The code the picture loader has always reported for a file that is not a picture.
constexpr int InvalidPicture = 481;

// A file counts as present when it holds at least one byte.
bool present(const QString &path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() >= 1;
}

QImage readPicture(const QString &path, QString *error = nullptr) {
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull() && error)
        *error = reader.errorString();
    return image;
}

// A missing picture leaves a hole, but an entry too large to read means an archive that is not
// the one installed: the report ends as it does when its template cannot be read. Nothing is
// shown here, as the reading may run away from the window's thread.
void refuseOversized(const ExtractResult &result, const char *routine) {
    if (result.code == ArchiveCode::EntryTooLarge)
        throw FatalError(QLatin1String(routine), result.number(), result.description)
            .markFileFailure();
}

// Copies are deleted only when this extraction made them; a file that was there before stays.
void removeExtracted(const ExtractResult &result) {
    if (!result.ok())
        return;
    for (const QString &file : result.files)
        QFile::remove(file);
}

QString overlayErrorText(int number, const QString &description) {
    return JoinLines(
        {QStringLiteral("An error, code") + NumberText::Str(number) +
             QStringLiteral(", has occurred."),
         QStringLiteral("Description: ") + description,
         QStringLiteral("in the OverlayPicture routine."),
         QStringLiteral("Please report this to ") + SupportEmail + QStringLiteral(".")});
}

} // namespace

QRectF PicturePlace(QSizeF pixels, double left, double top, const ReportDocument &document) {
    if (pixels.isEmpty())
        return {};
    QRectF place(left * ReportDocument::TwipsPerInch, top * ReportDocument::TwipsPerInch,
                 pixels.width() * TwipsPerPixel, pixels.height() * TwipsPerPixel);
    if (place.right() > document.pageSize().width()) {
        const double width = document.rightEdge() - place.left();
        if (width <= 0)
            return {};
        place.setSize(place.size() * (width / place.width()));
    }
    return place;
}

namespace {

PictureCache::Picture readOverlay(const QString &fileName, const PictureSource &source) {
    const ExtractResult extracted = source.archive.extract(fileName, source.workFolder);
    refuseOversized(extracted, "OverlayPicture");
    const QString path = QDir(source.workFolder).filePath(fileName);
    PictureCache::Picture read;
    if (present(path)) {
        read.image = readPicture(path, &read.error);
        if (read.image.isNull() && read.error.isEmpty())
            read.error = QStringLiteral("not a picture");
    }
    removeExtracted(extracted);
    return read;
}

// The picture, read now or taken from the cache. Its error box is shown the first time it is
// asked for to be drawn.
QImage picture(const QString &fileName, const PictureSource &source, bool drawing) {
    PictureCache::Picture uncached;
    PictureCache::Picture *entry = &uncached;
    if (source.cache) {
        auto known = source.cache->pictures.find(fileName);
        if (known == source.cache->pictures.end())
            known = source.cache->pictures.emplace(fileName, readOverlay(fileName, source)).first;
        entry = &known->second;
    } else {
        uncached = readOverlay(fileName, source);
    }
    if (drawing && !entry->error.isEmpty()) {
        source.prompter.notice(QStringLiteral("Error in OverlayPicture"),
                               overlayErrorText(InvalidPicture, entry->error),
                               MessageIcon::Exclamation);
        entry->error.clear();
    }
    return entry->image;
}

} // namespace

void LoadPicture(const QString &fileName, const PictureSource &source) {
    picture(fileName, source, false);
}

void OverlayPicture(ReportDocument &document, const QString &fileName, float left, float top,
                    int pageNumber, const PictureSource &source) {
    const QImage image = picture(fileName, source, true);
    if (image.isNull())
        return;
    const QRectF place = PicturePlace(image.size(), double(left), double(top), document);
    if (!place.isEmpty())
        document.overlay(pageNumber).drawPicture(place, image);
}

std::optional<LogoPlacement> ParseLogoPlacement(const QByteArray &text) {
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    const QStringList words = QString::fromLatin1(text).split(separators, Qt::SkipEmptyParts);
    int numbers[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && i < words.size(); ++i) {
        const double value = NumberText::RoundHalfEven(NumberText::Val(words.at(i)));
        if (!(value >= std::numeric_limits<qint16>::min() &&
              value <= std::numeric_limits<qint16>::max()))
            return std::nullopt;
        numbers[i] = int(value);
    }
    return LogoPlacement{numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::optional<QRectF> LogoPlace(const LogoPlacement &placement, QSizeF pictureSize,
                                double pageWidth) {
    if (placement.width == 0 && placement.height < 1)
        return std::nullopt;
    double width = placement.width;
    const double height = placement.height;
    if (width == 0) {
        if (pictureSize.isEmpty())
            return std::nullopt;
        width = height * pictureSize.width() / pictureSize.height();
    }
    if (width <= 0 || height <= 0)
        return std::nullopt;
    const double left = placement.left == 0 ? (pageWidth - width) / 2 : placement.left;
    return QRectF(left, LogoTop, width, height);
}

namespace {

PictureCache::Logo readLogo(const QString &logo, double pageWidth, const PictureSource &source) {
    const ExtractResult extracted =
        source.archive.extract(logo + QStringLiteral(".*"), source.workFolder);
    refuseOversized(extracted, "DrawLogo");
    const QDir folder(source.workFolder);
    const QString picturePath = folder.filePath(logo + QStringLiteral(".gif"));
    const QString placementPath = folder.filePath(logo + QStringLiteral(".txt"));
    PictureCache::Logo read;
    // A logo whose picture is missing is left out rather than drawn with another's picture.
    read.image = present(picturePath) ? readPicture(picturePath) : QImage();
    QFile placementFile(placementPath);
    if (!read.image.isNull() && present(placementPath) && placementFile.open(QIODevice::ReadOnly)) {
        if (const auto placement = ParseLogoPlacement(placementFile.read(4096)))
            read.place = LogoPlace(*placement, read.image.size(), pageWidth);
    }
    placementFile.close();
    removeExtracted(extracted);
    return read;
}

PictureCache::Logo logo(const QString &name, double pageWidth, const PictureSource &source) {
    const QString logoName = name.isEmpty() ? DefaultLogo : name;
    if (!source.cache)
        return readLogo(logoName, pageWidth, source);
    const auto known = source.cache->logos.find(logoName);
    if (known != source.cache->logos.end())
        return known->second;
    return source.cache->logos.emplace(logoName, readLogo(logoName, pageWidth, source))
        .first->second;
}

} // namespace

void LoadLogo(const QString &name, double pageWidth, const PictureSource &source) {
    logo(name, pageWidth, source);
}

void DrawLogo(ReportDocument &document, const QString &name, int pageNumber,
              const PictureSource &source) {
    const PictureCache::Logo read = logo(name, document.pageSize().width(), source);
    if (read.place)
        document.overlay(pageNumber).drawPicture(*read.place, read.image);
}
