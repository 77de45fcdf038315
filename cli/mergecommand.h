#pragma once

#include <QStringList>

// rmdbatch merge --input ILL.json [--today MM/DD/YYYY] [--rep REP.json] [--pages ...]
//                [--support-archive PATH]
// Prints the merged RTF of the illustration's report.
int RunMerge(const QStringList &arguments);
