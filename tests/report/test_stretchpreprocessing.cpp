#include "fatalerror.h"
#include "stretchpreprocessing.h"
#include "testsupport.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

class PreProcessTest : public ::testing::Test {
protected:
    QString writeTemplate(const QByteArray &text) {
        const QString path = dir.filePath(QStringLiteral("Stretch.rtf"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        return path;
    }
    QByteArray read(const QString &path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    QTemporaryDir dir;
};

TEST_F(PreProcessTest, ValuesConditionsAndTablesInOneFile) {
    const QString path = writeTemplate("{\\rtf1 R-PHName, XY years\\par\n"
                                       "$#if HasSpouse\n"
                                       "Spouse: R-SpouseName\\par\n"
                                       "$#table SPOUSE\n$#entry\n[[1]]\\tab [[2]]\\par\n"
                                       "$#endentry\n$#endtable\n"
                                       "$#endif\n"
                                       "$#if HasContributions\ncontributions\n$#else\nnone\n"
                                       "$#endif\n"
                                       "$#table BENE\nYear\\tab Age\\par\n$#entry\n"
                                       "[[1]]\\tab[[2]]\\tab[[3]]\\par\n$#else\n\\sb120\\par\n"
                                       "$#endentry\n$#endtable\n}");
    StretchReportData data;
    data.values = {{QStringLiteral("R-PHName"), QStringLiteral("Ann Sample")},
                   {QStringLiteral("R-SpouseName"), QStringLiteral("Bob Sample")},
                   {QStringLiteral("XY"), QStringLiteral("42")}};
    data.conditions = {QStringLiteral("HasSpouse")};
    data.tables = {{QStringLiteral("SPOUSE"), {QStringLiteral("2040~ 80")}},
                   {QStringLiteral("BENE"),
                    {QStringLiteral("2050~ 55~1,000"), QString(), QStringLiteral("2051~ 56~0")}}};
    PreProcessRTF(data, path, path);
    EXPECT_EQ(read(path), QByteArray("{\\rtf1 Ann Sample, 42 years\\par\n"
                                     "Spouse: Bob Sample\\par\n"
                                     "2040\\tab  80\\par\n"
                                     "none\n"
                                     "Year\\tab Age\\par\n"
                                     "2050\\tab 55\\tab1,000\\par\n"
                                     "\\sb120\\par\n"
                                     "2051\\tab 56\\tab0\\par\n"
                                     "}"));
}

TEST_F(PreProcessTest, UnbalancedTemplateIsAFatalErrorNamingTheLine) {
    const QString path = writeTemplate("{\\rtf1\n$#if CoverPage\ncover\n}");
    try {
        PreProcessRTF({}, path, path);
        FAIL() << "an unbalanced template passed";
    } catch (const FatalError &error) {
        EXPECT_EQ(error.caption(), QStringLiteral("Fatal Error in PreProcessRTF"));
        EXPECT_EQ(error.description(), QStringLiteral("Stretch.rtf, line 2: directive not closed"));
    }
}

TEST_F(PreProcessTest, OutdatedSystemLeavesTheTemplateAsExtracted) {
    const QByteArray text("{\\rtf1\n$#if CoverPage\ncover\n$#endif\n}");
    const QString path = writeTemplate(text);
    PreProcessRTF({}, path, path, true);
    EXPECT_EQ(read(path), text);
}

} // namespace
