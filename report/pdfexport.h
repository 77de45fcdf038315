#pragma once

// PDF files of a report: the file name made from the client's name, the writing, and the
// messages that tell the user where the file went or that it was not written.

#include "calculator.h"
#include "calculators.h"

#include <QString>

class PdfResources;
class Prompter;
struct Report;

// The text without blanks and without any of `@~#$%^&*()+-={}[]|\/?><.:'" (commas stay).
QString CleanFileName(const QString &text);

// The client's name as the calculator's validation kept it: the planholder's, or for the
// beneficiary calculator the beneficiary's; empty before a validation passed.
QString ClientName(const WorkingVariables &variables);

// CleanFileName of the client's name followed by "RMD.pdf", "RMBD.pdf", "Equal.pdf" or
// "Stretch.pdf" for calculators 0 to 3.
QString PdfFileName(Calculator calculator, const QString &clientName);

struct PdfResult {
    int errorNumber = 0; // 0: written
    QString description;
    bool ok() const { return errorNumber == 0; }
};

// Writes the report's pages as a letter-size PDF. An existing file is replaced only once the
// new one is complete; on a failure it stays as it was. A run writing many files passes the
// resources it keeps between them.
PdfResult WritePdf(const Report &report, const QString &path, PdfResources *kept = nullptr);

// The folder as the confirmation shows it: from "My Documents" on when the path holds that, or
// from the documents folder's own name on when the folder lies inside it; otherwise whole.
QString ShownFolder(const QString &folder, const QString &documentsFolder);

// "Adobe Acrobat File Saved" and "Adobe Acrobat File Not Saved" texts; a cause, when given,
// is a line of its own before "Please try again.".
QString PdfSavedMessage(const QString &fileName, const QString &shownFolder);
QString PdfNotSavedMessage(int errorNumber, const QString &cause = {});

// File > Export PDF on a rebuilt report: writes the report into the PDF folder under the
// client's file name and tells the user through the prompter; the folder is created when
// missing, and a failure names the folder or file and the cause. Returns the path written, or
// an empty text when writing failed.
QString ExportPdf(const Report &report, Calculator calculator, const WorkingVariables &variables,
                  const QString &pdfFolder, const QString &documentsFolder, Prompter &prompter);
