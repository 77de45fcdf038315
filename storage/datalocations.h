#pragma once

// Where the planner keeps its files, as pure functions of the system's answers. SystemFolders
// asks the system once (program folder, home, QStandardPaths, user name); everything else takes
// those answers as arguments, so tests point them at temporary folders and the storage
// operations themselves are only ever handed paths.

#include <QString>
#include <QStringList>

struct SystemFolders {
    QString programFolder;  // the executable's folder
    QString home;           // the profile folder
    QString genericData;    // QStandardPaths::GenericDataLocation; empty when the system has none
    QString documents;      // QStandardPaths::DocumentsLocation
    QString runtime;        // QStandardPaths::RuntimeLocation
    QString cache;          // QStandardPaths::CacheLocation
    QStringList mediaRoots; // /media/<user>, /run/media/<user>

    // The answers of this system for the running program.
    static SystemFolders fromSystem();
};

// True when the file's length is at least 1; a missing or empty file, or any error, is false.
bool FileExists(const QString &path);

// Creates the folder and its parents, ignoring errors (an existing folder is none).
void MakeFolder(const QString &path);

// The text before the first NUL; empty when the text has no NUL or starts with one.
QString CutAtNul(const QString &text);

// The data folder: the first line of "dataloc.txt" in the program folder, unchanged, when that
// file exists; else the application-data folder + "/Brantex" (home + "/Data/Brantex" without
// one), created when missing.
QString DataFolder(const SystemFolders &folders);

// The documents folder + "/PDF" (home + "/Data/PDF" without one), created when missing.
QString PdfFolder(const SystemFolders &folders);

// The last component of the profile folder, blanks trimmed; "Init" when that is empty.
QString SettingsSection(const QString &profileFolder);

// The removable-media folder: the "BackupFolder" setting when set, else the first folder under
// the media roots (in name order); empty when there is none.
QString RemovableMediaFolder(const QString &backupFolderSetting, const QStringList &mediaRoots);

// Drive letters mapped onto this desktop: "A" (any case, "a:" too) is the removable-media
// folder and exists when that folder does. Other letters and other characters give false.
bool DriveExists(const QString &drive, const QString &removableMediaFolder);

// The synchronised folder: the "SyncFolder" setting when set, else the first of ~/Nextcloud,
// ~/Dropbox, ~/OneDrive that exists; empty when there is none.
QString SyncFolder(const QString &syncFolderSetting, const QString &home);

// A private per-user folder for files the program writes for itself (archives before they are
// copied, extracted templates, the graph bitmap): under the runtime folder, else the cache
// folder, else the home folder; created with owner-only access.
QString WorkFolder(const SystemFolders &folders);

// The places "KVR.ini" is looked up: the data folder, then the program folder.
QStringList DistributorSettingsFiles(const QString &dataFolder, const QString &programFolder);
