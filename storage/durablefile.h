#pragma once

// What QFile leaves out when a file must survive a crash: pushing its data to the disk, and
// replacing one file by another in a single step.

#include <QFile>
#include <QString>

namespace DurableFile {

// Writes the file's buffers and asks the system to put its data on the disk.
bool syncToDisk(QFile &file);

// Puts `from` in the place of `to` in one step: a reader sees the old file or the new one,
// never a mix, and a crash leaves one of them. `to` may exist; both must be in one folder.
// Returns an empty text on success, else the system's reason.
QString replace(const QString &from, const QString &to);

// Copies `from` to the new file `to` and puts the copy on the disk. Returns an empty text on
// success, else the reason; a failed copy is removed.
QString copy(const QString &from, const QString &to);

} // namespace DurableFile
