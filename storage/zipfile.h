#pragma once

// The two archive operations backup and restore need, over libzip: a one-file archive without
// password, and the extraction of one named member.

#include <QString>
#include <functional>

struct ZipResult {
    int code = 0;              // libzip's error code; 0 on success
    QString description;       // libzip's text for it
    bool targetFailed = false; // extract: writing the target failed, not reading the archive
    bool tooLarge = false;     // extract: the member unpacks to more than it may
    bool ok() const { return code == 0; }
};

namespace ZipFile {

// Creates (or replaces) `archive` holding the file `source` as member `memberName`.
ZipResult createWithFile(const QString &archive, const QString &source, const QString &memberName);

// Takes the bytes of a member in order; false stops the extraction as a failed write.
using Sink = std::function<bool(const char *data, qint64 size)>;

// Hands member `memberName` of `archive` to `sink`. A damaged member (bad checksum) fails, and
// so does one that unpacks to more than maxBytes: its stated size is checked before anything
// is unpacked, and the bytes are counted as they come, since the stated size may lie.
ZipResult extract(const QString &archive, const QString &memberName, qint64 maxBytes,
                  const Sink &sink);

} // namespace ZipFile
