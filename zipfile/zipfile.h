#pragma once

// The archive operations over libzip: backup and restore's one-file archive without password,
// the support archive's encrypted entries, and the build's packer that writes them.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

struct zip;

struct ZipResult {
    int code = 0;              // libzip's error code; 0 on success
    QString description;       // libzip's text for it
    bool targetFailed = false; // extract: writing the target failed, not reading the archive
    bool tooLarge = false;     // extract: the member is larger than allowed or than it declares
    bool readFailed = false;   // extract: the member opened but its data could not be read
    int member = -1;           // create: the member that could not be added
    bool ok() const { return code == 0; }
    bool passwordRefused() const; // no password given, or the wrong one
};

namespace ZipFile {

// A file to put in an archive under a member name.
struct Member {
    QString source;
    QString name;
};

// Creates (or replaces) `archive` holding the files as members, each encrypted with `password`
// when one is given. The archive is written whole or not at all.
ZipResult create(const QString &archive, const QList<Member> &members,
                 const char *password = nullptr);

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

// An archive opened for reading, its members taken by their place in it.
class ZipReader {
public:
    // Opens `archive`; encrypted members are read with `password` when one is given.
    explicit ZipReader(const QString &archive, const char *password = nullptr);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    // Whether the archive opened, and libzip's code and text when it did not.
    const ZipResult &opened() const { return m_opened; }

    // The members' names in archive order (empty where a name cannot be read).
    QStringList names() const;
    // The place of the member named exactly `name`, or -1.
    qint64 find(const QString &name) const;

    // Fails with tooLarge when the member's header declares more than `maximumSize` bytes; the
    // description then says why ("is larger than 16 MB") and the caller names the member.
    ZipResult checkSize(qint64 index, qint64 maximumSize) const;
    // Hands the member's bytes to `sink`, after checkSize and held to the size the header
    // declares; a member giving more fails as checkSize does, with ZIP_ER_INCONS.
    ZipResult extract(qint64 index, qint64 maximumSize, const ZipFile::Sink &sink) const;

private:
    struct Closer {
        void operator()(zip *archive) const;
    };
    std::unique_ptr<zip, Closer> m_archive;
    ZipResult m_opened;
};
