#include "illustration.h"

#include "datetext.h"
#include "errornumber.h"
#include "fatalerror.h"
#include "fieldformat.h"
#include "slottable.h"

Illustration::Illustration(Prompter &prompter, QObject *parent)
    : QObject(parent), m_fields(prompter) {
    m_fields.setChangeHandler([this](int slot) { emit fieldChanged(slot); });
}

void Illustration::setCalculator(Calculator calculator) {
    if (m_calculator == calculator)
        return;
    m_calculator = calculator;
    emit calculatorChanged(calculator);
}

void Illustration::setSaved(bool saved) {
    if (m_saved == saved)
        return;
    m_saved = saved;
    emit savedChanged(saved);
}

const ControlEntry &Illustration::entryOf(Control control, ControlKind kind) const {
    const ControlEntry &found = EntryOf(control);
    if (found.kind != kind)
        throw FatalError(QStringLiteral("Illustration"), ErrorNumber::InvalidProcedureCall,
                         QStringLiteral("%1 is not set that way").arg(QLatin1String(found.name)));
    return found;
}

void Illustration::changed(Control control, ChangeOrigin origin) {
    emit controlChanged(control);
    if (origin == ChangeOrigin::Input)
        setSaved(false);
}

void Illustration::setListEntry(Control control, const QString &entry, ChangeOrigin origin) {
    QString &value = m_controls.*(entryOf(control, ControlKind::List).text);
    if (value == entry)
        return;
    value = entry;
    changed(control, origin);
}

void Illustration::setPosition(Control control, int position, ChangeOrigin origin) {
    int &value = m_controls.*(entryOf(control, ControlKind::Position).position);
    if (value == position)
        return;
    value = position;
    changed(control, origin);
}

void Illustration::setChecked(Control control, bool checked, ChangeOrigin origin) {
    bool &value = m_controls.*(entryOf(control, ControlKind::CheckBox).flag);
    if (value == checked)
        return;
    value = checked;
    changed(control, origin);
}

void Illustration::setSurvivingSpouseEnabled(bool enabled) {
    if (m_controls.chkSurvivingSpouseEnabled == enabled)
        return;
    m_controls.chkSurvivingSpouseEnabled = enabled;
    emit controlChanged(Control::chkSurvivingSpouse);
}

void Illustration::setRuleSetOutcome(const RuleSetOutcome &outcome) {
    if (outcome == m_ruleSetOutcome)
        return;
    m_ruleSetOutcome = outcome;
    emit ruleSetOutcomeChanged();
}

void Illustration::setSeppTab(const SeppTabState &state) {
    if (m_seppTab == state)
        return;
    m_seppTab = state;
    emit seppTabChanged();
}

bool Illustration::keyPress(int slot, QChar key) {
    setSaved(false);
    const QString tag = QLatin1String(SlotTable::slot(slot)->tag);
    return FieldFormat::acceptsKey(SlotTable::kindDigit(tag), key, m_fields.text(slot));
}

void Illustration::editField(int slot, const QString &text) {
    if (m_fields.text(slot) == text)
        return;
    m_fields.setText(slot, text);
    setSaved(false);
}

void Illustration::resetToNew(int recordNumber, const QDate &today, const QString &firstPlanType) {
    const QString year = QString::number(today.year());
    for (const SlotDefinition &slot : SlotTable::inputSlots()) {
        if (*slot.tag == '\0')
            break;
        const int kind = SlotTable::kindDigit(QLatin1String(slot.tag));
        QString text;
        if (kind == 1)
            text = QStringLiteral("0.00%");
        else if (kind == 6)
            text = QStringLiteral("$0");
        m_fields.setText(slot.index, text);
    }
    setListEntry(Control::cmboPlanType0, firstPlanType);
    setListEntry(Control::cmboPlanType1, firstPlanType);
    m_fields.SetField(year, QStringLiteral("3-Year0"));
    m_fields.SetField(year, QStringLiteral("3-Year1"));
    m_fields.SetField(QString::number(recordNumber), SlotTable::RecordNumberTag);
    m_fields.SetField(DateText::ShortDate(today), QStringLiteral("6-IllustrationDate"));
    m_recordFingerprint.clear();
    setSaved(true);
}
