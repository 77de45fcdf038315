// The Report tab on a window with each calculator's sample: the pages shown, the rebuild's busy
// state, File, Export PDF and File, Print read back with poppler, the page switches.

#include "printing.h"
#include "reportfixture.h"
#include "reporttab.h"
#include "reportwindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStatusBar>
#include <QTabWidget>

namespace {

class ReportTabTest : public ReportWindowTest {
protected:
    ReportTab &page() {
        return *qobject_cast<ReportTab *>(shell->mainWindow()->tabPage(Tab::Report));
    }
    QString pdfFolder() const { return QDir(dir.path()).filePath(QStringLiteral("Data/PDF")); }
};

// The Stretch sample's failed check is the next test's.
TEST_F(ReportTabTest, TabShowsTheDocumentsPagesAndAFailedCheckKeepsThem) {
    MainWindow &window = open("rmd");
    window.showTab(Tab::Report);
    settle();
    const int pages = page().report().document.pageCount();
    EXPECT_EQ(page().pagesShown(), pages);
    EXPECT_EQ(page().findChild<QLabel *>(QStringLiteral("ReportPageCount"))->text(),
              QStringLiteral("Page 1 of %1").arg(pages));

    SetFields(window.illustration(), {{"7-PartDOB", "13/45/1950"}});
    EXPECT_FALSE(page().rebuild().validation.passed());
    ASSERT_EQ(prompter.fieldErrors().size(), 1);
    EXPECT_EQ(window.currentTab(), Tab::Planholder) << "the check takes the user to the field";
    EXPECT_EQ(page().report().document.pageCount(), pages);
    EXPECT_EQ(page().pagesShown(), pages);
}

TEST_F(ReportTabTest, BuildLocksTabsAndMenuAndRestoresThemAfterAPassAndAFailure) {
    MainWindow &window = open("stretch");
    window.showTab(Tab::Report);
    settle();
    auto *preview = page().findChild<QPrintPreviewWidget *>();
    QMenu *reportMenu = window.findChild<QMenu *>(QStringLiteral("mnuReport"));
    QTabWidget *tabs = window.tabs();
    const auto enabled = [&](Tab tab) {
        return tabs->isTabEnabled(tabs->indexOf(window.tabPage(tab)));
    };
    // The tabs, the menu, the waiting cursor and the status line as a build sees them.
    struct Seen {
        bool stretch, graph, report, menu, waiting;
        QString status;
        bool operator==(const Seen &) const = default;
    };
    const auto seen = [&] {
        return Seen{enabled(Tab::Stretch),
                    enabled(Tab::Graph),
                    enabled(Tab::Report),
                    reportMenu->menuAction()->isEnabled(),
                    QApplication::overrideCursor() != nullptr,
                    window.statusBar()->currentMessage()};
    };
    std::vector<Seen> during;
    QObject::connect(preview, &QPrintPreviewWidget::paintRequested,
                     [&] { during.push_back(seen()); });
    const Seen building{false, false, true, false, true, QStringLiteral("Creating Document . . .")};
    const Seen restored{true, true, true, true, false, QString()};

    EXPECT_TRUE(page().rebuild().validation.passed());
    EXPECT_TRUE(during == std::vector<Seen>{building});
    EXPECT_TRUE(seen() == restored) << "after a build";

    SetFields(window.illustration(), {{"7-StretchPDOB", "13/45/1950"}});
    EXPECT_FALSE(page().rebuild().validation.passed());
    EXPECT_EQ(during.size(), 1u) << "no document is made after a failed check";
    EXPECT_EQ(window.currentTab(), Tab::Stretch) << "the field's tab was enabled for the error";
    EXPECT_TRUE(seen() == restored) << "after a failed build";
}

TEST_F(ReportTabTest, ExportWritesTheNamedPdfAndPrintingGivesTheSamePages) {
    const struct {
        const char *sample;
        const char *file;
    } cases[] = {{"rmd", "MargaretASampleRMD.pdf"}, {"stretch", "RobertJSampleStretch.pdf"}};
    for (const auto &c : cases) {
        open(c.sample);
        choose(MenuItem::mnuFileExportPDF);
        const QString exported = QDir(pdfFolder()).filePath(QLatin1String(c.file));
        const int pages = page().report().document.pageCount();
        EXPECT_EQ(PdfPageCount(exported), pages) << c.sample;

        const QString printed = QDir(dir.path()).filePath(QStringLiteral("printed.pdf"));
        page().setPrintDialog([&](QPrinter &printer, int pageCount, QWidget *) {
            EXPECT_EQ(pageCount, pages);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            return true;
        });
        choose(MenuItem::mnuFilePrint);
        EXPECT_EQ(PdfPageCount(printed), pages) << c.sample;
        // The printer and the export are different PDF writers: the same words in the same
        // order, whatever blanks the text extraction guesses between columns.
        EXPECT_EQ(PdfText(printed).simplified(), PdfText(exported).simplified()) << c.sample;
        EXPECT_TRUE(fatal.errors.empty());
    }
}

TEST_F(ReportTabTest, PrintingKeepsToTheRangeAndStopsWhereAsked) {
    open("stretch");
    EXPECT_TRUE(page().rebuild().validation.passed());
    const ReportDocument &document = page().report().document;
    ASSERT_GE(document.pageCount(), 3);
    const QString path = QDir(dir.path()).filePath(QStringLiteral("part.pdf"));
    const auto printer = [&] {
        auto made = std::make_unique<QPrinter>(QPrinter::HighResolution);
        SetUpReportPrinter(*made, page().report());
        made->setOutputFormat(QPrinter::PdfFormat);
        made->setOutputFileName(path);
        return made;
    };
    EXPECT_EQ(PaintReport(*printer(), document, 2, 3), 2);
    EXPECT_EQ(PdfPageCount(path), 2);
    EXPECT_EQ(PdfPageSize(path), QStringLiteral("612 x 792 pts (letter)"));
    // Cancel while page 2 waits: page 1 is finished, nothing after it starts.
    QStringList shown;
    EXPECT_EQ(PaintReport(*printer(), document, 1, document.pageCount(),
                          [&](int page, int, int) {
                              shown << PrintingPageText(page, document.pageCount());
                              return page < 2;
                          }),
              1);
    EXPECT_EQ(PdfPageCount(path), 1);
    EXPECT_EQ(shown,
              (QStringList{QStringLiteral("Now printing Page 1 of %1").arg(document.pageCount()),
                           QStringLiteral("Now printing Page 2 of %1").arg(document.pageCount())}));
}

TEST_F(ReportTabTest, PageSwitchRebuildsOnlyOnTheReportTab) {
    MainWindow &window = open("stretch");
    auto *preview = page().findChild<QPrintPreviewWidget *>();
    int paints = 0;
    QObject::connect(preview, &QPrintPreviewWidget::paintRequested, [&] { ++paints; });
    choose(MenuItem::mnuReportLedger);
    EXPECT_EQ(context.userSettings->text("ReportLedger"), QStringLiteral("False"));
    EXPECT_EQ(paints, 0) << "stored without a rebuild on another tab";

    window.showTab(Tab::Report);
    settle();
    const int withoutLedger = page().report().document.pageCount();
    paints = 0;
    choose(MenuItem::mnuReportLedger);
    EXPECT_EQ(context.userSettings->text("ReportLedger"), QStringLiteral("True"));
    EXPECT_EQ(paints, 1);
    EXPECT_GT(page().report().document.pageCount(), withoutLedger);
    EXPECT_EQ(page().pagesShown(), page().report().document.pageCount());
}

} // namespace
