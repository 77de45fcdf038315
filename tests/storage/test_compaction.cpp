#include "compaction.h"
#include "filelock.h"
#include "illustrationrecord.h"
#include "storagetestsupport.h"

#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QDateTime Now(QDate(2026, 12, 6), QTime(9, 30, 15));

class CompactionTest : public DatabaseTest {
protected:
    CompactionOutcome compact(const CompactionHooks &hooks = {}) {
        prompter.queueAnswer(Answer::Yes);
        return Compact(database, prompter, Now, hooks);
    }
    QStringList folderEntries() const {
        return QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    }
};

TEST_F(CompactionTest, RemovesDeletedRecordsAndRenumbersTheRest) {
    writeDatabase(SampleDatabase(5, {2, 4}));
    const CompactionOutcome outcome = compact();
    ASSERT_EQ(outcome.kind, CompactionOutcome::Kind::Compacted);

    QByteArray expected;
    const int old[] = {1, 3, 5};
    for (int number = 1; number <= 3; ++number)
        expected += SampleRecord(number, QStringLiteral("Name%1").arg(old[number - 1]));
    EXPECT_EQ(databaseBytes(), expected);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("rmdcalc.flt")}) << "no Temp.flt left";

    EXPECT_EQ(Prompts(prompter),
              QStringList({"Compact Database: Your database has 5 saved illustrations of which "
                           "2\r\nhave been deleted. Compacting your database will:\r\n - "
                           "permanently remove the deleted illustrations\r\n - verify the "
                           "integrity of your data\r\n\r\nDo you wish to proceed?",
                           "Compact Database Complete: Your database now has 3 saved "
                           "illustrations.\r\n 2 deleted illustrations were permanently "
                           "removed.\r\n 0 damaged illustrations were also removed.\r\n\r\n"
                           "Reminder: Now is an excellent time to backup your data."}));
}

TEST_F(CompactionTest, DamagedRecordsAreCountedAndRemovedOrMended) {
    QByteArray blankDate = SampleRecord(2, QStringLiteral("Blank"));
    blankDate.replace(466, 10, QByteArray(10, ' '));
    QByteArray badDigit = SampleRecord(3, QStringLiteral("Digit"));
    badDigit[1] = '7';
    QByteArray wrongNumber = SampleRecord(4, QStringLiteral("Number"));
    wrongNumber.replace(460, 6, "x     ");
    QByteArray strayByte = SampleRecord(5, QStringLiteral("Stray"));
    strayByte[80] = '\x8D';
    writeDatabase(SampleRecord(1, QStringLiteral("Good")) + blankDate + badDigit + wrongNumber +
                  strayByte + QByteArray(300, '1'));
    const CompactionOutcome outcome = compact();
    ASSERT_EQ(outcome.kind, CompactionOutcome::Kind::Compacted);
    // Blank date, bad digit and the short tail are dropped; the record number is rewritten and
    // the undefined byte becomes "?".
    EXPECT_EQ(outcome.counts.damaged, 3);
    EXPECT_EQ(outcome.counts.illustrations, 3);
    QByteArray mendedNumber = wrongNumber;
    mendedNumber.replace(460, 6, "2     ");
    QByteArray mendedByte = strayByte;
    mendedByte.replace(460, 6, "3     ");
    mendedByte[80] = '?';
    EXPECT_EQ(databaseBytes(), SampleRecord(1, QStringLiteral("Good")) + mendedNumber + mendedByte);
}

TEST_F(CompactionTest, NoMeansNoChange) {
    writeDatabase(SampleDatabase(3));
    const QByteArray before = databaseBytes();
    prompter.queueAnswer(Answer::No);
    EXPECT_EQ(Compact(database, prompter, Now).kind, CompactionOutcome::Kind::Declined);
    EXPECT_TRUE(prompter.questions().at(0).text.startsWith(
        QStringLiteral("Your database has 3 saved illustrations of which 0\r\n")));
    EXPECT_EQ(databaseBytes(), before);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(CompactionTest, AFailureHalfWayLeavesTheDatabaseWhole) {
    writeDatabase(SampleDatabase(6, {1}));
    CompactionOutcome outcome;
    {
        // The disk fills up after three and a half records of the new file.
        FileSizeLimit limit(3500);
        outcome = compact();
    }
    // The database and folder left as they were: the rmdbatch refusal table's full disk.
    EXPECT_EQ(outcome.kind, CompactionOutcome::Kind::Failed);
    ASSERT_FALSE(prompter.messages().isEmpty());
    EXPECT_EQ(prompter.messages().constLast().caption, QStringLiteral("Error Reading Database"));
    EXPECT_TRUE(prompter.messages().constLast().text.startsWith(
        QStringLiteral("An error occurred. Type: 61.\r\n")))
        << prompter.messages().constLast().text.toStdString();
}

TEST_F(CompactionTest, AKilledCompactionLosesNothing) {
    writeDatabase(SampleDatabase(40, {5, 6}));
    const QByteArray before = databaseBytes();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child dies the hard way after writing half the new file.
        RecordingPrompter childPrompter;
        childPrompter.queueAnswer(Answer::Yes);
        Compact(database, childPrompter, Now, {[](int written) {
                    if (written == 19)
                        std::raise(SIGKILL);
                }});
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "child was not killed";
    EXPECT_EQ(databaseBytes(), before);
    ASSERT_TRUE(QFileInfo::exists(database.tempPath()));
    EXPECT_EQ(QFileInfo(database.tempPath()).size(), 19 * 1000) << "killed half-way";

    // The next start reports the leftover and keeps it aside; the dead holder's lock is taken.
    EXPECT_TRUE(ReportInterruptedCompaction(database, prompter, Now));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().at(0).caption, QStringLiteral("Compact Database"));
    EXPECT_TRUE(
        prompter.messages().at(0).text.contains(QStringLiteral("Temp-20261206-093015.flt")));
    EXPECT_FALSE(QFileInfo::exists(database.tempPath()));
    EXPECT_EQ(databaseBytes(), before);
    EXPECT_FALSE(ReportInterruptedCompaction(database, prompter, Now)) << "reported once";

    prompter.clear();
    const CompactionOutcome outcome = compact();
    ASSERT_EQ(outcome.kind, CompactionOutcome::Kind::Compacted);
    EXPECT_EQ(outcome.counts.illustrations, 38);
    EXPECT_EQ(databaseBytes().size(), 38000);
}

TEST_F(CompactionTest, TheOlderProgramsCrashIsRecovered) {
    // The older program renamed the database to Temp.flt first and died before writing it.
    WriteWholeFile(database.tempPath(), SampleDatabase(2));
    EXPECT_TRUE(ReportInterruptedCompaction(database, prompter, Now));
    EXPECT_EQ(databaseBytes(), SampleDatabase(2));
    EXPECT_FALSE(QFileInfo::exists(database.tempPath()));
    EXPECT_TRUE(prompter.messages().at(0).text.contains(QStringLiteral("recovered")));
}

TEST_F(CompactionTest, ALeftoverIsNotTouchedWhileAnotherProgramCompacts) {
    writeDatabase(SampleDatabase(2));
    WriteWholeFile(database.tempPath(), SampleDatabase(1));
    FileLock other(database.path());
    ASSERT_FALSE(other.acquire(0));
    EXPECT_FALSE(ReportInterruptedCompaction(database, prompter, Now));
    EXPECT_TRUE(QFileInfo::exists(database.tempPath()));
}

} // namespace
