#pragma once

// A failed file operation of the storage layer, numbered as the run-time errors the system's
// messages report ("An error occurred. Type: 61.").

#include "errornumber.h"

#include <QFileDevice>
#include <QString>
#include <optional>

struct StorageError {
    int number = 0;
    QString description;
};

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
