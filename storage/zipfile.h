#pragma once

// The two archive operations backup and restore need, over libzip: a one-file archive without
// password, and the extraction of one named member.

#include <QIODevice>
#include <QString>

struct ZipResult {
    int code = 0;              // libzip's error code; 0 on success
    QString description;       // libzip's text for it
    bool targetFailed = false; // extract: writing the target failed, not reading the archive
    bool ok() const { return code == 0; }
};

namespace ZipFile {

// Creates (or replaces) `archive` holding the file `source` as member `memberName`.
ZipResult createWithFile(const QString &archive, const QString &source, const QString &memberName);

// Writes member `memberName` of `archive` to `target`. A damaged member (bad checksum) fails.
ZipResult extract(const QString &archive, const QString &memberName, QIODevice &target);

} // namespace ZipFile
