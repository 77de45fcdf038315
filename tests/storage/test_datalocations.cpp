#include "datalocations.h"
#include "settingsstore.h"
#include "storagetestsupport.h"

#include <QDir>
#include <QFileInfo>

namespace {

class DataLocationsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SystemFolders folders() const {
        SystemFolders f;
        f.programFolder = path("bin");
        f.home = path("home");
        f.genericData = path("home/.local/share");
        f.documents = path("home/Documents");
        f.cache = path("home/.cache/rmdcalc");
        QDir().mkpath(f.programFolder);
        return f;
    }
    QString path(const char *relative) const { return dir.filePath(QLatin1String(relative)); }
};

TEST_F(DataLocationsTest, DataFolderFollowsDatalocOrTheApplicationDataFolder) {
    SystemFolders f = folders();
    EXPECT_EQ(DataFolder(f), path("home/.local/share/Brantex"));
    EXPECT_TRUE(QFileInfo(path("home/.local/share/Brantex")).isDir()) << "created";

    f.genericData.clear();
    EXPECT_EQ(DataFolder(f), path("home/Data/Brantex"));

    // The first line, unchanged, and no folder made for it.
    WriteWholeFile(QDir(f.programFolder).filePath(QStringLiteral("dataloc.txt")),
                   "//server/share/Client Data \r\nsecond line\r\n");
    EXPECT_EQ(DataFolder(f), QStringLiteral("//server/share/Client Data "));
    // An empty dataloc.txt counts as missing.
    WriteWholeFile(QDir(f.programFolder).filePath(QStringLiteral("dataloc.txt")), QByteArray());
    EXPECT_EQ(DataFolder(f), path("home/Data/Brantex"));
}

TEST_F(DataLocationsTest, PdfAndWorkFolders) {
    SystemFolders f = folders();
    EXPECT_EQ(PdfFolder(f), path("home/Documents/PDF"));
    f.documents.clear();
    EXPECT_EQ(PdfFolder(f), path("home/Data/PDF"));
    EXPECT_TRUE(QFileInfo(path("home/Data/PDF")).isDir());

    const QString work = WorkFolder(f);
    EXPECT_EQ(QFileInfo(work).path(), f.cache);
    const QFileDevice::Permissions permissions = QFileInfo(work).permissions();
    EXPECT_TRUE(permissions.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ExeOwner));
    EXPECT_FALSE(permissions &
                 (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                  QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther))
        << "owner only";
    f.runtime = path("run/user/1000");
    EXPECT_EQ(QFileInfo(WorkFolder(f)).path(), f.runtime);
}

TEST(SettingsSectionTest, LastComponentOfTheProfileFolder) {
    const struct {
        const char *profile, *section;
    } cases[] = {{"/home/jsmith", "jsmith"},
                 {" /home/Jane Doe ", "Jane Doe"},
                 {"C:\\Users\\kvr", "kvr"},
                 {"/", "Init"},
                 {"", "Init"},
                 {"/home/", "Init"},
                 {"plain", "plain"}};
    for (const auto &c : cases)
        EXPECT_EQ(SettingsSection(QLatin1String(c.profile)), QLatin1String(c.section)) << c.profile;
}

TEST_F(DataLocationsTest, FileTests) {
    const QString empty = path("empty");
    const QString full = path("full");
    WriteWholeFile(empty, QByteArray());
    WriteWholeFile(full, "x");
    EXPECT_FALSE(FileExists(empty));
    EXPECT_TRUE(FileExists(full));
    EXPECT_FALSE(FileExists(path("missing")));
    EXPECT_FALSE(FileExists(dir.path())) << "a folder is no file";

    const struct {
        QString text, cut;
    } cases[] = {{QStringLiteral("abc"), QString()},
                 {QString::fromUtf16(u"abc\0def", 7), QStringLiteral("abc")},
                 {QString::fromUtf16(u"\0abc", 4), QString()}};
    for (const auto &c : cases)
        EXPECT_EQ(CutAtNul(c.text), c.cut);

    MakeFolder(path("a/b/c"));
    MakeFolder(path("a/b/c"));
    EXPECT_TRUE(QFileInfo(path("a/b/c")).isDir());
}

TEST_F(DataLocationsTest, RemovableMediaAndSyncFolders) {
    const QString media = path("media/jsmith");
    EXPECT_EQ(RemovableMediaFolder(QString(), {media}), QString());
    EXPECT_FALSE(DriveExists(QStringLiteral("A"), QString()));
    QDir().mkpath(QDir(media).filePath(QStringLiteral("USB B")));
    QDir().mkpath(QDir(media).filePath(QStringLiteral("USB A")));
    const QString first = QDir(media).filePath(QStringLiteral("USB A"));
    EXPECT_EQ(RemovableMediaFolder(QString(), {path("run/media/jsmith"), media}), first);
    EXPECT_EQ(RemovableMediaFolder(QStringLiteral("/mnt/backup"), {media}),
              QStringLiteral("/mnt/backup"));
    for (const char *drive : {"A", "a:", "a:\\"})
        EXPECT_TRUE(DriveExists(QLatin1String(drive), first)) << drive;
    for (const char *drive : {"C", "1", ""})
        EXPECT_FALSE(DriveExists(QLatin1String(drive), first)) << drive;

    const QString home = path("home");
    EXPECT_EQ(SyncFolder(QString(), home), QString());
    QDir().mkpath(QDir(home).filePath(QStringLiteral("OneDrive")));
    QDir().mkpath(QDir(home).filePath(QStringLiteral("Dropbox")));
    EXPECT_EQ(SyncFolder(QString(), home), QDir(home).filePath(QStringLiteral("Dropbox")));
    EXPECT_EQ(SyncFolder(QStringLiteral("/srv/sync"), home), QStringLiteral("/srv/sync"));
}

TEST_F(DataLocationsTest, SettingsKeepTrueAndFalseAsText) {
    const QString file = path("rmdcalc.ini");
    {
        SettingsStore store = SettingsStore::inIniFile(file, QStringLiteral("jsmith"));
        store.setFlag(SettingsKey::ReportTaxes, true);
        store.setFlag(SettingsKey::ReportGraph, false);
        store.setText(SettingsKey::Width, QStringLiteral("9600"));
        ASSERT_TRUE(store.sync());
    }
    const QByteArray ini = ReadWholeFile(file);
    EXPECT_TRUE(ini.contains("[jsmith]")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("ReportTaxes=True"));
    EXPECT_TRUE(ini.contains("ReportGraph=False"));

    SettingsStore store = SettingsStore::inIniFile(file, QStringLiteral("jsmith"));
    EXPECT_TRUE(store.flag(SettingsKey::ReportTaxes, false));
    EXPECT_FALSE(store.flag(SettingsKey::ReportGraph, true));
    EXPECT_TRUE(store.flag(SettingsKey::ReportLedger, true)) << "unset: the fallback";
    EXPECT_EQ(store.text(SettingsKey::Width), QStringLiteral("9600"));
    SettingsStore other = SettingsStore::inIniFile(file, QStringLiteral("other"));
    EXPECT_EQ(other.text(SettingsKey::Width, QStringLiteral("none")), QStringLiteral("none"))
        << "each user has a section";
}

TEST_F(DataLocationsTest, NewIllustrationsTakeCurrentLawUnlessSetOtherwise) {
    SettingsStore store = SettingsStore::inIniFile(path("rmdcalc.ini"), QStringLiteral("jsmith"));
    EXPECT_EQ(store.newIllustrationRules(), RuleSet::CurrentLaw) << "unset";
    store.setNewIllustrationRules(RuleSet::Regulations2002);
    EXPECT_EQ(store.text(SettingsKey::RuleSet), QStringLiteral("2002"));
    EXPECT_EQ(store.newIllustrationRules(), RuleSet::Regulations2002);
    store.setText(SettingsKey::RuleSet, QStringLiteral("1987"));
    EXPECT_EQ(store.newIllustrationRules(), RuleSet::CurrentLaw) << "anything else";
}

} // namespace
