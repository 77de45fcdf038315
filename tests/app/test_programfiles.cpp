#include "illustrationdatabase.h"
#include "programfiles.h"
#include "reportfixture.h"
#include "storagetestsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>

namespace {

// A program folder with a support archive and a work folder.
class ProgramFilesTest : public ::testing::Test {
protected:
    ArchiveFolder folder;
    RecordingPrompter prompter;

    QList<ArchiveEntry> complete(const QByteArray &features = {}) const {
        return {{QStringLiteral("RMDSplash.bmp"), PictureBytes(40, 30)},
                {QStringLiteral("URL_RMD_Support.txt"), "https://support.example/rmd\r\n"},
                {QStringLiteral("RMDInvisible.txt"), features}};
    }

    // No entries: no archive at all.
    StartupLoad load(const QList<ArchiveEntry> &entries) {
        if (!entries.isEmpty())
            WriteSupportArchive(folder.archive, entries);
        return LoadStartup(SupportArchive(folder.archive), folder.work, folder.dir.path(), {},
                           prompter);
    }
};

TEST_F(ProgramFilesTest, LoadReadsPictureLinkAndFeaturesAndLeavesNoCopies) {
    const QString icon = QDir(folder.dir.path()).filePath(QStringLiteral("rmdcalc.ico"));
    WriteWholeFile(icon, PictureBytes(16, 16));

    const StartupLoad loaded = load(complete("RMBD\r\n  PDF  \r\n"));
    EXPECT_FALSE(loaded.ended);
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(loaded.picture.size(), QSize(40, 30));
    EXPECT_EQ(loaded.supportLink, QUrl(QStringLiteral("https://support.example/rmd")));
    EXPECT_TRUE(loaded.choice.menus[MenuItem::mnuHelpSupport].visible);
    EXPECT_FALSE(loaded.choice.menus[MenuItem::mnuFileExportPDF].visible);
    EXPECT_EQ(loaded.iconFile, icon);
    EXPECT_TRUE(folder.workFiles().isEmpty()) << folder.workFiles().join(',').toStdString();
}

TEST_F(ProgramFilesTest, TheJpegPictureServesAndAMissingLinkHidesSupport) {
    const StartupLoad loaded = load({{QStringLiteral("RMDSplash.jpg"), PictureBytes(20, 10)},
                                     {QStringLiteral("RMDInvisible.txt"), QByteArray()}});
    EXPECT_EQ(loaded.picture.size(), QSize(20, 10));
    EXPECT_FALSE(loaded.choice.menus[MenuItem::mnuHelpSupport].visible);
    EXPECT_TRUE(loaded.iconFile.isEmpty());
}

TEST_F(ProgramFilesTest, StartupErrorsShowTheirTextsAndEndTheLoad) {
    const struct {
        const char *name;
        QList<ArchiveEntry> entries; // none: no archive at all
        const char *caption;
        const char *text;
    } cases[] = {
        {"archive missing",
         {},
         "Retirement Distribution Planner",
         "Critical Error.\r\n\r\nThe required file rmdcalc.icf is missing.\r\nPlease install "
         "your software again."},
        {"no picture",
         {{QStringLiteral("RMDInvisible.txt"), QByteArray()}},
         "Retirement Distribution Planner",
         "Critical Error Type 4\r\n\r\nThe required file rmdcalc.icf is damaged.\r\nPlease "
         "reinstall your software, then try again."},
        {"no feature list",
         {{QStringLiteral("RMDSplash.bmp"), PictureBytes(4, 4)}},
         "Error Reading RMDInvisible.txt",
         "Error Code:  4\r\nPlease try again."}, // the number keeps its leading blank
    };
    for (const auto &c : cases) {
        prompter.clear();
        QFile::remove(folder.archive);
        const StartupLoad loaded = load(c.entries);
        EXPECT_TRUE(loaded.ended) << c.name;
        ASSERT_EQ(prompter.messages().size(), 1) << c.name;
        EXPECT_EQ(prompter.messages()[0].caption, QLatin1String(c.caption)) << c.name;
        EXPECT_EQ(prompter.messages()[0].text, QLatin1String(c.text)) << c.name;
        EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Stop) << c.name;
    }
}

TEST(ProgramFolderTest, SiblingProgramReloadAndOldDatabase) {
    QTemporaryDir program;
    QTemporaryDir data;
    const QDir folder(program.path());
    EXPECT_FALSE(SiblingProgramInstalled(program.path()));
    WriteWholeFile(folder.filePath(QStringLiteral("Harnet")), "x");
    EXPECT_TRUE(SiblingProgramInstalled(program.path()));

    WriteWholeFile(folder.filePath(QStringLiteral("reload.exe")), "x");
    RemoveReloadProgram(program.path());
    EXPECT_FALSE(folder.exists(QStringLiteral("reload.exe")));

    const IllustrationDatabase database(data.path());
    const QString old = folder.filePath(QStringLiteral("rmdcalc.flt"));
    WriteWholeFile(old, SampleDatabase(2));
    RecordingPrompter prompter;
    const QDateTime now(QDate(2026, 12, 6), QTime(19, 5, 1));
    ASSERT_FALSE(MoveOldDatabase(program.path(), database, now, prompter));
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_EQ(ReadWholeFile(database.path()), SampleDatabase(2));
    EXPECT_TRUE(prompter.messages().isEmpty());

    // A database in the data folder is never replaced: the old one is kept beside it.
    WriteWholeFile(old, SampleDatabase(1));
    ASSERT_FALSE(MoveOldDatabase(program.path(), database, now, prompter));
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_EQ(ReadWholeFile(database.path()), SampleDatabase(2));
    const QString kept = QDir(data.path()).filePath(QStringLiteral("rmdcalc-20261206-190501.flt"));
    EXPECT_EQ(ReadWholeFile(kept), SampleDatabase(1));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages()[0].text.contains(kept))
        << prompter.messages()[0].text.toStdString();
}

} // namespace
