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
        WriteWholeFile(path, text);
        return path;
    }
    QTemporaryDir dir;
};

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
    EXPECT_EQ(ReadWholeFile(path), text);
}

} // namespace
