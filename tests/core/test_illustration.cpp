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
        QStringList heard;
        std::function<void(Ill &)> change;
        std::function<void(Ill &)> prepare = {}; // not heard
    } cases[] = {
        {"typing", {"field 2", "saved no"}, [](Ill &i) { i.editField(2, QStringLiteral("Ann")); }},
        {"the same text again",
         {},
         [](Ill &i) { i.editField(2, QStringLiteral("Ann")); },
         [](Ill &i) { i.editField(2, QStringLiteral("Ann")); }},
        {"a computed field",
         {"field 110"},
         [](Ill &i) { i.fields().setText(110, QStringLiteral("$5")); }},
        {"a field's look", {"field 4"}, [](Ill &i) { i.fields().setEnabled(4, false); }},
        {"the same look", {}, [](Ill &i) { i.fields().setEnabled(4, true); }},
        {"a check box",
         {"control chkRoth", "saved no"},
         [](Ill &i) { i.setChecked(Control::chkRoth, true); }},
        {"a check box left as it was", {}, [](Ill &i) { i.setChecked(Control::chkRoth, false); }},
        {"a list entry",
         {"control cmboState", "saved no"},
         [](Ill &i) { i.setListEntry(Control::cmboState, "TX"); }},
        {"an option the user picks",
         {"control optUseJoint", "saved no"},
         [](Ill &i) { i.setPosition(Control::optUseJoint, 0); }},
        {"an option a refresh moves",
         {"control optEqualPmt"},
         [](Ill &i) { i.setPosition(Control::optEqualPmt, 3, ChangeOrigin::Refresh); }},
        {"a box made unusable",
         {"control chkSurvivingSpouse"},
         [](Ill &i) { i.setSurvivingSpouseEnabled(false); }},
        {"the calculator", {"calculator 3"}, [](Ill &i) { i.setCalculator(Calculator::Stretch); }},
        {"the same calculator", {}, [](Ill &i) { i.setCalculator(Calculator::Rmd); }},
        {"the SEPP tab",
         {"sepp tab"},
         [](Ill &i) {
             SeppTabState tab = i.seppTab();
             tab.noteBold = true;
             i.setSeppTab(tab);
         }},
        {"the same SEPP tab", {}, [](Ill &i) { i.setSeppTab(i.seppTab()); }},
        {"a reset, slot by slot",
         {"field 2", "field 4"},
         [](Ill &i) { i.fields().reset(); },
         [](Ill &i) {
             i.fields().setText(2, QStringLiteral("Ann"));
             i.fields().setEnabled(4, false);
         }},
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
