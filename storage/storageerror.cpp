#include "storageerror.h"

#include "numbertext.h"

#include <QDir>

#include <cerrno>
#include <cstring>

StorageError fileError(const QFileDevice &file, const QString &what) {
    int number = ErrorNumber::DeviceIo;
    switch (file.error()) {
    case QFileDevice::OpenError:
        number = ErrorNumber::PathFileAccess;
        break;
    case QFileDevice::PermissionsError:
        number = ErrorNumber::PermissionDenied;
        break;
    case QFileDevice::ResourceError:
        number = ErrorNumber::DiskFull;
        break;
    case QFileDevice::WriteError:
        // A full disk and a file-size limit are the usual causes of a failed write.
        number =
            (errno == ENOSPC || errno == EFBIG) ? ErrorNumber::DiskFull : ErrorNumber::DeviceIo;
        break;
    default:
        break;
    }
    return {number, what + QStringLiteral(": ") + QDir::toNativeSeparators(file.fileName()) +
                        QStringLiteral(": ") + systemReason(file)};
}

QString systemReason(const QFileDevice &file) {
    QString reason = file.errorString();
    // Some failures (a refused flush, a refused close) leave Qt's generic text; the system's
    // own reason is still in errno then.
    if ((reason.isEmpty() || reason == QLatin1String("Unknown error")) && errno != 0)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    return reason;
}

QString ErrorOccurredText(const StorageError &error) {
    return QStringLiteral("An error occurred. Type:") + NumberText::Str(error.number) +
           QStringLiteral(".\r\n") + error.description + QStringLiteral("\r\n");
}
