#pragma once

// The Report tab: the report as pages in Qt's print preview, with the zoom choices, page
// navigation and the page count; the rebuild when the tab is selected and on a page switch while
// it is current; File, Print and File, Export PDF. While a document is built the window shows
// that it is busy and no second build can start.

#include "printing.h"
#include "reportassembly.h"
#include "reportbuild.h"

#include <QWidget>
#include <memory>

class FatalHandler;
class MainWindow;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QToolButton;
struct ShellContext;

class ReportTab : public QWidget {
    Q_OBJECT

public:
    // Takes its place as the window's Report tab and answers the window's report commands.
    ReportTab(MainWindow &window, ShellContext &context, FatalHandler &fatal);
    ~ReportTab() override;

    // The report rebuild; a failed check has been shown on its field and leaves the document on
    // screen as it was.
    CalculatedIllustration rebuild();
    void print();
    void exportPdf();

    const Report &report() const { return m_report; }
    // The pages the preview shows.
    int pagesShown() const;
    // The platform's print dialog unless a test answers for it.
    void setPrintDialog(PrintDialog dialog) { m_printDialog = std::move(dialog); }

private:
    void createToolBar(QWidget *bar);
    void updatePageCount();

    MainWindow &m_window;
    ShellContext &m_context;
    Report m_report;
    PrintDialog m_printDialog = PlatformPrintDialog;
    std::unique_ptr<QPrinter> m_previewPrinter;
    QPrintPreviewWidget *m_preview = nullptr;
    QLabel *m_pageCount = nullptr;
};
