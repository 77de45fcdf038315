#include "reporttab.h"

#include "fatalguard.h"
#include "installation.h"
#include "mainwindow.h"
#include "pdfexport.h"
#include "reportrebuild.h"
#include "shellcontext.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

// The printer control's zoom menu.
struct ZoomChoice {
    const char *caption;
    QPrintPreviewWidget::ViewMode view;
    QPrintPreviewWidget::ZoomMode zoom;
};
constexpr std::array<ZoomChoice, 4> ZoomChoices{{
    {"Whole &Page", QPrintPreviewWidget::SinglePageView, QPrintPreviewWidget::FitInView},
    {"Page &Width", QPrintPreviewWidget::SinglePageView, QPrintPreviewWidget::FitToWidth},
    {"&Two Pages", QPrintPreviewWidget::FacingPagesView, QPrintPreviewWidget::FitInView},
    {"Thumb&nail", QPrintPreviewWidget::AllPagesView, QPrintPreviewWidget::FitInView},
}};
constexpr std::size_t FirstZoom = 1; // page width: the text readable from the start

// The tabs a build locks: every tab whose caption holds one of these words.
constexpr std::array<const char *, 2> LockedTabWords{"Graph", "Stretch"};

const QString BuildingText = QStringLiteral("Creating Document . . .");

QString withoutMnemonic(const char *caption) {
    return QString::fromLatin1(caption).remove(QLatin1Char('&'));
}

// What the window shows while a document is built: the wait cursor, the graph and Stretch tabs
// and the Report Options menu disabled, the status text. Everything goes back as it was when
// the build ends, however it ends. The status is painted at once: no events run meanwhile.
class DocumentBuilding {
public:
    explicit DocumentBuilding(MainWindow &window) : m_window(window) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QTabWidget *tabs = window.tabs();
        for (int index = 0; index < tabs->count(); ++index) {
            const QString caption = tabs->tabText(index);
            const bool locked =
                std::any_of(LockedTabWords.begin(), LockedTabWords.end(),
                            [&caption](const char *word) { return caption.contains(word); });
            // The current tab stays usable: disabling it would make the strip select another.
            if (!locked || index == tabs->currentIndex())
                continue;
            m_tabs.push_back({index, tabs->isTabEnabled(index)});
            tabs->setTabEnabled(index, false);
        }
        if (const auto *menu = window.findChild<QMenu *>(QStringLiteral("mnuReport"))) {
            m_menu = menu->menuAction();
            m_menuEnabled = m_menu->isEnabled();
            m_menu->setEnabled(false);
        }
        window.statusBar()->showMessage(BuildingText);
        window.statusBar()->repaint();
    }
    ~DocumentBuilding() {
        for (const auto &[index, enabled] : m_tabs)
            m_window.tabs()->setTabEnabled(index, enabled);
        if (m_menu)
            m_menu->setEnabled(m_menuEnabled);
        m_window.statusBar()->clearMessage();
        QApplication::restoreOverrideCursor();
    }
    DocumentBuilding(const DocumentBuilding &) = delete;
    DocumentBuilding &operator=(const DocumentBuilding &) = delete;

private:
    MainWindow &m_window;
    std::vector<std::pair<int, bool>> m_tabs;
    QAction *m_menu = nullptr;
    bool m_menuEnabled = true;
};

} // namespace

ReportTab::ReportTab(MainWindow &window, ShellContext &context, FatalHandler &fatal)
    : QWidget(&window), m_window(window), m_context(context),
      m_previewPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    SetUpReportPrinter(*m_previewPrinter, m_report);
    auto *bar = new QWidget(this);
    m_preview = new QPrintPreviewWidget(m_previewPrinter.get(), this);
    m_preview->setObjectName(QStringLiteral("ReportPreview"));
    m_preview->setAccessibleName(QStringLiteral("Report"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_preview, 1);
    createToolBar(bar);

    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            Guarded(fatal, "ReportPreview_Paint", [this](QPrinter *printer) {
                PaintReport(*printer, m_report.document, 1, m_report.document.pageCount());
            }));
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, [this] { updatePageCount(); });

    // Queued: the tab is on screen, and the tab strip's own change has ended, before a failed
    // check takes the user to another tab.
    connect(&window, &MainWindow::tabShown, this,
            Guarded(fatal, "tabMain_Click",
                    [this](Tab tab) {
                        if (tab == Tab::Report && m_window.currentTab() == Tab::Report)
                            rebuild();
                    }),
            Qt::QueuedConnection);
    connect(&window, &MainWindow::reportRebuildRequested, this,
            Guarded(fatal, "mnuReport_Click", [this] { rebuild(); }));
    connect(&window, &MainWindow::printRequested, this,
            Guarded(fatal, "mnuFilePrint_Click", [this] { print(); }));
    connect(&window, &MainWindow::exportPdfRequested, this,
            Guarded(fatal, "mnuFileExportPDF_Click", [this] { exportPdf(); }));
    window.setTabPage(Tab::Report, this);
    // The status bar the build writes to is there from the start, so the window never jumps.
    window.statusBar();
}

ReportTab::~ReportTab() = default;

void ReportTab::createToolBar(QWidget *bar) {
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 2, 4, 2);

    auto *zoom = new QToolButton(bar);
    zoom->setObjectName(QStringLiteral("ReportZoom"));
    zoom->setText(QStringLiteral("&Zoom"));
    zoom->setAccessibleName(QStringLiteral("Zoom"));
    zoom->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(zoom);
    auto *group = new QActionGroup(menu);
    for (std::size_t index = 0; index < ZoomChoices.size(); ++index) {
        const ZoomChoice &choice = ZoomChoices[index];
        QAction *action = menu->addAction(QLatin1String(choice.caption));
        action->setCheckable(true);
        action->setChecked(index == FirstZoom);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, choice] {
            m_preview->setViewMode(choice.view);
            m_preview->setZoomMode(choice.zoom);
        });
    }
    zoom->setMenu(menu);
    // The same choices on the pages' context menu, as the printer control offered them.
    m_preview->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_preview->addActions(menu->actions());
    m_preview->setViewMode(ZoomChoices[FirstZoom].view);
    m_preview->setZoomMode(ZoomChoices[FirstZoom].zoom);

    const struct {
        const char *caption;
        int step;
    } moves[] = {{"&Previous Page", -1}, {"Ne&xt Page", 1}};
    layout->addWidget(zoom);
    for (const auto &move : moves) {
        auto *button = new QToolButton(bar);
        button->setText(QLatin1String(move.caption));
        button->setAccessibleName(withoutMnemonic(move.caption));
        const int step = move.step;
        connect(button, &QToolButton::clicked, this,
                [this, step] { m_preview->setCurrentPage(m_preview->currentPage() + step); });
        layout->addWidget(button);
    }
    m_pageCount = new QLabel(bar);
    m_pageCount->setObjectName(QStringLiteral("ReportPageCount"));
    layout->addWidget(m_pageCount);
    layout->addStretch(1);
    updatePageCount();
}

int ReportTab::pagesShown() const {
    return m_preview->pageCount();
}

void ReportTab::updatePageCount() {
    const int count = m_preview->pageCount();
    m_pageCount->setText(count > 0 ? QStringLiteral("Page %1 of %2")
                                         .arg(std::clamp(m_preview->currentPage(), 1, count))
                                         .arg(count)
                                   : QString());
    m_pageCount->setAccessibleName(m_pageCount->text());
}

CalculatedIllustration ReportTab::rebuild() {
    CalcContext &calculation = m_window.calculation();
    calculation.today = m_context.clock->today();
    const ReportEnvironment environment{m_context.archive, m_context.workFolder,
                                        Installation::FileDescription(), m_window.windowTitle()};
    std::optional<DocumentBuilding> building;
    const CalculatedIllustration built = RebuildIllustrationReport(
        m_report, m_window.illustration(), calculation, ReportPagesOf(m_window.menuState()),
        environment, [this, &building] { building.emplace(m_window); });
    if (built.validation.passed()) {
        m_previewPrinter->setDocName(m_report.name);
        m_preview->updatePreview();
        updatePageCount();
    }
    return built;
}

void ReportTab::print() {
    if (!rebuild().validation.passed())
        return;
    PrintReport(m_report, m_printDialog, m_window.illustration().prompter(), &m_window);
}

void ReportTab::exportPdf() {
    const CalculatedIllustration built = rebuild();
    if (!built.validation.passed())
        return;
    ExportPdf(m_report, m_window.illustration().calculator(), built.validation.variables,
              m_context.pdfFolder(), m_context.documentsFolder, m_window.illustration().prompter());
}
