#pragma once

// An unexpected failure inside library code. The application shows the system's fatal message
// (captioned "Fatal Error in " + routine) and ends; rmdbatch prints it on stderr and exits 1.
// Library code never ends the process itself.

#include <QString>
#include <stdexcept>

class FatalError : public std::runtime_error {
public:
    FatalError(QString routine, int number, QString description);

    const QString &routine() const { return m_routine; }
    int number() const { return m_number; }
    const QString &description() const { return m_description; }

    // True when the user has already been shown a message of its own (the damaged support
    // archive, for one); the application then only ends.
    bool alreadyShown() const { return m_alreadyShown; }
    FatalError &markShown() {
        m_alreadyShown = true;
        return *this;
    }

    // True when a file the program reads or writes failed (the support archive, the graph
    // bitmap) rather than the program itself; rmdbatch ends such a run as an I/O failure.
    bool isFileFailure() const { return m_fileFailure; }
    FatalError &markFileFailure() {
        m_fileFailure = true;
        return *this;
    }

    // "Fatal Error in DefineVariables"
    QString caption() const;
    // "An error, type 5,\r\n"description"\r\nhas just occured in routine: STEP\r\n\r\nPress OK to
    // exit." -- `step` is the routine step in progress, empty where none is named.
    QString message(const QString &step = QString()) const;

private:
    QString m_routine;
    int m_number;
    QString m_description;
    bool m_alreadyShown = false;
    bool m_fileFailure = false;
};
