#include "illustrationrecord.h"
#include "storagetestsupport.h"
#include "windows1252.h"

namespace {

using IllustrationRecord::decode;
using IllustrationRecord::encode;

// A record of spaces with texts put at 1-based positions, as the layout table gives them.
class ExpectedRecord {
public:
    ExpectedRecord &put(int position, const QByteArray &text) {
        m_bytes.replace(position - 1, text.size(), text);
        return *this;
    }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes = QByteArray(1000, ' ');
};

class IllustrationRecordTest : public IllustrationTest {
protected:
    // A new illustration (record 7, started 03/01/2022) with the planholder's entries.
    void makeSample(Calculator calculator) {
        illustration.setCalculator(calculator);
        illustration.resetToNew(7, QDate(2022, 3, 1), QStringLiteral("IRA"));
        SetFields(illustration, {"8-PartFirst=Jane", "8-PartLast=Sample", "7-PartDOB=01/15/1950",
                                 "6-AcctValue0=$100,000", "7-OriginalDOB=12/31/1920"});
    }

    std::unique_ptr<Illustration> loaded() {
        auto result = std::make_unique<Illustration>(prompter);
        EXPECT_TRUE(LoadRecord(BuildRecord(illustration), *result, RecordLists::window()));
        return result;
    }
};

// What every sample record holds besides the names: the defaults of a new illustration.
ExpectedRecord sampleRecord(char calculator) {
    ExpectedRecord expected;
    expected.put(1, QByteArray("1") + calculator)
        .put(63, "Sample")
        .put(113, "01/15/1950")
        .put(235, "2022")
        .put(239, "$100,000")
        .put(446, "2022")
        .put(450, "$0")
        .put(461, "7")
        .put(467, "03/01/2022")
        .put(477, "$0")
        .put(591, "$0")
        .put(620, "$0")
        .put(649, "0.00%")
        .put(864, "$0")
        .put(875, "$0")
        .put(888, "0.00%")
        // Trailer: plan types, optUseJoint "No", five check boxes, graph, scroll, SEPP option,
        // two check boxes, no state; 976 to 1000 spaces.
        .put(901, "IRA")
        .put(921, "IRA")
        .put(941, "000000")
        .put(947, "All Years")
        .put(969, "99000");
    return expected;
}

TEST_F(IllustrationRecordTest, RecordsAreByteExactForEveryCalculator) {
    for (const Calculator calculator :
         {Calculator::Rmd, Calculator::Rmbd, Calculator::Sepp, Calculator::Stretch}) {
        makeSample(calculator);
        ExpectedRecord expected = sampleRecord(char('0' + CalculatorNumber(calculator)));
        if (calculator == Calculator::Rmbd) {
            // RMBD: the original planholder's date of birth over the start of slot 0.
            expected.put(3, "12/31/1920");
        } else {
            // Slot 51 starts at 894; only 7 of its characters fit before 901.
            expected.put(3, "Jane").put(894, "12/31/1");
        }
        const QString text = BuildRecord(illustration);
        EXPECT_EQ(text.size(), 975) << CalculatorNumber(calculator);
        EXPECT_EQ(encode(text), expected.bytes()) << CalculatorNumber(calculator);
    }
}

// Other calculators read slot 51 back cut to its place, as every slot's round trip shows.
TEST_F(IllustrationRecordTest, SlotFiftyOneReadsBackByTheCalculatorsRule) {
    makeSample(Calculator::Rmbd);
    SetFields(illustration, {{"8-PartFirst", "Jonathan Quincy"}});
    const std::unique_ptr<Illustration> loadedRmbd = loaded();
    const Illustration &rmbd = *loadedRmbd;
    EXPECT_EQ(rmbd.calculator(), Calculator::Rmbd);
    EXPECT_EQ(rmbd.fields().GetField(QStringLiteral("7-OriginalDOB")),
              QStringLiteral("12/31/1920uincy"));
    // Slot 0 reads the date and what followed it of the old first name.
    EXPECT_EQ(rmbd.fields().GetField(QStringLiteral("8-PartFirst")),
              QStringLiteral("12/31/1920uincy"));
    // Loaded and built again, the record is the same.
    Illustration again(prompter);
    ASSERT_TRUE(LoadRecord(BuildRecord(rmbd), again, RecordLists::window()));
    EXPECT_EQ(BuildRecord(again), BuildRecord(illustration));
}

TEST_F(IllustrationRecordTest, EverySlotRoundTripsAtItsWidth) {
    for (const Calculator calculator : {Calculator::Rmd, Calculator::Sepp}) {
        for (const SlotDefinition &slot : SlotTable::inputSlots().first(52)) {
            illustration.setCalculator(calculator);
            illustration.resetToNew(1, QDate(2022, 3, 1), QStringLiteral("IRA"));
            const QString tag = QLatin1String(slot.tag);
            const int kind = SlotTable::kindDigit(tag);
            // A text of the full width whose every character differs from its neighbours, and
            // one character more that must be cut.
            QString text;
            for (int at = 0; at <= slot.width; ++at)
                text += QChar(u'A' + (at + slot.index) % 26);
            QString expected = text.left(slot.width);
            if (kind == 1) {
                text = QStringLiteral("12.5");
                expected = QStringLiteral("12.50%");
            } else if (slot.index == 51) {
                expected = expected.left(7);
            }
            illustration.fields().setText(slot.index, text);
            EXPECT_EQ(loaded()->fields().text(slot.index), expected)
                << "calculator " << CalculatorNumber(calculator) << ", " << slot.tag;
        }
    }
}

TEST_F(IllustrationRecordTest, TrailerHoldsTheControls) {
    makeSample(Calculator::Stretch);
    illustration.setListEntry(Control::cmboPlanType0, QStringLiteral("SIMPLE IRA"));
    illustration.setListEntry(Control::cmboPlanType1, QStringLiteral("Roth IRA"));
    illustration.setPosition(Control::optUseJoint, 0);
    for (const Control box : {Control::chkBackground, Control::chkRoth, Control::chkTopView,
                              Control::chkSurvivingSpouse})
        illustration.setChecked(box, true);
    illustration.setListEntry(Control::lstGraph, QStringLiteral("Non-Spouse Beneficiary"));
    illustration.setPosition(Control::hScrollGraph, 57);
    illustration.setPosition(Control::optEqualPmt, 6);
    illustration.setListEntry(Control::cmboState, QStringLiteral("WY"));
    const QByteArray trailer("SIMPLE IRA          Roth IRA            "
                             "110101Non-Spouse Beneficiary5760"
                             "1WY                         ");
    EXPECT_EQ(encode(BuildRecord(illustration)).mid(900, 100), trailer);
    // Loaded, the controls write the same trailer again.
    EXPECT_EQ(encode(BuildRecord(*loaded())).mid(900, 100), trailer);
}

TEST_F(IllustrationRecordTest, LoadingAppliesTheListAndDefaultRules) {
    // What a record holds at a trailer position, and what the loaded controls write there.
    const QByteArray blankGraph(22, ' ');
    const struct {
        const char *name;
        int position;
        QByteArray stored, rebuilt;
    } cases[] = {
        {"Rollover IRA loads as IRA", 901, "Rollover IRA        ", "IRA                 "},
        {"SEP loads as SEP-IRA", 921, "SEP                 ", "SEP-IRA             "},
        {"empty plan type: first entry", 901, QByteArray(20, ' '), "IRA                 "},
        {"unknown plan type: last entry", 921, "Keogh               ", "Roth IRA            "},
        {"blank graph: All Years", 947, blankGraph, "All Years             "},
        {"unknown graph: nothing selected", 947, "Everything            ", blankGraph},
        {"blank scroll: 99", 969, "  ", "99"},
        {"one-digit scroll as written: 50", 969, "50", "50"},
        {"SEPP option beyond the seven: unchanged", 971, "9", "0"},
        {"unknown state: last entry", 974, "ZZ", "PR"},
        {"blank state stays unchosen", 974, "  ", "  "},
        {"blank rule set: 2002 regulations", 976, "  ", "  "},
        {"C: current law", 976, "C", "C"},
        {"unknown rule code: 2002 regulations", 976, "X", " "},
        {"beneficiary class digit", 977, "3", "3"},
        {"class digit beyond the list: the first", 977, "7", " "},
        {"E: the spouse's election", 978, "E", "E"},
        {"anything else: no election", 978, "Y", " "},
    };
    for (const auto &c : cases) {
        makeSample(Calculator::Rmd);
        QByteArray record = encode(BuildRecord(illustration));
        record.replace(c.position - 1, c.stored.size(), c.stored);
        Illustration result(prompter);
        ASSERT_TRUE(LoadRecord(decode(record), result, RecordLists::window())) << c.name;
        EXPECT_EQ(encode(BuildRecord(result)).mid(c.position - 1, c.rebuilt.size()), c.rebuilt)
            << c.name;
    }

    // The sibling program's lists start with "Rollover IRA"; a stored one still reads as IRA.
    makeSample(Calculator::Rmd);
    illustration.setListEntry(Control::cmboPlanType0, QStringLiteral("Rollover IRA"));
    Illustration result(prompter);
    ASSERT_TRUE(LoadRecord(BuildRecord(illustration), result, RecordLists::window(true)));
    EXPECT_EQ(result.controls().cmboPlanType0, QStringLiteral("IRA"));
}

TEST_F(IllustrationRecordTest, TextsAreStoredInWindows1252) {
    makeSample(Calculator::Rmd);
    SetFields(illustration, {{"8-PartLast", "Müller\u2013Ωmega"}});
    const QByteArray record = encode(BuildRecord(illustration));
    EXPECT_EQ(record.mid(62, 12), QByteArray("M\xFCller\x96?mega"));
    EXPECT_EQ(loaded()->fields().GetField(QStringLiteral("8-PartLast")),
              QStringLiteral("Müller\u2013?mega"));
}

TEST_F(IllustrationRecordTest, BadCalculatorDigitIsNotLoaded) {
    makeSample(Calculator::Rmd);
    for (const char digit : {'4', '9', 'x', ' '}) {
        QByteArray record = encode(BuildRecord(illustration));
        record[1] = digit;
        Illustration result(prompter);
        EXPECT_FALSE(LoadRecord(decode(record), result, RecordLists::window())) << digit;
        EXPECT_EQ(result.fields().text(0), QString()) << "nothing put into the illustration";
    }
    // A record cut short loads what it has and never reads past its end.
    Illustration result(prompter);
    EXPECT_TRUE(LoadRecord(BuildRecord(illustration).left(100), result, RecordLists::window()));
    EXPECT_EQ(result.fields().GetField(QStringLiteral("8-PartLast")), QStringLiteral("Sample"));
    EXPECT_EQ(result.controls().hScrollGraph, 99);
}

// The places themselves are checked byte by byte above; here the lookup and its message.
TEST_F(IllustrationRecordTest, DataFindPointersWalksTheSlots) {
    int start = -1;
    int width = -1;
    ASSERT_TRUE(DataFindPointers(start, width, QStringLiteral("3-DatabaseIndex"), prompter));
    EXPECT_EQ(start, 461);
    EXPECT_EQ(width, 6);
    EXPECT_TRUE(prompter.messages().isEmpty());

    EXPECT_FALSE(DataFindPointers(start, width, QStringLiteral("R-RMD"), prompter));
    EXPECT_EQ(start, 461) << "left unchanged";
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().at(0).text,
              QStringLiteral("R-RMD: Invalid Tag in DataFindPointers"));
}

} // namespace
