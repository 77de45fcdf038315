// Costs on the calculator tabs, through their widgets: a SEPP live refresh after one keystroke
// (the key through the rate field's filter, the refresh of the seven amounts with its validation
// and computation, the note) and one key typed into a name field. Prints the median of many
// rounds against the targets (0.2 ms, 1% of a 60 Hz frame; 1 ms a key), and what building the
// four pages adds to the start-up. Run by bench/tabs.sh; not a test.

#include "beneficiarypage.h"
#include "clock.h"
#include "fatalguard.h"
#include "fieldedit.h"
#include "illustration.h"
#include "planholderpage.h"
#include "recordingprompter.h"
#include "sepppage.h"
#include "sepppresenter.h"
#include "stretchpage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class FailLoudly final : public FatalHandler {
public:
    void fatal(const FatalError &error) override {
        std::fprintf(stderr, "tabsbench: %s\n", qPrintable(error.description()));
        std::exit(1);
    }
};

void key(QWidget *widget, QChar character) {
    const int code =
        character == u'\b' ? int(Qt::Key_Backspace) : int(character.toUpper().unicode());
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, QString(character));
    QApplication::sendEvent(widget, &press);
}

template <typename Work> double medianMs(int rounds, Work work) {
    std::vector<double> times;
    QElapsedTimer timer;
    for (int round = 0; round < rounds; ++round) {
        timer.start();
        work(round);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
    return times[std::size_t(rounds / 2)];
}

void print(const char *what, double ms, double targetMs) {
    std::printf("%-44s %8.4f ms  target %.3f ms  ratio %.2f\n", what, ms, targetMs, ms / targetMs);
}

} // namespace

int main(int argc, char *argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    RecordingPrompter prompter;
    FailLoudly fatal;
    const FixedClock clock(QDate(2026, 3, 2));
    Illustration illustration(prompter);
    illustration.resetToNew(1, clock.today(), QStringLiteral("IRA"));
    illustration.setCalculator(Calculator::Sepp);
    CalcContext calculation;
    QTabWidget strip;
    PageContext context{illustration,
                        calculation,
                        clock,
                        fatal,
                        RecordLists::window(),
                        [&strip] { return strip.isVisible(); },
                        {}};
    auto *page = new SeppPage(context);
    strip.addTab(page, QStringLiteral("S&EPP"));
    strip.show();
    for (const auto &[slot, text] :
         std::initializer_list<std::pair<int, const char *>>{{21, "John"},
                                                             {23, "Sample"},
                                                             {24, "01/01/1970"},
                                                             {25, "IRA Plan"},
                                                             {26, "01/02/2026"},
                                                             {27, "100000"},
                                                             {28, "01/01/1972"},
                                                             {29, "100000"},
                                                             {31, "5.0"}})
        illustration.fields().setText(slot, QLatin1String(text));
    calculation.today = clock.today();
    calculation.rateWarningShown = true;

    FieldEdit *rate = page->field(31);
    rate->setFocus();
    rate->end(false);
    const int rounds = 2001;
    const double refresh = medianMs(rounds, [&](int round) {
        // Alternate a digit and Backspace, so the rate stays valid and changes every round.
        key(rate, round % 2 ? QChar(u'\b') : QChar(u'1'));
        RefreshEqualPayments(illustration, calculation, true);
        ShowFieldNote(illustration, 31);
    });
    if (prompter.fieldErrors().size() || illustration.seppTab().options[6].amount == "0.00") {
        std::fprintf(stderr, "tabsbench: the refresh did not compute (%s %s)\n",
                     prompter.fieldErrors().isEmpty()
                         ? "no error"
                         : qPrintable(prompter.fieldErrors()[0].message),
                     qPrintable(illustration.fields().text(31)));
        return 1;
    }

    FieldEdit *name = page->field(22);
    name->setFocus();
    const QString typed = QStringLiteral("Alexandria");
    const double perKey = medianMs(rounds, [&](int round) {
        if (round % typed.size() == 0)
            illustration.fields().setText(22, QString());
        key(name, typed.at(round % typed.size()));
    });

    // What the tabs add to the program's start: the four pages built over the illustration.
    const double build = medianMs(21, [&](int) {
        QTabWidget pages;
        pages.addTab(new PlanholderPage(context), QString());
        pages.addTab(new BeneficiaryPage(context), QString());
        pages.addTab(new SeppPage(context), QString());
        pages.addTab(new StretchPage(context), QString());
    });

    print("SEPP live refresh after one keystroke", refresh, 0.2);
    print("one key of a 10-character name", perKey, 1.0);
    std::printf("%-44s %8.4f ms  (part of the 400 ms start-up)\n",
                "building the four calculator pages", build);
    return 0;
}
