#include "backup.h"
#include "storagetestsupport.h"
#include "zipfile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

namespace {

const QDateTime Now(QDate(2026, 12, 6), QTime(14, 5, 9));

class BackupTest : public DatabaseTest {
protected:
    QTemporaryDir work;
    QTemporaryDir media;

    QString archive() const { return QDir(media.path()).filePath(QStringLiteral("RMDData.zip")); }

    BackupOutcome backup(BackupPlace place = BackupPlace::RemovableMedia) {
        return Backup(database, place, work.path(), media.path(), prompter);
    }
    BackupOutcome restore() {
        return Restore(database, BackupPlace::RemovableMedia, media.path(), prompter, Now);
    }

    // The database file held by an archive.
    QByteArray member(const QString &path) {
        QByteArray bytes;
        EXPECT_TRUE(ZipFile::extract(path, QStringLiteral("rmdcalc.flt"), MaxDatabaseBytes,
                                     [&](const char *data, qint64 size) {
                                         bytes.append(data, size);
                                         return true;
                                     })
                        .ok());
        return bytes;
    }
};

TEST_F(BackupTest, ArchiveGoesToTheDiskAfterThePrompt) {
    writeDatabase(SampleDatabase(3));
    prompter.queueAnswer(Answer::Ok);
    const BackupOutcome outcome = backup();
    ASSERT_EQ(outcome.kind, BackupOutcome::Kind::Done);
    EXPECT_EQ(outcome.archive, archive());
    EXPECT_EQ(member(archive()), SampleDatabase(3));
    EXPECT_FALSE(QFileInfo::exists(QDir(work.path()).filePath(QStringLiteral("RMDData.zip"))))
        << "the local archive is removed";
    EXPECT_EQ(Prompts(prompter),
              QStringList({"Backup Client Data: Insert a disk into your floppy drive.",
                           "Successful Backup: Your client data was successfully archived "
                           "to\r\nthe disk in your floppy drive.\r\n\r\nLabel this disk and "
                           "store it in a safe place."}));
}

TEST_F(BackupTest, CancelLeavesTheArchiveWhereItWasMade) {
    writeDatabase(SampleDatabase(1));
    prompter.queueAnswer(Answer::Cancel);
    const BackupOutcome outcome = backup();
    EXPECT_EQ(outcome.kind, BackupOutcome::Kind::Cancelled);
    EXPECT_EQ(member(outcome.archive), SampleDatabase(1));
    EXPECT_FALSE(QFileInfo::exists(archive()));
    EXPECT_TRUE(prompter.messages().isEmpty()) << "no success message";
}

TEST_F(BackupTest, AMissingTargetFolderIsAFailure) {
    writeDatabase(SampleDatabase(1));
    prompter.queueAnswer(Answer::Ok);
    const BackupOutcome outcome = Backup(database, BackupPlace::RemovableMedia, work.path(),
                                         media.filePath(QStringLiteral("gone")), prompter);
    EXPECT_EQ(outcome.kind, BackupOutcome::Kind::Failed);
    EXPECT_EQ(prompter.messages().constLast().caption,
              QStringLiteral("Client Data Backup Failure"));
    EXPECT_TRUE(prompter.messages().constLast().text.endsWith(
        QStringLiteral("\r\nYour data was not backed up. Please try again.")));
}

TEST_F(BackupTest, RestoreKeepsTheReplacedDatabaseAsADatedCopy) {
    writeDatabase(SampleDatabase(2));
    prompter.queueAnswer(Answer::Ok);
    ASSERT_EQ(backup().kind, BackupOutcome::Kind::Done);
    writeDatabase(SampleDatabase(5, {1}));
    const QByteArray replaced = databaseBytes();

    prompter.clear();
    prompter.queueAnswer(Answer::Ok);
    const BackupOutcome outcome = restore();
    ASSERT_EQ(outcome.kind, BackupOutcome::Kind::Done);
    EXPECT_EQ(databaseBytes(), SampleDatabase(2));
    EXPECT_EQ(outcome.previous,
              QDir(dir.path()).filePath(QStringLiteral("rmdcalc-20261206-140509.flt")));
    EXPECT_EQ(ReadWholeFile(outcome.previous), replaced);
    EXPECT_EQ(
        Prompts(prompter),
        QStringList({"Restore Client Data: Insert the client backup disk into your floppy "
                     "drive.",
                     "Successful Data Restore: Your client data was successfully restored."}));

    // Without a database there is nothing to keep.
    QFile::remove(database.path());
    prompter.queueAnswer(Answer::Ok);
    const BackupOutcome fresh = restore();
    ASSERT_EQ(fresh.kind, BackupOutcome::Kind::Done);
    EXPECT_TRUE(fresh.previous.isEmpty());
    EXPECT_EQ(databaseBytes(), SampleDatabase(2));
}

TEST_F(BackupTest, ADamagedArchiveRestoresNothing) {
    writeDatabase(SampleDatabase(2));
    const QByteArray before = databaseBytes();
    const struct {
        const char *name;
        QByteArray archive;
    } cases[] = {
        {"not a zip file", QByteArray("this is no archive")},
        {"zip without the database", QByteArray()},
    };
    for (const auto &c : cases) {
        if (c.archive.isEmpty()) {
            const QString other = media.filePath(QStringLiteral("other.flt"));
            WriteWholeFile(other, "x");
            ASSERT_TRUE(
                ZipFile::createWithFile(archive(), other, QStringLiteral("other.flt")).ok());
        } else {
            WriteWholeFile(archive(), c.archive);
        }
        prompter.clear();
        prompter.queueAnswer(Answer::Ok);
        const BackupOutcome outcome = restore();
        EXPECT_EQ(outcome.kind, BackupOutcome::Kind::Failed) << c.name;
        EXPECT_EQ(databaseBytes(), before) << c.name;
        const auto &message = prompter.messages().constLast();
        EXPECT_EQ(message.caption, QStringLiteral("Error Reading Archive File")) << c.name;
        EXPECT_TRUE(
            message.text.startsWith(QStringLiteral("Your client data was NOT restored.\r\n")))
            << c.name;
        EXPECT_TRUE(message.text.contains(QStringLiteral(" Result code = "))) << c.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << c.name << ": no copy";
    }
}

TEST_F(BackupTest, EmptyOrMissingArchivesAskForTheDiskAgain) {
    writeDatabase(SampleDatabase(1));
    WriteWholeFile(archive(), QByteArray());
    prompter.queueAnswer(Answer::Ok);
    prompter.queueAnswer(Answer::Cancel);
    EXPECT_EQ(restore().kind, BackupOutcome::Kind::Cancelled);
    EXPECT_EQ(prompter.questions().size(), 2);
    EXPECT_TRUE(prompter.messages().isEmpty());

    QFile::remove(archive());
    prompter.clear();
    prompter.queueAnswer(Answer::Ok);
    prompter.queueAnswer(Answer::Cancel);
    EXPECT_EQ(restore().kind, BackupOutcome::Kind::Cancelled);
    EXPECT_EQ(prompter.questions().size(), 2);
    // Its caption and error number: the rmdbatch refusal table.
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages().at(0).text.endsWith(
        QStringLiteral("Your client data was not restored. Please try again.")));
    EXPECT_EQ(databaseBytes(), SampleDatabase(1));
}

} // namespace
