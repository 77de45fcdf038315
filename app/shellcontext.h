#pragma once

// Everything the shell works with besides its windows: folders, the database, the support
// archive, the settings, the clock and the system's answers. Built from the running system in
// the program, from temporary folders in the tests.

#include "clock.h"
#include "illustrationdatabase.h"
#include "installation.h"
#include "settingsstore.h"
#include "startup.h"
#include "supportarchive.h"

#include <QStringList>
#include <memory>

struct ShellContext {
    QString programFolder;
    QString workFolder; // private folder for extracted files
    QString helpFolder; // the help pages; empty when they are not installed
    QString dataFolder; // the database and the representative file
    QString home;
    QString documentsFolder; // the user's documents; empty when the system names none
    QStringList mediaRoots;  // where removable disks appear
    SupportArchive archive{QString()};
    std::unique_ptr<SettingsStore> userSettings;
    const Clock *clock = nullptr;
    SystemVersion system;
    QString commandLine;
    // Opens an address in the browser; starts a program without waiting for it.
    std::function<bool(const QUrl &)> openUrl;
    std::function<bool(const QString &program)> startProgram;

    IllustrationDatabase database() const {
        return IllustrationDatabase(dataFolder, Installation::ProgramName());
    }
    // The program's settings file, "rmdcalc.ini" beside it.
    QString settingsFile() const;
    // Where backups go: the removable disk's folder (empty without one) and the synchronised
    // folder.
    QString removableMediaFolder() const;
    QString syncFolder() const;
    // Where File, Export PDF writes: the documents folder's "PDF", created when missing.
    QString pdfFolder() const;

    // The running program's folders, settings and system.
    static ShellContext fromSystem(const Clock &clock, const QString &commandLine);
};
