#include "filelock.h"
#include "saveflow.h"
#include "storagetestsupport.h"

namespace {

const QDate Today(2026, 1, 15);

class SaveFlowTest : public DatabaseTest {
protected:
    Illustration illustration{prompter};
    CalcContext context{Today, {}, false, false};

    void makeEdited() {
        MakeRmdSample(illustration, Today);
        illustration.setSaved(false);
    }
};

// What each outcome leads to is the offer to save's test (test_storageflows).
TEST_F(SaveFlowTest, TheQuestionAndTheInvalidField) {
    makeEdited();
    prompter.queueAnswer(Answer::No);
    EXPECT_EQ(SaveIllustration(database, illustration, true, context).kind,
              SaveOutcome::Kind::Declined);
    ASSERT_EQ(prompter.questions().size(), 1);
    EXPECT_EQ(prompter.questions().at(0).caption, QStringLiteral("Illustration Data"));
    EXPECT_EQ(prompter.questions().at(0).text,
              QStringLiteral("Your current illustration is not saved.\r\nDo you wish to save it?"));
    EXPECT_EQ(prompter.questions().at(0).buttons, Buttons::YesNo);

    // Unasked, an invalid illustration names the field for rmdbatch save's answer.
    SetFields(illustration, {{"7-PartDOB", "not a date"}});
    EXPECT_EQ(SaveIllustration(database, illustration, false, context).failure.value().tag,
              QStringLiteral("7-PartDOB"));
}

TEST_F(SaveFlowTest, AFailedWriteSaysRecordNotSaved) {
    FileLock other(database.path());
    ASSERT_FALSE(other.acquire(0));
    database.setLockTimeoutMs(20);
    makeEdited();
    prompter.queueAnswer(Answer::Yes);
    const SaveOutcome outcome = SaveIllustration(database, illustration, true, context);
    ASSERT_TRUE(outcome.error.has_value());
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().at(0).caption, QStringLiteral("Data Writing Error"));
    EXPECT_EQ(prompter.messages().at(0).text,
              QStringLiteral("Record not saved.\r\n") + outcome.error->description);
}

// The menu's Save runs the window's sequence, so a SEPP record stores the amount of the option
// the user chose, not an amount from before the refresh.
TEST_F(SaveFlowTest, MenuSaveStoresTheChosenSeppAmount) {
    MakeSeppSample(illustration, Today);
    illustration.setPosition(Control::optEqualPmt, 4);
    ASSERT_EQ(illustration.seppTab().options[4].amount, QStringLiteral("0.00"));

    const SaveOutcome outcome = SaveFromMenu(database, illustration, context);
    ASSERT_EQ(outcome.kind, SaveOutcome::Kind::Saved);
    const QString amount = illustration.fields().GetField(QStringLiteral("6-RMD_Amt"));
    EXPECT_EQ(amount, illustration.seppTab().options[4].amount);
    EXPECT_NE(amount, QStringLiteral("0.00"));
}

} // namespace
