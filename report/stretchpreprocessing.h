#pragma once

// Drives the template preprocessor over the extracted Stretch template with the report data of
// the Stretch projection: values, conditions, then the ledger tables.

#include "stretchreport.h"

#include <QString>

// Rewrites the template file in place (inputFile and outputFile are the same file). A template
// whose directives do not balance throws FatalError ("Fatal Error in PreProcessRTF") naming the
// line. On an outdated operating system the template is left as extracted.
void PreProcessRTF(const StretchReportData &data, const QString &inputFile,
                   const QString &outputFile, bool outdatedSystem = false);
