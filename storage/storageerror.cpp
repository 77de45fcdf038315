#include "storageerror.h"

#include "numbertext.h"

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
    return {number, what + QStringLiteral(": ") + file.errorString()};
}

QString ErrorOccurredText(const StorageError &error) {
    return QStringLiteral("An error occurred. Type:") + NumberText::Str(error.number) +
           QStringLiteral(".\r\n") + error.description + QStringLiteral("\r\n");
}
