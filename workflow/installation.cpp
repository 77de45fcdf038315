#include "installation.h"

#include <QCoreApplication>
#include <QDir>

namespace Installation {

QString ProgramName() {
    return QStringLiteral("rmdcalc");
}

QString FileDescription() {
    return QStringLiteral("Retirement Distribution Planner");
}

SupportArchive LocateSupportArchive() {
    return SupportArchive(SupportArchive::locate(
        ProgramName(), {QDir::currentPath(), QCoreApplication::applicationDirPath(),
                        QStringLiteral(RMD_INSTALL_DATADIR)}));
}

} // namespace Installation
