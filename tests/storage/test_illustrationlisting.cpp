#include "databaseoperations.h"
#include "filelock.h"
#include "illustrationrecord.h"
#include "savedillustrationsmodel.h"
#include "storagetestsupport.h"

#include <QAbstractItemModelTester>

namespace {

QByteArray recordOf(Calculator calculator, int number, std::initializer_list<const char *> values) {
    RecordingPrompter prompter;
    Illustration illustration(prompter);
    illustration.setCalculator(calculator);
    illustration.resetToNew(number, QDate(2021, 7, 4), QStringLiteral("IRA"));
    SetFields(illustration, values);
    return IllustrationRecord::encode(BuildRecord(illustration));
}

class ListingTest : public DatabaseTest {
protected:
    IllustrationListing listing() {
        Result<IllustrationListing> read = IllustrationListing::read(database.records());
        EXPECT_TRUE(read.ok());
        return read.value;
    }
    QStringList row(const IllustrationListing &list, int index) {
        QStringList cells;
        for (int column = 0; column < GridColumn::Count; ++column)
            cells.append(list.cell(index, column));
        return cells;
    }
};

TEST_F(ListingTest, ColumnsFollowEachCalculator) {
    QByteArray rmd = recordOf(Calculator::Rmd, 1,
                              {"8-PartFirst=Jane", "8-PartMiddle=Q", "8-PartLast=Sample",
                               "8-PlanName0=Rollover", "3-Year0=2021", "6-RMD_Amt=$3,650"});
    rmd.replace(900, 7, "401(k) ");
    const QByteArray rmbd = recordOf(Calculator::Rmbd, 2,
                                     {"8-BeneFirst=Bo", "8-BeneLast=Heir", "3-Year1=2020",
                                      "8-PlanName1=Inherited", "6-RMD_Amt=$900"});
    const QByteArray sepp = recordOf(Calculator::Sepp, 3,
                                     {"8-EqualFirst=Al", "8-EqualMiddle=B", "8-EqualPlanName=SEPP",
                                      "7-EqualDate=06/01/2023", "6-RMD_Amt=$1.00"});
    writeDatabase(rmd + rmbd + sepp +
                  recordOf(Calculator::Stretch, 4,
                           {"8-StretchPLast=Long", "8-StretchPlanName=Legacy", "6-RMD_Amt=$5"}));
    const IllustrationListing list = listing();
    ASSERT_EQ(list.rowCount(), 4);
    const QStringList expected[] = {
        {"Sample, Jane Q", "07/04/2021", "RMD", "401(k)", "Rollover", "2021", "$3,650", "1"},
        {"Heir, Bo", "07/04/2021", "RMBD", "IRA", "Inherited", "2020", "$900", "2"},
        // No last name leaves a leading blank; SEPP's year ends its calculation date.
        {" Al B", "07/04/2021", "SEPP", "IRA", "SEPP", "2023", "$1.00", "3"},
        // Stretch: the year of the illustration date and no distribution.
        {"Long,", "07/04/2021", "Stretch", "IRA", "Legacy", "2021", "", "4"},
    };
    for (int index = 0; index < 4; ++index)
        EXPECT_EQ(row(list, index), expected[index]) << "row " << index;
    EXPECT_EQ(list.title(), QStringLiteral("4 Saved Illustrations"));
}

TEST_F(ListingTest, TitleAndButtonsFollowTheRecords) {
    const struct {
        const char *name;
        std::optional<QByteArray> file;
        const char *title;
        bool rowButtons, undelete;
    } cases[] = {
        {"no database", std::nullopt, "0 Saved Illustrations", false, false},
        {"all deleted", SampleDatabase(2, {1, 2}), "0 Saved Illustrations", false, true},
        {"some deleted", SampleDatabase(3, {2}), "2 Saved Illustrations", true, true},
        {"none deleted", SampleDatabase(2), "2 Saved Illustrations", true, false},
    };
    for (const auto &c : cases) {
        QFile::remove(database.path());
        if (c.file)
            writeDatabase(*c.file);
        const IllustrationListing list = listing();
        EXPECT_EQ(list.title(), QLatin1String(c.title)) << c.name;
        const GridButtons b = list.buttons();
        EXPECT_EQ(QList<bool>({b.open, b.copy, b.remove, b.undelete, b.cancel}),
                  QList<bool>({c.rowButtons, c.rowButtons, c.rowButtons, c.undelete, true}))
            << c.name;
    }
}

TEST_F(ListingTest, DamagedRecordsAreSkippedAndReported) {
    const auto damage = [](int at, QByteArray bytes) {
        return [at, bytes](QByteArray &record) { record.replace(at, bytes.size(), bytes); };
    };
    const struct {
        const char *name;
        std::function<void(QByteArray &)> spoil;
        RecordDamage damage;
    } cases[] = {
        {"bad calculator digit", damage(1, "8"), RecordDamage::BadCalculator},
        {"status neither 1 nor 0", damage(0, "X"), RecordDamage::BadStatus},
        {"all zero bytes", [](QByteArray &r) { r.fill('\0'); }, RecordDamage::BadStatus},
        {"non-numeric record number", damage(460, "12ab  "), RecordDamage::BadRecordNumber},
        {"record number of another place", damage(460, "7     "), RecordDamage::BadRecordNumber},
        {"undefined byte", damage(70, "\x81"), RecordDamage::BadEncoding},
        {"cut short", [](QByteArray &r) { r.truncate(600); }, RecordDamage::WrongLength},
    };
    for (const auto &c : cases) {
        QByteArray second = SampleRecord(2, QStringLiteral("Name2"));
        c.spoil(second);
        // The damaged record stands second, or last when it is the short one.
        QByteArray file = SampleRecord(1, QStringLiteral("Name1"));
        if (c.damage == RecordDamage::WrongLength)
            file += SampleRecord(2, QStringLiteral("Name2")) + second;
        else
            file += second + SampleRecord(3, QStringLiteral("Name3"));
        writeDatabase(file);
        const IllustrationListing list = listing();
        ASSERT_EQ(list.damaged().size(), 1) << c.name;
        EXPECT_EQ(list.damaged().at(0).damage, c.damage) << c.name;
        EXPECT_EQ(list.rowCount(), 2) << c.name;
        EXPECT_EQ(list.cell(0, GridColumn::Name), QStringLiteral("Name1, Jane Q")) << c.name;
        EXPECT_FALSE(describe(c.damage).isEmpty());
    }
}

TEST_F(ListingTest, ModelPassesTheItemModelTester) {
    writeDatabase(SampleDatabase(4, {3}));
    SavedIllustrationsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_FALSE(FillGrid(database, model, prompter));
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 8);
    EXPECT_EQ(model.data(model.index(2, 0)).toString(), QStringLiteral("Name4, Jane Q"));
    EXPECT_EQ(model.data(model.index(2, 0), SavedIllustrationsModel::RecordRole).toInt(), 4);
    writeDatabase(SampleDatabase(1));
    ASSERT_FALSE(FillGrid(database, model, prompter));
    EXPECT_EQ(model.rowCount(), 1);
}

TEST_F(ListingTest, TypeAheadFindsTheFirstNameThatBeginsWithTheKeys) {
    writeDatabase(
        SampleRecord(1, QStringLiteral("Baker")) + SampleRecord(2, QStringLiteral("Adams")) +
        SampleRecord(3, QStringLiteral("Abbot")) + SampleRecord(4, QStringLiteral("abbey")));
    const IllustrationListing list = listing();
    TypeAheadSearch search;
    EXPECT_EQ(search.type(QLatin1Char('a'), list), 1);
    EXPECT_EQ(search.type(QLatin1Char('b'), list), 2) << "\"AB\": Abbot before abbey";
    EXPECT_EQ(search.type(QLatin1Char('B'), list), 2);
    EXPECT_EQ(search.type(QLatin1Char('e'), list), 3) << "any letter case";
    EXPECT_EQ(search.type(QLatin1Char('z'), list), -1);
    search.clear(); // the timer fired: a new search starts
    EXPECT_EQ(search.type(QLatin1Char('b'), list), 0);
}

TEST_F(ListingTest, DeleteAndUndeleteChangeOnlyTheStatus) {
    writeDatabase(SampleDatabase(3));
    const QByteArray before = databaseBytes();
    ASSERT_FALSE(DeleteRecord(database, 3, prompter));
    ASSERT_FALSE(DeleteRecord(database, 1, prompter));
    QByteArray expected = before;
    expected[0] = '0';
    expected[2000] = '0';
    EXPECT_EQ(databaseBytes(), expected);
    EXPECT_EQ(listing().rowCount(), 1);
    // The last row deleted selects the row above; any other keeps its row number.
    EXPECT_EQ(RowAfterDelete(2, 2), 1);
    EXPECT_EQ(RowAfterDelete(0, 2), 0);

    const Result<int> undeleted = UndeleteAll(database, prompter);
    ASSERT_TRUE(undeleted.ok());
    EXPECT_EQ(undeleted.value, 2);
    EXPECT_EQ(databaseBytes(), before);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(ListingTest, ButtonsRefuseRecordsTheyMayNotActOn) {
    QByteArray bytes = SampleDatabase(3, {2});
    bytes[2001] = '9';
    writeDatabase(bytes);
    const struct {
        const char *name;
        int record;
    } cases[] = {{"deleted", 2}, {"damaged", 3}, {"past the end", 4}};
    for (const auto &c : cases) {
        prompter.clear();
        EXPECT_TRUE(DeleteRecord(database, c.record, prompter).has_value()) << c.name;
        ASSERT_EQ(prompter.messages().size(), 1) << c.name;
        EXPECT_EQ(prompter.messages().at(0).caption,
                  QStringLiteral("CmdDelete: Error Reading Database"));
        EXPECT_TRUE(
            prompter.messages().at(0).text.startsWith(QStringLiteral("An error occurred. Type: ")));
        EXPECT_FALSE(CopyRecord(database, c.record, prompter).ok()) << c.name;
        EXPECT_EQ(prompter.messages().constLast().caption,
                  QStringLiteral("CmdCopy: Error Reading Database"));
    }
    EXPECT_EQ(databaseBytes(), bytes);
}

TEST_F(ListingTest, ARecordChangedSinceListingIsLeftAlone) {
    writeDatabase(SampleDatabase(2));
    const IllustrationListing list = listing();
    // Another program compacts or rewrites record 2 meanwhile.
    writeDatabase(SampleRecord(1, QStringLiteral("Name1")) +
                  SampleRecord(2, QStringLiteral("Other")));
    const QByteArray changed = databaseBytes();
    EXPECT_TRUE(DeleteRecord(database, 2, prompter, list.recordBytes(1)).has_value());
    EXPECT_FALSE(CopyRecord(database, 2, prompter, list.recordBytes(1)).ok());
    EXPECT_EQ(databaseBytes(), changed);
    EXPECT_FALSE(DeleteRecord(database, 1, prompter, list.recordBytes(0)).has_value());
}

} // namespace
