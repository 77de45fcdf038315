#pragma once

// Writes GIF89a files, which Qt reads but cannot write; the report logos are GIFs.

#include <QByteArray>
#include <QImage>
#include <QString>

// The image in Format_Indexed8 with at most 256 opaque colours: its own colours when it has no
// more, otherwise a median-cut palette. Transparent parts are laid on white, like the page.
QImage quantiseForGif(const QImage &image);

// A one-frame GIF89a file of the image, quantised first unless it is already Format_Indexed8.
// Throws std::invalid_argument for a null image, one too large for GIF's 16-bit sizes, or an
// indexed image whose pixels point past its colour table.
QByteArray encodeGif(const QImage &image);

// Encodes and writes the file; false, with the reason in `error`, when it cannot be written.
bool writeGif(const QImage &image, const QString &path, QString *error);
