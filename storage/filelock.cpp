#include "filelock.h"

#include <QFileInfo>

namespace {

// A live holder keeps its lock however long it works; only a lock whose holder has died (on
// this machine), or one untouched for this long (a holder on another machine of a shared
// folder), is taken over.
constexpr int StaleLockMs = 10 * 60 * 1000;

} // namespace

FileLock::FileLock(const QString &filePath) : m_filePath(filePath), m_lock(lockPath(filePath)) {
    m_lock.setStaleLockTime(StaleLockMs);
}

QString FileLock::lockPath(const QString &filePath) {
    return filePath + QStringLiteral(".lock");
}

Status FileLock::acquire(int timeoutMs) {
    if (m_lock.tryLock(timeoutMs))
        return std::nullopt;
    const QString name = QFileInfo(m_filePath).fileName();
    if (m_lock.error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host;
        QString application;
        QString holder;
        if (m_lock.getLockInfo(&pid, &host, &application))
            holder =
                QStringLiteral(" (%1, process %2)")
                    .arg(application.isEmpty() ? QStringLiteral("unknown program") : application)
                    .arg(pid);
        return StorageError{ErrorNumber::PermissionDenied,
                            QStringLiteral("\"%1\" is in use by another program%2; nothing was "
                                           "changed. Please try again when it has finished.")
                                .arg(name, holder)};
    }
    return StorageError{ErrorNumber::PathFileAccess,
                        QStringLiteral("cannot create the lock file for \"%1\"").arg(name)};
}
