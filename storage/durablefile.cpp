#include "durablefile.h"

#include "storageerror.h"

#include <QFileInfo>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// The new directory entry of a rename is durable only once the folder itself is synced.
void syncFolder([[maybe_unused]] const QString &folder) {
#ifndef Q_OS_WIN
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
#endif
}

} // namespace

namespace DurableFile {

bool syncToDisk(QFileDevice &file) {
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return ::_commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

bool openReplacement(QSaveFile &file) {
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

QString commitReplacement(QSaveFile &file) {
    if (file.error() != QFileDevice::NoError || !syncToDisk(file)) {
        const QString reason = systemReason(file);
        file.cancelWriting();
        file.commit(); // only removes the partial copy after cancelWriting
        return reason;
    }
    if (!file.commit())
        return systemReason(file);
    return QString();
}

QString writeWhole(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    if (!openReplacement(file))
        return systemReason(file);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = systemReason(file);
        file.cancelWriting();
        file.commit();
        return reason;
    }
    return commitReplacement(file);
}

QString replace(const QString &from, const QString &to) {
    // rename(2) on POSIX and MoveFileEx with MOVEFILE_REPLACE_EXISTING on Windows.
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), error);
    if (error)
        return QString::fromLocal8Bit(error.message());
    syncFolder(QFileInfo(to).absolutePath());
    return QString();
}

bool isReadOnly(const QString &path) {
    const QFileInfo info(path);
    return !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner);
}

QString keepAs(const QString &from, const QString &to) {
    std::error_code error;
    std::filesystem::create_hard_link(std::filesystem::path(from.toStdU16String()),
                                      std::filesystem::path(to.toStdU16String()), error);
    if (!error) {
        syncFolder(QFileInfo(to).absolutePath());
        return QString();
    }
    return copy(from, to);
}

QString copy(const QString &from, const QString &to) {
    QFile source(from);
    if (!source.copy(to))
        return source.errorString();
    QFile copied(to);
    if (!copied.open(QIODevice::ReadWrite) || !syncToDisk(copied)) {
        const QString reason = copied.errorString();
        copied.close();
        QFile::remove(to);
        return reason;
    }
    return QString();
}

} // namespace DurableFile
