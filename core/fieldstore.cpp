#include "fieldstore.h"

#include "errornumber.h"
#include "fatalerror.h"
#include "fieldformat.h"
#include "numbertext.h"
#include "prompter.h"
#include "slottable.h"

namespace {

const QString NotFound = QStringLiteral("??");
constexpr int AgeOnRbdSlot = 157;

bool isReportTag(const QString &tag) {
    return tag.startsWith(QLatin1String("R-"));
}

} // namespace

FieldStore::FieldStore(Prompter &prompter) : m_prompter(&prompter) {
    reset();
}

void FieldStore::reset() {
    for (int index = 0; index < SlotTable::SlotArraySize; ++index) {
        const SlotDefinition *definition = SlotTable::slot(index);
        FieldState initial;
        if (definition) {
            initial.text = QString::fromUtf8(definition->initialText);
            if (index >= SlotTable::FirstReportSlot)
                initial.background = ColourRole::Grey;
        }
        FieldState &slot = m_slots[std::size_t(index)];
        if (slot == initial)
            continue;
        slot = std::move(initial);
        if (definition)
            notify(index);
    }
}

// Searches from `start` until an end marker (an empty tag), which is never matched itself.
int FieldStore::findSlot(const QString &tag, int start) const {
    for (int index = start;; ++index) {
        const SlotDefinition *definition = SlotTable::slot(index);
        if (!definition || *definition->tag == '\0')
            return -1;
        if (tag == QLatin1String(definition->tag))
            return index;
    }
}

QString FieldStore::GetField(const QString &tag) const {
    const int slot = findSlot(tag, isReportTag(tag) ? SlotTable::FirstReportSlot : 0);
    return slot < 0 ? NotFound : m_slots[std::size_t(slot)].text;
}

void FieldStore::SetField(const QString &value, const QString &tag) {
    int start = 0;
    if (isReportTag(tag))
        start = SlotTable::FirstReportSlot;
    else if (tag == SlotTable::AgeOnRbdTag)
        start = AgeOnRbdSlot;
    const int slot = findSlot(tag, start);
    if (slot < 0) {
        m_prompter->notice(QString(),
                           QStringLiteral("Invalid Tag in SetField Function for \"") + tag +
                               QStringLiteral("\"."),
                           MessageIcon::None);
        return;
    }
    setText(slot, value);
}

int FieldStore::SetIndex(const QString &tag) const {
    const int slot = findSlot(tag, isReportTag(tag) ? SlotTable::FirstReportSlot : 0);
    if (slot < 0) {
        m_prompter->notice(QString(),
                           QStringLiteral("Invalid Tag in SetIndex Function for ") + tag +
                               QStringLiteral("."),
                           MessageIcon::None);
        return 0;
    }
    return slot;
}

double FieldStore::cleanValue(const QString &tag) const {
    return NumberText::Val(CleanNumber(GetField(tag)));
}

void FieldStore::ShowFieldError(const QString &message, const QString &title, Calculator calculator,
                                const QString &tag, const QString &replacement) {
    if (!m_prompter->calculatorTabAvailable(calculator) || m_prompter->dataWindowVisible())
        return;
    for (int slot = 0; slot <= SlotTable::lastInputSlot(); ++slot) {
        if (tag != QLatin1String(SlotTable::slot(slot)->tag))
            continue;
        setText(slot, replacement);
        const int length = int(replacement.size());
        m_prompter->showFieldError({calculator, slot, 0, length}, message, title);
        return;
    }
    m_prompter->notice(QStringLiteral("Critical Error"),
                       QStringLiteral("No field found for tag: ") + tag, MessageIcon::Stop);
}

const FieldState &FieldStore::state(int slot) const {
    if (!SlotTable::slot(slot))
        throw FatalError(QStringLiteral("FieldStore"), ErrorNumber::SubscriptOutOfRange,
                         QStringLiteral("Subscript out of range: slot ") + QString::number(slot));
    return m_slots[std::size_t(slot)];
}

FieldState &FieldStore::mutableState(int slot) {
    return const_cast<FieldState &>(state(slot));
}

void FieldStore::setText(int slot, const QString &text) {
    change(slot, &FieldState::text, text);
}

template <typename T> void FieldStore::change(int slot, T FieldState::*member, T value) {
    T &current = mutableState(slot).*member;
    if (current == value)
        return;
    current = std::move(value);
    notify(slot);
}

void FieldStore::setEnabled(int slot, bool enabled) {
    change(slot, &FieldState::enabled, enabled);
}

void FieldStore::setBackground(int slot, ColourRole role) {
    change(slot, &FieldState::background, role);
}

void FieldStore::setCaptionColour(int slot, ColourRole role) {
    change(slot, &FieldState::captionColour, role);
}

void FieldStore::notify(int slot) const {
    if (m_changed)
        m_changed(slot);
}
