// The calculator tabs off screen: what the widgets add to the model's rules (the model's own
// rules are tested in core and planning): keys and pastes reaching a field through its kind's
// filter, formatting on real focus moves, the enable rules showing on the widgets, the SEPP
// options following the live refresh, a failed check reaching its field once, the saved flag.

#include "beneficiarypage.h"
#include "clock.h"
#include "fatalguard.h"
#include "fieldedit.h"
#include "illustration.h"
#include "planholderpage.h"
#include "recordingprompter.h"
#include "sepppage.h"
#include "stretchpage.h"
#include "testsupport.h"
#include "windowprompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class NoFatalErrors final : public FatalHandler {
public:
    void fatal(const FatalError &error) override {
        ADD_FAILURE() << qPrintable(error.routine()) << ": " << qPrintable(error.description());
    }
};

// The four pages in a tab strip, over one illustration whose field errors reach the widgets.
struct Tabs {
    RecordingPrompter messages;
    NoFatalErrors fatal;
    FixedClock clock{QDate(2026, 3, 2)};
    QTabWidget strip;
    std::array<CalculatorPage *, 4> pages{};
    bool dataWindowVisible = false;
    QStringList links;
    FieldFocusPrompter prompter{messages, &strip,
                                [this](Calculator calculator) -> QWidget * {
                                    return pages[std::size_t(CalculatorNumber(calculator))];
                                },
                                [this](int slot) -> QWidget * { return field(slot); },
                                [this] { return dataWindowVisible; }};
    Illustration illustration{prompter};
    CalcContext calculation;
    PageContext context{illustration,
                        calculation,
                        clock,
                        fatal,
                        RecordLists::window(),
                        [this] { return strip.isVisible(); },
                        [this](const QString &entry) { links << entry; }};

    explicit Tabs(Calculator calculator) {
        illustration.resetToNew(1, clock.today(), QStringLiteral("IRA"));
        illustration.setCalculator(calculator);
        pages = {new PlanholderPage(context), new BeneficiaryPage(context), new SeppPage(context),
                 new StretchPage(context)};
        for (CalculatorPage *page : pages)
            strip.addTab(page, page->metaObject()->className());
        strip.setCurrentWidget(pages[std::size_t(CalculatorNumber(calculator))]);
        strip.resize(700, 900);
        strip.show();
        QApplication::setActiveWindow(&strip);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&strip));
    }

    // The pages use the illustration, which is destroyed before the strip would delete them.
    ~Tabs() { qDeleteAll(pages); }

    FieldEdit *field(int slot) const {
        for (const CalculatorPage *page : pages) {
            if (FieldEdit *edit = page->field(slot))
                return edit;
        }
        return nullptr;
    }
    template <typename T> T *control(const char *name) const {
        return strip.findChild<T *>(QLatin1String(name));
    }
    QString text(int slot) const { return illustration.fields().text(slot); }
    void set(int slot, const char *text) {
        illustration.fields().setText(slot, QString::fromUtf8(text));
    }
    // Focus into a field (and out of the one before), by the keyboard's way.
    void focus(QWidget *widget) {
        widget->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    // An entry chosen from a list, as the mouse chooses it.
    void choose(QComboBox *list, const char *entry) {
        list->setCurrentText(QLatin1String(entry));
        emit list->activated(list->currentIndex());
    }
};

// What each kind accepts and how it formats is the field format's own test; here that keys,
// pastes and focus moves on the widget reach it.
TEST(CalculatorTabsTest, TypedAndPastedTextsPerKind) {
    const struct {
        int slot;
        const char *typed;
        const char *pasted;
        const char *editing; // while focused
        const char *left;    // after focus-out
        const char *entered; // after the next focus-in
    } cases[] = {
        {9, "12a.5", "", "125", "$125", "125"},               // dollars: no "."
        {9, "", "$1,234.56", "123456", "$123,456", "123456"}, // a paste as if typed
        {31, "\b", "", "", "%", "0.00"},                      // emptied rate
        {36, "123", "", "12", "12", "12"},                    // the width stops typing
    };
    for (const auto &c : cases) {
        Tabs tabs(c.slot == 36 ? Calculator::Stretch
                               : (c.slot == 31 ? Calculator::Sepp : Calculator::Rmd));
        FieldEdit *edit = tabs.field(c.slot);
        tabs.set(c.slot, "");
        tabs.focus(edit);
        if (*c.typed == '\b')
            QTest::keyClick(edit, Qt::Key_Backspace); // keyClicks types no Backspace
        else
            QTest::keyClicks(edit, QLatin1String(c.typed));
        if (*c.pasted) {
            QApplication::clipboard()->setText(QLatin1String(c.pasted));
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        }
        EXPECT_EQ(tabs.text(c.slot), QLatin1String(c.editing)) << c.slot << " " << c.typed;
        EXPECT_EQ(edit->text(), tabs.text(c.slot)) << c.slot;
        tabs.focus(tabs.field(c.slot == 36 ? 32 : (c.slot == 31 ? 21 : 0)));
        EXPECT_EQ(edit->text(), QLatin1String(c.left)) << c.slot << " " << c.typed;
        tabs.focus(edit);
        EXPECT_EQ(edit->text(), QLatin1String(c.entered)) << c.slot << " " << c.typed;
        EXPECT_EQ(edit->selectedText(), edit->text()) << c.slot;
    }
}

TEST(CalculatorTabsTest, AMessageBoxTakingTheFocusFormatsNothing) {
    Tabs tabs(Calculator::Rmd);
    FieldEdit *edit = tabs.field(9);
    tabs.focus(edit);
    QTest::keyClicks(edit, QStringLiteral("100"));
    QApplication::setActiveWindow(nullptr); // as when a box opens
    EXPECT_EQ(tabs.text(9), QStringLiteral("100"));
    QApplication::setActiveWindow(&tabs.strip);
    EXPECT_TRUE(edit->hasFocus());
    tabs.focus(tabs.field(8));
    EXPECT_EQ(tabs.text(9), QStringLiteral("$100"));
}

TEST(CalculatorTabsTest, EnableRulesShowOnTheWidgets) {
    Tabs tabs(Calculator::Rmd);
    const auto enabled = [&tabs](int slot) { return tabs.field(slot)->isEnabled(); };

    tabs.set(4, "01/01/1960");
    tabs.control<QRadioButton>("optUseJoint0")->click();
    EXPECT_TRUE(enabled(4));
    tabs.control<QRadioButton>("optUseJoint1")->click();
    EXPECT_FALSE(enabled(4));

    // A 403(b) opens the retirement date at once; IRA closes it as the list is left.
    auto *planType = tabs.control<QComboBox>("cmboPlanType0");
    tabs.focus(planType);
    tabs.choose(planType, "403(b)");
    EXPECT_TRUE(enabled(6));
    tabs.choose(planType, "IRA");
    EXPECT_TRUE(enabled(6));
    tabs.focus(tabs.field(7));
    EXPECT_FALSE(enabled(6));

    // Roth unticks and disables the surviving-spouse box, and with it the original birth date.
    auto *surviving = tabs.control<QCheckBox>("chkSurvivingSpouse");
    surviving->click();
    EXPECT_TRUE(enabled(51));
    // The spouse's election is open to a surviving spouse under current law only.
    auto *election = tabs.control<QCheckBox>("chkSpouseElection");
    EXPECT_FALSE(election->isEnabled());
    tabs.illustration.setListEntry(Control::cmboRuleSet, QStringLiteral("Current law"));
    EXPECT_TRUE(election->isEnabled());
    tabs.illustration.setListEntry(Control::cmboRuleSet, QStringLiteral("2002 regulations"));
    tabs.choose(tabs.control<QComboBox>("cmboPlanType1"), "Roth IRA");
    EXPECT_FALSE(surviving->isChecked());
    EXPECT_FALSE(surviving->isEnabled());
    EXPECT_FALSE(enabled(51));
    EXPECT_FALSE(election->isEnabled());

    // Skip greys the spouse's fields, their captions and the spouse look-up.
    tabs.set(37, "Susan");
    tabs.control<QCheckBox>("chkSkipSpouse")->click();
    for (int slot = 37; slot <= 41; ++slot)
        EXPECT_FALSE(enabled(slot)) << slot;
    EXPECT_FALSE(tabs.control<QPushButton>("cmdCalc1")->isEnabled());
    const QColor grey = QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
    EXPECT_EQ(tabs.strip.findChild<QLabel *>(QStringLiteral("lblInput37"))
                  ->palette()
                  .color(QPalette::WindowText),
              grey);
}

// The shared sample with a beneficiary, so that every option can be chosen.
void fillSepp(Tabs &tabs) {
    MakeSeppSample(tabs.illustration, tabs.clock.today());
    tabs.set(28, "01/01/1972");
}

TEST(CalculatorTabsTest, SeppOptionsFollowTheRefresh) {
    Tabs tabs(Calculator::Sepp);
    fillSepp(tabs);
    const auto option = [&tabs](int index) {
        return tabs.control<QRadioButton>(qPrintable(QStringLiteral("optEqualPmt%1").arg(index)));
    };
    const auto amount = [&tabs](int index) {
        return tabs.control<QLabel>(qPrintable(QStringLiteral("lblEqualPmt%1").arg(index)))->text();
    };
    tabs.focus(tabs.field(21)); // refreshes on entering the first name
    option(2)->click();
    for (int index = 0; index < 7; ++index) {
        EXPECT_TRUE(option(index)->isEnabled()) << index;
        EXPECT_NE(amount(index), QStringLiteral("0.00")) << index;
    }

    // The beneficiary's date removed: the joint options close and the choice moves off them.
    FieldEdit *beneficiary = tabs.field(28);
    tabs.focus(beneficiary);
    QTest::keyClick(beneficiary, Qt::Key_Backspace);
    tabs.focus(tabs.field(21));
    QCoreApplication::processEvents();
    EXPECT_FALSE(option(2)->isEnabled());
    EXPECT_EQ(amount(2), QStringLiteral("0.00"));
    EXPECT_TRUE(option(0)->isChecked());

    // One-time change: only the RMD method; the fixed methods' inputs are zeroed and closed.
    tabs.control<QCheckBox>("chkRMDOnce")->click();
    for (int index = 3; index < 7; ++index)
        EXPECT_FALSE(option(index)->isEnabled()) << index;
    EXPECT_FALSE(tabs.field(29)->isEnabled());
    EXPECT_EQ(tabs.field(31)->text(), QStringLiteral("0"));
    EXPECT_FALSE(tabs.control<QPushButton>("cmdIRS")->isEnabled());
    EXPECT_TRUE(tabs.messages.fieldErrors().isEmpty());

    // Today fills the calculation date and takes the focus two controls on.
    auto *today = tabs.control<QPushButton>("cmdToday");
    tabs.focus(today);
    today->click();
    EXPECT_EQ(tabs.text(26), QStringLiteral("03/02/2026"));
    EXPECT_TRUE(tabs.field(27)->hasFocus());

    // The notes of the focused control.
    tabs.focus(tabs.field(27));
    EXPECT_TRUE(tabs.control<QLabel>("Label3")->font().bold());
    tabs.focus(tabs.field(22));
    EXPECT_FALSE(tabs.control<QLabel>("Label3")->font().bold());
}

TEST(CalculatorTabsTest, AFailedCheckReachesItsFieldOnce) {
    Tabs tabs(Calculator::Sepp);
    fillSepp(tabs);
    tabs.set(24, "13/45/1970");
    tabs.strip.setCurrentWidget(tabs.pages[0]);
    tabs.focus(tabs.field(0));
    tabs.pages[2]->field(21)->setFocus(Qt::TabFocusReason); // refreshes, validates
    QCoreApplication::processEvents();
    ASSERT_EQ(tabs.messages.fieldErrors().size(), 1);
    EXPECT_EQ(tabs.strip.currentWidget(), tabs.pages[2]);
    FieldEdit *dob = tabs.field(24);
    EXPECT_TRUE(dob->hasFocus());
    EXPECT_EQ(dob->text(), QStringLiteral("01/01/1950"));
    EXPECT_EQ(dob->selectedText(), dob->text());

    // Not while the saved-illustrations window is open.
    tabs.messages.clear();
    tabs.dataWindowVisible = true;
    tabs.set(24, "");
    tabs.focus(tabs.field(22));
    tabs.focus(tabs.field(21));
    EXPECT_TRUE(tabs.messages.fieldErrors().isEmpty());
    EXPECT_EQ(tabs.text(24), QString());
}

TEST(CalculatorTabsTest, SavedFlagAfterEachKindOfChange) {
    const struct {
        const char *name;
        Calculator calculator;
        bool clears;
        std::function<void(Tabs &)> act;
    } cases[] = {
        {"a paste", Calculator::Rmd, true,
         [](Tabs &t) {
             QApplication::clipboard()->setText(QStringLiteral("Jo"));
             QTest::keyClick(t.field(0), Qt::Key_V, Qt::ControlModifier);
         }},
        {"the spouse option", Calculator::Rmd, true,
         [](Tabs &t) { t.control<QRadioButton>("optUseJoint0")->click(); }},
        {"the Roth box", Calculator::Stretch, true,
         [](Tabs &t) { t.control<QCheckBox>("chkRoth")->click(); }},
        {"Today", Calculator::Sepp, true,
         [](Tabs &t) { t.control<QPushButton>("cmdToday")->click(); }},
        {"a life expectancy look-up", Calculator::Stretch, true,
         [](Tabs &t) {
             t.set(35, "06/15/1950");
             t.control<QPushButton>("cmdCalc0")->click();
         }},
        {"focus formatting", Calculator::Rmd, false,
         [](Tabs &t) {
             t.focus(t.field(9));
             t.focus(t.field(8));
         }},
        {"Web Lookup", Calculator::Sepp, false,
         [](Tabs &t) { t.control<QPushButton>("cmdIRS")->click(); }},
    };
    for (const auto &c : cases) {
        Tabs tabs(c.calculator);
        tabs.focus(tabs.field(c.calculator == Calculator::Sepp
                                  ? 22
                                  : (c.calculator == Calculator::Stretch ? 33 : 0)));
        tabs.illustration.setSaved(true);
        c.act(tabs);
        QCoreApplication::processEvents();
        EXPECT_EQ(tabs.illustration.isSaved(), !c.clears) << c.name;
    }
}

TEST(CalculatorTabsTest, EveryControlHasAnAccessibleName) {
    Tabs tabs(Calculator::Stretch);
    for (int page = 0; page < 4; ++page) {
        tabs.strip.setCurrentIndex(page);
        for (QWidget *widget : tabs.strip.currentWidget()->findChildren<QWidget *>()) {
            if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&tabs.strip)) {
                EXPECT_FALSE(widget->accessibleName().isEmpty())
                    << qPrintable(widget->objectName());
            }
        }
    }
    EXPECT_EQ(tabs.field(50)->accessibleName(), QStringLiteral("Hypothetical Rate of Return"));
}

} // namespace
