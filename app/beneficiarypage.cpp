#include "beneficiarypage.h"

#include "controllists.h"
#include "fatalguard.h"
#include "fieldedit.h"
#include "illustration.h"
#include "rmbdcalculator.h"
#include "ruleset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>

BeneficiaryPage::BeneficiaryPage(PageContext &context, QWidget *parent)
    : CalculatorPage(context, parent) {
    QGroupBox *beneficiary = addFrame("fraBeneficiary");
    for (int slot : {10, 11, 12, 13})
        addField(beneficiary, slot);
    addList(beneficiary, "cmboBeneClass", Control::cmboBeneClass,
            ControlLists::beneficiaryClasses());

    QGroupBox *plan = addFrame("fraPlan1");
    addField(plan, 14);
    m_planType = addList(plan, "cmboPlanType1", Control::cmboPlanType1, context.lists.planTypes1,
                         [this] { RefreshRothPlanType(m_illustration); });
    m_planType->installEventFilter(this);
    addField(plan, 16);
    addField(plan, 17);

    QGroupBox *original = addFrame("fraOriginal");
    addField(original, 15);
    QCheckBox *surviving =
        addCheckBox(original, "chkSurvivingSpouse", Control::chkSurvivingSpouse, [this] {
            RefreshSurvivingSpouse(m_illustration);
            RefreshRothPlanType(m_illustration);
        });
    showAlways([this, surviving] {
        surviving->setEnabled(m_illustration.controls().chkSurvivingSpouseEnabled);
    });
    // The election exists only under current law, and only for a surviving spouse.
    QCheckBox *election = addCheckBox(original, "chkSpouseElection", Control::chkSpouseElection);
    showAlways([this, election] {
        const IllustrationControls &controls = m_illustration.controls();
        election->setEnabled(controls.chkSurvivingSpouse &&
                             RuleSetOfCaption(controls.cmboRuleSet) == RuleSet::CurrentLaw);
    });
    addField(original, 51);
    addRuleSet(plan);
    addNote();
}

bool BeneficiaryPage::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_planType && event->type() == QEvent::FocusOut &&
        RealFocusMove(static_cast<QFocusEvent *>(event)->reason()))
        RunGuarded(m_context.fatal, QStringLiteral("cmboPlanType_LostFocus"),
                   [this] { RefreshRothPlanType(m_illustration); });
    return CalculatorPage::eventFilter(watched, event);
}
