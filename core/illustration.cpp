#include "illustration.h"

#include "datetext.h"
#include "fieldformat.h"

bool Illustration::keyPress(int slot, QChar key) {
    m_saved = false;
    const QString tag = QLatin1String(SlotTable::slot(slot)->tag);
    return FieldFormat::acceptsKey(SlotTable::kindDigit(tag), key, m_fields.text(slot));
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
    m_controls.cmboPlanType0 = firstPlanType;
    m_controls.cmboPlanType1 = firstPlanType;
    m_fields.SetField(year, QStringLiteral("3-Year0"));
    m_fields.SetField(year, QStringLiteral("3-Year1"));
    m_fields.SetField(QString::number(recordNumber), QStringLiteral("3-DatabaseIndex"));
    m_fields.SetField(DateText::ShortDate(today), QStringLiteral("6-IllustrationDate"));
    m_recordFingerprint.clear();
    m_saved = true;
}
