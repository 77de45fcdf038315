// rmdbatch batch and calc --csv as a practice's script runs them: the reports of a database,
// their names, the summary read back by Python's csv module, the exit codes, and the database
// left as it was.

#include "batchrun.h"
#include "illustrationrecord.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// Rows of a CSV file as Python's csv module reads them (the byte-order mark dropped).
QJsonArray ReadCsv(const QString &path) {
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, json, sys\n"
                                 "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                                 "    print(json.dumps(list(csv.reader(f, strict=True))))\n"),
                  path});
    EXPECT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

QStringList Cells(const QJsonValue &row) {
    QStringList cells;
    for (const QJsonValue &cell : row.toArray())
        cells.append(cell.toString());
    return cells;
}

// Every file under a folder with its digest, so that any change shows.
QMap<QString, QByteArray> FolderDigest(const QString &folder) {
    QMap<QString, QByteArray> digest;
    QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        digest.insert(path,
                      QCryptographicHash::hash(ReadWholeFile(path), QCryptographicHash::Sha256));
    }
    return digest;
}

class RmdBatchBatchTest : public ::testing::Test {
protected:
    QTemporaryDir data;
    QTemporaryDir work;

    BatchRun run(QStringList arguments) {
        return RunBatch(arguments << QStringLiteral("--today") << QStringLiteral("12/06/2026"));
    }
    BatchRun save(const QString &file, const char *line = "save") {
        return run(Words(line) << QStringLiteral("--input") << file
                               << QStringLiteral("--data-folder") << data.path());
    }
    BatchRun batch(const QString &out, const QStringList &more) {
        return run(Words("batch --support-archive")
                   << QStringLiteral(SUPPORT_ARCHIVE) << more << QStringLiteral("--data-folder")
                   << data.path() << QStringLiteral("--out") << out);
    }

    // Records 1-4 the four samples; 5 the RMD sample's client again; 6 an RMD client named
    // with a comma and a quote; 7 an RMD record whose date of birth was blanked.
    void SetUp() override {
        for (const char *sample : {"rmd", "rmbd", "sepp", "stretch"})
            ASSERT_EQ(
                save(QStringLiteral(SAMPLES_DIR "/%1.json").arg(QLatin1String(sample))).exitCode,
                0);
        ASSERT_EQ(save(QStringLiteral(SAMPLES_DIR "/rmd.json"), "save --as-new").exitCode, 0);
        QByteArray odd = ReadWholeFile(QStringLiteral(SAMPLES_DIR "/rmd.json"));
        odd.replace("\"Sample\"", "\"O\\\"Neil, Jr\"");
        const QString oddPath = work.filePath(QStringLiteral("odd.json"));
        WriteWholeFile(oddPath, odd);
        ASSERT_EQ(save(oddPath, "save --as-new").exitCode, 0);

        const QString database = QDir(data.path()).filePath(QStringLiteral("rmdcalc.flt"));
        QByteArray bytes = ReadWholeFile(database);
        QByteArray invalid = bytes.left(IllustrationRecord::Length);
        const FieldPlace birth = *IllustrationRecord::place(QStringLiteral("7-PartDOB"));
        invalid.replace(birth.start - 1, birth.width, QByteArray(birth.width, ' '));
        IllustrationRecord::setRecordNumber(invalid, 7);
        WriteWholeFile(database, bytes + invalid);
    }
};

TEST_F(RmdBatchBatchTest, ReportsSummaryAndDatabaseAlikeWhateverTheJobs) {
    const QMap<QString, QByteArray> before = FolderDigest(data.path());
    QList<QJsonArray> summaries;
    QList<QStringList> fileSets;
    for (const char *jobs : {"1", "2"}) {
        const QString out = work.filePath(QStringLiteral("out") + QLatin1String(jobs));
        const QString summary = out + QStringLiteral(".csv");
        const BatchRun result = batch(out, Words("--year 2027 --jobs")
                                               << QLatin1String(jobs) << "--summary" << summary);
        EXPECT_EQ(result.exitCode, 2) << jobs << result.err.toStdString();
        EXPECT_EQ(result.at("written").toInt(), 6);
        EXPECT_EQ(result.at("invalid").toInt(), 1);
        fileSets.append(QDir(out).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot));
        summaries.append(ReadCsv(summary));
    }
    EXPECT_EQ(FolderDigest(data.path()), before) << "the batch changed the data folder";
    EXPECT_EQ(fileSets.at(0), fileSets.at(1));
    // The same bytes but for the creation date.
    static const QRegularExpression created(QStringLiteral("/CreationDate \\([^)]*\\)"));
    for (const QString &name : fileSets.at(0)) {
        const auto bytes = [&](const char *jobs) {
            return QString::fromLatin1(
                       ReadWholeFile(
                           work.filePath(QStringLiteral("out") + QLatin1String(jobs) + '/' + name)))
                .remove(created);
        };
        EXPECT_EQ(bytes("1"), bytes("2")) << name.toStdString();
    }
    EXPECT_EQ(summaries.at(0), summaries.at(1));

    const QJsonArray rows = summaries.at(0);
    ASSERT_EQ(rows.size(), 8);
    EXPECT_EQ(Cells(rows.at(0)),
              QStringList({"Record", "Name", "Calculator", "Plan Type", "Plan Name", "Year",
                           "Distribution", "Rule Set", "PDF File", "Status", "Message"}));
    // record, name, calculator, year, PDF file, status: --year moves RMD and RMBD only (the
    // Stretch year is its illustration date's, the day it was saved).
    const QStringList expected[] = {
        {"1", "Sample, Margaret A", "RMD", "2027", "MargaretASampleRMD.pdf", "ok"},
        {"2", "Sample, Sally", "RMBD", "2027", "SallySampleRMBD.pdf", "ok"},
        {"3", "Sample, Pat", "SEPP", "2022", "PatSampleEqual.pdf", "ok"},
        {"4", "Sample, Robert J", "Stretch", "2026", "RobertJSampleStretch.pdf", "ok"},
        {"5", "Sample, Margaret A", "RMD", "2027", "MargaretASampleRMD (2).pdf", "ok"},
        {"6", "O\"Neil, Jr, Margaret A", "RMD", "2027", "MargaretAONeil,JrRMD.pdf", "ok"},
        {"7", "Sample, Margaret A", "RMD", "2027", "", "invalid"},
    };
    QStringList written;
    for (qsizetype index = 0; index < qsizetype(std::size(expected)); ++index) {
        const QStringList cells = Cells(rows.at(index + 1));
        ASSERT_EQ(cells.size(), 11) << index;
        EXPECT_EQ(QStringList({cells[0], cells[1], cells[2], cells[5], cells[8], cells[9]}),
                  expected[index]);
        // A plain number where the grid lists a distribution: no "$", no ",".
        if (cells.at(2) != QLatin1String("Stretch") && cells.at(9) == QLatin1String("ok")) {
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"))
                            .match(cells.at(6))
                            .hasMatch())
                << index << " " << cells.at(6).toStdString();
        }
        if (!expected[index][4].isEmpty())
            written << expected[index][4];
    }
    written.sort();
    EXPECT_EQ(fileSets.at(0), written);
    EXPECT_FALSE(Cells(rows.at(7)).at(10).isEmpty()) << "an invalid row says why";
    EXPECT_TRUE(Cells(rows.at(7)).at(6).isEmpty()) << "no distribution for the year";
}

TEST_F(RmdBatchBatchTest, ExitCodes) {
    const QString blocker = work.filePath(QStringLiteral("a-file"));
    WriteWholeFile(blocker, "not a folder");
    const struct {
        const char *name;
        QString out;
        const char *options;
        int exitCode;
        int written;
    } cases[] = {
        {"all good", work.filePath(QStringLiteral("good")), "--calculators 1,2,3 --jobs 1", 0, 3},
        {"output folder unwritable", blocker + QStringLiteral("/out"), "--jobs 1", 3, 0},
    };
    for (const auto &test : cases) {
        const BatchRun result = batch(test.out, Words(test.options));
        EXPECT_EQ(result.exitCode, test.exitCode) << test.name << result.err.toStdString();
        EXPECT_EQ(QDir(test.out).entryList({QStringLiteral("*.pdf")}).size(), test.written)
            << test.name;
    }
}

TEST_F(RmdBatchBatchTest, SpreadsheetExportsOfOneIllustration) {
    // SEPP: the seven options with the amounts the tab shows; Stretch: one row per year of
    // each phase, as the projection's phase boundaries count them.
    for (const char *sample : {"sepp", "stretch"}) {
        const QString input = QStringLiteral(SAMPLES_DIR "/%1.json").arg(QLatin1String(sample));
        const QString csv = work.filePath(QLatin1String(sample) + QStringLiteral(".csv"));
        const BatchRun result = run(Words("calc --input") << input << "--csv" << csv);
        ASSERT_EQ(result.exitCode, 0) << sample << result.err.toStdString();
        const QJsonArray rows = ReadCsv(csv);
        if (QLatin1String(sample) == QLatin1String("sepp")) {
            ASSERT_EQ(rows.size(), 8);
            const QJsonArray options = result.at("options").toArray();
            for (int index = 0; index < 7; ++index) {
                const QString shown = options.at(index)[QLatin1String("amount")].toString();
                const QStringList cells = Cells(rows.at(index + 1));
                EXPECT_DOUBLE_EQ(cells.at(3).toDouble(),
                                 QString(shown).remove(',').remove('$').toDouble())
                    << index;
                // The life-table options divide by the report's factor of their table.
                const QString factor =
                    result.at("fields")[QStringLiteral("R-Factor%1").arg(index % 3 + 1)].toString();
                if (index < 6 && options.at(index)[QLatin1String("enabled")].toBool()) {
                    EXPECT_NEAR(cells.at(2).toDouble(), factor.toDouble(), 0.05) << index;
                }
            }
            continue;
        }
        const int ple = result.at("PLE").toInt();
        const int sle = result.at("SLE").toInt();
        const int blast = result.at("BLAST").toInt();
        ASSERT_EQ(rows.size(), 1 + ple + (sle - ple) + (blast - sle + 1));
        EXPECT_EQ(Cells(rows.at(1)).at(1), QStringLiteral("Planholder"));
        EXPECT_EQ(Cells(rows.at(rows.size() - 1)).at(1), QStringLiteral("Beneficiary"));
        for (qsizetype index = 2; index < rows.size(); ++index)
            EXPECT_EQ(Cells(rows.at(index)).at(0).toInt(),
                      Cells(rows.at(index - 1)).at(0).toInt() + 1)
                << "years run on, row " << index;
    }
}

} // namespace
