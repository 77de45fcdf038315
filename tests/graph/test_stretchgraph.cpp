// The Stretch graph: the phase from the list entry, the title, the scroll range and the years it
// draws, and the saved bitmap with its options.

#include "stretchgraph.h"

#include "fatalerror.h"
#include "reportfixture.h"
#include "supportarchive.h"
#include "testsupport.h"

#include <QImageReader>

namespace {

using namespace Projection;

TEST(GraphListTest, PhaseFromTheSelectedEntrysFirstLetter) {
    struct Case {
        const char *name;
        QString stored;
        bool spousePhase;
        Phase expected;
    };
    const Case cases[] = {
        {"planholder", QStringLiteral("Planholder"), false, Planholder},
        {"spouse entry with a spouse phase", QStringLiteral("Spouse Beneficiary"), true, Spouse},
        {"spouse entry without one selects nothing", QStringLiteral("Spouse Beneficiary"), false,
         AllYears},
        {"beneficiary", QStringLiteral("Non-Spouse Beneficiary"), true, Beneficiary},
        {"all years", QStringLiteral("All Years"), true, AllYears},
        {"text the list does not hold", QStringLiteral("Nobody"), true, AllYears},
    };
    for (const Case &c : cases)
        EXPECT_EQ(GraphPhase(SelectedGraphEntry(c.stored, c.spousePhase)), c.expected) << c.name;
    // The first letter decides, as it is written.
    EXPECT_EQ(GraphPhase(QStringLiteral("Spouse")), Spouse);
    EXPECT_EQ(GraphPhase(QStringLiteral("planholder")), AllYears);
}

TEST(GraphTitleTest, OwnerPlanAndRate) {
    StretchInputs inputs;
    inputs.planholderName = QStringLiteral("Robert J Sample");
    inputs.spouseName = QStringLiteral("Mary Sample");
    inputs.beneficiaryName = QStringLiteral("Jack Sample");
    inputs.planName = QStringLiteral("Rollover IRA");
    const QString rate = QStringLiteral("6.00%");
    EXPECT_EQ(GraphTitle(Planholder, inputs, rate),
              QStringLiteral("Robert J Sample\r\nRollover IRA @ 6.00%"));
    EXPECT_EQ(GraphTitle(Spouse, inputs, rate),
              QStringLiteral("Mary Sample\r\nInherited Rollover IRA @ 6.00%"));
    EXPECT_EQ(GraphTitle(Beneficiary, inputs, rate),
              QStringLiteral("Jack Sample\r\nInherited Rollover IRA @ 6.00%"));
    // All years' title is the saved bitmap's test.
}

// A small projection: the planholder in rows 0-4 (ages 70-74), the beneficiary in rows 5-9
// (ages 40-44, the account emptied in row 9), all years in rows 0-9; a planholder of one year
// in the spouse phase's place.
ProjectionTable handTable() {
    ProjectionTable table;
    for (int row = 0; row < 10; ++row) {
        const Phase owner = row < 5 ? Planholder : Beneficiary;
        const int age = row < 5 ? 70 + row : 35 + row;
        const qint64 balance = row == 9 ? 0 : 1000 - 100 * row;
        for (const Phase phase : {owner, AllYears}) {
            table.at(phase, Year, row) = 2024 + row;
            table.at(phase, Age, row) = phase == AllYears ? row : age;
            table.at(phase, Distribution, row) = 10 * row;
            table.at(phase, Accumulated, row) = 10 * row * (row + 1) / 2;
            table.at(phase, Balance, row) = balance;
        }
    }
    table.at(Spouse, Year, 0) = 2024;
    table.at(Spouse, Age, 0) = 80;
    table.at(Spouse, Balance, 0) = 500;
    return table;
}

// The scroll range runs from one above the phase's first age (or year index) to its last, so at
// least two years show; the position chooses the last year drawn.
TEST(GraphRangeTest, ScrollPositionChoosesTheLastYear) {
    const ProjectionTable table = handTable();
    struct Case {
        const char *name;
        Phase phase;
        int position;
        int clamped;
        int first;
        int last;
    };
    const Case cases[] = {
        {"99: every year", Planholder, 99, 74, 0, 4},
        {"the minimum: two years", Planholder, 71, 71, 0, 1},
        {"below the minimum", Planholder, 10, 71, 0, 1},
        {"part of the beneficiary's years", Beneficiary, 42, 42, 5, 7},
        {"the emptied year is drawn", Beneficiary, 99, 44, 5, 9},
        {"beneficiary below the minimum", Beneficiary, 0, 41, 5, 6},
        {"all years", AllYears, 3, 3, 0, 3},
        {"every year of all", AllYears, 99, 9, 0, 9},
        {"one year: the minimum passes the maximum", Spouse, 99, 81, 0, 0},
    };
    for (const Case &c : cases) {
        const GraphRange range = GraphScrollRange(table, c.phase);
        const int position = ClampedScrollPosition(range, c.position);
        EXPECT_EQ(position, c.clamped) << c.name;
        const GraphRows rows = GraphYears(table, c.phase, range, position);
        EXPECT_EQ(rows.first, c.first) << c.name;
        EXPECT_EQ(rows.last, c.last) << c.name;
    }
    const GraphRange none = GraphScrollRange(ProjectionTable(), Planholder);
    EXPECT_TRUE(none.empty());
    const GraphRows rows = GraphYears(ProjectionTable(), Planholder, none, 99);
    EXPECT_LT(rows.last, rows.first);
}

TEST(DollarAxisTest, RoundStepsInTheDollarFormat) {
    const auto texts = [](double maximum) {
        QStringList list;
        for (const AxisLabel &label : DollarAxisLabels(maximum))
            list << label.text;
        return list;
    };
    EXPECT_EQ(texts(1734111),
              QStringList({"$0", "$500,000", "$1,000,000", "$1,500,000", "$2,000,000"}));
    EXPECT_EQ(texts(250000),
              QStringList({"$0", "$50,000", "$100,000", "$150,000", "$200,000", "$250,000"}));
    EXPECT_EQ(texts(99), QStringList({"$0", "$20", "$40", "$60", "$80", "$100"}));
    EXPECT_EQ(texts(0), QStringList({"$0", "$1"}));
}

class CreateGraphTest : public IllustrationTest {
protected:
    void SetUp() override {
        context.today = QDate(2024, 1, 15);
        MakeStretchSample(illustration, context.today);
    }

    GraphResult create() {
        const Validation validation = DefineVariables(illustration, context);
        EXPECT_TRUE(validation.passed());
        const CalculationResult result =
            CalculateValues(illustration, validation.variables, context);
        return CreateGraph(illustration, std::get<StretchInputs>(validation.variables),
                           *result.projection, archive, folder.work);
    }
    QImage bitmap(const GraphResult &result) const { return QImageReader(result.bitmap).read(); }

    ArchiveFolder folder;
    SupportArchive archive{QStringLiteral(SUPPORT_ARCHIVE)};
    CalcContext context;
};

TEST_F(CreateGraphTest, SavesTheBitmapInTheWorkFolder) {
    const GraphResult result = create();
    EXPECT_EQ(result.bitmap, folder.workFile(QStringLiteral("RMDGraph.bmp")));
    EXPECT_EQ(result.title,
              QStringLiteral("Robert J Sample\r\nRollover IRA @ 6.00%\r\n(All Years)"));
    QImageReader reader(result.bitmap);
    EXPECT_EQ(reader.format(), QByteArray("bmp"));
    const QImage image = reader.read();
    EXPECT_EQ(image.size(), QSize(624, 468));
    EXPECT_FALSE(AllGray(image)) << "the series are drawn in colour";
}

TEST_F(CreateGraphTest, OptionsChangeThePicture) {
    const QImage plain = bitmap(create());
    illustration.setChecked(Control::chkGrayScale, true);
    const QImage gray = bitmap(create());
    EXPECT_TRUE(AllGray(gray));
    illustration.setChecked(Control::chkGrayScale, false);
    illustration.setChecked(Control::chkTopView, true);
    const QImage top = bitmap(create());
    EXPECT_NE(top, plain);
    illustration.setChecked(Control::chkTopView, false);
    illustration.setChecked(Control::chkBackground, true);
    const QImage backed = bitmap(create());
    // The corner is white without the background picture.
    EXPECT_EQ(plain.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_NE(backed.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(folder.workFiles(), QStringList{QStringLiteral("RMDGraph.bmp")})
        << "the background's copy is deleted";
}

TEST_F(CreateGraphTest, MissingBackgroundIsLeftOut) {
    const QString emptyArchive = folder.dir.filePath(QStringLiteral("bare.icf"));
    WriteSupportArchive(emptyArchive, {{QStringLiteral("Other.txt"), "x"}});
    archive = SupportArchive(emptyArchive);
    illustration.setChecked(Control::chkBackground, true);
    const QImage image = bitmap(create());
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST(DrawGraphTest, UnwritableBitmapIsReportedAndEndsTheProgram) {
    RecordingPrompter prompter;
    const QString path = QStringLiteral("/nonexistent-folder/RMDGraph.bmp");
    try {
        DrawGraph(GraphData{QStringLiteral("T"), {}}, GraphOptions{}, QImage(), path, prompter);
        FAIL() << "no error";
    } catch (const FatalError &error) {
        EXPECT_TRUE(error.alreadyShown());
        EXPECT_EQ(error.number(), 75);
    }
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].caption, QStringLiteral("Error in Graph Routine"));
    EXPECT_EQ(prompter.messages()[0].text,
              QStringLiteral("An error, code 75, has occurred.\r\nDescription: cannot write ") +
                  path + QStringLiteral("\r\nThis program will terminate."));
}

// No years at all is drawn by the test above.
TEST(DrawGraphTest, OneYearStillGivesAPicture) {
    const QImage single = RenderGraph(GraphData{QStringLiteral("One year"), {{2024, 1, 1, 0}}},
                                      GraphOptions{false, false, true});
    EXPECT_EQ(single.size(), QSize(624, 468));
}

} // namespace
