#include "datalocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace {

const QString MakerFolder = QStringLiteral("Brantex");

QString under(const QString &folder, const QString &name) {
    return QDir(folder).filePath(name);
}

} // namespace

SystemFolders SystemFolders::fromSystem() {
    SystemFolders folders;
    folders.programFolder = QCoreApplication::applicationDirPath();
    folders.home = QDir::homePath();
    folders.genericData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    folders.documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Without XDG_RUNTIME_DIR Qt warns and invents a folder; the cache folder serves then.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
#endif
        folders.runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    folders.cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QDir(folders.home).dirName();
    folders.mediaRoots = {QStringLiteral("/media/") + user, QStringLiteral("/run/media/") + user};
    return folders;
}

bool FileExists(const QString &path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() >= 1;
}

void MakeFolder(const QString &path) {
    if (!path.isEmpty())
        QDir().mkpath(path);
}

QString CutAtNul(const QString &text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? QString() : text.left(nul);
}

QString DataFolder(const SystemFolders &folders) {
    const QString override = under(folders.programFolder, QStringLiteral("dataloc.txt"));
    if (FileExists(override)) {
        QFile file(override);
        if (file.open(QIODevice::ReadOnly | QIODevice::Text))
            return QTextStream(&file).readLine();
        return QString();
    }
    const QString folder = folders.genericData.isEmpty()
                               ? under(folders.home, QStringLiteral("Data/") + MakerFolder)
                               : under(folders.genericData, MakerFolder);
    MakeFolder(folder);
    return folder;
}

QString PdfFolder(const SystemFolders &folders) {
    const QString folder = folders.documents.isEmpty()
                               ? under(folders.home, QStringLiteral("Data/PDF"))
                               : under(folders.documents, QStringLiteral("PDF"));
    MakeFolder(folder);
    return folder;
}

QString SettingsSection(const QString &profileFolder) {
    QString section = profileFolder.trimmed();
    const auto isSeparator = [](QChar c) {
        return c == QLatin1Char('/') || c == QLatin1Char('\\');
    };
    while (section.size() >= 2) {
        const qsizetype at = std::distance(
            section.begin(), std::find_if(section.begin(), section.end(), isSeparator));
        if (at >= section.size())
            break;
        section = section.mid(at + 1);
    }
    section = section.trimmed();
    // A bare separator (the root folder) names no user either.
    if (section.isEmpty() || (section.size() == 1 && isSeparator(section.at(0))))
        return QStringLiteral("Init");
    return section;
}

QString RemovableMediaFolder(const QString &backupFolderSetting, const QStringList &mediaRoots) {
    if (!backupFolderSetting.isEmpty())
        return backupFolderSetting;
    for (const QString &root : mediaRoots) {
        const QStringList entries =
            QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        if (!entries.isEmpty())
            return under(root, entries.constFirst());
    }
    return QString();
}

bool DriveExists(const QString &drive, const QString &removableMediaFolder) {
    if (drive.isEmpty() || drive.at(0).toUpper() != QLatin1Char('A'))
        return false;
    return !removableMediaFolder.isEmpty() && QFileInfo(removableMediaFolder).isDir();
}

QString SyncFolder(const QString &syncFolderSetting, const QString &home) {
    if (!syncFolderSetting.isEmpty())
        return syncFolderSetting;
    for (const char *name : {"Nextcloud", "Dropbox", "OneDrive"}) {
        const QString folder = under(home, QLatin1String(name));
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return QString();
}

QString WorkFolder(const SystemFolders &folders) {
    QString parent = folders.runtime;
    if (parent.isEmpty())
        parent = folders.cache;
    if (parent.isEmpty())
        parent = folders.home;
    const QString folder = under(parent, QStringLiteral("rmdcalc-work"));
    QDir().mkpath(parent);
    QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder;
}

QStringList DistributorSettingsFiles(const QString &dataFolder, const QString &programFolder) {
    return {under(dataFolder, QStringLiteral("KVR.ini")),
            under(programFolder, QStringLiteral("KVR.ini"))};
}
