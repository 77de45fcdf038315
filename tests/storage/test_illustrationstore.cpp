#include "filelock.h"
#include "illustrationrecord.h"
#include "illustrationstore.h"
#include "storagetestsupport.h"

namespace {

const QDate Today(2022, 3, 1);

class IllustrationStoreTest : public DatabaseTest {
protected:
    Illustration illustration{prompter};

    // An edited, valid RMD illustration of the client of record 2 ("Name2") whose record
    // number field holds `recordNumber`.
    void makeEdited(const char *recordNumber, const char *last = "Name2") {
        MakeRmdSample(illustration, Today);
        SetFields(illustration, {{"3-DatabaseIndex", recordNumber}, {"8-PartLast", last}});
        illustration.setSaved(false);
    }

    QString recordNumberField() const {
        return illustration.fields().GetField(QStringLiteral("3-DatabaseIndex"));
    }
};

TEST_F(IllustrationStoreTest, RecordNumbersThatAreNoRecordTakeTheNextFree) {
    const struct {
        const char *field;
        SaveTarget target;
        int record;
    } cases[] = {
        {"", SaveTarget::OwnRecord, 3},
        {"Record", SaveTarget::OwnRecord, 3},
        {"0", SaveTarget::OwnRecord, 3},
        {"-1", SaveTarget::OwnRecord, 3},
        {"9", SaveTarget::OwnRecord, 3}, // past the end: no gap of missing records
        {"2", SaveTarget::OwnRecord, 2},
        {"1", SaveTarget::NextFreeRecord, 3}, // a new illustration whose number a copy took
    };
    for (const auto &c : cases) {
        writeDatabase(SampleDatabase(2));
        makeEdited(c.field);
        const WriteOutcome outcome = WriteIllustration(database, illustration, c.target);
        EXPECT_EQ(outcome.record, c.record) << c.field;
        EXPECT_EQ(recordNumberField(), QString::number(c.record)) << c.field;
        EXPECT_TRUE(illustration.isSaved()) << c.field;
        EXPECT_EQ(databaseBytes().size(), qMax(2, c.record) * 1000) << c.field;
        EXPECT_EQ(databaseBytes().left(1000), SampleRecord(1, QStringLiteral("Name1"))) << c.field;
        EXPECT_EQ(databaseBytes().mid((c.record - 1) * 1000, 1000),
                  IllustrationRecord::encode(BuildRecord(illustration)))
            << c.field;
    }
}

TEST_F(IllustrationStoreTest, FailedWriteKeepsFileFlagAndNumber) {
    writeDatabase(SampleDatabase(2));
    const QByteArray before = databaseBytes();
    makeEdited("");
    WriteOutcome outcome;
    {
        FileSizeLimit limit(2400);
        outcome = WriteIllustration(database, illustration);
    }
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(databaseBytes(), before);
    EXPECT_FALSE(illustration.isSaved());
    EXPECT_EQ(recordNumberField(), QString()) << "the illustration stays as it was";
    EXPECT_EQ(outcome.error->description, QStringLiteral("Error Writing to Database: ") +
                                              database.path() + QStringLiteral(": File too large"));
}

TEST_F(IllustrationStoreTest, AValueWiderThanItsPlaceIsNotCutButRefused) {
    writeDatabase(SampleDatabase(2));
    makeEdited("");
    SetFields(illustration, {{"6-RMD_Amt", "$3,703,703,704"}}); // a computed amount
    const WriteOutcome outcome = WriteIllustration(database, illustration);
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(databaseBytes(), SampleDatabase(2));
    EXPECT_EQ(outcome.error->description,
              QStringLiteral("\"6-RMD_Amt\" holds \"$3,703,703,704\", wider than its place in "
                             "the record"));
}

TEST_F(IllustrationStoreTest, OverwritesOnlyTheRecordItWasReadFrom) {
    enum class Change { None, Rewritten, Renumbered };
    const struct {
        const char *last; // the client on screen
        bool opened;      // read from record 2, so it carries that record's fingerprint
        Change change;    // what happened to record 2 since
        SaveTarget target;
        int record; // 0: refused
    } cases[] = {
        {"Name2", false, Change::None, SaveTarget::OwnRecord, 2},
        {"Other", false, Change::None, SaveTarget::OwnRecord, 0},
        {"Other", false, Change::None, SaveTarget::NextFreeRecord, 4},
        {"Name2", true, Change::None, SaveTarget::OwnRecord, 2},
        {"Name2", true, Change::Rewritten, SaveTarget::OwnRecord, 0},
        {"Name2", true, Change::Renumbered, SaveTarget::OwnRecord, 0},
    };
    for (const auto &c : cases) {
        writeDatabase(SampleDatabase(3));
        if (c.opened)
            ASSERT_FALSE(OpenRecord(database, 2, illustration, RecordLists::window()));
        else
            makeEdited("2", c.last);
        illustration.setSaved(false);
        QByteArray changed = databaseBytes();
        if (c.change == Change::Rewritten)
            changed[1000 + 500] = 'X';
        else if (c.change == Change::Renumbered) // a compaction moved record 3 into place 2
            changed =
                SampleRecord(1, QStringLiteral("Name1")) + SampleRecord(2, QStringLiteral("Name3"));
        writeDatabase(changed);
        const WriteOutcome outcome = WriteIllustration(database, illustration, c.target);
        EXPECT_EQ(outcome.record, c.record) << c.last << int(c.change);
        if (c.record == 0) {
            EXPECT_EQ(databaseBytes(), changed);
            EXPECT_TRUE(
                outcome.error->description.contains(QStringLiteral("it was not overwritten")));
        }
    }
}

TEST_F(IllustrationStoreTest, NewIllustrationNumbersFromTheFileLength) {
    const struct {
        qint64 size;
        int number;
    } cases[] = {{-1, 1}, {0, 1}, {1000, 2}, {3000, 4}, {2500, 4}, {1500, 2}};
    for (const auto &c : cases) {
        QFile::remove(database.path());
        if (c.size >= 0)
            writeDatabase(QByteArray(c.size, '1'));
        NewIllustration(database, illustration, Today, QStringLiteral("IRA"));
        EXPECT_EQ(recordNumberField(), QString::number(c.number)) << c.size;
        EXPECT_TRUE(illustration.isSaved());
        EXPECT_EQ(database.records().size(), qMax<qint64>(c.size, 0)) << "nothing written";
    }
}

TEST_F(IllustrationStoreTest, OpenLoadsActiveRecordsOnly) {
    QByteArray bytes = SampleDatabase(3, {2});
    bytes[2001] = '7'; // record 3: a calculator digit that does not exist
    writeDatabase(bytes);

    ASSERT_FALSE(OpenRecord(database, 1, illustration, RecordLists::window()));
    EXPECT_EQ(illustration.fields().GetField(QStringLiteral("8-PartLast")),
              QStringLiteral("Name1"));
    EXPECT_TRUE(illustration.isSaved());

    for (const int refused : {2, 3, 4}) {
        prompter.clear();
        const Status error = OpenRecord(database, refused, illustration, RecordLists::window());
        ASSERT_TRUE(error.has_value()) << refused;
        ASSERT_EQ(prompter.messages().size(), 1);
        EXPECT_EQ(prompter.messages().at(0).caption,
                  QStringLiteral("CmdOK: Error Reading Database"));
        EXPECT_EQ(illustration.fields().GetField(QStringLiteral("8-PartLast")),
                  QStringLiteral("Name1"))
            << "left as it was";
    }
}

} // namespace
