#include "shellcontext.h"

#include "datalocations.h"
#include "installation.h"

#include <QDesktopServices>
#include <QDir>
#include <QOperatingSystemVersion>
#include <QProcess>
#include <QUrl>

QString ShellContext::settingsFile() const {
    return QDir(programFolder).filePath(Installation::ProgramName() + QStringLiteral(".ini"));
}

QString ShellContext::removableMediaFolder() const {
    return RemovableMediaFolder(userSettings->text(SettingsKey::BackupFolder), mediaRoots);
}

QString ShellContext::syncFolder() const {
    return SyncFolder(userSettings->text(SettingsKey::SyncFolder), home);
}

QString ShellContext::pdfFolder() const {
    SystemFolders folders;
    folders.home = home;
    folders.documents = documentsFolder;
    return PdfFolder(folders);
}

ShellContext ShellContext::fromSystem(const Clock &clock, const QString &commandLine) {
    const SystemFolders folders = SystemFolders::fromSystem();
    ShellContext context;
    context.programFolder = folders.programFolder;
    context.workFolder = WorkFolder(folders);
    context.dataFolder = DataFolder(folders);
    context.home = folders.home;
    context.documentsFolder = folders.documents;
    context.mediaRoots = folders.mediaRoots;
    context.archive = Installation::LocateSupportArchive();
    context.helpFolder = Installation::HelpFolder();
    context.userSettings =
        std::make_unique<SettingsStore>(SettingsStore::forUser(SettingsSection(folders.home)));
    context.clock = &clock;
    // The running system's version; only an old Windows reports 4.0.
    const QOperatingSystemVersion version = QOperatingSystemVersion::current();
    context.system = {version.majorVersion(), version.minorVersion()};
    context.commandLine = commandLine;
    context.openUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    context.startProgram = [](const QString &program) {
        return QProcess::startDetached(program, {});
    };
    return context;
}
