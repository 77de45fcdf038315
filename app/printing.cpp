#include "printing.h"

#include "prompter.h"
#include "reportassembly.h"

#include <QDir>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <algorithm>

void SetUpReportPrinter(QPrinter &printer, const Report &report) {
    printer.setDocName(report.name);
    printer.setCreator(report.name);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
}

int PaintReport(QPrinter &printer, const ReportDocument &document, int first, int last,
                const std::function<bool(int, int, int)> &proceed) {
    first = std::max(first, 1);
    last = std::min(last, document.pageCount());
    if (last < first)
        return 0;
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
    const int sheets = copies * (last - first + 1);
    QPainter painter;
    if (!painter.begin(&printer))
        return -1;
    const QRectF page(0, 0, printer.width(), printer.height());
    int painted = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (int number = first; number <= last; ++number) {
            if (proceed && !proceed(number, painted + 1, sheets)) {
                painter.end();
                return painted;
            }
            if (painted > 0)
                printer.newPage();
            document.paintPage(painter, number, page);
            ++painted;
        }
    }
    painter.end();
    return painted;
}

QString PrintingPageText(int page, int pageCount) {
    return QStringLiteral("Now printing Page %1 of %2").arg(page).arg(pageCount);
}

bool PlatformPrintDialog(QPrinter &printer, int pageCount, QWidget *parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintToFile);
    dialog.setMinMax(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

int PrintReport(const Report &report, const PrintDialog &dialog, Prompter &prompter,
                QWidget *parent) {
    const ReportDocument &document = report.document;
    const int pageCount = document.pageCount();
    if (pageCount < 1)
        return 0;
    QPrinter printer(QPrinter::HighResolution);
    SetUpReportPrinter(printer, report);
    printer.setFromTo(1, pageCount);
    if (!dialog(printer, pageCount, parent))
        return 0;
    const bool range = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
    const int first = range ? printer.fromPage() : 1;
    const int last = range ? printer.toPage() : pageCount;

    QProgressDialog progress(parent);
    progress.setWindowTitle(QStringLiteral("Printing..."));
    progress.setAccessibleName(QStringLiteral("Printing..."));
    progress.setCancelButtonText(QStringLiteral("Cancel"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    const int printed =
        PaintReport(printer, document, first, last, [&](int page, int sheet, int sheets) {
            progress.setMaximum(sheets);
            progress.setLabelText(PrintingPageText(page, pageCount));
            // A modal progress window takes its Cancel click here, between two pages.
            progress.setValue(sheet - 1);
            return !progress.wasCanceled();
        });
    progress.setValue(progress.maximum());
    if (printed < 0) {
        const QString where =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        prompter.notice(QString(),
                        QStringLiteral("The report could not be printed: %1 cannot be opened.")
                            .arg(QDir::toNativeSeparators(where)),
                        MessageIcon::Exclamation);
        return 0;
    }
    return printed;
}
