#pragma once

// Support archives and pictures for the report assembly tests.

#include "supportarchive.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QTemporaryDir>
#include <zip.h>

struct ArchiveEntry {
    QString name;
    QByteArray content;
};

// Writes a support archive, its entries encrypted with `password` (none when empty) by `method`.
void WriteSupportArchive(const QString &path, const QList<ArchiveEntry> &entries,
                         const char *password = SupportArchive::Password,
                         zip_uint16_t method = ZIP_EM_AES_256);

// A picture file of the given size in pixels (PNG data, which the picture reader recognises
// whatever the file is called).
QByteArray PictureBytes(int width, int height, QColor colour = Qt::darkBlue);

// Whether every pixel of a picture is a shade of gray.
bool AllGray(const QImage &image);

// pdftotext -layout of a PDF file (poppler-utils), pages separated by form feeds; empty when
// the tool fails.
QString PdfText(const QString &pdfPath);
// The page count pdfinfo reports; -1 when it cannot read the file.
int PdfPageCount(const QString &pdfPath);
// The words of a PDF's first page as pdftotext -bbox places them, in points from the top left.
struct PdfWord {
    QString text;
    QRectF box;
};
QList<PdfWord> PdfWords(const QString &pdfPath);
// pdffonts' "emb" column of each font of the file ("yes" or "no").
QStringList PdfFontsEmbedded(const QString &pdfPath);
// pdfinfo's "Page size:" value, e.g. "612 x 792 pts (letter)".
QString PdfPageSize(const QString &pdfPath);

// The pictures drawn on a PDF's pages, as pdfimages -list gives them, "page:widthxheight" in page
// order, e.g. "1:96x864".
QStringList PdfPictures(const QString &pdfPath);

// A temporary folder with a work folder inside and an archive path beside it.
struct ArchiveFolder {
    ArchiveFolder();
    QString workFile(const QString &name) const;
    // The names of the files left in the work folder, sorted.
    QStringList workFiles() const;

    QTemporaryDir dir;
    QString work;
    QString archive;
};
