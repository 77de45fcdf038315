#include "fatalerror.h"

#include "numbertext.h"

FatalError::FatalError(QString routine, int number, QString description)
    : std::runtime_error((routine + QStringLiteral(": ") + description).toStdString()),
      m_routine(std::move(routine)), m_number(number), m_description(std::move(description)) {}

QString FatalError::caption() const {
    return QStringLiteral("Fatal Error in ") + m_routine;
}

QString FatalError::message(const QString &step) const {
    return QStringLiteral("An error, type") + NumberText::Str(double(m_number)) +
           QStringLiteral(",\r\n\"") + m_description +
           QStringLiteral("\"\r\nhas just occured in routine: ") + step +
           QStringLiteral("\r\n\r\nPress OK to exit.");
}
