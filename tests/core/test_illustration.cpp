#include "fatalerror.h"
#include "testsupport.h"

#include <functional>

namespace {

// What an observer of the illustration heard, in order.
class Announcements {
public:
    explicit Announcements(Illustration &illustration) {
        QObject::connect(&illustration, &Illustration::fieldChanged,
                         [this](int slot) { heard << QStringLiteral("field %1").arg(slot); });
        QObject::connect(&illustration, &Illustration::savedChanged, [this](bool saved) {
            heard << QStringLiteral("saved %1").arg(saved ? "yes" : "no");
        });
        QObject::connect(
            &illustration, &Illustration::calculatorChanged, [this](Calculator calculator) {
                heard << QStringLiteral("calculator %1").arg(CalculatorNumber(calculator));
            });
        QObject::connect(&illustration, &Illustration::controlChanged, [this](Control control) {
            heard << QStringLiteral("control ") + QLatin1String(EntryOf(control).name);
        });
        QObject::connect(&illustration, &Illustration::seppTabChanged,
                         [this] { heard << QStringLiteral("sepp tab"); });
    }
    QStringList heard;
};

TEST(IllustrationModelTest, AnnouncesWhatChangedAndInputsClearTheSavedFlag) {
    using Ill = Illustration;
    const struct {
        const char *name;
        std::function<void(Ill &)> prepare; // not heard
        std::function<void(Ill &)> change;
        QStringList heard;
    } cases[] = {
        {"typing",
         {},
         [](Ill &i) { i.editField(2, QStringLiteral("Ann")); },
         {"field 2", "saved no"}},
        {"the same text again",
         [](Ill &i) { i.editField(2, QStringLiteral("Ann")); },
         [](Ill &i) { i.editField(2, QStringLiteral("Ann")); },
         {}},
        {"a computed field",
         {},
         [](Ill &i) { i.fields().setText(110, QStringLiteral("$5")); },
         {"field 110"}},
        {"a field's look", {}, [](Ill &i) { i.fields().setEnabled(4, false); }, {"field 4"}},
        {"the same look", {}, [](Ill &i) { i.fields().setEnabled(4, true); }, {}},
        {"a check box",
         {},
         [](Ill &i) { i.setChecked(Control::chkRoth, true); },
         {"control chkRoth", "saved no"}},
        {"a check box left as it was",
         {},
         [](Ill &i) { i.setChecked(Control::chkRoth, false); },
         {}},
        {"a list entry",
         {},
         [](Ill &i) { i.setListEntry(Control::cmboState, "TX"); },
         {"control cmboState", "saved no"}},
        {"an option the user picks",
         {},
         [](Ill &i) { i.setPosition(Control::optUseJoint, 0); },
         {"control optUseJoint", "saved no"}},
        {"an option a refresh moves",
         {},
         [](Ill &i) { i.setPosition(Control::optEqualPmt, 3, ChangeOrigin::Refresh); },
         {"control optEqualPmt"}},
        {"a box made unusable",
         {},
         [](Ill &i) { i.setSurvivingSpouseEnabled(false); },
         {"control chkSurvivingSpouse"}},
        {"the calculator",
         {},
         [](Ill &i) { i.setCalculator(Calculator::Stretch); },
         {"calculator 3"}},
        {"the same calculator", {}, [](Ill &i) { i.setCalculator(Calculator::Rmd); }, {}},
        {"the SEPP tab",
         {},
         [](Ill &i) {
             SeppTabState tab = i.seppTab();
             tab.noteBold = true;
             i.setSeppTab(tab);
         },
         {"sepp tab"}},
        {"the same SEPP tab", {}, [](Ill &i) { i.setSeppTab(i.seppTab()); }, {}},
        {"a reset, slot by slot",
         [](Ill &i) {
             i.fields().setText(2, QStringLiteral("Ann"));
             i.fields().setEnabled(4, false);
         },
         [](Ill &i) { i.fields().reset(); },
         {"field 2", "field 4"}},
    };
    for (const auto &c : cases) {
        RecordingPrompter prompter;
        Illustration illustration(prompter);
        if (c.prepare)
            c.prepare(illustration);
        Announcements first(illustration);
        Announcements second(illustration);
        c.change(illustration);
        EXPECT_EQ(first.heard, c.heard) << c.name;
        EXPECT_EQ(second.heard, c.heard) << c.name << ": every observer hears it";
    }
}

TEST(IllustrationModelTest, EachControlIsSetAsItsKind) {
    RecordingPrompter prompter;
    Illustration illustration(prompter);
    EXPECT_THROW(illustration.setChecked(Control::cmboState, true), FatalError);
    EXPECT_THROW(illustration.setPosition(Control::chkRoth, 1), FatalError);
    EXPECT_THROW(illustration.setListEntry(Control::hScrollGraph, QStringLiteral("1")), FatalError);
    EXPECT_EQ(illustration.controls(), IllustrationControls{});
}

} // namespace
