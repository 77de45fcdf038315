#pragma once

// The support archive: the password-protected zip file next to the program that holds the
// report templates, pictures, logos, web-link files and the feature list. An entry is extracted
// into the work folder when it is needed, used, and its copy deleted again.

#include "archivepassword.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

// Result codes of an extraction; 0 is success.
enum class ArchiveCode {
    Ok = 0,
    ArchiveMissing = 1,
    ArchiveDamaged = 2,
    WrongPassword = 3,
    EntryMissing = 4,
    UnsafeName = 5,
    WriteFailed = 6,
    LinkRefused = 7,
    EntryTooLarge = 8,
};

struct ExtractResult {
    ArchiveCode code = ArchiveCode::Ok;
    QString description; // empty on success
    QStringList files;   // the extracted copies, full paths
    bool ok() const { return code == ArchiveCode::Ok; }
    int number() const { return int(code); }
};

class SupportArchive {
public:
    static constexpr const char *Password = SupportArchivePassword;
    // Templates and pictures take a few hundred kilobytes; an entry that unpacks to more than
    // this is refused before it is read, and its reading stops once more arrives.
    static constexpr qint64 MaximumEntrySize = 16 * 1024 * 1024;

    explicit SupportArchive(QString path) : m_path(std::move(path)) {}
    const QString &path() const { return m_path; }

    // The archive's file name: the program file name with ".icf".
    static QString fileName(const QString &programName);
    // The first of the folders (current folder, program folder, install data folder) that
    // holds the archive; the first folder's path when none does, so the failure names it.
    static QString locate(const QString &programName, const QStringList &folders);

    // Extracts one entry, or with "Name.*" every entry of that name with any extension, into
    // `folder`, overwriting copies there. Entry names with a folder part, "..", a drive or an
    // absolute path are refused, and a symbolic link in the folder is never written through.
    // An entry larger than MaximumEntrySize, or giving more bytes than its header declares,
    // fails with EntryTooLarge.
    ExtractResult extract(const QString &entry, const QString &folder) const;

private:
    QString m_path;
};

// Opens the address of a web-link file of the archive (its first line) with `open` (the
// desktop's URL opener by default). The extracted copy is deleted whatever happens; an entry
// that cannot be extracted opens nothing. Returns the address opened, or an empty URL.
QUrl OpenWebLink(const SupportArchive &archive, const QString &entry, const QString &workFolder,
                 const std::function<bool(const QUrl &)> &open = {});

// Reads the first line of a web-link file, without its line break.
QString ReadWebLink(const QString &path);
