#include "stretchpage.h"

#include "clock.h"
#include "controllists.h"
#include "fatalguard.h"
#include "illustration.h"
#include "stretchtab.h"
#include "tabcaptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

StretchPage::StretchPage(PageContext &context, QWidget *parent) : CalculatorPage(context, parent) {
    QGroupBox *planholder = addFrame("fraStretchPlanholder");
    for (int slot : {32, 33, 34, 35, 36})
        addField(planholder, slot);
    addLookUp(planholder, 0);

    QGroupBox *spouse = addFrame("fraStretchSpouse");
    addCheckBox(spouse, "chkSkipSpouse", Control::chkSkipSpouse,
                [this] { RefreshSkipSpouse(m_illustration); });
    for (int slot : {37, 38, 39, 40, 41})
        addField(spouse, slot);
    addLookUp(spouse, 1);

    QGroupBox *beneficiary = addFrame("fraStretchBeneficiary");
    for (int slot : {42, 43, 44, 45})
        addField(beneficiary, slot);
    addList(beneficiary, "cmboBeneClass", Control::cmboBeneClass,
            ControlLists::beneficiaryClasses());

    QGroupBox *plan = addFrame("fraStretchPlan");
    for (int slot : {46, 47, 48, 49, 50})
        addField(plan, slot);
    addCheckBox(plan, "chkRoth", Control::chkRoth);
    QComboBox *state = addList(plan, "cmboState", Control::cmboState, context.lists.states);
    state->setPlaceholderText(QStringLiteral(" "));
    addRuleSet(plan);
    addNote();
}

void StretchPage::addLookUp(QGroupBox *frame, int element) {
    const QByteArray name = "cmdCalc" + QByteArray::number(element);
    auto *lookUp = new QPushButton(TabCaptionText(name.constData()));
    lookUp->setObjectName(QLatin1String(name));
    lookUp->setToolTip(TabToolTip(name.constData()));
    lookUp->setAccessibleName(lookUp->text());
    lookUp->setAccessibleDescription(lookUp->toolTip());
    addBeside(frame, lookUp);
    connect(lookUp, &QPushButton::clicked, this,
            Guarded(m_context.fatal, "cmdCalc_Click", [this, element] {
                LookUpLifeExpectancy(m_illustration, element, m_context.clock.today());
            }));
    if (element == 1)
        showAlways([this, lookUp] { lookUp->setEnabled(SpouseLookupEnabled(m_illustration)); });
}
