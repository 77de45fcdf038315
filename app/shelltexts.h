#pragma once

// The shell's message texts: caption and text of every box the start-up and main windows show.

#include "pagefooter.h"

#include <QString>

struct Notice {
    QString caption;
    QString text;
};

namespace ShellText {

// Start-up errors, captioned with the file description except the feature list's.
Notice ArchiveMissing(const QString &archiveName);
Notice ArchiveDamaged(int code, const QString &archiveName);
Notice FeatureListUnreadable(int code);

Notice ExitQuestion();
Notice OutdatedSystem();
Notice DetailedMode(bool on);
Notice IncompleteRepresentative();

// Run-time errors of the window's load and of TabViews; the program goes on after them.
Notice LoadError(int number, const QString &description);
Notice TabViewsError(int number, const QString &description);

// The About window: its caption, "Version 1.0.0", and the system monitor's absence.
QString AboutCaption();
QString VersionText(const ProgramVersion &version);
Notice SystemInfoUnavailable();

// Help, Contents and its siblings when the help pages are not installed.
Notice HelpMissing();

// The legal notice of the version information.
QString LegalNotice();

} // namespace ShellText
