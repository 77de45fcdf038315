#include "graphtab.h"

#include "calculationrun.h"
#include "fatalguard.h"
#include "graphview.h"
#include "mainwindow.h"
#include "shellcontext.h"
#include "stretchgraph.h"
#include "stretchtab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QListWidget>
#include <QScrollBar>
#include <QVBoxLayout>
#include <array>

namespace {

struct OptionBox {
    Control control;
    const char *name;
    const char *caption;
};
constexpr std::array<OptionBox, 3> OptionBoxes{{
    {Control::chkBackground, "chkBackground", "Show Border"},
    {Control::chkGrayScale, "chkGrayScale", "Grayscale"},
    {Control::chkTopView, "chkTopView", "Rotate 20 Degrees"},
}};

bool checkedIn(const IllustrationControls &controls, Control control) {
    return controls.*(EntryOf(control).flag);
}

} // namespace

GraphTab::GraphTab(MainWindow &window, ShellContext &context, FatalHandler &fatal)
    : QWidget(&window), m_window(window), m_context(context) {
    m_view = new GraphView(this);
    m_view->setObjectName(QStringLiteral("picGraph"));
    m_view->setAccessibleName(QStringLiteral("Graph"));
    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("hScrollGraph"));
    m_scroll->setAccessibleName(QStringLiteral("Last Year Shown"));
    m_scroll->setPageStep(5);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstGraph"));
    m_list->setAccessibleName(QStringLiteral("Years Shown"));

    auto *side = new QVBoxLayout;
    side->addWidget(m_list);
    for (std::size_t index = 0; index < OptionBoxes.size(); ++index) {
        const OptionBox &box = OptionBoxes[index];
        auto *check = new QCheckBox(QLatin1String(box.caption), this);
        check->setObjectName(QLatin1String(box.name));
        check->setAccessibleName(QLatin1String(box.caption));
        side->addWidget(check);
        m_options[index] = check;
        const Control control = box.control;
        connect(check, &QCheckBox::toggled, this,
                Guarded(fatal, "chkGraph_Click", [this, control](bool checked) {
                    m_window.illustration().setChecked(control, checked);
                    scheduleRedraw();
                }));
    }
    side->addStretch(1);
    auto *layout = new QGridLayout(this);
    layout->addWidget(m_view, 0, 0);
    layout->addWidget(m_scroll, 1, 0);
    layout->addLayout(side, 0, 1, 2, 1);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(0, 1);

    connect(m_list, &QListWidget::currentTextChanged, this,
            Guarded(fatal, "lstGraph_Click", [this](const QString &entry) {
                m_window.illustration().setListEntry(Control::lstGraph, entry);
                scheduleRedraw();
            }));
    connect(m_scroll, &QScrollBar::valueChanged, this,
            Guarded(fatal, "hScrollGraph_Change", [this](int position) {
                m_window.illustration().setPosition(Control::hScrollGraph, position);
                scheduleRedraw();
            }));
    m_redraw.setSingleShot(true);
    m_redraw.setInterval(0);
    connect(&m_redraw, &QTimer::timeout, this, Guarded(fatal, "CreateGraph", [this] { redraw(); }));
    connect(&window, &MainWindow::graphTimerElapsed, this,
            Guarded(fatal, "CreateGraph", [this] { redraw(); }));
    window.setTabPage(Tab::Graph, this);
}

void GraphTab::scheduleRedraw() {
    m_redraw.start();
}

QImage GraphTab::background() {
    if (!m_backgroundRead) {
        m_background = GraphBackground(m_context.archive, m_context.workFolder,
                                       m_window.illustration().prompter());
        m_backgroundRead = true;
    }
    return m_background;
}

bool GraphTab::redraw() {
    m_redraw.stop();
    Illustration &illustration = m_window.illustration();
    if (illustration.calculator() != Calculator::Stretch)
        return false;
    CalcContext &calculation = m_window.calculation();
    calculation.today = m_context.clock->today();
    const CalculatorRun run = RunCalculator(illustration, calculation);
    const auto *inputs = std::get_if<StretchInputs>(&run.validation.variables);
    if (!run.passed() || !inputs || !run.result.projection)
        return false;
    const GraphContent content = PrepareGraph(illustration, *inputs, *run.result.projection);
    const GraphRange &range = content.result.range;

    // The controls follow the illustration without announcing it as the user's change.
    {
        const QSignalBlocker listQuiet(m_list);
        const QSignalBlocker scrollQuiet(m_scroll);
        const QStringList entries = StretchGraphEntries(content.spousePhase);
        QStringList shown;
        for (int row = 0; row < m_list->count(); ++row)
            shown << m_list->item(row)->text();
        if (shown != entries) {
            m_list->clear();
            m_list->addItems(entries);
        }
        m_list->setCurrentRow(int(entries.indexOf(content.entry)));
        m_scroll->setRange(range.minimum, std::max(range.minimum, range.maximum));
        m_scroll->setValue(content.result.scrollPosition);
        for (std::size_t index = 0; index < OptionBoxes.size(); ++index) {
            const QSignalBlocker boxQuiet(m_options[index]);
            m_options[index]->setChecked(
                checkedIn(illustration.controls(), OptionBoxes[index].control));
        }
    }
    if (!range.empty() && illustration.controls().hScrollGraph != content.result.scrollPosition)
        illustration.setPosition(Control::hScrollGraph, content.result.scrollPosition,
                                 ChangeOrigin::Refresh);
    m_view->showGraph(content.data, content.options,
                      content.options.background ? background() : QImage());
    return true;
}
