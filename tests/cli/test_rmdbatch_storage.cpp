// rmdbatch's save, load, db and rep subcommands, run as a user's script would run them.

#include "batchrun.h"
#include "illustrationrecord.h"
#include "storagetestsupport.h"
#include "zipfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>
#include <functional>
#include <optional>

namespace {

class RmdBatchStorageTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QTemporaryDir other;
    QString data = dir.path();

    BatchRun run(QStringList arguments, qint64 fileSizeLimit = 0) {
        // calc has no data folder.
        if (arguments.constFirst() != QLatin1String("calc"))
            arguments << QStringLiteral("--data-folder") << data;
        return RunBatch(arguments << QStringLiteral("--today") << QStringLiteral("12/06/2026"),
                        fileSizeLimit);
    }
    BatchRun run(const char *line) { return run(Words(line)); }
    BatchRun save(const QString &file) {
        return run({QStringLiteral("save"), QStringLiteral("--input"), file});
    }
    QString write(const QString &name, const QByteArray &content) {
        const QString path = other.filePath(name);
        WriteWholeFile(path, content);
        return path;
    }
    QString database() const { return QDir(data).filePath(QStringLiteral("rmdcalc.flt")); }
    QByteArray databaseBytes() const { return ReadWholeFile(database()); }
    QJsonArray rows() { return run("db list").at("rows").toArray(); }
};

TEST_F(RmdBatchStorageTest, SavedRecordsAreByteExactAndLoadBackUnchanged) {
    const char *samples[] = {"rmd.json", "rmbd.json", "sepp.json"};
    for (int index = 0; index < 3; ++index) {
        const BatchRun saved =
            save(QStringLiteral(SAMPLES_DIR "/") + QLatin1String(samples[index]));
        ASSERT_EQ(saved.exitCode, 0) << samples[index] << saved.err.toStdString();
        EXPECT_EQ(saved.at("record").toInt(), index + 1);
        EXPECT_EQ(saved.text("fingerprint").size(), 16);
    }
    const QByteArray bytes = databaseBytes();
    ASSERT_EQ(bytes.size(), 3000);
    // The layout is the record's own test; here what the JSON decides: calculator, record
    // number, date and amount, the controls, the padding.
    const struct {
        int record, position;
        QByteArray text;
    } cases[] = {{1, 1, "10Margaret"}, {1, 941, "1"}, {1, 461, "1     12/06/2026$9,260     "},
                 {2, 1, "11"},         {3, 1, "12"},  {3, 971, "3"}};
    for (const auto &c : cases)
        EXPECT_EQ(bytes.mid((c.record - 1) * 1000 + c.position - 1, c.text.size()), c.text)
            << "record " << c.record << " position " << c.position;
    EXPECT_EQ(bytes.mid(975, 25), QByteArray(25, ' ')) << "record 1 ends in blanks";

    // load N gives an ILL.json that calc and save take, and saving it changes nothing.
    for (int record = 1; record <= 3; ++record) {
        const BatchRun loaded = run(Words("load") << QString::number(record));
        ASSERT_EQ(loaded.exitCode, 0) << loaded.err.toStdString();
        const QString file = write(QStringLiteral("load%1.json").arg(record), loaded.out);
        const BatchRun calc = run(Words("calc --input") << file);
        EXPECT_EQ(calc.exitCode, 0) << calc.err.toStdString();
        const BatchRun again = save(file);
        EXPECT_EQ(again.at("record").toInt(), record);
    }
    EXPECT_EQ(databaseBytes(), bytes);
}

TEST_F(RmdBatchStorageTest, SaveTakesItsOwnRecordOrTheNextFree) {
    ASSERT_EQ(run("save --input SAMPLES/rmd.json").exitCode, 0);
    ASSERT_EQ(run("save --input SAMPLES/rmd.json").at("record").toInt(), 2);
    const QByteArray own = R"({"calculator":0,"fields":{"8-PartFirst":"Ann","8-PartLast":"Own",
        "7-PartDOB":"10/01/1943","3-Year0":"2014","6-AcctValue0":"$26,500",
        "3-DatabaseIndex":"1"}})";
    // Record 1 holds another client: refused, unless saved as a new record.
    const QString ownFile = write(QStringLiteral("own.json"), own);
    const BatchRun refused = save(ownFile);
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_TRUE(refused.err.contains("holds another client (\"Sample, Margaret A\")"))
        << refused.err.toStdString();
    EXPECT_EQ(run(Words("save --as-new --input") << ownFile).at("record").toInt(), 3);
    // A loaded illustration carries its record's fingerprint: once another program rewrote the
    // record, saving over it is refused.
    const QString loaded = write(QStringLiteral("load1.json"), run("load 1").out);
    QByteArray changed = databaseBytes();
    changed[500] = 'X';
    WriteWholeFile(database(), changed);
    // A refused save leaves the records as they were: the store's test.
    EXPECT_EQ(save(loaded).exitCode, 3);

    // The listing's text is escaped and in UTF-8 as every other output.
    QByteArray quoted = own;
    quoted.replace("\"Own\"", R"("Ø\"wn\\€")");
    ASSERT_EQ(run(Words("save --as-new --input") << write(QStringLiteral("quoted.json"), quoted))
                  .exitCode,
              0);
    EXPECT_TRUE(run("db list").out.contains(R"({"Name":"Ø\"wn\\€, Ann",)"));
}

// What each db command prints, over records "Name1" to "Name4" (the third deleted, the second
// with a bad calculator digit) and half a record: the damaged ones are skipped with a warning,
// kept aside by the compaction, and the backup comes back over the later changes.
TEST_F(RmdBatchStorageTest, DbCommandsPrintWhatTheyDid) {
    QByteArray bytes = SampleDatabase(4, {3});
    bytes[1001] = 'Z';
    bytes += "half a record";
    WriteWholeFile(database(), bytes);
    const QString row = QStringLiteral(
        R"({"Name":"%1, Jane Q","Illustration Date":"03/01/2022","Type":"RMD","Plan Type":"IRA",)"
        R"("Plan Name":"","Year":"2022","Distribution":"$0","Record":"%2"})");
    const struct {
        const char *line;
        int exitCode;
        QString out;
        const char *err = "";
    } steps[] = {
        {"db list", 0,
         R"({"title":"2 Saved Illustrations","rows":[)" + row.arg("Name1").arg(1) + ',' +
             row.arg("Name4").arg(4) + "]}",
         "rmdbatch: record 2 skipped: bad calculator digit\nrmdbatch: record 5 skipped: short "
         "record\n"},
        {"load 2", 1, ""},
        {"db compact --yes", 0,
         R"({"illustrations":2,"deleted":1,"damaged":2,"kept":"DATA/rmdcalc-20261206-120000.flt"})",
         "was kept as"},
        {"db backup --to OTHER", 0, R"({"status":"ok","archive":"OTHER/RMDData.zip"})"},
        {"db copy 2", 0, R"({"status":"ok","record":3})"},
        {"db delete 1", 0, R"({"status":"ok","record":1})"},
        {"db delete 1", 1, ""},
        {"load 1", 1, ""},
        {"db list", 0,
         R"({"title":"2 Saved Illustrations","rows":[)" + row.arg("Name4").arg(2) + ',' +
             row.arg("Name4").arg(3) + "]}"},
        {"db undelete", 0, R"({"status":"ok","undeleted":1})"},
        {"db restore --from OTHER", 0,
         R"({"status":"ok","illustrations":2,"deleted":0,"damaged":0,"previous":"DATA/rmdcalc-20261206-120000-2.flt"})"},
        {"db list", 0,
         R"({"title":"2 Saved Illustrations","rows":[)" + row.arg("Name1").arg(1) + ',' +
             row.arg("Name4").arg(2) + "]}"},
    };
    for (const auto &step : steps) {
        const BatchRun done =
            run(Words(step.line).replaceInStrings(QStringLiteral("OTHER"), other.path()));
        EXPECT_EQ(done.exitCode, step.exitCode) << step.line << ": " << done.err.toStdString();
        EXPECT_EQ(QString::fromUtf8(done.out.trimmed()),
                  QString(step.out)
                      .replace(QStringLiteral("DATA"), data)
                      .replace(QStringLiteral("OTHER"), other.path()))
            << step.line;
        EXPECT_TRUE(done.err.contains(step.err)) << step.line << ": " << done.err.toStdString();
    }
    EXPECT_EQ(ReadWholeFile(QDir(data).filePath(QStringLiteral("rmdcalc-20261206-120000.flt"))),
              bytes)
        << "the damaged records are kept aside with the database as it was";
}

// The record's layout and the entry checks are the library's; here the JSON in and out.
TEST_F(RmdBatchStorageTest, RepresentativeShowAndSet) {
    EXPECT_EQ(run("rep show").text("First"), QString());
    // The record would cut a name longer than its 20 places.
    QByteArray longName = ReadWholeFile(QStringLiteral(SAMPLES_DIR "/rep.json"));
    longName.replace("\"Pat\"", "\"Patricia-Anne Bartholomew\"");
    const BatchRun tooLong =
        run(Words("rep set --input") << write(QStringLiteral("r0.json"), longName));
    ExpectRefused(tooLong, "First", "a first name longer than its place");

    const BatchRun set = run("rep set --input SAMPLES/rep.json");
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    const QByteArray file = ReadWholeFile(QDir(data).filePath(QStringLiteral("RepInfo.flt")));
    const BatchRun shown = run("rep show");
    EXPECT_EQ(shown.text("Agency"), QStringLiteral("Example Financial"));
    // rep show gives a REP.json that calc takes.
    const BatchRun calc = run(Words("calc --input SAMPLES/rmd.json --rep")
                              << write(QStringLiteral("rep.json"), shown.out));
    EXPECT_EQ(calc.exitCode, 0) << calc.err.toStdString();

    const BatchRun incomplete =
        run(Words("rep set --input")
            << write(QStringLiteral("r1.json"), R"({"First":"Pat","Last":"Advisor"})"));
    EXPECT_EQ(incomplete.exitCode, 2);
    EXPECT_EQ(incomplete.text("key"), QStringLiteral("Address"));
    EXPECT_EQ(incomplete.text("message"), QStringLiteral("Please fill in all required fields."));
    EXPECT_EQ(ReadWholeFile(QDir(data).filePath(QStringLiteral("RepInfo.flt"))), file)
        << "unchanged";
}

TEST_F(RmdBatchStorageTest, ConcurrentSavesAllLand) {
    const int count = 8;
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int n = 0; n < count; ++n) {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->start(QStringLiteral(RMDBATCH_PATH),
                                Words("save --input SAMPLES/rmd.json --data-folder") << data);
    }
    QSet<int> records;
    for (const auto &process : processes) {
        ASSERT_TRUE(process->waitForFinished(60000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        records.insert(QJsonDocument::fromJson(process->readAllStandardOutput())
                           .object()[QLatin1String("record")]
                           .toInt());
    }
    EXPECT_EQ(records.size(), count) << "every save has a record of its own";
    EXPECT_EQ(databaseBytes().size(), count * 1000);
    EXPECT_EQ(rows().size(), count);
}

// Another program's lock, a damaged or foreign file, a full disk: the write is refused with
// exit code 3 and one line that says why, and nothing in the data folder changes.
TEST_F(RmdBatchStorageTest, RefusedWritesChangeNothingAndSayWhy) {
    const QString passwd = write(QStringLiteral("passwd"), QByteArray(3000, 'x') + "\n");
    const QString archive = other.filePath(QStringLiteral("RMDData.zip"));
    std::optional<QLockFile> lock;
    const auto holding = [&](const QByteArray &bytes) {
        return [&, bytes] {
            WriteWholeFile(database(), bytes);
            lock.emplace(database() + QStringLiteral(".lock"));
            ASSERT_TRUE(lock->tryLock(0));
        };
    };
    const auto holds = [&](const QByteArray &bytes) {
        return [&, bytes] { WriteWholeFile(database(), bytes); };
    };
    const auto readOnly = [&] {
        WriteWholeFile(database(), SampleDatabase(2, {1}));
        QFile::setPermissions(database(), QFileDevice::ReadOwner);
    };
    // An archive of `member` to restore over a database of two records.
    const auto archiving = [&](const QByteArray &member) {
        return [&, member] {
            WriteWholeFile(database(), member);
            ASSERT_TRUE(
                ZipFile::createWithFile(archive, database(), QStringLiteral("rmdcalc.flt")).ok());
            WriteWholeFile(database(), SampleDatabase(2));
        };
    };
    const QByteArray three = SampleDatabase(3, {3});
    const struct {
        const char *name;
        std::function<void()> setUp;
        const char *command;
        const char *message;
        qint64 fileSizeLimit = 0;
    } cases[] = {
        {"locked", holding(three), "db delete 1", "is in use by another program"},
        {"locked", holding(three), "db copy 1", "is in use by another program"},
        {"locked", holding(three), "db undelete", "is in use by another program"},
        {"locked", holding(three), "db compact --yes", "is in use by another program"},
        {"locked", holding(three), "save --input SAMPLES/rmd.json", "is in use by another program"},
        {"a foreign file linked in", [&] { QFile::link(passwd, database()); },
         "save --input SAMPLES/rmd.json", "is not an illustration database"},
        {"a short last record", holds(SampleDatabase(2) + QByteArray(600, 'z')), "db copy 1",
         "ends inside a record"},
        {"a read-only database", readOnly, "db compact --yes", "read-only"},
        {"a read-only database, restored",
         [&] {
             archiving(SampleDatabase(2, {1}))();
             readOnly();
         },
         "db restore --from OTHER", "read-only"},
        {"no archive", holds(SampleDatabase(2)), "db restore --from OTHER/nowhere",
         "rmdbatch: Client Data Restore Failure: An error occurred. Type: 53."},
        {"a folder", [&] { QDir(data).mkdir(QStringLiteral("rmdcalc.flt")); }, "db list",
         "Is a directory"},
        {"a full disk", holds(SampleDatabase(4, {2})), "save --input SAMPLES/rmd.json",
         "File too large", 500},
        {"a full disk", holds(SampleDatabase(4, {2})), "db compact --yes", "File too large", 500},
        {"a full disk",
         [&] {
             holds(SampleDatabase(4, {2}))();
             WriteWholeFile(QDir(data).filePath(QStringLiteral("RepInfo.flt")),
                            QByteArray(1000, ' '));
         },
         "rep set --input SAMPLES/rep.json", "File too large", 500},
        {"a full disk", archiving(SampleDatabase(3, {2})), "db restore --from OTHER",
         "File too large", 2500},
        {"a text file archived", archiving("root:x:0:0:root:/root:/bin/bash\n"),
         "db restore --from OTHER", "holds no illustration records"},
        {"an empty file archived", archiving(""), "db restore --from OTHER",
         "holds no illustration records"},
        {"zeros archived", archiving(QByteArray(20000, '\0')), "db restore --from OTHER",
         "holds no illustration records"},
    };
    // Every file of the data folder with a digest of its bytes, and the file a link points to.
    const auto folder = [&] {
        const auto digest = [](const QString &path) {
            return QString::fromLatin1(
                QCryptographicHash::hash(ReadWholeFile(path), QCryptographicHash::Sha1).toHex());
        };
        QStringList files{digest(passwd)};
        for (const QString &name : QDir(data).entryList(QDir::Files))
            files << name << digest(QDir(data).filePath(name));
        return files;
    };
    for (const auto &c : cases) {
        const std::string name = std::string(c.name) + ", " + c.command;
        lock.reset();
        QFile::setPermissions(database(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::remove(database());
        QDir(database()).removeRecursively();
        c.setUp();
        const QStringList before = folder();
        const BatchRun refused =
            run(Words(c.command).replaceInStrings(QStringLiteral("OTHER"), other.path()),
                c.fileSizeLimit);
        EXPECT_EQ(refused.exitCode, 3) << name;
        EXPECT_TRUE(refused.err.contains(c.message)) << name << ": " << refused.err.toStdString();
        EXPECT_EQ(refused.err.count('\n'), 1) << name << ": " << refused.err.toStdString();
        EXPECT_EQ(folder(), before) << name;
    }
    holding(three)();
    EXPECT_EQ(rows().size(), 2) << "reading goes on under another program's lock";
}

// A damaged archive is restored as it was, its real count and its damage reported.
TEST_F(RmdBatchStorageTest, ADamagedArchiveIsRestoredAsItWas) {
    const QByteArray damaged = SampleDatabase(3) + "stray";
    WriteWholeFile(database(), damaged);
    ASSERT_TRUE(ZipFile::createWithFile(other.filePath(QStringLiteral("RMDData.zip")), database(),
                                        QStringLiteral("rmdcalc.flt"))
                    .ok());
    WriteWholeFile(database(), SampleDatabase(2));
    const BatchRun restore = run(Words("db restore --from") << other.path());
    EXPECT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_EQ(databaseBytes(), damaged);
    EXPECT_EQ(restore.at("illustrations").toInt(), 3);
    EXPECT_EQ(restore.at("damaged").toInt(), 1);
    EXPECT_TRUE(restore.err.contains("restored record 4 is damaged: short record"));
}

TEST_F(RmdBatchStorageTest, BadUsageExitsWithOne) {
    WriteWholeFile(database(), SampleDatabase(2));
    const struct {
        const char *line;
        const char *says = "";
    } cases[] = {
        {"load"},
        {"load 0", "from 1 to 999,999"},
        {"load x", "\"x\" is not a record number"},
        {"load 1.5", "\"1.5\" is not a record number"},
        {"load -1", "-1 is negative"},
        {"load 99999999999", "99999999999 is too large; record numbers go from 1 to 999,999"},
        {"load 3"},
        {"db"},
        {"db frobnicate"},
        {"db copy"},
        {"db copy 0", "from 1 to 999,999"},
        {"db delete -2", "-2 is negative"},
        {"db list --yes"},
        {"db compact", "answer it with --yes"},
        {"db backup"},
        {"db backup --to a --to b", "--to is given more than once"},
        {"rep"},
        {"rep set"},
        {"save"},
    };
    for (const auto &c : cases)
        ExpectRefused(run(c.line), c.says, c.line);
    data = dir.filePath(QStringLiteral("no such folder"));
    ExpectRefused(run("db list"), "no such folder", "a missing data folder");
}

} // namespace
