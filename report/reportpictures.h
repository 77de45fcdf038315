#pragma once

// Pictures and logos drawn over finished report pages. Each file is taken from the support
// archive into the work folder, drawn, and its copy deleted again; a file of that name already in
// the work folder and not in the archive (the graph bitmap) is used and kept.

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <map>
#include <optional>

class Prompter;
class ReportDocument;
class SupportArchive;

// What one report has read already. The Stretch report draws one picture three times and one logo
// on up to three pages: each is read (and its copy deleted) once, and the pages share the picture,
// which a PDF then holds once. A picture that could not be read stays unread (a null image).
struct PictureCache {
    struct Picture {
        QImage image;
        QString error; // why a file that is there could not be read; shown once, when drawn
    };
    std::map<QString, Picture> pictures;
    struct Logo {
        QImage image;
        std::optional<QRectF> place;
    };
    std::map<QString, Logo> logos;
};

struct PictureSource {
    const SupportArchive &archive;
    QString workFolder;
    Prompter &prompter;            // OverlayPicture's error box
    PictureCache *cache = nullptr; // none: every call reads its files afresh
};

// Report pictures are placed at 96 pixels to the inch.
constexpr double TwipsPerPixel = 15;

// The picture at `left`, `top` (inches) on the page, at its own size. A picture that would run
// off the paper on the right is scaled down, keeping its proportions, to end at the right margin.
// An empty page rectangle means there is nothing to draw.
QRectF PicturePlace(QSizeF pixels, double left, double top, const ReportDocument &document);

// Places a picture file on a page. A file that is neither in the archive nor in the work folder
// leaves its place empty; a file that cannot be read as a picture is reported through the
// prompter ("Error in OverlayPicture") and the report goes on without it. An archive entry
// larger than the archive allows throws FatalError (routine "OverlayPicture", or "DrawLogo" for
// a logo), here and in the loading and logo functions below.
void OverlayPicture(ReportDocument &document, const QString &fileName, float left, float top,
                    int pageNumber, const PictureSource &source);

// Reads a picture (as OverlayPicture) or a logo (as DrawLogo, for pages `pageWidth` wide) into
// the source's cache ahead of drawing, so that the reading can overlap other work. Neither
// uses the prompter: a picture's error box waits for OverlayPicture. Without a cache there is
// nothing to keep and the call only costs time.
void LoadPicture(const QString &fileName, const PictureSource &source);
void LoadLogo(const QString &name, double pageWidth, const PictureSource &source);

// A logo's placement file: four whole numbers, the first unused, then the left position, the
// height and the width in twips.
struct LogoPlacement {
    int unused = 0;
    int left = 0;
    int height = 0;
    int width = 0;
};

// Reads the numbers one after another, separated by blanks, commas or line breaks; numbers that
// are missing or not numbers read as 0. A number beyond what a placement can hold (a 16-bit whole
// number of twips) makes the file unusable.
std::optional<LogoPlacement> ParseLogoPlacement(const QByteArray &text);

// Where the logo goes, 720 twips from the top: a width of 0 follows from the height and the
// picture's proportions, a left position of 0 centres the logo on the page. Nothing is drawn
// (no rectangle) for a zero width with a height below 1, or for a size that is not positive.
std::optional<QRectF> LogoPlace(const LogoPlacement &placement, QSizeF pictureSize,
                                double pageWidth);

// Draws the logo `name` ("RMDLogo" when empty) from its picture (name.gif) and placement file
// (name.txt) on a page. Any fault leaves the logo out.
void DrawLogo(ReportDocument &document, const QString &name, int pageNumber,
              const PictureSource &source);
