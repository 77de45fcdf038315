#pragma once

// The two archive operations backup and restore need, over libzip: a one-file archive without
// password, and the extraction of one named member.

#include <QIODevice>
#include <QString>

struct ZipResult {
    int code = 0;              // libzip's error code; 0 on success
    QString description;       // libzip's text for it
    bool targetFailed = false; // extract: writing the target failed, not reading the archive
    bool tooLarge = false;     // extract: the member is larger than allowed or than it declares
    bool ok() const { return code == 0; }
};

namespace ZipFile {

// Creates (or replaces) `archive` holding the file `source` as member `memberName`.
ZipResult createWithFile(const QString &archive, const QString &source, const QString &memberName);

// A million records of a thousand bytes: more than any database the program writes.
constexpr qint64 DefaultMaximumSize = qint64(1) << 30;

// Writes member `memberName` of `archive` to `target`. A damaged member (bad checksum) fails.
// A member whose header declares more than `maximumSize` bytes fails before anything is written,
// and one that gives more bytes than its header declares fails as soon as they arrive (with
// tooLarge set, code ZIP_ER_INCONS and a description naming the member and the archive); what
// was written to `target` by then is the caller's to discard.
ZipResult extract(const QString &archive, const QString &memberName, QIODevice &target,
                  qint64 maximumSize = DefaultMaximumSize);

} // namespace ZipFile
