// The File menu's spreadsheet export of the illustration on screen and its Year-End Reports
// over the whole database. Their steps are workflow's (csvexport.h, yearendbatch.h), the same
// rmdbatch runs.

#include "calculationrun.h"
#include "csvexport.h"
#include "mainwindow.h"
#include "pdfexport.h"
#include "shellcontext.h"
#include "yearenddialog.h"

#include <QDir>
#include <QFileDialog>
#include <QProgressDialog>

void MainWindow::exportSpreadsheet() {
    const CalculatorRun run = RunCalculator(*m_illustration, m_calculation);
    if (!run.passed())
        return;
    const std::optional<CsvTableText> table = SpreadsheetTable(*m_illustration, run.result);
    if (!table)
        return;
    QString name = PdfFileName(m_illustration->calculator(), ClientName(run.validation.variables));
    name.replace(name.size() - 3, 3, QStringLiteral("csv"));
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export to Spreadsheet (CSV)"),
        QDir(m_context.pdfFolder()).filePath(name), QStringLiteral("Spreadsheet (*.csv)"));
    if (path.isEmpty())
        return;
    const QString error = WriteCsvTable(path, *table);
    if (!error.isEmpty())
        m_prompter->notice(QStringLiteral("Spreadsheet Not Saved"),
                           QStringLiteral("The spreadsheet was not saved.\r\n") + error,
                           MessageIcon::Exclamation);
}

void MainWindow::yearEndReports() {
    const int year = m_context.clock->today().year() + 1;
    YearEndDialog dialog(
        year, QDir(m_context.pdfFolder()).filePath(QStringLiteral("Year-End %1").arg(year)), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString folder = dialog.folder();
    const auto problem = [this](const QString &text) {
        m_prompter->notice(QStringLiteral("Year-End Reports"), text, MessageIcon::Exclamation);
    };

    YearEndOptions options;
    options.year = dialog.year();
    options.calculators = dialog.calculators();
    options.pages = ReportPagesOf(m_menus);
    options.today = m_context.clock->today();
    options.representative = m_calculation.representative;
    const IllustrationDatabase database = m_context.database();
    const Result<QList<YearEndJob>> jobs = ListDatabaseJobs(database, options.calculators);
    if (!jobs.ok())
        return problem(
            QStringLiteral("The database %1 cannot be read.\r\n%2")
                .arg(QDir::toNativeSeparators(database.path()), jobs.error->description));
    if (!QDir().mkpath(folder))
        return problem(QStringLiteral("The folder %1 cannot be created.")
                           .arg(QDir::toNativeSeparators(folder)));
    const QString summaryPath =
        QDir(folder).filePath(QStringLiteral("Year-End Summary %1.csv").arg(dialog.year()));
    CsvFile summary(summaryPath);
    if (!summary.open(YearEndHeader()))
        return problem(QStringLiteral("The summary cannot be written.\r\n") + summary.error());

    const int total = int(jobs.value.size());
    QProgressDialog progress(QStringLiteral("Writing year-end reports..."),
                             QStringLiteral("Cancel"), 0, total, this);
    progress.setObjectName(QStringLiteral("frmYearEndProgress"));
    progress.setWindowTitle(QStringLiteral("Year-End Reports"));
    progress.setAccessibleName(QStringLiteral("Year-End Reports"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setMinimumWidth(progress.fontMetrics().averageCharWidth() * 50);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    ReportNames names(folder);
    YearEndCounts counts;
    bool written = true;
    int done = 0;
    YearEndShared shared;
    const YearEndLoader load = DatabaseLoader(database);
    for (; done < total && !progress.wasCanceled(); ++done) {
        progress.setLabelText(QStringLiteral("Report %1 of %2").arg(done + 1).arg(total));
        const YearEndRow row = RunYearEndJob(
            jobs.value.at(done), options, load, m_context.archive, m_context.workFolder,
            [&](const QString &fileName) { return QDir(folder).filePath(names.claim(fileName)); },
            shared);
        counts.add(row.status);
        if (row.status != YearEndStatus::Skipped && written)
            written = summary.write(YearEndCells(row), YearEndNumericColumns());
        // A modal progress window takes its Cancel click here, between two reports.
        progress.setValue(done + 1);
    }
    const bool cancelled = done < total;
    progress.close();
    if (!written || !summary.commit())
        problem(QStringLiteral("The summary cannot be written.\r\n") + summary.error());

    YearEndSummaryDialog ending(
        YearEndSummaryText(counts, total, cancelled, folder, written ? summaryPath : QString()),
        [this, folder] {
            if (m_context.openUrl)
                m_context.openUrl(QUrl::fromLocalFile(folder));
        },
        this);
    ending.exec();
}
