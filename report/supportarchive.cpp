#include "supportarchive.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <memory>
#include <zip.h>

namespace {

struct ZipCloser {
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

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

QString zipMessage(zip_error_t *error) {
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

QString megabytes(qint64 bytes) {
    return QString::number(bytes / (1024 * 1024));
}

ExtractResult extractOne(zip_t *archive, const QString &archiveName, zip_uint64_t index,
                         const QString &name, const QString &folder) {
    const auto tooLarge = [&](const QString &cause) {
        return failure(ArchiveCode::EntryTooLarge,
                       QStringLiteral("entry %1 of %2 %3").arg(name, archiveName, cause));
    };
    const QString overLimit =
        QStringLiteral("is larger than %1 MB").arg(megabytes(SupportArchive::MaximumEntrySize));
    // The declared size comes first; the reading below holds the entry to it all the same.
    zip_stat_t stat;
    zip_stat_init(&stat);
    qint64 declared = SupportArchive::MaximumEntrySize;
    if (zip_stat_index(archive, index, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) {
        if (stat.size > zip_uint64_t(SupportArchive::MaximumEntrySize))
            return tooLarge(overLimit);
        declared = qint64(stat.size);
    }

    const QString target = QDir(folder).filePath(name);
    if (QFileInfo(target).isSymLink())
        return failure(
            ArchiveCode::LinkRefused,
            QStringLiteral("%1 is a symbolic link; it is not written through").arg(target));

    zip_file_t *file = zip_fopen_index(archive, index, 0);
    if (!file) {
        zip_error_t *error = zip_get_error(archive);
        const int code = zip_error_code_zip(error);
        if (code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_NOPASSWD)
            return failure(ArchiveCode::WrongPassword,
                           QStringLiteral("the archive's password does not open %1").arg(name));
        return failure(ArchiveCode::ArchiveDamaged,
                       QStringLiteral("cannot read %1: %2").arg(name, zipMessage(error)));
    }
    QByteArray content;
    char buffer[65536];
    zip_int64_t read = 0;
    while ((read = zip_fread(file, buffer, sizeof buffer)) > 0) {
        if (content.size() + read > declared) {
            zip_fclose(file);
            return tooLarge(declared < SupportArchive::MaximumEntrySize
                                ? QStringLiteral("holds more than the %1 bytes its header "
                                                 "declares")
                                      .arg(declared)
                                : overLimit);
        }
        content.append(buffer, qsizetype(read));
    }
    const bool readOk = read == 0;
    const int closed = zip_fclose(file);
    if (!readOk || closed != 0) {
        const int code = closed != 0 ? closed : zip_error_code_zip(zip_get_error(archive));
        if (code == ZIP_ER_WRONGPASSWD)
            return failure(ArchiveCode::WrongPassword,
                           QStringLiteral("the archive's password does not open %1").arg(name));
        return failure(ArchiveCode::ArchiveDamaged,
                       QStringLiteral("%1 is damaged in the archive").arg(name));
    }

    // Written beside the target and renamed over it, so a reader never sees half a file. The
    // copy is thrown away after use, so it is not synced to disk as a saved file would be.
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial); // a stale copy or link; NewOnly below never follows a link
    QFile out(partial);
    const bool written = out.open(QIODevice::WriteOnly | QIODevice::NewOnly) &&
                         out.write(content) == content.size() && out.flush();
    const QString writeError = out.errorString();
    out.close();
    std::error_code renameError;
    if (written)
        std::filesystem::rename(QFile::encodeName(partial).toStdString(),
                                QFile::encodeName(target).toStdString(), renameError);
    if (!written || renameError) {
        QFile::remove(partial);
        const QString reason =
            written ? QString::fromLocal8Bit(renameError.message().c_str()) : writeError;
        return failure(ArchiveCode::WriteFailed,
                       QStringLiteral("cannot write %1: %2").arg(target, reason));
    }
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

    int openError = 0;
    ZipHandle archive(zip_open(QFile::encodeName(m_path).constData(), ZIP_RDONLY, &openError));
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, openError);
        const QString message = zipMessage(&error);
        zip_error_fini(&error);
        return failure(ArchiveCode::ArchiveDamaged,
                       QStringLiteral("cannot open %1: %2").arg(m_path, message));
    }
    zip_set_default_password(archive.get(), Password);

    ExtractResult result;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        const char *raw = zip_get_name(archive.get(), zip_uint64_t(index), 0);
        const QString name = raw ? QString::fromUtf8(raw) : QString();
        if (!matches(name, entry))
            continue;
        if (!safeEntryName(name))
            return failure(ArchiveCode::UnsafeName,
                           QStringLiteral("the archive entry \"%1\" is refused: it is not a "
                                          "plain file name")
                               .arg(name));
        ExtractResult one = extractOne(archive.get(), QFileInfo(m_path).fileName(),
                                       zip_uint64_t(index), name, folder);
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
