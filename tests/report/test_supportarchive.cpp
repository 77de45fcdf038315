#include "reportfixture.h"
#include "supportarchive.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class SupportArchiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteSupportArchive(archivePath,
                            {{"Equal.rtf", "{\\rtf1 equal}"},
                             {"StretchLogo.gif", "GIF89a"},
                             {"StretchLogo.txt", "100,200,0,0"},
                             {"StretchLogoExtra.txt", "not part of the logo"},
                             {"URL_RMD_Support.txt", "https://example.com/support page\r\nsecond"},
                             // Entries whose names would lead out of the work folder.
                             {"../Equal.rtf", "x"},
                             {"sub/inner.txt", "x"},
                             {"/tmp/absolute.txt", "x"}});
    }

    QString workFile(const char *name) const { return folder.workFile(QLatin1String(name)); }

    ArchiveFolder folder;
    const QTemporaryDir &dir = folder.dir;
    const QString &work = folder.work;
    const QString &archivePath = folder.archive;
};

TEST_F(SupportArchiveTest, ExtractsOneEntryOrEveryExtensionOfAName) {
    const SupportArchive archive(archivePath);
    const ExtractResult one = archive.extract(QStringLiteral("equal.RTF"), work);
    ASSERT_TRUE(one.ok()) << one.description.toStdString();
    EXPECT_EQ(one.number(), 0);
    EXPECT_EQ(ReadWholeFile(workFile("Equal.rtf")), QByteArray("{\\rtf1 equal}"));

    const ExtractResult logo = archive.extract(QStringLiteral("StretchLogo.*"), work);
    ASSERT_TRUE(logo.ok());
    EXPECT_EQ(logo.files.size(), 2);
    EXPECT_EQ(folder.workFiles(),
              QStringList({QStringLiteral("Equal.rtf"), QStringLiteral("StretchLogo.gif"),
                           QStringLiteral("StretchLogo.txt")}));
}

// The build packs with the traditional method, which opens without a key derivation per
// entry; archives packed with AES open as well. The second, shorter copy replaces the first.
TEST_F(SupportArchiveTest, BothEncryptionMethodsOpenAndOverwriteAnEarlierCopy) {
    for (const zip_uint16_t method : {ZIP_EM_TRAD_PKWARE, ZIP_EM_AES_256}) {
        const QByteArray content(method == ZIP_EM_AES_256 ? 3000 : 5000, 'e');
        const QString path = dir.filePath(QStringLiteral("method%1.icf").arg(method));
        WriteSupportArchive(path, {{"Equal.rtf", content}}, SupportArchive::Password, method);
        const ExtractResult result =
            SupportArchive(path).extract(QStringLiteral("Equal.rtf"), work);
        ASSERT_TRUE(result.ok()) << method << ": " << result.description.toStdString();
        EXPECT_EQ(ReadWholeFile(workFile("Equal.rtf")), content) << method;
        EXPECT_FALSE(QFile::exists(workFile("Equal.rtf.part"))) << method;
    }
}

TEST_F(SupportArchiveTest, FailuresGiveACodeAndADescription) {
    const QString damaged = dir.filePath(QStringLiteral("damaged.icf"));
    WriteWholeFile(damaged, QByteArray(4096, 'x'));
    const QString otherPassword = dir.filePath(QStringLiteral("other.icf"));
    WriteSupportArchive(otherPassword, {{"Equal.rtf", "secret"}}, "Wrong");

    const struct {
        const char *name;
        QString archive;
        const char *entry;
        ArchiveCode code;
    } cases[] = {
        {"missing archive", dir.filePath(QStringLiteral("none.icf")), "Equal.rtf",
         ArchiveCode::ArchiveMissing},
        {"damaged archive", damaged, "Equal.rtf", ArchiveCode::ArchiveDamaged},
        {"wrong password", otherPassword, "Equal.rtf", ArchiveCode::WrongPassword},
        {"missing entry", archivePath, "Stretch.rtf", ArchiveCode::EntryMissing},
        {"folder in the request", archivePath, "../Equal.rtf", ArchiveCode::UnsafeName},
        {"folder in the name", archivePath, "sub/inner.txt", ArchiveCode::UnsafeName},
        {"absolute request", archivePath, "/tmp/absolute.txt", ArchiveCode::UnsafeName},
        {"drive in the request", archivePath, "C:Equal.rtf", ArchiveCode::UnsafeName},
    };
    for (const auto &c : cases) {
        const ExtractResult result =
            SupportArchive(c.archive).extract(QLatin1String(c.entry), work);
        EXPECT_EQ(result.code, c.code) << c.name << ": " << result.description.toStdString();
        EXPECT_NE(result.number(), 0) << c.name;
        EXPECT_FALSE(result.description.isEmpty()) << c.name;
        EXPECT_TRUE(result.files.isEmpty()) << c.name;
    }
    EXPECT_TRUE(QDir(work).isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Equal.rtf"))));
}

// An entry that unpacks to more than the archive allows is refused whatever its encryption (the
// header and stream checks themselves are the zip reader's).
TEST_F(SupportArchiveTest, OversizedEntriesAreRefused) {
    const QByteArray tooLarge(SupportArchive::MaximumEntrySize + 1, '\0');
    for (const zip_uint16_t method : {ZIP_EM_TRAD_PKWARE, ZIP_EM_AES_256}) {
        WriteSupportArchive(archivePath, {{"Big.rtf", tooLarge}}, SupportArchive::Password, method);
        const ExtractResult result =
            SupportArchive(archivePath).extract(QStringLiteral("Big.rtf"), work);
        // The message is rmdbatch's test, for the template and for each kind of picture.
        EXPECT_EQ(result.code, ArchiveCode::EntryTooLarge) << method;
        EXPECT_TRUE(QDir(work).isEmpty()) << method;
    }
}

TEST_F(SupportArchiveTest, SymbolicLinkInTheWorkFolderIsNotWrittenThrough) {
    const QString outside = dir.filePath(QStringLiteral("outside.txt"));
    WriteWholeFile(outside, "keep me");
    ASSERT_TRUE(QFile::link(outside, workFile("Equal.rtf")));

    const ExtractResult result =
        SupportArchive(archivePath).extract(QStringLiteral("Equal.rtf"), work);
    EXPECT_EQ(result.code, ArchiveCode::LinkRefused);
    EXPECT_EQ(ReadWholeFile(outside), QByteArray("keep me"));

    // Nor is a link where the copy is written before it takes its name.
    ASSERT_TRUE(QFile::remove(workFile("Equal.rtf")));
    ASSERT_TRUE(QFile::link(outside, workFile("Equal.rtf.part")));
    EXPECT_TRUE(SupportArchive(archivePath).extract(QStringLiteral("Equal.rtf"), work).ok());
    EXPECT_EQ(ReadWholeFile(outside), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo(workFile("Equal.rtf")).isSymLink());
}

TEST_F(SupportArchiveTest, WebLinksOpenTheFirstLineAndLeaveNoCopy) {
    QList<QUrl> opened;
    const auto opener = [&opened](const QUrl &url) {
        opened.append(url);
        return false; // the browser could not be started: the copy goes all the same
    };
    const SupportArchive archive(archivePath);
    const QUrl url = OpenWebLink(archive, QStringLiteral("URL_RMD_Support.txt"), work, opener);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(url, opened.first());
    EXPECT_EQ(url.toString(QUrl::FullyEncoded),
              QStringLiteral("https://example.com/support%20page"));
    EXPECT_FALSE(QFile::exists(workFile("URL_RMD_Support.txt")));

    EXPECT_TRUE(OpenWebLink(archive, QStringLiteral("URL_NONE.txt"), work, opener).isEmpty());
    EXPECT_EQ(opened.size(), 1);
}

TEST(SupportArchiveLocationTest, CurrentFolderFirstThenTheOthers) {
    QTemporaryDir first, second, third;
    const QString archive = QDir(third.path()).filePath(QStringLiteral("rmdcalc.icf"));
    WriteWholeFile(archive, {});
    const QStringList folders{first.path(), second.path(), third.path()};
    EXPECT_EQ(SupportArchive::locate(QStringLiteral("rmdcalc"), folders), archive);
    EXPECT_EQ(SupportArchive::locate(QStringLiteral("other"), folders),
              QDir(first.path()).filePath(QStringLiteral("other.icf")));
}

} // namespace
