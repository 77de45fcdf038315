#pragma once

// The design-time table of the field store: every slot's tag, maximum length, caption and
// initial text. Slot order and widths also fix the stored record layout, so this table is the
// single source for both.

#include <QString>
#include <span>

struct SlotDefinition {
    int index;
    const char *tag;     // empty for the two end markers
    int width;           // maximum length in characters
    const char *caption; // the lblInput caption; empty where the slot has none
    const char *initialText;
    bool hidden;
    const char *tooltip;
};

namespace SlotTable {

constexpr int FirstReportSlot = 101;
constexpr int InputEndMarker = 52;
constexpr int ReportEndMarker = 158;
constexpr int SlotArraySize = 159; // slots 53 to 100 do not exist

// Tags that more than one library reads or writes by name.
inline const QString RecordNumberTag = QStringLiteral("3-DatabaseIndex");
// A report slot without the "R-" prefix: the RMBD calculator writes the caption of the
// beneficiary's age into it.
inline const QString AgeOnRbdTag = QStringLiteral("Age of Beneficiary on RBD");

// Slots 0 to 52 in order.
std::span<const SlotDefinition> inputSlots();
// Slots 101 to 158 in order.
std::span<const SlotDefinition> reportSlots();
// The definition of an existing slot; nullptr for 53 to 100 and out of range.
const SlotDefinition *slot(int index);

// The kind digit of an input tag ("7-PartDOB" gives 7); 0 when the tag has none.
int kindDigit(const QString &tag);

// Starting from slot 1, the last slot followed by a tagged slot (51).
int lastInputSlot();

} // namespace SlotTable
