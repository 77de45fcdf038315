#include "calculatorpage.h"

#include "clock.h"
#include "fatalguard.h"
#include "fieldedit.h"
#include "illustration.h"
#include "ruleset.h"
#include "shellrules.h"
#include "tabcaptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

CalcContext &PageContext::run() {
    calculation.today = clock.today();
    return calculation;
}

CalculatorPage::CalculatorPage(PageContext &context, QWidget *parent)
    : QScrollArea(parent), m_context(context), m_illustration(context.illustration) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    // The keyboard goes from control to control; the page scrolls to the focused one.
    setFocusPolicy(Qt::NoFocus);
    auto *content = new QWidget;
    m_frames = new QVBoxLayout(content);
    m_frames->addStretch(1);
    setWidget(content);
    connect(&m_illustration, &Illustration::controlChanged, this, [this] { showControls(); });
    connect(&m_illustration, &Illustration::seppTabChanged, this, [this] { showControls(); });
}

FieldEdit *CalculatorPage::field(int slot) const {
    const auto found = m_fields.find(slot);
    return found == m_fields.end() ? nullptr : found->second;
}

QGroupBox *CalculatorPage::addFrame(const char *name) {
    auto *frame = new QGroupBox(TabCaptionText(name));
    frame->setObjectName(QLatin1String(name));
    auto *grid = new QGridLayout(frame);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    // Before the stretch that keeps the frames at the top.
    m_frames->insertWidget(m_frames->count() - 1, frame);
    return frame;
}

FieldEdit *CalculatorPage::addField(QGroupBox *frame, int slot) {
    auto *edit = new FieldEdit(m_illustration, slot);
    auto *caption = new QLabel(QString::fromUtf8(SlotTable::slot(slot)->caption));
    caption->setObjectName(QStringLiteral("lblInput%1").arg(slot));
    caption->setWordWrap(true);
    edit->setCaption(caption);
    auto *grid = static_cast<QGridLayout *>(frame->layout());
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1, Qt::AlignLeft);
    m_fields[slot] = edit;
    return edit;
}

void CalculatorPage::addRow(QGroupBox *frame, QWidget *control, bool labelled) {
    auto *grid = static_cast<QGridLayout *>(frame->layout());
    const int row = grid->rowCount();
    if (!labelled) {
        grid->addWidget(control, row, 0, 1, 3);
        return;
    }
    auto *caption = new QLabel(TabCaptionText(qPrintable(control->objectName())));
    caption->setWordWrap(true);
    caption->setBuddy(control);
    grid->addWidget(caption, row, 0);
    grid->addWidget(control, row, 1, Qt::AlignLeft);
}

void CalculatorPage::addBeside(QGroupBox *frame, QWidget *control) {
    auto *grid = static_cast<QGridLayout *>(frame->layout());
    grid->addWidget(control, grid->rowCount() - 1, 2);
}

QLabel *CalculatorPage::addNote() {
    auto *note = new QLabel(TabCaptionText("lblNote"));
    note->setObjectName(QStringLiteral("lblNote"));
    note->setWordWrap(true);
    m_frames->insertWidget(m_frames->count() - 1, note);
    return note;
}

void CalculatorPage::addRuleSet(QGroupBox *frame, std::function<void()> chosen) {
    addList(frame, "cmboRuleSet", Control::cmboRuleSet, RuleSetCaptions(),
            [this, chosen = std::move(chosen)] {
                if (m_context.ruleSetChosen)
                    m_context.ruleSetChosen(
                        RuleSetOfCaption(m_illustration.controls().cmboRuleSet));
                if (chosen)
                    chosen();
            });
    auto *note = new QLabel;
    note->setObjectName(QStringLiteral("lblRuleSetNote"));
    note->setWordWrap(true);
    note->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_frames->insertWidget(m_frames->count() - 1, note);
    const auto show = [this, note] {
        const RuleSetOutcome &outcome = m_illustration.ruleSetOutcome();
        QStringList lines;
        if (!outcome.finalYear.isEmpty())
            lines << QStringLiteral("The account must be empty by December 31, %1.")
                         .arg(outcome.finalYear);
        if (!outcome.otherRuleSetNote.isEmpty())
            lines << outcome.otherRuleSetNote;
        note->setText(lines.join(QLatin1Char('\n')));
        note->setAccessibleName(note->text());
        note->setVisible(!lines.isEmpty());
    };
    show();
    connect(&m_illustration, &Illustration::ruleSetOutcomeChanged, note, show);
}

QCheckBox *CalculatorPage::addCheckBox(QGroupBox *frame, const char *name, Control control,
                                       std::function<void()> clicked) {
    auto *box = new QCheckBox(TabCaptionText(name));
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(AccessibleName(box->text()));
    connect(box, &QCheckBox::clicked, this,
            Guarded(m_context.fatal, name, [this, control, clicked](bool checked) {
                m_illustration.setChecked(control, checked);
                if (clicked)
                    clicked();
            }));
    const bool IllustrationControls::*flag = EntryOf(control).flag;
    showAlways([this, box, flag] { box->setChecked(m_illustration.controls().*flag); });
    addRow(frame, box, false);
    return box;
}

QComboBox *CalculatorPage::addList(QGroupBox *frame, const char *name, Control control,
                                   const QStringList &entries, std::function<void()> chosen) {
    auto *list = new QComboBox;
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(AccessibleName(TabCaptionText(name)));
    list->addItems(entries);
    connect(list, &QComboBox::activated, this,
            Guarded(m_context.fatal, name, [this, list, control, chosen] {
                m_illustration.setListEntry(control, list->currentText());
                if (chosen)
                    chosen();
            }));
    const QString IllustrationControls::*text = EntryOf(control).text;
    showAlways([this, list, text] {
        const int index = list->findText(m_illustration.controls().*text);
        if (list->currentIndex() != index)
            list->setCurrentIndex(index);
    });
    addRow(frame, list, true);
    return list;
}

void CalculatorPage::showAlways(std::function<void()> show) {
    show();
    m_views.push_back(std::move(show));
}

void CalculatorPage::showControls() {
    for (const auto &show : m_views)
        show();
}
