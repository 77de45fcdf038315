#pragma once

// What QFile leaves out when a file must survive a crash: pushing its data to the disk, and
// replacing one file by another in a single step.

#include <QFile>
#include <QSaveFile>
#include <QString>

namespace DurableFile {

// Writes the file's buffers and asks the system to put its data on the disk.
bool syncToDisk(QFileDevice &file);

// Opens a replacement of its file, written beside it. Unbuffered, so that every failed write
// is seen where it happens: QSaveFile does not notice a write that fails in its final flush
// and would put a short file in place.
bool openReplacement(QSaveFile &file);

// Puts a replacement opened above in its file's place when every write succeeded and its data
// is on the disk; otherwise the file stays as it was. Returns an empty text on success, else
// the system's reason.
QString commitReplacement(QSaveFile &file);

// The whole new content of `path`, through a replacement. Returns an empty text on success,
// else the system's reason; `path` is then unchanged.
QString writeWhole(const QString &path, const QByteArray &bytes);

// Puts `from` in the place of `to` in one step: a reader sees the old file or the new one,
// never a mix, and a crash leaves one of them. `to` may exist; both must be in one folder.
// Returns an empty text on success, else the system's reason.
QString replace(const QString &from, const QString &to);

// Whether the file is marked read-only (its owner may not write it) or this program may not
// write it. A rename would replace it all the same, so callers that replace files ask first;
// the mark counts even for a program that the system would let write.
bool isReadOnly(const QString &path);

// Gives the file `from` the second name `to` as well (a hard link: no copying, no space), or
// copies it where the folder cannot hold links. Returns an empty text on success, else the reason.
QString keepAs(const QString &from, const QString &to);

// Copies `from` to the new file `to` and puts the copy on the disk. Returns an empty text on
// success, else the reason; a failed copy is removed.
QString copy(const QString &from, const QString &to);

} // namespace DurableFile
