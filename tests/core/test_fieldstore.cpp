#include "fieldstore.h"
#include "testsupport.h"

namespace {

class FieldStoreTest : public ::testing::Test {
protected:
    RecordingPrompter prompter;
    FieldStore fields{prompter};
};

TEST_F(FieldStoreTest, TagSearchStaysInsideItsRange) {
    fields.SetField(QStringLiteral("Jane"), QStringLiteral("8-PartFirst"));
    fields.SetField(QStringLiteral("$1"), QStringLiteral("R-RMD"));
    EXPECT_EQ(fields.GetField(QStringLiteral("8-PartFirst")), QStringLiteral("Jane"));
    EXPECT_EQ(fields.text(103), QStringLiteral("$1"));
    EXPECT_EQ(fields.SetIndex(QStringLiteral("7-OriginalDOB")), 51);
    EXPECT_EQ(fields.SetIndex(QStringLiteral("R-Age")), 129);

    // "R-PlanType" stands in 106, 109 and 111: only the first is ever reached.
    fields.SetField(QStringLiteral("IRA"), QStringLiteral("R-PlanType"));
    EXPECT_EQ(fields.text(106), QStringLiteral("IRA"));
    EXPECT_EQ(fields.text(109), QStringLiteral("R-PlanType"));
    EXPECT_EQ(fields.text(111), QStringLiteral("R-PlanType"));
    EXPECT_EQ(fields.GetField(QStringLiteral("R-PlanType")), QStringLiteral("IRA"));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(FieldStoreTest, UnknownTagsAreReported) {
    // An empty tag never matches an end marker; an input tag with "R-" text, or a report tag
    // without it, is not found across the ranges.
    for (const char *tag : {"", "R-Nothing", "9-Nothing", "r-RMD"})
        EXPECT_EQ(fields.GetField(QLatin1String(tag)), QStringLiteral("??")) << tag;
    EXPECT_TRUE(prompter.messages().isEmpty()) << "GetField is silent";

    fields.SetField(QStringLiteral("x"), QStringLiteral("R-Nothing"));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].text,
              QStringLiteral("Invalid Tag in SetField Function for \"R-Nothing\"."));
    EXPECT_EQ(prompter.messages()[0].caption, QString());

    EXPECT_EQ(fields.SetIndex(QStringLiteral("8-Nothing")), 0);
    ASSERT_EQ(prompter.messages().size(), 2);
    EXPECT_EQ(prompter.messages()[1].text,
              QStringLiteral("Invalid Tag in SetIndex Function for 8-Nothing."));
}

TEST_F(FieldStoreTest, AgeOnRbdIsReachedOnlyBySetField) {
    const QString tag = QStringLiteral("Age of Beneficiary on RBD");
    EXPECT_EQ(fields.GetField(tag), QStringLiteral("??"));
    fields.SetField(QStringLiteral("63"), tag);
    EXPECT_EQ(fields.text(157), QStringLiteral("63"));
    EXPECT_EQ(fields.GetField(tag), QStringLiteral("??"));
    EXPECT_EQ(fields.SetIndex(tag), 0);
    EXPECT_EQ(prompter.messages().size(), 1) << "only SetIndex complains";
}

TEST_F(FieldStoreTest, ShowFieldErrorResetsSelectsAndShows) {
    fields.ShowFieldError(QStringLiteral("Bad date"), QStringLiteral("Date Input Error"),
                          Calculator::Rmd, QStringLiteral("7-PartDOB"),
                          QStringLiteral("01/01/1930"));
    EXPECT_EQ(fields.text(3), QStringLiteral("01/01/1930"));
    ASSERT_EQ(prompter.fieldErrors().size(), 1);
    const auto &error = prompter.fieldErrors()[0];
    EXPECT_EQ(error.focus.calculator, Calculator::Rmd);
    EXPECT_EQ(error.focus.slot, 3);
    EXPECT_EQ(error.focus.selectionStart, 0);
    EXPECT_EQ(error.focus.selectionLength, 10);
    EXPECT_EQ(error.title, QStringLiteral("Date Input Error"));

    // An empty replacement clears the field and selects nothing.
    fields.ShowFieldError(QStringLiteral("m"), QStringLiteral("t"), Calculator::Rmd,
                          QStringLiteral("7-DD0"), QString());
    EXPECT_EQ(fields.text(7), QString());
    EXPECT_EQ(prompter.fieldErrors()[1].focus.selectionLength, 0);
}

TEST_F(FieldStoreTest, ShowFieldErrorEarlyReturnsAndUnknownTag) {
    prompter.setCalculatorTabAvailable(Calculator::Sepp, false);
    fields.ShowFieldError(QStringLiteral("m"), QStringLiteral("t"), Calculator::Sepp,
                          QStringLiteral("8-EqualFirst"), QStringLiteral("John"));
    prompter.setCalculatorTabAvailable(Calculator::Sepp, true);
    prompter.setDataWindowVisible(true);
    fields.ShowFieldError(QStringLiteral("m"), QStringLiteral("t"), Calculator::Sepp,
                          QStringLiteral("8-EqualFirst"), QStringLiteral("John"));
    EXPECT_TRUE(prompter.fieldErrors().isEmpty());
    EXPECT_EQ(fields.text(21), QString()) << "nothing is reset when nothing is shown";

    prompter.setDataWindowVisible(false);
    fields.ShowFieldError(QStringLiteral("m"), QStringLiteral("t"), Calculator::Rmd,
                          QStringLiteral("R-RMD"), QStringLiteral("x"));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].caption, QStringLiteral("Critical Error"));
    EXPECT_EQ(prompter.messages()[0].text, QStringLiteral("No field found for tag: R-RMD"));
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Stop);
    EXPECT_EQ(fields.text(103), QStringLiteral("R-RMD"));
}

TEST_F(IllustrationTest, KeystrokesClearTheSavedFlagWhetherKeptOrNot) {
    illustration.setSaved(true);
    EXPECT_FALSE(illustration.keyPress(9, QLatin1Char('x')));
    EXPECT_FALSE(illustration.isSaved());
}

// The defaults of a new illustration are checked byte by byte in the stored records and through
// rmdbatch calc; here only what came before goes.
TEST_F(IllustrationTest, NewIllustrationClearsTheOldOne) {
    illustration.fields().setText(0, QStringLiteral("Old"));
    illustration.setSaved(false);
    illustration.resetToNew(4, QDate(2026, 12, 6), QStringLiteral("Rollover IRA"));
    EXPECT_EQ(illustration.fields().text(0), QString());
    EXPECT_EQ(illustration.controls().cmboPlanType0, QStringLiteral("Rollover IRA"));
    EXPECT_TRUE(illustration.isSaved());
}

} // namespace
