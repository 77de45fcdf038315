#pragma once

// An advisory lock beside a record file ("<file>.lock"), held for one write or one compaction
// so that two programs never interleave their changes. A program that cannot get it changes
// nothing and says who holds it. The lock of a program that died is taken over.

#include "storageerror.h"

#include <QLockFile>
#include <QString>

class FileLock {
public:
    explicit FileLock(const QString &filePath);
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Waits up to timeoutMs for the lock.
    Status acquire(int timeoutMs);

    static QString lockPath(const QString &filePath);

private:
    QString m_filePath;
    QLockFile m_lock;
};
