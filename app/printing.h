#pragma once

// The report on paper: the printer set up for the report's letter pages, the pages painted at
// the printer's resolution through the document's one painting path (the preview and the PDF
// file use it too), and File, Print with the platform's dialog and a progress window.

#include <QString>
#include <functional>

class Prompter;
class QPrinter;
class QWidget;
class ReportDocument;
struct Report;

// Letter paper, no margins of the printer's own: the document places everything on the page.
void SetUpReportPrinter(QPrinter &printer, const Report &report);

// Paints pages `first` to `last` (from 1) of the document, each copy in turn when the printer
// cannot make copies itself. `proceed` is asked before each page (its number, the sheet's place
// in the job and the job's size) and stops the job by returning false; the page being printed is
// finished first. Returns the pages painted; -1 when the printer cannot be started.
int PaintReport(QPrinter &printer, const ReportDocument &document, int first, int last,
                const std::function<bool(int page, int sheet, int sheets)> &proceed = {});

// "Now printing Page N of M".
QString PrintingPageText(int page, int pageCount);

// Asks for the printer, the copies and the page range; false when the user cancels. The
// platform's print dialog in the window; tests answer for it.
using PrintDialog = std::function<bool(QPrinter &printer, int pageCount, QWidget *parent)>;
bool PlatformPrintDialog(QPrinter &printer, int pageCount, QWidget *parent);

// File, Print on a built report: the dialog, then the pages with the progress window "Printing...",
// whose Cancel stops after the current page. A printer that cannot be started is named to the
// user. Returns the pages printed.
int PrintReport(const Report &report, const PrintDialog &dialog, Prompter &prompter,
                QWidget *parent);
