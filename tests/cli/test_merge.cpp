// Golden merged reports: each folder of tests/data/merge holds an illustration (ill.json), the
// command's further arguments (args; REP stands for samples/rep.json) and the merged RTF that
// rmdbatch merge must print (expected.rtf). RMD_UPDATE_GOLDEN=1 rewrites the expected files
// after a deliberate change of a template; read the difference before committing it.

#include "batchrun.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

BatchRun merge(const QStringList &arguments) {
    return RunBatch(QStringList{QStringLiteral("merge")} + arguments);
}

TEST(MergeGoldenTest, EveryCaseMatchesItsExpectedReport) {
    const QDir cases(QStringLiteral(GOLDEN_DIR));
    const QStringList names = cases.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_GE(names.size(), 9);
    const bool update = qEnvironmentVariableIntValue("RMD_UPDATE_GOLDEN") == 1;
    for (const QString &name : names) {
        const QDir dir(cases.filePath(name));
        QStringList arguments =
            QString::fromUtf8(ReadWholeFile(dir.filePath(QStringLiteral("args"))))
                .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        arguments.replaceInStrings(QRegularExpression(QStringLiteral("^REP$")),
                                   QStringLiteral(SAMPLES_DIR "/rep.json"));
        arguments << QStringLiteral("--input") << dir.filePath(QStringLiteral("ill.json"))
                  << QStringLiteral("--support-archive") << QStringLiteral(SUPPORT_ARCHIVE);
        const BatchRun run = merge(arguments);
        ASSERT_EQ(run.exitCode, 0) << name.toStdString() << ": " << run.err.toStdString();
        const QString expectedPath = dir.filePath(QStringLiteral("expected.rtf"));
        if (update) {
            WriteWholeFile(expectedPath, run.out);
            continue;
        }
        EXPECT_EQ(run.out.toStdString(), ReadWholeFile(expectedPath).toStdString())
            << name.toStdString();
    }
}

// Whatever a client's or a representative's entry holds stays text: every name, plan name and
// representative entry comes out escaped and in the report's code page exactly where a plain
// entry would, and changes nothing else.
TEST(MergeEntriesTest, TypedEntriesStayText) {
    // Twelve characters: as wide as the narrowest name field.
    const QString typed = QStringLiteral(u"}\\par\\b{\u2019\u20ac\u00e9\u674e");
    const QByteArray written = "\\}\\\\par\\\\b\\{\x92\x80\xe9\\u26446?";
    const QString plain = QStringLiteral("Qz");
    QTemporaryDir dir;
    const auto write = [&dir](const char *name, const QJsonObject &object) {
        const QString path = dir.filePath(QLatin1String(name));
        WriteWholeFile(path, QJsonDocument(object).toJson());
        return path;
    };
    const auto mergeWith = [&](const char *sample, const QString &text) {
        const QString path = QStringLiteral(SAMPLES_DIR "/") + QLatin1String(sample);
        QJsonObject illustration = QJsonDocument::fromJson(ReadWholeFile(path)).object();
        QJsonObject fields = illustration[QStringLiteral("fields")].toObject();
        for (const QString &tag : fields.keys()) {
            if (tag.startsWith(QLatin1String("8-")))
                fields[tag] = text;
        }
        illustration[QStringLiteral("fields")] = fields;
        QJsonObject representative;
        // Every entry wide enough to take the text (the initial, state and zip are not).
        for (const char *key : {"First", "Last", "RepNumber", "Agency", "Work", "Home", "Fax",
                                "EMail", "Address", "City"})
            representative[QLatin1String(key)] = text;
        return merge(Words("--today 12/06/2026 --input")
                     << write("ill.json", illustration) << QStringLiteral("--rep")
                     << write("rep.json", representative) << QStringLiteral("--support-archive")
                     << QStringLiteral(SUPPORT_ARCHIVE));
    };
    for (const char *sample : {"rmd.json", "rmbd.json", "sepp.json", "stretch.json"}) {
        const BatchRun reference = mergeWith(sample, plain);
        const BatchRun run = mergeWith(sample, typed);
        ASSERT_EQ(run.exitCode, 0) << sample << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(written)) << sample;
        EXPECT_EQ(QByteArray(run.out).replace(written, plain.toLatin1()).toStdString(),
                  reference.out.toStdString())
            << sample;
    }
}

} // namespace
