#pragma once

#include <QStringList>

// rmdbatch report --input ILL.json --pdf OUT.pdf [--today MM/DD/YYYY] [--rep REP.json]
//                 [--pages ...] [--support-archive PATH]
// Builds the illustration's report and writes it as a PDF file: {"status":"ok","pdf":PATH,
// "pages":N}, or the failed check as calc prints it (exit 2).
int RunReport(const QStringList &arguments);
