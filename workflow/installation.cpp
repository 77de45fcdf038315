#include "installation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// Where installed files are: beside the program (a build folder), the data folder of an
// installation relative to the program (a package installed under any prefix), and the data
// folder the build was configured for.
QStringList installedFolders() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder,
            QDir::cleanPath(programFolder + QLatin1Char('/') +
                            QStringLiteral(RMD_INSTALL_RELATIVE_DATADIR)),
            QStringLiteral(RMD_INSTALL_DATADIR)};
}

} // namespace

namespace Installation {

QString ProgramName() {
    return QStringLiteral("rmdcalc");
}

QString FileDescription() {
    return QStringLiteral("Retirement Distribution Planner");
}

SupportArchive LocateSupportArchive() {
    return SupportArchive(SupportArchive::locate(ProgramName(), QStringList{QDir::currentPath()} +
                                                                    installedFolders()));
}

QString HelpFolder() {
    for (const QString &folder : installedFolders()) {
        const QString help = QDir(folder).filePath(QStringLiteral("help"));
        if (QFileInfo(QDir(help).filePath(QStringLiteral("index.html"))).isFile())
            return help;
    }
    return QString();
}

} // namespace Installation
