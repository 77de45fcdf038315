#include "fatalerror.h"
#include "stretchpreprocessing.h"
#include "templatepreprocessor.h"
#include "testsupport.h"

#include <QTemporaryDir>

namespace {

QString run(const QString &text, const QHash<QString, QString> &names = {}) {
    TemplatePreprocessor preprocessor;
    preprocessor.setTemplateText(text);
    const auto checked = preprocessor.Prepare();
    EXPECT_TRUE(checked) << preprocessor.errorString().toStdString();
    if (!checked)
        return {};
    for (auto it = names.begin(); it != names.end(); ++it)
        preprocessor.Define(it.key(), it.value());
    return preprocessor.result(preprocessor.SecondPass(preprocessor.FirstPass(*checked)));
}

// A condition is true when its name is defined, whatever its value.
TEST(TemplatePreprocessorTest, ConditionalsNest) {
    const QString text = QStringLiteral("  $#if A\n1\n $#if B\n2\n$#else\n3\n$#endif\n4\n"
                                        "$#else\n$#if B\n5\n$#endif\n6\n$#endif");
    const struct {
        bool a, b;
        const char *expected;
    } cases[] = {{true, true, "1\n2\n4"},
                 {true, false, "1\n3\n4"},
                 {false, true, "5\n6"},
                 {false, false, "6"}};
    for (const auto &c : cases) {
        QHash<QString, QString> names;
        if (c.a)
            names.insert(QStringLiteral("A"), QString());
        if (c.b)
            names.insert(QStringLiteral("B"), QString());
        EXPECT_EQ(run(text, names), QLatin1String(c.expected)) << c.a << c.b;
    }
    EXPECT_EQ(run(QStringLiteral("$#if !TaxPage\nno taxes\n$#endif")), QStringLiteral("no taxes"));
}

TEST(TemplatePreprocessorTest, NamesAreReplacedLongestFirstInOneScan) {
    const QHash<QString, QString> names{{QStringLiteral("XY"), QStringLiteral("17")},
                                        {QStringLiteral("R-BeneAccount"), QStringLiteral("$5")},
                                        {QStringLiteral("R-Bene"), QStringLiteral("short")},
                                        {QStringLiteral("S^"), QStringLiteral("Ohio")},
                                        {QStringLiteral("x.xx%"), QStringLiteral("6.00%")},
                                        {QStringLiteral("R-PHName"), QStringLiteral("XY R-Bene")}};
    EXPECT_EQ(run(QStringLiteral("R-BeneAccount / R-Bene in S^ at x.xx% for XY years"), names),
              QStringLiteral("$5 / short in Ohio at 6.00% for 17 years"));
    // A value is never searched again, even when it holds a name.
    EXPECT_EQ(run(QStringLiteral("{R-PHName}"), names), QStringLiteral("{XY R-Bene}"));
    // Directive lines are not substituted: the condition name stays a name.
    EXPECT_EQ(run(QStringLiteral("$#if XY\nyes\n$#endif"), names), QStringLiteral("yes"));
}

// A spacer (an empty entry) takes the $#else row, or is an empty paragraph without one; a table
// inside a false condition is dropped and not emitted.
TEST(TemplatePreprocessorTest, TablesExpandOncePerEntryWithSpacers) {
    TemplatePreprocessor preprocessor;
    preprocessor.setTemplateText(QStringLiteral("top\n$#table BENE\nhead\n$#entry\n"
                                                "[[1]]|[[2]]|[[3]]\\par\n$#else\n-\n"
                                                "$#endentry\nfoot\n$#endtable\n"
                                                "$#if HasSpouse\n$#table SPOUSE\nnever\n$#entry\n"
                                                "x\n$#endentry\n$#endtable\n$#endif\n"
                                                "$#table T\n$#entry\n[[1]]\\par\n$#endentry\n"
                                                "$#endtable\nbottom"));
    const auto checked = preprocessor.Prepare();
    ASSERT_TRUE(checked) << preprocessor.errorString().toStdString();
    FilledTemplate filled = preprocessor.SecondPass(preprocessor.FirstPass(*checked));
    const QStringList entries{QStringLiteral("2030~ 75~1,234"), QString(),
                              QStringLiteral("2031~ 76")};
    EXPECT_TRUE(preprocessor.EmitTable(filled, QStringLiteral("BENE"), entries));
    EXPECT_FALSE(preprocessor.EmitTable(filled, QStringLiteral("SPOUSE"), entries));
    EXPECT_FALSE(preprocessor.EmitTable(filled, QStringLiteral("PLANHOLDER0"), entries));
    EXPECT_TRUE(
        preprocessor.EmitTable(filled, QStringLiteral("T"), {QString(), QStringLiteral("a")}));
    EXPECT_EQ(preprocessor.result(filled),
              QStringLiteral("top\nhead\n2030| 75|1,234\\par\n-\n2031| 76|\\par\nfoot\n"
                             "\\par \na\\par\nbottom"));
}

TEST(TemplatePreprocessorTest, UnbalancedDirectivesNameTheLine) {
    const struct {
        const char *text;
        const char *error;
    } cases[] = {
        {"a\n$#if X\nb", "line 2: directive not closed"},
        {"a\nb\n$#endif", "line 3: $#endif without $#if"},
        {"$#else", "line 1: $#else without $#if"},
        {"$#if X\n$#else\n$#else\n$#endif", "line 3: $#else without $#if"},
        {"$#if\n$#endif", "line 1: $#if needs a name"},
        {"$#table\n$#endtable", "line 1: $#table needs a name"},
        {"$#table T\nrow\n$#endtable", "line 3: table without $#entry"},
        {"$#entry\n$#endentry", "line 1: $#entry outside a table, or twice"},
        {"$#table A\n$#table B", "line 2: tables cannot nest"},
        {"$#iff X", "line 1: unknown directive \"$#iff X\""},
    };
    for (const auto &c : cases) {
        TemplatePreprocessor preprocessor;
        preprocessor.setTemplateText(QLatin1String(c.text));
        EXPECT_FALSE(preprocessor.Prepare().has_value()) << c.text;
        EXPECT_EQ(preprocessor.errorString(), QLatin1String(c.error)) << c.text;
    }
}

TEST(TemplatePreprocessorTest, FileRoundTripKeepsEightBitText) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Stretch.rtf"));
    WriteWholeFile(path, "{\\rtf1 caf\xe9 R-PHName\r\n$#if Graph0\r\ngraph\r\n$#endif\r\n}");

    TemplatePreprocessor preprocessor;
    ASSERT_TRUE(preprocessor.LoadTemplate(path));
    const auto checked = preprocessor.Prepare();
    ASSERT_TRUE(checked);
    preprocessor.Define(QStringLiteral("R-PHName"), QStringLiteral("Jos\u00e9"));
    ASSERT_TRUE(
        preprocessor.SaveResult(preprocessor.SecondPass(preprocessor.FirstPass(*checked)), path));
    EXPECT_EQ(ReadWholeFile(path), QByteArray("{\\rtf1 caf\xe9 Jos\xe9\r\n}"));
    EXPECT_FALSE(TemplatePreprocessor().LoadTemplate(dir.filePath(QStringLiteral("none.rtf"))));
}

// The Stretch template's preprocessing: an outdated system leaves the template as extracted, else
// an unbalanced template is a fatal error that names the file's line.
TEST(PreProcessRTFTest, OutdatedSystemOrUnbalancedTemplate) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Stretch.rtf"));
    const QByteArray text("{\\rtf1\n$#if CoverPage\ncover\n}");
    WriteWholeFile(path, text);
    PreProcessRTF({}, path, path, true);
    EXPECT_EQ(ReadWholeFile(path), text);
    try {
        PreProcessRTF({}, path, path);
        FAIL() << "an unbalanced template passed";
    } catch (const FatalError &error) {
        EXPECT_EQ(error.caption(), QStringLiteral("Fatal Error in PreProcessRTF"));
        EXPECT_EQ(error.description(), QStringLiteral("Stretch.rtf, line 2: directive not closed"));
    }
}

} // namespace
