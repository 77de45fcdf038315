// The Graph tab on the Stretch sample: the list, the scroll bar from the projection, the option
// boxes redrawing the live chart and clearing the saved flag, the hover text.

#include "graphtab.h"
#include "graphview.h"
#include "reportbuild.h"
#include "reportwindow.h"
#include "stretchgraph.h"
#include "stretchtab.h"

#include <QCheckBox>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

namespace {

class GraphTabTest : public ReportWindowTest {
protected:
    GraphTab &page() { return *qobject_cast<GraphTab *>(shell->mainWindow()->tabPage(Tab::Graph)); }
    template <typename T> T *control(const char *name) {
        return page().findChild<T *>(QLatin1String(name));
    }
    QStringList listed() {
        QStringList entries;
        for (int row = 0; row < control<QListWidget>("lstGraph")->count(); ++row)
            entries << control<QListWidget>("lstGraph")->item(row)->text();
        return entries;
    }
    // The projection the window computes, for the scroll range it should offer.
    GraphRange expectedRange(Projection::Phase phase) {
        MainWindow &window = *shell->mainWindow();
        const CalculatedIllustration calculated =
            DefineAndCalculate(window.illustration(), window.calculation());
        return GraphScrollRange(calculated.result.projection->table, phase);
    }
};

TEST_F(GraphTabTest, TheTimerDrawsTheListAndScrollRangeFromTheProjection) {
    MainWindow &window = open("stretch");
    window.illustration().setPosition(Control::hScrollGraph, 0);
    window.showTab(Tab::Graph);
    QTest::qWait(300); // the window's one-shot graph timer
    EXPECT_EQ(listed(), StretchGraphEntries(true));
    EXPECT_EQ(control<QListWidget>("lstGraph")->currentItem()->text(), QStringLiteral("All Years"));
    const GraphRange range = expectedRange(Projection::AllYears);
    auto *scroll = control<QScrollBar>("hScrollGraph");
    EXPECT_EQ(scroll->minimum(), range.minimum);
    EXPECT_EQ(scroll->maximum(), range.maximum);
    EXPECT_EQ(scroll->value(), range.minimum);
    EXPECT_EQ(window.illustration().controls().hScrollGraph, range.minimum)
        << "the position kept in range is written back";

    // Without a spouse phase the list has no spouse entry.
    SetSkipSpouse(window.illustration(), true);
    EXPECT_TRUE(page().redraw());
    EXPECT_EQ(listed(), StretchGraphEntries(false));
}

TEST_F(GraphTabTest, ChangesRedrawAndClearTheSavedFlag) {
    MainWindow &window = open("stretch");
    window.showTab(Tab::Graph);
    ASSERT_TRUE(page().redraw());
    window.illustration().setSaved(true);
    EXPECT_FALSE(AllGray(page().view()->grab().toImage()));

    control<QCheckBox>("chkGrayScale")->click();
    settle();
    EXPECT_FALSE(window.illustration().isSaved());
    EXPECT_TRUE(AllGray(page().view()->grab().toImage()));

    // A burst of scroll steps is drawn once, at the last position.
    window.illustration().setSaved(true);
    auto *scroll = control<QScrollBar>("hScrollGraph");
    for (int step = 0; step < 5; ++step)
        scroll->triggerAction(QAbstractSlider::SliderSingleStepSub);
    settle();
    EXPECT_FALSE(window.illustration().isSaved());
    EXPECT_EQ(window.illustration().controls().hScrollGraph, scroll->value());
    const GraphRange range = expectedRange(Projection::AllYears);
    EXPECT_EQ(qint64(page().view()->data().years.size()), scroll->value() - range.minimum + 2)
        << "the first year with a balance through the position";

    // Choosing the planholder draws the planholder's years.
    auto *list = control<QListWidget>("lstGraph");
    list->setCurrentRow(int(listed().indexOf(QStringLiteral("Planholder"))));
    settle();
    EXPECT_TRUE(page().view()->data().title.startsWith(QStringLiteral("Robert J Sample")));
    EXPECT_FALSE(page().view()->data().title.contains(QStringLiteral("(All Years)")));
}

TEST_F(GraphTabTest, HoveringAYearShowsItsThreeValues) {
    MainWindow &window = open("stretch");
    window.showTab(Tab::Graph);
    ASSERT_TRUE(page().redraw());
    settle(); // the chart laid out in its view
    GraphView *view = page().view();
    const QRectF plot = view->chart()->plotArea();
    const GraphYear *first = view->yearAt(view->mapFromScene(plot.topLeft() + QPointF(1, 1)));
    const GraphYear *last = view->yearAt(view->mapFromScene(plot.bottomRight() - QPointF(1, 1)));
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->year, view->data().years.front().year);
    EXPECT_EQ(last->year, view->data().years.back().year);
    EXPECT_EQ(view->yearAt(QPoint(0, 0)), nullptr) << "outside the plot";
    const QStringList tip = GraphYearTip(*first).split(QLatin1Char('\n'));
    ASSERT_EQ(tip.size(), 4);
    EXPECT_EQ(tip[0], QString::number(first->year));
    EXPECT_TRUE(tip[1].startsWith(QStringLiteral("Annual Income: $")));
    EXPECT_TRUE(tip[3].startsWith(QStringLiteral("Account Value: $")));
}

} // namespace
