#include "stretchtab.h"

#include "controllists.h"
#include "datetext.h"
#include "errornumber.h"
#include "fatalerror.h"
#include "stretchfields.h"

#include <array>
#include <cmath>

using namespace StretchFields;

QStringList StretchGraphEntries(bool spousePhase) {
    QStringList entries = ControlLists::graphEntries();
    if (!spousePhase)
        entries.removeAll(QStringLiteral("Spouse Beneficiary"));
    return entries;
}

void LookUpLifeExpectancy(Illustration &illustration, int element, const QDate &today) {
    static constexpr std::array<std::pair<const char *, const char *>, 2> Buttons{{
        {"7-StretchPDOB", "2-StretchPLEO"},
        {"7-StretchSDOB", "2-StretchSLEO"},
    }};
    if (element < 0 || element >= int(Buttons.size()))
        throw FatalError(QStringLiteral("cmdCalc_Click"), ErrorNumber::InvalidProcedureCall,
                         QStringLiteral("No lookup button %1").arg(element));
    const auto &[birthTag, lifeTag] = Buttons[std::size_t(element)];
    const auto birth = DateText::ParseDate(FieldText(illustration, birthTag));
    if (!birth)
        return;
    const int age = ageOn(*birth, today);
    // IRS Publication 590 Table I (Single Life Expectancy) at today's age, in whole years.
    const QString years =
        QString::number(qint64(std::nearbyint(double(RMDSINGLEFACTOR(0, age, age)))));
    illustration.editField(illustration.fields().SetIndex(QLatin1String(lifeTag)), years);
}

void RefreshSkipSpouse(Illustration &illustration) {
    FieldStore &fields = illustration.fields();
    const bool skipped = illustration.controls().chkSkipSpouse;
    const ColourRole look = skipped ? ColourRole::Grey : ColourRole::Normal;
    for (const SlotDefinition &slot : SlotTable::inputSlots()) {
        if (!QLatin1String(slot.tag).contains(QLatin1String("StretchS")))
            continue;
        if (skipped)
            fields.setText(slot.index, QString());
        fields.setCaptionColour(slot.index, look);
        fields.setBackground(slot.index, look);
        fields.setEnabled(slot.index, !skipped);
    }
}

void SetSkipSpouse(Illustration &illustration, bool checked) {
    illustration.setChecked(Control::chkSkipSpouse, checked);
    RefreshSkipSpouse(illustration);
}

bool SpouseLookupEnabled(const Illustration &illustration) {
    return !illustration.controls().chkSkipSpouse;
}
