#include "planholderpage.h"

#include "fatalguard.h"
#include "fieldedit.h"
#include "illustration.h"
#include "rmdcalculator.h"
#include "tabcaptions.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>

PlanholderPage::PlanholderPage(PageContext &context, QWidget *parent)
    : CalculatorPage(context, parent) {
    QGroupBox *planholder = addFrame("fraPlanholder");
    for (int slot : {0, 1, 2, 3})
        addField(planholder, slot);

    QGroupBox *spouse = addFrame("fraSpouse");
    auto *options = new QWidget;
    auto *row = new QHBoxLayout(options);
    row->setContentsMargins(0, 0, 0, 0);
    auto *group = new QButtonGroup(this);
    for (int index : {0, 1}) {
        const QByteArray name = "optUseJoint" + QByteArray::number(index);
        auto *option = new QRadioButton(TabCaptionText(name.constData()));
        option->setObjectName(QLatin1String(name));
        option->setAccessibleName(option->text());
        group->addButton(option, index);
        row->addWidget(option);
    }
    row->addStretch(1);
    addRow(spouse, options, false);
    connect(group, &QButtonGroup::idClicked, this,
            Guarded(context.fatal, "optUseJoint_Click", [this](int index) {
                m_illustration.setPosition(Control::optUseJoint, index);
                RefreshSpouseDate(m_illustration);
            }));
    showAlways([this, group] {
        if (QAbstractButton *option = group->button(m_illustration.controls().optUseJoint))
            option->setChecked(true);
    });
    addField(spouse, 4);

    QGroupBox *plan = addFrame("fraPlan0");
    addField(plan, 5);
    // A type beginning with "4" opens the retirement date at once; another closes (and empties)
    // it only once the list is left, so passing over an entry never loses a date.
    m_planType =
        addList(plan, "cmboPlanType0", Control::cmboPlanType0, context.lists.planTypes0, [this] {
            if (m_illustration.controls().cmboPlanType0.startsWith(u'4'))
                RefreshRetirementDate(m_illustration);
        });
    m_planType->installEventFilter(this);
    for (int slot : {6, 7, 8, 9})
        addField(plan, slot);
    addRuleSet(plan);
    addNote();
}

bool PlanholderPage::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_planType && event->type() == QEvent::FocusOut &&
        RealFocusMove(static_cast<QFocusEvent *>(event)->reason()))
        RunGuarded(m_context.fatal, QStringLiteral("cmboPlanType_LostFocus"),
                   [this] { RefreshRetirementDate(m_illustration); });
    return CalculatorPage::eventFilter(watched, event);
}
