// Golden merged reports: each folder of tests/data/merge holds an illustration (ill.json), the
// command's further arguments (args; REP stands for samples/rep.json) and the merged RTF that
// rmdbatch merge must print (expected.rtf). RMD_UPDATE_GOLDEN=1 rewrites the expected files
// after a deliberate change of a template; read the difference before committing it.

#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

struct MergeRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

MergeRun merge(const QStringList &arguments) {
    QProcess process;
    process.start(QStringLiteral(RMDBATCH_PATH), QStringList{QStringLiteral("merge")} + arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(MergeGoldenTest, EveryCaseMatchesItsExpectedReport) {
    const QDir cases(QStringLiteral(GOLDEN_DIR));
    const QStringList names = cases.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_GE(names.size(), 9);
    const bool update = qEnvironmentVariableIntValue("RMD_UPDATE_GOLDEN") == 1;
    for (const QString &name : names) {
        const QDir dir(cases.filePath(name));
        QStringList arguments =
            QString::fromUtf8(readFile(dir.filePath(QStringLiteral("args"))))
                .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        arguments.replaceInStrings(QRegularExpression(QStringLiteral("^REP$")),
                                   QStringLiteral(SAMPLES_DIR "/rep.json"));
        arguments << QStringLiteral("--input") << dir.filePath(QStringLiteral("ill.json"))
                  << QStringLiteral("--support-archive") << QStringLiteral(SUPPORT_ARCHIVE);
        const MergeRun run = merge(arguments);
        ASSERT_EQ(run.exitCode, 0) << name.toStdString() << ": " << run.err.toStdString();
        const QString expectedPath = dir.filePath(QStringLiteral("expected.rtf"));
        if (update) {
            QFile file(expectedPath);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(run.out);
            continue;
        }
        EXPECT_EQ(run.out.toStdString(), readFile(expectedPath).toStdString())
            << name.toStdString();

        // What a client reads never shows a placeholder, a directive or a table column.
        const QString text = QString::fromLatin1(run.out);
        for (const char *leftover : {"$#", "[[", "R-PHName", "R-RMD", "R-Aname", "R-Payment"})
            EXPECT_FALSE(text.contains(QLatin1String(leftover))) << name.toStdString() << leftover;
        EXPECT_EQ(text.count(QLatin1Char('{')), text.count(QLatin1Char('}'))) << name.toStdString();
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
        QFile file(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(object).toJson());
        return file.fileName();
    };
    const auto mergeWith = [&](const char *sample, const QString &text) {
        const QString path = QStringLiteral(SAMPLES_DIR "/") + QLatin1String(sample);
        QJsonObject illustration = QJsonDocument::fromJson(readFile(path)).object();
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
        return merge({QStringLiteral("--input"), write("ill.json", illustration),
                      QStringLiteral("--rep"), write("rep.json", representative),
                      QStringLiteral("--today"), QStringLiteral("12/06/2026"),
                      QStringLiteral("--support-archive"), QStringLiteral(SUPPORT_ARCHIVE)});
    };
    for (const char *sample : {"rmd.json", "rmbd.json", "sepp.json", "stretch.json"}) {
        const MergeRun reference = mergeWith(sample, plain);
        const MergeRun run = mergeWith(sample, typed);
        ASSERT_EQ(run.exitCode, 0) << sample << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(written)) << sample;
        EXPECT_EQ(QByteArray(run.out).replace(written, plain.toLatin1()).toStdString(),
                  reference.out.toStdString())
            << sample;
    }
}

TEST(MergeFailureTest, MissingArchiveIsAnIoFailureAndBadInputIsNotMerged) {
    QTemporaryDir dir;
    const MergeRun missing =
        merge({QStringLiteral("--input"), QStringLiteral(SAMPLES_DIR "/rmd.json"),
               QStringLiteral("--support-archive"), dir.filePath(QStringLiteral("none.icf"))});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_TRUE(missing.err.contains("none.icf")) << missing.err.toStdString();

    QFile invalid(dir.filePath(QStringLiteral("ill.json")));
    ASSERT_TRUE(invalid.open(QIODevice::WriteOnly));
    invalid.write(R"({"calculator":0,"fields":{"8-PartFirst":""}})");
    invalid.close();
    const MergeRun failed =
        merge({QStringLiteral("--input"), invalid.fileName(), QStringLiteral("--support-archive"),
               QStringLiteral(SUPPORT_ARCHIVE)});
    EXPECT_EQ(failed.exitCode, 2);
    EXPECT_TRUE(failed.out.contains("\"status\":\"invalid\""));
}

} // namespace
