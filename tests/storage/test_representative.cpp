#include "clock.h"
#include "representativemodel.h"
#include "representativerecord.h"
#include "storagetestsupport.h"

#include <QDir>

namespace {

// The sample representative with blanks around the first name, which the record drops.
RepresentativeDetails sample() {
    RepresentativeDetails d = SampleRepresentative();
    d.first = QStringLiteral("  Pat ");
    return d;
}

TEST(RepresentativeRecordTest, FieldsStandAtTheirPositions) {
    const QByteArray record = BuildRepRecord(sample());
    ASSERT_EQ(record.size(), 1000);
    const struct {
        int position;
        QByteArray text;
    } cases[] = {
        {1, "Pat                 "},
        {21, "Q"},
        {22, "Advisor"},
        {52, "Example Financial"},
        {82, "100 Main Street"},
        {142, "Springfield"},
        {172, "IL"},
        {174, "62701-1234 "},
        {185, "(217) 555-0100"},
        {215, "(217) 555-0101"},
        {245, "(217) 555-0102"},
        {275, "pat@example.com"},
        {335, "R-17"},
        {355, "12/06/2026 09:30:15 "},
        {375, QByteArray(15, ' ')},
    };
    for (const auto &c : cases)
        EXPECT_EQ(record.mid(c.position - 1, c.text.size()), c.text) << c.position;
    EXPECT_EQ(record.mid(389), QByteArray(611, '\0')) << "bytes 390 to 1000";

    RepresentativeDetails expected = sample();
    expected.first = QStringLiteral("Pat");
    const RepresentativeDetails back = FillRepFields(record);
    for (const RepresentativeKey &key : representativeKeys())
        EXPECT_EQ(back.*key.member, expected.*key.member) << key.key;
}

TEST(RepresentativeRecordTest, LongEntriesAreCutToTheirWidth) {
    RepresentativeDetails d;
    d.first = QStringLiteral("Bartholomew-Maximilian"); // 22 > 20
    d.state = QStringLiteral("ILL");
    const RepresentativeDetails back = FillRepFields(BuildRepRecord(d));
    EXPECT_EQ(back.first, QStringLiteral("Bartholomew-Maximili"));
    EXPECT_EQ(back.state, QStringLiteral("IL"));
    EXPECT_EQ(FillRepFields(QByteArray("Short")).first, QStringLiteral("Short"));
}

TEST(RepresentativeRecordTest, WriteReplacesTheWholeFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("RepInfo.flt"));
    WriteWholeFile(path, QByteArray(3000, 'x'));
    ASSERT_FALSE(RepWriteFlat(path, sample()));
    EXPECT_EQ(ReadWholeFile(path), BuildRepRecord(sample()));
    EXPECT_FALSE(RepWriteFlat(QString(), sample())) << "an empty path writes nothing";
}

TEST(StateLookupTest, CodesAndIndexes) {
    EXPECT_EQ(StateLookup(QStringLiteral("AL")), QStringLiteral("0"));
    EXPECT_EQ(StateLookup(QStringLiteral("wy")), QStringLiteral("50"));
    EXPECT_EQ(StateLookup(QStringLiteral("PR")), QStringLiteral("51"));
    EXPECT_EQ(StateLookup(QStringLiteral("ZZ")), QStringLiteral("99"));
    EXPECT_EQ(StateLookup(QString()), QStringLiteral("99"));
    EXPECT_EQ(StateCode(4), QStringLiteral("CA"));
    EXPECT_EQ(StateCode(52), QStringLiteral("XX"));
    EXPECT_EQ(StateKey(QLatin1Char('c')), QLatin1Char('C'));

    RecordingPrompter prompter;
    EXPECT_TRUE(CheckStateEntry(QStringLiteral("ny"), prompter));
    EXPECT_FALSE(CheckStateEntry(QStringLiteral("QQ"), prompter));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().at(0).caption, QStringLiteral("Entry Error"));
    EXPECT_EQ(prompter.messages().at(0).text, QStringLiteral("Invalid State Code."));
}

class RepresentativeModelTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    RecordingPrompter prompter;
    QString repFile() const { return dir.filePath(QStringLiteral("RepInfo.flt")); }
    QString settings(const char *name, const QByteArray &content) {
        const QString path = QDir(dir.path()).filePath(QLatin1String(name));
        QDir().mkpath(QFileInfo(path).path());
        WriteWholeFile(path, content);
        return path;
    }
};

TEST_F(RepresentativeModelTest, DefaultsComeFromTheDistributorSettings) {
    const QString kvr = settings("program/KVR.ini", "[Agent Information]\n"
                                                    "First= Lee \n"
                                                    "Last=Broker\n"
                                                    "Agency=Smith, Jones & Co\n"
                                                    "State=tx\n"
                                                    "Zip=" +
                                                        QByteArray(70, '9') + "\n");
    const Result<RepresentativeDetails> loaded =
        LoadRepresentative(repFile(), {dir.filePath(QStringLiteral("KVR.ini")), kvr});
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded.value.first, QStringLiteral("Lee"));
    EXPECT_EQ(loaded.value.last, QStringLiteral("Broker"));
    EXPECT_EQ(loaded.value.agency, QStringLiteral("Smith, Jones & Co"));
    EXPECT_EQ(loaded.value.state, QStringLiteral("TX")) << "the lookup converts the code";
    EXPECT_EQ(loaded.value.zip, QString(64, QLatin1Char('9')));
    EXPECT_EQ(loaded.value.city, QString());

    settings("bad/KVR.ini", "[Agent Information]\nState=Texas\n");
    EXPECT_EQ(RepresentativeDefaults(dir.filePath(QStringLiteral("bad/KVR.ini"))).state, QString());
}

TEST_F(RepresentativeModelTest, TheRepresentativeFileComesFirst) {
    const QString kvr = settings("KVR.ini", "[Agent Information]\nFirst=Lee\n");
    ASSERT_FALSE(RepWriteFlat(repFile(), sample()));
    EXPECT_EQ(LoadRepresentative(repFile(), {kvr}).value.first, QStringLiteral("Pat"));
    // First run: neither file, every entry empty.
    QFile::remove(repFile());
    const Result<RepresentativeDetails> none =
        LoadRepresentative(repFile(), {dir.filePath(QStringLiteral("none/KVR.ini"))});
    ASSERT_TRUE(none.ok());
    for (const RepresentativeKey &key : representativeKeys())
        EXPECT_TRUE((none.value.*key.member).isEmpty()) << key.key;
}

TEST_F(RepresentativeModelTest, RequiredEntriesAndTheOkButton) {
    const struct {
        const char *name;
        QString RepresentativeDetails::*emptied;
        std::optional<int> missing;
    } cases[] = {
        {"complete", nullptr, std::nullopt},
        {"first name", &RepresentativeDetails::first, 0},
        {"last name", &RepresentativeDetails::last, 2},
        {"street", &RepresentativeDetails::address, 9},
        {"city", &RepresentativeDetails::city, 10},
        {"zip", &RepresentativeDetails::zip, 11},
        {"initial is optional", &RepresentativeDetails::initial, std::nullopt},
        {"state is not checked", &RepresentativeDetails::state, std::nullopt},
    };
    const FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(17, 4, 5)));
    for (const auto &c : cases) {
        RepresentativeDetails details = sample();
        if (c.emptied)
            details.*c.emptied = QStringLiteral("   ");
        EXPECT_EQ(MissingRequiredEntry(details), c.missing) << c.name;
        EXPECT_EQ(CancelRepresentative(details), c.missing.has_value()) << c.name;

        QFile::remove(repFile());
        prompter.clear();
        const RepresentativeSave saved = ConfirmRepresentative(details, repFile(), clock, prompter);
        if (c.missing) {
            EXPECT_EQ(saved, RepresentativeSave::Incomplete) << c.name;
            EXPECT_FALSE(QFileInfo::exists(repFile())) << c.name;
            ASSERT_EQ(prompter.messages().size(), 1);
            EXPECT_EQ(prompter.messages().at(0).caption,
                      QStringLiteral("Missing Required Information"));
            EXPECT_EQ(prompter.messages().at(0).text,
                      QStringLiteral("Please fill in all required fields."));
        } else {
            EXPECT_EQ(saved, RepresentativeSave::Saved) << c.name;
            EXPECT_EQ(details.runDate, QStringLiteral("12/06/2026 17:04:05")) << "24-hour time";
            EXPECT_EQ(ReadWholeFile(repFile()).mid(354, 19), QByteArray("12/06/2026 17:04:05"));
        }
    }
}

} // namespace
