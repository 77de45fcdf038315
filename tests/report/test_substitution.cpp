#include "fatalerror.h"
#include "reportfixture.h"
#include "substitution.h"
#include "supportarchive.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>

namespace {

class MergeTest : public IllustrationTest {
protected:
    void set(const char *tag, const QString &value) {
        illustration.fields().SetField(value, QLatin1String(tag));
    }
    QString merge(const QString &text) { return MergeFields(text, illustration); }
};

TEST_F(MergeTest, MarkersCutTheirPassagesOnlyWhenAFieldHoldsThem) {
    set("R-RetDate", QStringLiteral("~R"));
    EXPECT_EQ(merge(QStringLiteral("a~Rb~Rc")), QStringLiteral("ac"));
    set("R-RetDate", QStringLiteral("June 1, 2020"));
    set("R-RMD", QStringLiteral("$5"));
    EXPECT_EQ(merge(QStringLiteral("a~Rb R-RMD~Rc")), QStringLiteral("a~Rb $5~Rc"));

    // A marker without its partner removes nothing; the eleventh passage stays.
    set("R-RetDate", QStringLiteral("~R"));
    EXPECT_EQ(merge(QStringLiteral("x~Ry")), QStringLiteral("x~Ry"));
    QString eleven;
    for (int passage = 0; passage < 11; ++passage)
        eleven += QStringLiteral("~Rcut~R%1").arg(passage);
    EXPECT_EQ(merge(eleven), QStringLiteral("0123456789~Rcut~R10"));
}

TEST_F(MergeTest, MarkersGoBeforePlaceholders) {
    set("R-1", QStringLiteral("~X"));
    set("R-RMD", QStringLiteral("$9"));
    EXPECT_EQ(merge(QStringLiteral("keep R-RMD ~Xgone R-RMD~X end")),
              QStringLiteral("keep $9  end"));
}

TEST_F(MergeTest, PlaceholdersAreFilledTenTimesAtMost) {
    set("R-RMD", QStringLiteral("$1"));
    const QString twelve = QStringLiteral("R-RMD ").repeated(12);
    EXPECT_EQ(merge(twelve),
              QStringLiteral("$1 ").repeated(10) + QStringLiteral("R-RMD ").repeated(2));

    // A value holding its own placeholder ends after ten replacements.
    set("R-RMD", QStringLiteral("<R-RMD>"));
    EXPECT_EQ(merge(QStringLiteral("R-RMD")), QStringLiteral("<").repeated(10) +
                                                  QStringLiteral("R-RMD") +
                                                  QStringLiteral(">").repeated(10));
}

TEST_F(MergeTest, PlaceholdersMatchAsPlainSubstringsInSlotOrder) {
    set("R-YYYY", QStringLiteral("2024"));
    set("R-PlanType", QStringLiteral("401(k)"));
    // "R-YYYY" also stands at the start of a longer word; "R-PlanType" three slots share.
    EXPECT_EQ(merge(QStringLiteral("R-YYYYs R-PlanType R-Unknown")),
              QStringLiteral("2024s 401(k) R-Unknown"));
    // Slot 157's tag has no "R-" prefix and is a placeholder all the same.
    illustration.fields().SetField(QStringLiteral("Age of Original Planholder at Death"),
                                   QStringLiteral("Age of Beneficiary on RBD"));
    EXPECT_EQ(merge(QStringLiteral("[Age of Beneficiary on RBD]")),
              QStringLiteral("[Age of Original Planholder at Death]"));
}

class SubstituteTest : public IllustrationTest {
protected:
    void SetUp() override {
        WriteSupportArchive(folder.archive, {{"RMDPartNone.rtf", "{\\rtf1 none R-RMD}"},
                                             {"RMDPartSpouse.rtf", "{\\rtf1 spouse R-SpouseDOB}"},
                                             {"Equal.rtf", ""},
                                             {"Stretch.rtf", "{\\rtf1 directives}"}});
        illustration.fields().SetField(QStringLiteral("$3,907"), QStringLiteral("R-RMD"));
        illustration.fields().SetField(QStringLiteral("July 4, 1960"),
                                       QStringLiteral("R-SpouseDOB"));
    }

    QString substitute() {
        return SubstituteRTF(illustration, SupportArchive(folder.archive), work,
                             QStringLiteral("Retirement Distribution Planner"));
    }

    ArchiveFolder folder;
    const QString &work = folder.work;
};

TEST_F(SubstituteTest, TemplateFollowsTheSpouseDateAndLeavesNoCopy) {
    illustration.setCalculator(Calculator::Rmd);
    EXPECT_EQ(substitute(), QStringLiteral("{\\rtf1 none $3,907}"));
    illustration.fields().SetField(QStringLiteral("7/4/1960"), QStringLiteral("7-SpouseDOB"));
    EXPECT_EQ(substitute(), QStringLiteral("{\\rtf1 spouse July 4, 1960}"));
    EXPECT_EQ(substitute(), QStringLiteral("{\\rtf1 spouse July 4, 1960}"));
    EXPECT_TRUE(QDir(work).isEmpty()) << "templates are deleted once read";
}

TEST_F(SubstituteTest, EmptyTemplateIsMissingOrDamaged) {
    illustration.setCalculator(Calculator::Sepp);
    EXPECT_EQ(substitute(), QStringLiteral("Output file is missing or damaged."));
    EXPECT_TRUE(QDir(work).isEmpty());
}

TEST_F(SubstituteTest, TemplateTheArchiveLacksShowsTheDamagedArchiveMessage) {
    illustration.setCalculator(Calculator::Rmbd);
    try {
        substitute();
        FAIL() << "no error for a missing template";
    } catch (const FatalError &error) {
        EXPECT_TRUE(error.alreadyShown());
        EXPECT_EQ(error.routine(), QStringLiteral("SubstituteRTF"));
    }
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].caption, QStringLiteral("Retirement Distribution Planner"));
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Stop);
    EXPECT_EQ(prompter.messages()[0].text,
              QStringLiteral("Critical Error Type 4\r\n\r\nThe required file rmdcalc.icf is "
                             "damaged.\r\nPlease reinstall your software, then try again."));
}

TEST_F(SubstituteTest, StretchTemplateIsPreprocessedInPlace) {
    illustration.setCalculator(Calculator::Stretch);
    const auto preprocess = [](const QString &path) {
        WriteWholeFile(path, "{\\rtf1 resolved R-RMD}");
    };
    EXPECT_EQ(
        SubstituteRTF(illustration, SupportArchive(folder.archive), work, QString(), preprocess),
        QStringLiteral("{\\rtf1 resolved $3,907}"));
    EXPECT_TRUE(QDir(work).isEmpty());
}

} // namespace
