#include "supportarchive.h"

#include "zipfile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>

namespace {

ExtractResult failure(ArchiveCode code, const QString &description) {
    return {code, description, {}};
}

// Entries are stored without folders; anything else could write outside the work folder.
bool safeEntryName(const QString &name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1String("..")) &&
           !name.contains(QLatin1Char(':')) && !name.contains(QChar(0)) &&
           name != QLatin1String(".");
}

bool matches(const QString &entry, const QString &request) {
    if (request.endsWith(QLatin1String(".*")))
        return entry.startsWith(request.chopped(1), Qt::CaseInsensitive);
    return entry.compare(request, Qt::CaseInsensitive) == 0;
}

ExtractResult extractOne(const ZipReader &archive, const QString &archiveName, qint64 index,
                         const QString &name, const QString &folder) {
    const auto readFailure = [&](const ZipResult &read) {
        if (read.tooLarge)
            return failure(
                ArchiveCode::EntryTooLarge,
                QStringLiteral("entry %1 of %2 %3").arg(name, archiveName, read.description));
        if (read.passwordRefused())
            return failure(ArchiveCode::WrongPassword,
                           QStringLiteral("the archive's password does not open %1").arg(name));
        if (read.readFailed)
            return failure(ArchiveCode::ArchiveDamaged,
                           QStringLiteral("%1 is damaged in the archive").arg(name));
        return failure(ArchiveCode::ArchiveDamaged,
                       QStringLiteral("cannot read %1: %2").arg(name, read.description));
    };
    // The declared size comes first; the reading below holds the entry to it all the same.
    if (const ZipResult checked = archive.checkSize(index, SupportArchive::MaximumEntrySize);
        !checked.ok())
        return readFailure(checked);

    const QString target = QDir(folder).filePath(name);
    if (QFileInfo(target).isSymLink())
        return failure(
            ArchiveCode::LinkRefused,
            QStringLiteral("%1 is a symbolic link; it is not written through").arg(target));

    QByteArray content;
    if (const ZipResult read = archive.extract(index, SupportArchive::MaximumEntrySize,
                                               [&](const char *data, qint64 size) {
                                                   content.append(data, qsizetype(size));
                                                   return true;
                                               });
        !read.ok())
        return readFailure(read);

    // Written beside the target and renamed into its place, so a reader never sees half a
    // file. Not synced to disk: the copy is read and deleted at once, and a sync for each
    // extracted file was most of a batch report's time.
    QTemporaryFile out(target + QStringLiteral(".XXXXXX"));
    const auto writeFailed = [&target](const QString &cause) {
        return failure(ArchiveCode::WriteFailed,
                       QStringLiteral("cannot write %1: %2").arg(target, cause));
    };
    if (!out.open() || out.write(content) != content.size() || !out.flush())
        return writeFailed(out.errorString());
    out.close();
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(out.fileName()).toStdString(),
                            QFile::encodeName(target).toStdString(), error);
    if (error)
        return writeFailed(QString::fromStdString(error.message()));
    out.setAutoRemove(false);
    return {ArchiveCode::Ok, QString(), {target}};
}

} // namespace

QString SupportArchive::fileName(const QString &programName) {
    return programName + QStringLiteral(".icf");
}

QString SupportArchive::locate(const QString &programName, const QStringList &folders) {
    const QString name = fileName(programName);
    for (const QString &folder : folders) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return QDir(folders.value(0, QDir::currentPath())).filePath(name);
}

ExtractResult SupportArchive::extract(const QString &entry, const QString &folder) const {
    if (!safeEntryName(entry))
        return failure(ArchiveCode::UnsafeName,
                       QStringLiteral("\"%1\" is not a plain entry name").arg(entry));
    if (!QFileInfo(m_path).isFile())
        return failure(ArchiveCode::ArchiveMissing,
                       QStringLiteral("the support archive %1 is missing").arg(m_path));

    const ZipReader archive(m_path, Password);
    if (!archive.opened().ok())
        return failure(
            ArchiveCode::ArchiveDamaged,
            QStringLiteral("cannot open %1: %2").arg(m_path, archive.opened().description));

    ExtractResult result;
    const QStringList names = archive.names();
    for (qint64 index = 0; index < names.size(); ++index) {
        const QString &name = names.at(index);
        if (!matches(name, entry))
            continue;
        if (!safeEntryName(name))
            return failure(ArchiveCode::UnsafeName,
                           QStringLiteral("the archive entry \"%1\" is refused: it is not a "
                                          "plain file name")
                               .arg(name));
        ExtractResult one = extractOne(archive, QFileInfo(m_path).fileName(), index, name, folder);
        if (!one.ok()) {
            for (const QString &written : std::as_const(result.files))
                QFile::remove(written);
            return one;
        }
        result.files += one.files;
    }
    if (result.files.isEmpty())
        return failure(ArchiveCode::EntryMissing,
                       QStringLiteral("%1 holds no entry %2").arg(m_path, entry));
    return result;
}

QString ReadWebLink(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromLatin1(line);
}

QUrl OpenWebLink(const SupportArchive &archive, const QString &entry, const QString &workFolder,
                 const std::function<bool(const QUrl &)> &open) {
    const ExtractResult extracted = archive.extract(entry, workFolder);
    if (!extracted.ok())
        return QUrl();
    const QString address = ReadWebLink(extracted.files.constFirst());
    for (const QString &file : extracted.files)
        QFile::remove(file);
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid() || address.isEmpty())
        return QUrl();
    if (open)
        open(url);
    else
        QDesktopServices::openUrl(url);
    return url;
}
