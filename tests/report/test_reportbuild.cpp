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
    for (const bool graphPage : {true, false}) {
        SCOPED_TRACE(graphPage);
        MakeStretchSample(illustration, context.today);
        int calculations = 0;
        std::vector<int> graphYears;
        RebuildSteps steps;
        steps.calculate = [&calculations](Illustration &target, CalcContext &calc) {
            ++calculations;
            return DefineAndCalculate(target, calc);
        };
        steps.createGraph = [&graphYears](const Illustration &, const StretchInputs &inputs,
                                          const StretchProjection &projection) {
            graphYears.push_back(projection.ple);
            EXPECT_EQ(inputs.planholderName, QStringLiteral("Robert J Sample"));
        };
        const ReportPages pages{.graph = graphPage};
        ASSERT_TRUE(RebuildReport(report, illustration, context, pages,
                                  environment(Calculator::Stretch), steps)
                        .validation.passed());
        EXPECT_EQ(calculations, 1);
        EXPECT_EQ(graphYears, graphPage ? std::vector{15} : std::vector<int>{});
        const QString text = DrawnText(report.document);
        EXPECT_TRUE(text.contains(QStringLiteral("Generations")));
        EXPECT_FALSE(text.contains(QStringLiteral("$#")));
        EXPECT_EQ(text.contains(QStringLiteral("Your Account Over the Years")), graphPage);
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
