#include "testsupport.h"

int InputSlot(const char *tag) {
    for (const SlotDefinition &slot : SlotTable::inputSlots()) {
        if (*slot.tag != '\0' && QLatin1String(tag) == QLatin1String(slot.tag))
            return slot.index;
    }
    return -1;
}

void SetFields(Illustration &illustration, FieldValues values) {
    for (const auto &[tag, text] : values) {
        const int slot = InputSlot(tag);
        ASSERT_GE(slot, 0) << "no input slot for " << tag;
        illustration.fields().setText(slot, QString::fromUtf8(text));
    }
}

void MakeRmdSample(Illustration &illustration, const QDate &today) {
    illustration.setCalculator(0);
    illustration.resetToNew(1, today, QStringLiteral("IRA"));
    SetFields(illustration, {{"8-PartFirst", "Jane"},
                             {"8-PartMiddle", "Q"},
                             {"8-PartLast", "Sample"},
                             {"7-PartDOB", "01/15/1950"},
                             {"3-Year0", "2022"},
                             {"6-AcctValue0", "$100,000"}});
    illustration.controls().optUseJoint = 1;
}
