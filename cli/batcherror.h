#pragma once

// Failures of a batch run and the exit code each one ends with.

#include <QString>
#include <stdexcept>

enum class ExitCode { Ok = 0, BadInput = 1, ValidationFailed = 2, IoFailure = 3 };

class BatchError : public std::runtime_error {
public:
    BatchError(ExitCode code, const QString &message)
        : std::runtime_error(message.toStdString()), m_code(code) {}
    ExitCode code() const { return m_code; }

private:
    ExitCode m_code;
};

inline BatchError badInput(const QString &message) {
    return {ExitCode::BadInput, message};
}
