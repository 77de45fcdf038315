// Golden merged reports: each folder of tests/data/merge holds an illustration (ill.json), the
// command's further arguments (args; REP stands for samples/rep.json) and the merged RTF that
// rmdbatch merge must print (expected.rtf). RMD_UPDATE_GOLDEN=1 rewrites the expected files
// after a deliberate change of a template; read the difference before committing it.

#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

struct MergeRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

MergeRun merge(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(RMDBATCH_PATH), QStringList{QStringLiteral("merge")} + arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(MergeGoldenTest, EveryCaseMatchesItsExpectedReport)
{
    const QDir cases(QStringLiteral(GOLDEN_DIR));
    const QStringList names = cases.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_GE(names.size(), 9);
    const bool update = qEnvironmentVariableIntValue("RMD_UPDATE_GOLDEN") == 1;
    for (const QString &name : names) {
        const QDir dir(cases.filePath(name));
        QStringList arguments = QString::fromUtf8(readFile(dir.filePath(QStringLiteral("args"))))
                                    .split(QRegularExpression(QStringLiteral("\\s+")),
                                           Qt::SkipEmptyParts);
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
        EXPECT_EQ(run.out.toStdString(), readFile(expectedPath).toStdString()) << name.toStdString();

        // What a client reads never shows a placeholder, a directive or a table column.
        const QString text = QString::fromLatin1(run.out);
        for (const char *leftover : {"$#", "[[", "R-PHName", "R-RMD", "R-Aname", "R-Payment"})
            EXPECT_FALSE(text.contains(QLatin1String(leftover))) << name.toStdString() << leftover;
        EXPECT_EQ(text.count(QLatin1Char('{')), text.count(QLatin1Char('}'))) << name.toStdString();
    }
}

TEST(MergeFailureTest, MissingArchiveIsAnIoFailureAndBadInputIsNotMerged)
{
    QTemporaryDir dir;
    const MergeRun missing = merge({QStringLiteral("--input"), QStringLiteral(SAMPLES_DIR "/rmd.json"),
                               QStringLiteral("--support-archive"),
                               dir.filePath(QStringLiteral("none.icf"))});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_TRUE(missing.err.contains("none.icf")) << missing.err.toStdString();

    QFile invalid(dir.filePath(QStringLiteral("ill.json")));
    ASSERT_TRUE(invalid.open(QIODevice::WriteOnly));
    invalid.write(R"({"calculator":0,"fields":{"8-PartFirst":""}})");
    invalid.close();
    const MergeRun failed = merge({QStringLiteral("--input"), invalid.fileName(),
                              QStringLiteral("--support-archive"),
                              QStringLiteral(SUPPORT_ARCHIVE)});
    EXPECT_EQ(failed.exitCode, 2);
    EXPECT_TRUE(failed.out.contains("\"status\":\"invalid\""));
}

} // namespace
