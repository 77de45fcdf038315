#include "illustrationdatabase.h"

#include <QDir>

IllustrationDatabase::IllustrationDatabase(QString dataFolder, QString programName)
    : m_folder(std::move(dataFolder)), m_programName(std::move(programName)) {}

QString IllustrationDatabase::path() const {
    return QDir(m_folder).filePath(fileName());
}

QString IllustrationDatabase::tempPath() const {
    return QDir(m_folder).filePath(QStringLiteral("Temp.flt"));
}
