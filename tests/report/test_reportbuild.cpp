// The report rebuild: validation first, the document only after it passed; the Stretch report
// through its template directives, with the graph step only when its page is on.

#include "reportbuild.h"
#include "reportfixture.h"

#include "displaylist.h"
#include "fatalerror.h"
#include "supportarchive.h"
#include "testsupport.h"
#include "windowcaption.h"

namespace {

class RebuildTest : public IllustrationTest {
protected:
    void SetUp() override {
        context.today = QDate(2024, 1, 15);
        context.representative = SampleRepresentative();
    }
    ReportEnvironment environment(Calculator calculator) const {
        return {archive, folder.work, QStringLiteral("Retirement Distribution Planner"),
                MainWindowCaption(calculator)};
    }

    ArchiveFolder folder;
    SupportArchive archive{QStringLiteral(SUPPORT_ARCHIVE)};
    CalcContext context;
    Report report;
};

TEST_F(RebuildTest, FailedValidationLeavesThePreviousReport) {
    report.name = QStringLiteral("previous");
    report.document = RenderRtf(QStringLiteral("{\\rtf1 One\\par\\page Two\\par}"));
    MakeRmdSample(illustration, context.today);
    SetFields(illustration, {{"8-PartFirst", ""}});
    const CalculatedIllustration calculated =
        RebuildReport(report, illustration, context, ReportPages{}, environment(Calculator::Rmd));
    ASSERT_FALSE(calculated.validation.passed());
    EXPECT_EQ(calculated.validation.failure->tag, QStringLiteral("8-PartFirst"));
    EXPECT_EQ(report.name, QStringLiteral("previous"));
    EXPECT_EQ(DrawnText(report.document), QStringLiteral("One|Two"));
    EXPECT_EQ(prompter.fieldErrors().size(), 1);
}

TEST_F(RebuildTest, GraphStepOnlyWithTheGraphPage) {
    struct Case {
        const char *name;
        ReportPages pages;
        int graphs;
    };
    const Case cases[] = {
        {"graph page on", ReportPages{}, 1},
        {"graph page off", ReportPages{true, true, true, true, false}, 0},
    };
    for (const Case &c : cases) {
        MakeStretchSample(illustration, context.today);
        int calculations = 0;
        int graphs = 0;
        int graphYears = 0;
        RebuildSteps steps;
        steps.calculate = [&calculations](Illustration &target, CalcContext &calc) {
            ++calculations;
            return DefineAndCalculate(target, calc);
        };
        steps.createGraph = [&](const Illustration &, const StretchInputs &inputs,
                                const StretchProjection &projection) {
            ++graphs;
            graphYears = projection.ple;
            EXPECT_EQ(inputs.planholderName, QStringLiteral("Robert J Sample"));
        };
        const CalculatedIllustration calculated = RebuildReport(
            report, illustration, context, c.pages, environment(Calculator::Stretch), steps);
        ASSERT_TRUE(calculated.validation.passed()) << c.name;
        EXPECT_EQ(calculations, 1) << c.name;
        EXPECT_EQ(graphs, c.graphs) << c.name;
        if (c.graphs) {
            EXPECT_EQ(graphYears, 15) << c.name;
        }
        const QString text = DrawnText(report.document);
        EXPECT_TRUE(text.contains(QStringLiteral("Generations"))) << c.name;
        EXPECT_FALSE(text.contains(QStringLiteral("$#"))) << c.name;
        EXPECT_EQ(text.contains(QStringLiteral("Your Account Over the Years")), c.graphs == 1)
            << c.name;
    }
}

// The graph is drawn while the template is merged elsewhere: a graph that fails still ends
// the rebuild with its own error, after the merge is over and its copy gone.
TEST_F(RebuildTest, FailingGraphEndsTheRebuildWithItsError) {
    MakeStretchSample(illustration, context.today);
    RebuildSteps steps;
    steps.createGraph = [](const Illustration &, const StretchInputs &, const StretchProjection &) {
        throw FatalError(QStringLiteral("Graph Routine"), 75, QStringLiteral("disk full"));
    };
    try {
        RebuildReport(report, illustration, context, ReportPages{},
                      environment(Calculator::Stretch), steps);
        ADD_FAILURE() << "the graph's error was lost";
    } catch (const FatalError &error) {
        EXPECT_EQ(error.routine(), QStringLiteral("Graph Routine"));
    }
    EXPECT_TRUE(folder.workFiles().isEmpty());
}

} // namespace
