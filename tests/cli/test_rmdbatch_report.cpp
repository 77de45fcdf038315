// rmdbatch report and demo end to end: every calculator's sample through the whole report
// build into a PDF, read back with poppler's pdfinfo, pdftotext and pdfimages.

#include "batchrun.h"
#include "reportfixture.h"
#include "supportarchive.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageReader>
#include <QMap>
#include <zip.h>

namespace {

QString sample(const char *name) {
    return QStringLiteral(SAMPLES_DIR "/") + QLatin1String(name);
}

// The archive's pictures by their size in pixels, so that a PDF's pictures can be named.
QMap<QString, QString> pictureNames(const QString &folder) {
    QMap<QString, QString> names;
    const SupportArchive archive{QStringLiteral(SUPPORT_ARCHIVE)};
    const char *entries[][2] = {{"100side.bmp", "side"},
                                {"Wenpic.jpg", "story"},
                                {"PileofCashMed.jpg", "cash"},
                                {"RMDLogo.gif", "logo"},
                                {"StretchLogo.gif", "logo"}};
    for (const auto &[entry, name] : entries) {
        EXPECT_TRUE(archive.extract(QLatin1String(entry), folder).ok()) << entry;
        const QSize size = QImageReader(QDir(folder).filePath(QLatin1String(entry))).size();
        names[QStringLiteral("%1x%2").arg(size.width()).arg(size.height())] = QLatin1String(name);
    }
    names[QStringLiteral("624x468")] = QStringLiteral("graph");
    return names;
}

class ReportCommandTest : public ::testing::Test {
protected:
    // The words of a command line; PDF stands for the report's file, DIR for the test's folder.
    QStringList words(const char *line) const {
        return Words(line)
            .replaceInStrings(QStringLiteral("PDF"), pdf)
            .replaceInStrings(QStringLiteral("DIR"), folder.dir.path());
    }
    BatchRun report(const QString &input, const QStringList &more = {}) {
        return RunBatch(words("report --pdf PDF --rep SAMPLES/rep.json --today 12/06/2025")
                        << QStringLiteral("--input") << input << more);
    }
    // The PDF's pictures as "page:name".
    QStringList pictures() {
        static const QMap<QString, QString> names = pictureNames(folder.work);
        QStringList named;
        for (const QString &picture : PdfPictures(pdf)) {
            const qsizetype colon = picture.indexOf(u':');
            named << picture.left(colon + 1) +
                         names.value(picture.mid(colon + 1), picture.mid(colon + 1));
        }
        return named;
    }

    // A copy of a sample with one field (or another entry of `section`) changed.
    QString withField(const char *name, const char *tag, const QJsonValue &value,
                      const char *section = "fields") {
        const QString copy = folder.dir.filePath(QLatin1String(name));
        WriteWholeFile(copy, SampleWith(name, tag, value, section));
        return copy;
    }

    ArchiveFolder folder;
    QString pdf = folder.dir.filePath(QStringLiteral("out.pdf"));
};

TEST_F(ReportCommandTest, EveryCalculatorsSample) {
    struct Case {
        const char *sample;
        int pages;
        QStringList texts;
        QStringList pictures;
    };
    // The merged text is the merge goldens' test (the same samples); here the footers and
    // pictures the PDF adds, and that no placeholder is left.
    const Case cases[] = {
        {"rmd.json",
         2,
         {"Page 1 of 2", "Page 2 of 2", "Planholder RMD Calculator Version"},
         {"1:logo"}},
        {"rmbd.json", 2, {"RMBD Calculator Version"}, {"1:logo"}},
        {"sepp.json", 2, {"Substantially Equal Periodic Payments Version"}, {"1:logo"}},
        {"stretch.json",
         7,
         {"Page 7 of 7", "Stretch IRA Concept Version", "January 15, 2024"},
         {"1:side", "1:logo", "1:logo", "2:story", "3:cash", "3:cash", "3:cash", "3:logo",
          "7:graph", "7:logo"}},
    };
    for (const Case &c : cases) {
        const BatchRun run = report(sample(c.sample));
        ASSERT_EQ(run.exitCode, 0) << c.sample << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << c.sample << ": " << run.err.toStdString();
        EXPECT_EQ(run.text("status"), QStringLiteral("ok")) << c.sample;
        EXPECT_EQ(run.text("pdf"), pdf) << c.sample;
        EXPECT_EQ(run.at("pages").toInt(), c.pages) << c.sample;
        EXPECT_EQ(PdfPageCount(pdf), c.pages) << c.sample;
        const QString text = PdfText(pdf);
        for (const QString &expected : c.texts)
            EXPECT_TRUE(text.contains(expected)) << c.sample << ": " << expected.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("R-"))) << c.sample << ": a placeholder shows";
        EXPECT_EQ(pictures(), c.pictures) << c.sample;
    }
}

TEST_F(ReportCommandTest, FailuresAndTheirExitCodes) {
    const BatchRun noArchive = report(sample("rmd.json"), words("--support-archive DIR/none.icf"));
    EXPECT_EQ(noArchive.exitCode, 3);
    EXPECT_TRUE(noArchive.err.contains("none.icf")) << noArchive.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));

    pdf = folder.dir.filePath(QStringLiteral("no/such/folder/out.pdf"));
    const BatchRun unwritable = report(sample("rmd.json"));
    EXPECT_EQ(unwritable.exitCode, 3);
    EXPECT_TRUE(unwritable.err.contains("out.pdf")) << unwritable.err.toStdString();
    EXPECT_TRUE(unwritable.out.isEmpty());

    ExpectRefused(RunBatch(Words("report --input SAMPLES/rmd.json")), "--pdf", "no --pdf");
}

// Characters a client's name may hold, through the merged RTF into the PDF: the Stretch report
// goes through a template file on its way, the others do not. The report fonts have no Chinese;
// a face of the system that has it draws those characters, whose glyphs no other code point
// shares, so that the PDF's text reads back the same code points.
TEST_F(ReportCommandTest, TypedCharactersReachThePdf) {
    QStringList names{QStringLiteral(u"O\u2019Brien \u2013 \u20ac5 Zo\u00eb")};
    if (!QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty())
        names << QStringLiteral(u"\u674e\u660e");
    for (const QString &name : names) {
        for (const auto &[sample, tag] :
             {std::pair{"rmd.json", "8-PartLast"}, std::pair{"stretch.json", "8-StretchPLast"}}) {
            const BatchRun run = report(withField(sample, tag, name));
            ASSERT_EQ(run.exitCode, 0) << sample << ": " << run.err.toStdString();
            EXPECT_TRUE(PdfText(pdf).contains(name)) << sample << " " << name.toStdString();
        }
    }
}

// An archive entry that unpacks to more than the archive allows ends the run as an I/O failure
// naming the entry and the archive, whether it is the template or a picture read beside it.
TEST_F(ReportCommandTest, OversizedArchiveEntriesAreIoFailures) {
    const QString background = withField("stretch.json", "chkBackground", true, "controls");
    const struct {
        const char *line, *entry;
    } cases[] = {
        {"merge --input SAMPLES/rmd.json", "RMDPartSpouse.rtf"},
        {"report --input SAMPLES/rmd.json --pdf PDF", "RMDLogo.gif"},
        {"demo --out DIR/demo", "Wenpic.jpg"},
        {"report --input BACKGROUND --pdf PDF", "GraphBack.bmp"},
    };
    const QByteArray oversized(SupportArchive::MaximumEntrySize + 1, '\0');
    for (const auto &c : cases) {
        QFile::remove(folder.archive);
        ASSERT_TRUE(QFile::copy(QStringLiteral(SUPPORT_ARCHIVE), folder.archive));
        QFile::setPermissions(folder.archive, QFile::ReadOwner | QFile::WriteOwner);
        int error = 0;
        zip_t *archive = zip_open(QFile::encodeName(folder.archive).constData(), 0, &error);
        ASSERT_NE(archive, nullptr);
        const zip_int64_t index =
            zip_file_add(archive, c.entry,
                         zip_source_buffer(archive, oversized.constData(), oversized.size(), 0),
                         ZIP_FL_OVERWRITE);
        ASSERT_GE(index, 0) << c.entry;
        ASSERT_EQ(zip_file_set_encryption(archive, zip_uint64_t(index), ZIP_EM_TRAD_PKWARE,
                                          SupportArchive::Password),
                  0);
        ASSERT_EQ(zip_close(archive), 0);

        const BatchRun run =
            RunBatch(words(c.line).replaceInStrings(QStringLiteral("BACKGROUND"), background)
                     << QStringLiteral("--support-archive") << folder.archive);
        EXPECT_EQ(run.exitCode, 3) << c.entry << ": " << run.err.toStdString();
        // Qt may warn about the environment first; the run's own message is one line.
        const QStringList lines =
            QString::fromLocal8Bit(run.err).split(u'\n').filter(QStringLiteral("rmdbatch:"));
        EXPECT_EQ(lines, QStringList(QStringLiteral("rmdbatch: entry %1 of rmdcalc.icf is larger "
                                                    "than 16 MB")
                                         .arg(QLatin1String(c.entry))));
    }
}

TEST(DemoCommandTest, OneSampleReportForEachCalculator) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("demo"));
    const BatchRun run = RunBatch(Words("demo --today 12/06/2025 --out") << out);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    // calculator, file name, pages as the JSON lists them.
    QStringList listed;
    for (const QJsonValue &file : run.at("files").toArray()) {
        const QString path = entry(file, "pdf");
        listed << QStringLiteral("%1 %2")
                      .arg(file[QLatin1String("calculator")].toInt())
                      .arg(QFileInfo(path).fileName());
        EXPECT_EQ(PdfPageCount(path), file[QLatin1String("pages")].toInt()) << path.toStdString();
        EXPECT_TRUE(PdfText(path).contains(QStringLiteral("Pat Q. Advisor")))
            << "the built-in representative";
    }
    EXPECT_EQ(listed, QStringList({"0 MargaretASampleRMD.pdf", "1 SallySampleRMBD.pdf",
                                   "2 PatSampleEqual.pdf", "3 RobertJSampleStretch.pdf"}));
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 4);

    // A refused command line (1) or a missing archive (3) leaves no folder.
    const struct {
        const char *line;
        int exitCode;
    } failures[] = {{"demo --today 2025-12-06 --out", 1},
                    {"demo --support-archive /nonexistent/rmdcalc.icf --out", 3}};
    for (const auto &c : failures) {
        const QString failed = dir.filePath(QStringLiteral("failed"));
        EXPECT_EQ(RunBatch(Words(c.line) << failed).exitCode, c.exitCode) << c.line;
        EXPECT_FALSE(QFileInfo::exists(failed)) << c.line;
    }
}

} // namespace
