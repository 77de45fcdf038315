#pragma once

// What the shell reads from the support archive and the program folder at start-up, and the
// files it moves or removes there. Folders and the archive are handed in; messages go through
// the prompter.

#include "illustrationdatabase.h"
#include "startup.h"
#include "storageerror.h"
#include "supportarchive.h"

#include <QImage>
#include <QUrl>

class Prompter;

// The start-up window's load, without the window.
struct StartupLoad {
    bool ended = false; // a start-up error was shown: the program ends
    QImage picture;     // the product picture
    StartupChoice choice;
    QUrl supportLink; // empty: Help, Support is hidden
    QString iconFile; // the program's ".ico", when the program folder holds one
};

// Checks the archive, reads the product picture ("RMDSplash.bmp", else "RMDSplash.jpg"), the
// support link and the feature list ("RMDInvisible.txt") from it through the work folder,
// deleting each extracted copy, and applies the outdated-system branch. The three start-up
// errors are shown with their texts and end the load.
StartupLoad LoadStartup(const SupportArchive &archive, const QString &workFolder,
                        const QString &programFolder, SystemVersion system, Prompter &prompter);

// The sibling program "Harnet" (with or without ".exe") beside this one adds "Rollover IRA" to
// the plan-type lists.
bool SiblingProgramInstalled(const QString &programFolder);

// "reload" (with or without ".exe") left in the program folder by an update is removed once the
// main window is open.
void RemoveReloadProgram(const QString &programFolder);

// A database the program folder still holds (older installations kept it there) moves into the
// data folder: copied, then removed. When the data folder already has a database, that one
// stays and the old one is moved beside it under a dated name ("rmdcalc-YYYYMMDD-HHMMSS.flt"),
// and the user is told where; neither is lost.
Status MoveOldDatabase(const QString &programFolder, const IllustrationDatabase &database,
                       const QDateTime &now, Prompter &prompter);
