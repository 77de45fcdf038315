#pragma once

// A failed file operation of the storage layer, numbered as the run-time errors the system's
// messages report ("An error occurred. Type: 61.").

#include <QFileDevice>
#include <QString>
#include <optional>

struct StorageError {
    int number = 0;
    QString description;
};

// Run-time error numbers the messages use.
namespace ErrorNumber {
constexpr int FileNotFound = 53;
constexpr int DeviceIo = 57;
constexpr int BadRecordLength = 59;
constexpr int BadRecordNumber = 63;
constexpr int DiskFull = 61;
constexpr int PermissionDenied = 70; // also a file that another program holds
constexpr int PathFileAccess = 75;
} // namespace ErrorNumber

// The error of a failed QFile operation: "what: path: the system's reason".
StorageError fileError(const QFileDevice &file, const QString &what);

// The system's reason for the file's last failure ("No space left on device").
QString systemReason(const QFileDevice &file);

// "An error occurred. Type: 61." + CR LF + description + CR LF, the text every database
// handler shows when a file operation fails.
QString ErrorOccurredText(const StorageError &error);

// A value or the error that prevented it.
template <typename T> struct Result {
    T value{};
    std::optional<StorageError> error;
    bool ok() const { return !error.has_value(); }
};

// std::nullopt on success.
using Status = std::optional<StorageError>;
