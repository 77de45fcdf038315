#include "sepppage.h"

#include "clock.h"
#include "datetext.h"
#include "fatalguard.h"
#include "fieldedit.h"
#include "illustration.h"
#include "sepppresenter.h"
#include "tabcaptions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

constexpr int FirstNameSlot = 21;
constexpr int CalculationDateSlot = 26;
constexpr int RateSlot = 31; // also the Web Lookup button's note
const QString FedRatesLink = QStringLiteral("URL_EQUAL_FEDRATES.txt");

QPushButton *button(const char *name) {
    auto *made = new QPushButton(TabCaptionText(name));
    made->setObjectName(QLatin1String(name));
    made->setAccessibleName(made->text().remove(u'&').trimmed());
    made->setToolTip(TabToolTip(name));
    return made;
}

} // namespace

SeppPage::SeppPage(PageContext &context, QWidget *parent) : CalculatorPage(context, parent) {
    QGroupBox *planholder = addFrame("fraEqualPlanholder");
    for (int slot : {21, 22, 23, 24, 28})
        addField(planholder, slot);
    // Before the plan frame, so that Today's focus move stays two controls on.
    addRuleSet(planholder, [this] { refresh(); });

    QGroupBox *plan = addFrame("fraEqualPlan");
    addField(plan, 25);
    addField(plan, CalculationDateSlot);
    QPushButton *today = button("cmdToday");
    addBeside(plan, today);
    connect(today, &QPushButton::clicked, this, Guarded(context.fatal, "cmdToday_Click", [this] {
                m_illustration.editField(CalculationDateSlot,
                                         DateText::ShortDate(m_context.clock.today()));
                // Two controls on, as two Tab keys would take it.
                focusNextChild();
                focusNextChild();
            }));
    QCheckBox *once = addCheckBox(plan, "chkRMDOnce", Control::chkRMDOnce, [this] { refresh(); });

    m_options = new QButtonGroup(this);
    QGroupBox *rmd = addFrame("fraEqualRmd");
    addField(rmd, 27);
    addOptions(rmd, 0, 2);
    QGroupBox *fixed = addFrame("fraEqualFixed");
    addField(fixed, 29);
    addField(fixed, RateSlot);
    QPushButton *irs = button("cmdIRS");
    addBeside(fixed, irs);
    connect(irs, &QPushButton::clicked, this, Guarded(context.fatal, "cmdIRS_Click", [this] {
                if (m_context.openLink)
                    m_context.openLink(FedRatesLink);
            }));
    addOptions(fixed, 3, 6);
    connect(m_options, &QButtonGroup::idClicked, this,
            Guarded(context.fatal, "optEqualPmt_Click", [this](int index) {
                m_illustration.setPosition(Control::optEqualPmt, index);
            }));

    m_note = addNote();
    m_note->setObjectName(QStringLiteral("Label3"));

    for (QWidget *control : std::initializer_list<QWidget *>{today, once, irs})
        control->installEventFilter(this);
    for (int slot = 21; slot <= RateSlot; ++slot) {
        FieldEdit *edit = field(slot);
        if (!edit)
            continue;
        connect(edit, &FieldEdit::focusEntered, this,
                Guarded(context.fatal, "txtInput_GotFocus", [this](int entered) {
                    if (m_illustration.calculator() != Calculator::Sepp)
                        return;
                    showNote(entered);
                    if (entered == FirstNameSlot)
                        refreshLater();
                }));
        connect(edit, &FieldEdit::focusLeft, this, [this] {
            if (m_illustration.calculator() == Calculator::Sepp)
                refreshLater();
        });
    }
    showAlways([this] { showTab(); });
}

void SeppPage::addOptions(QGroupBox *frame, int first, int last) {
    auto *grid = static_cast<QGridLayout *>(frame->layout());
    for (int index = first; index <= last; ++index) {
        auto *option = new QRadioButton(QLatin1String(EqualPaymentCaptions()[std::size_t(index)]));
        option->setObjectName(QStringLiteral("optEqualPmt%1").arg(index));
        auto *amount = new QLabel;
        amount->setObjectName(QStringLiteral("lblEqualPmt%1").arg(index));
        amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        amount->setTextInteractionFlags(Qt::TextSelectableByMouse);
        const int row = grid->rowCount();
        grid->addWidget(option, row, 0);
        grid->addWidget(amount, row, 1, Qt::AlignLeft);
        m_options->addButton(option, index);
        option->installEventFilter(this);
        m_optionButtons[std::size_t(index)] = option;
        m_amounts[std::size_t(index)] = amount;
    }
    frame->installEventFilter(this);
    m_optionFrames.push_back(frame);
}

void SeppPage::showTab() {
    const SeppTabState &tab = m_illustration.seppTab();
    for (std::size_t index = 0; index < tab.options.size(); ++index) {
        const EqualPaymentOption &option = tab.options[index];
        m_optionButtons[index]->setEnabled(option.enabled);
        m_amounts[index]->setText(option.amount);
        m_amounts[index]->setEnabled(option.amountEnabled);
        // The amount is read with its option.
        m_optionButtons[index]->setAccessibleName(m_optionButtons[index]->text() +
                                                  QLatin1Char(' ') + option.amount);
    }
    if (QAbstractButton *selected = m_options->button(m_illustration.controls().optEqualPmt))
        selected->setChecked(true);
    findChild<QPushButton *>(QStringLiteral("cmdIRS"))->setEnabled(tab.irsButtonEnabled);
    m_note->setText(tab.note);
    QFont font = m_note->font();
    font.setBold(tab.noteBold);
    m_note->setFont(font);
}

void SeppPage::refresh() {
    RefreshEqualPayments(m_illustration, m_context.run(),
                         m_context.tabsVisible && m_context.tabsVisible());
}

void SeppPage::refreshLater() {
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QTimer::singleShot(0, this, Guarded(m_context.fatal, "RefreshEqualPayments", [this] {
                           m_refreshQueued = false;
                           if (m_illustration.calculator() == Calculator::Sepp)
                               refresh();
                       }));
}

void SeppPage::showNote(int controlIndex) {
    ShowFieldNote(m_illustration, controlIndex);
}

bool SeppPage::eventFilter(QObject *watched, QEvent *event) {
    const auto guarded = [this](const char *routine, const std::function<void()> &work) {
        RunGuarded(m_context.fatal, QLatin1String(routine), work);
    };
    if (event->type() == QEvent::FocusIn &&
        RealFocusMove(static_cast<QFocusEvent *>(event)->reason())) {
        if (watched->objectName() == QLatin1String("cmdIRS")) {
            guarded("cmdIRS_GotFocus", [this] { showNote(RateSlot); });
        } else if (qobject_cast<QRadioButton *>(watched)) {
            guarded("optEqualPmt_GotFocus", [this] {
                refreshLater();
                showNote(SeppControl::Other);
            });
        } else if (qobject_cast<QAbstractButton *>(watched)) {
            guarded("GotFocus", [this] { showNote(SeppControl::Other); });
        }
    } else if (event->type() == QEvent::MouseButtonPress &&
               std::find(m_optionFrames.begin(), m_optionFrames.end(), watched) !=
                   m_optionFrames.end()) {
        guarded("Frame1_Click", [this] { refresh(); });
    }
    return CalculatorPage::eventFilter(watched, event);
}
