#include "illustrationdatabase.h"

#include <QDir>
#include <QFileInfo>

IllustrationDatabase::IllustrationDatabase(QString dataFolder, QString programName)
    : m_folder(std::move(dataFolder)), m_programName(std::move(programName)) {}

QString IllustrationDatabase::path() const {
    return QDir(m_folder).filePath(fileName());
}

QString IllustrationDatabase::tempPath() const {
    return QDir(m_folder).filePath(QStringLiteral("Temp.flt"));
}

QString DatedPath(const QString &folder, const QString &stem, const QDateTime &now) {
    const QString base = stem + now.toString(QStringLiteral("-yyyyMMdd-HHmmss"));
    const QDir dir(folder);
    QString name = base + QStringLiteral(".flt");
    for (int n = 2; QFileInfo::exists(dir.filePath(name)); ++n)
        name = base + QStringLiteral("-%1.flt").arg(n);
    return dir.filePath(name);
}
