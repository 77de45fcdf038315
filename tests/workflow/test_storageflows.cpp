#include "databaseoperations.h"
#include "filelock.h"
#include "illustrationrecord.h"
#include "storageflows.h"
#include "storagetestsupport.h"

#include <QDir>

namespace {

const QDate Today(2026, 1, 15);
const QDateTime Now(QDate(2026, 1, 15), QTime(10, 0, 0));
const QString RecordNumberTag = QStringLiteral("3-DatabaseIndex");

class StorageFlowTest : public DatabaseTest {
protected:
    Illustration illustration{prompter};
    CalcContext context{Today, {}, false, false};

    void open(int record) {
        ASSERT_FALSE(OpenRecord(database, record, illustration, RecordLists::window(false)));
    }
    QString recordNumber() const { return illustration.fields().GetField(RecordNumberTag); }
    // The last name stored in record n.
    QString storedLast(int number) const {
        return GridCell(databaseBytes().mid((number - 1) * 1000, 1000).constData(),
                        GridColumn::Name);
    }
};

// New, Open and the end go on only when nothing typed can be lost.
TEST_F(StorageFlowTest, TheOfferToSaveStopsWhenTheEditWouldBeLost) {
    enum class Edit { None, Valid, Invalid, Unwritable };
    const struct {
        const char *name;
        Edit edit;
        Answer answer;
        bool mayLeave;
        bool savedAfter;
    } cases[] = {
        {"untouched: no question", Edit::None, Answer::Yes, true, true},
        {"No: the edit is given up", Edit::Valid, Answer::No, true, false},
        {"Yes: saved", Edit::Valid, Answer::Yes, true, true},
        {"Yes, validation fails: stay at the field", Edit::Invalid, Answer::Yes, false, false},
        {"Yes, the write fails: stay with the message", Edit::Unwritable, Answer::Yes, false,
         false},
    };
    for (const auto &c : cases) {
        prompter.clear();
        QFile::remove(database.path());
        MakeRmdSample(illustration, Today);
        illustration.setRecordFingerprint(QString());
        if (c.edit != Edit::None)
            illustration.editField(2, QStringLiteral("Edited"));
        if (c.edit == Edit::Invalid)
            SetFields(illustration, {{"7-PartDOB", "not a date"}});
        FileLock other(database.path());
        if (c.edit == Edit::Unwritable) {
            ASSERT_FALSE(other.acquire(0));
            database.setLockTimeoutMs(10);
        }
        if (c.edit != Edit::None)
            prompter.queueAnswer(c.answer);
        EXPECT_EQ(OfferToSave(database, illustration, context), c.mayLeave) << c.name;
        EXPECT_EQ(illustration.isSaved(), c.savedAfter) << c.name;
        EXPECT_EQ(prompter.questions().size(), c.edit == Edit::None ? 0 : 1) << c.name;
        EXPECT_EQ(prompter.fieldErrors().size(), c.edit == Edit::Invalid ? 1 : 0) << c.name;
    }
}

// A new illustration whose number a copy took meanwhile is saved as a record of its own.
TEST_F(StorageFlowTest, ANewIllustrationNeverOverwritesARecordThatTookItsNumber) {
    writeDatabase(SampleDatabase(2));
    NewIllustration(database, illustration, Today, QStringLiteral("IRA"));
    ASSERT_TRUE(CopyRecord(database, 2, prompter).ok());
    MakeRmdSample(illustration, Today);
    SetFields(illustration, {{"8-PartLast", "Newcomer"}, {"3-DatabaseIndex", "3"}});
    illustration.setSaved(false);
    prompter.queueAnswer(Answer::Yes);
    ASSERT_TRUE(OfferToSave(database, illustration, context));
    EXPECT_EQ(recordNumber(), QStringLiteral("4"));
    EXPECT_TRUE(storedLast(3).startsWith(QStringLiteral("Name2"))) << "the copy is kept";
    EXPECT_TRUE(storedLast(4).startsWith(QStringLiteral("Newcomer")));
}

TEST_F(StorageFlowTest, CompactionRenumbersTheIllustrationOnScreen) {
    const struct {
        const char *name;
        int opened; // 0: a new illustration, never saved
        bool deletedAfterOpen;
        const char *number;
        bool saved;
    } cases[] = {
        {"kept: its new number", 5, false, "3", true},
        {"removed: cut loose, the next number", 3, true, "3", false},
        {"new: the number after the compacted records", 0, false, "4", true},
    };
    for (const auto &c : cases) {
        writeDatabase(SampleDatabase(5, {2, 4}));
        if (c.opened > 0) {
            open(c.opened);
            if (c.deletedAfterOpen) {
                ASSERT_FALSE(DeleteRecord(database, c.opened, prompter));
            }
        } else {
            NewIllustration(database, illustration, Today, QStringLiteral("IRA"));
        }
        prompter.queueAnswer(Answer::Yes);
        ASSERT_EQ(CompactDatabase(database, illustration, Now).kind,
                  CompactionOutcome::Kind::Compacted)
            << c.name;
        EXPECT_EQ(recordNumber(), QLatin1String(c.number)) << c.name;
        EXPECT_EQ(illustration.isSaved(), c.saved) << c.name;
    }
    // That the renumbered illustration's next save writes its own record is the menu's test.
}

TEST_F(StorageFlowTest, ARestoreCutsTheIllustrationOnScreenLoose) {
    QTemporaryDir sync;
    QTemporaryDir work;
    writeDatabase(SampleDatabase(2));
    ASSERT_EQ(Backup(database, BackupPlace::SyncFolder, work.path(), sync.path(), prompter).kind,
              BackupOutcome::Kind::Done);
    writeDatabase(SampleDatabase(4));
    open(4);
    ASSERT_EQ(
        RestoreDatabase(database, BackupPlace::SyncFolder, sync.path(), illustration, Now).kind,
        BackupOutcome::Kind::Done);
    EXPECT_EQ(recordNumber(), QStringLiteral("3"));

    prompter.queueAnswer(Answer::Yes);
    ASSERT_TRUE(OfferToSave(database, illustration, context));
    EXPECT_EQ(databaseBytes().left(2000), SampleDatabase(2)) << "the restored records stay";
    EXPECT_TRUE(storedLast(3).startsWith(QStringLiteral("Name4")));
}

} // namespace
