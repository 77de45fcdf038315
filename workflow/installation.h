#pragma once

// The program's names and where its installed files are found, for the window and rmdbatch.

#include "supportarchive.h"

#include <QString>

namespace Installation {

// The program file name: the executable's name, and the stem of "rmdcalc.icf", "rmdcalc.flt",
// "rmdcalc.ini" and "rmdcalc.ico".
QString ProgramName();

// The file description of the version information: the title of message boxes without a
// caption of their own, and the name of report documents.
QString FileDescription();

// The support archive: in the current folder, else the program's folder, else the install data
// folder (found from the program's folder, then the configured one); the first of them names it
// when none holds it.
SupportArchive LocateSupportArchive();

// The folder of the help pages ("help" holding "index.html"), looked up as the archive is but
// not in the current folder; empty when none holds them.
QString HelpFolder();

} // namespace Installation
