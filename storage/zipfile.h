#pragma once

// The two archive operations backup and restore need, over libzip: a one-file archive without
// password, and the extraction of one named member.

#include <QString>
#include <functional>

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

// Takes the bytes of a member in order; false stops the extraction as a failed write.
using Sink = std::function<bool(const char *data, qint64 size)>;

// Hands member `memberName` of `archive` to `sink`. A damaged member (bad checksum) fails. A
// member whose header declares more than `maximumSize` bytes fails before anything is unpacked,
// and one that gives more bytes than its header declares fails as soon as they arrive (with
// tooLarge set, code ZIP_ER_INCONS and a description naming the member and the archive); what
// the sink took by then is the caller's to discard.
ZipResult extract(const QString &archive, const QString &memberName, qint64 maximumSize,
                  const Sink &sink);

} // namespace ZipFile
