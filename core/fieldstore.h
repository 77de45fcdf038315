#pragma once

// The tagged field store: the text of every input and report slot, reached by tag. The window
// binds each editor to a slot; calculators, records and reports work on the store only.

#include "calculator.h"
#include "slottable.h"

#include <QString>
#include <array>
#include <functional>

class Prompter;

// Background or text colour of a field or its caption, as a role the window maps to a palette.
enum class ColourRole {
    Normal, // an editable field (the background of "8-PlanName0")
    Window, // the window background
    Grey    // the grey of the report slots / disabled text
};

struct FieldState {
    QString text;
    bool enabled = true;
    ColourRole background = ColourRole::Normal;
    ColourRole captionColour = ColourRole::Normal;

    bool operator==(const FieldState &) const = default;
};

class FieldStore {
public:
    explicit FieldStore(Prompter &prompter);

    // The text of the slot with this tag, or "??" when no slot carries it.
    QString GetField(const QString &tag) const;
    // Stores value in the slot with this tag; an unknown tag stores nothing and is reported.
    void SetField(const QString &value, const QString &tag);
    // The slot index of this tag, or 0 after reporting an unknown tag.
    int SetIndex(const QString &tag) const;
    // The number a dollar, rate or count field shows, after CleanNumber ("$1,234" gives 1234).
    double cleanValue(const QString &tag) const;

    // One validation failure: the field gets the replacement text, its tab, the focus and the
    // selection, and the message is shown. Not shown while the calculator's tab is unavailable
    // or the saved-illustrations window is open.
    void ShowFieldError(const QString &message, const QString &title, Calculator calculator,
                        const QString &tag, const QString &replacement);

    const FieldState &state(int slot) const;
    QString text(int slot) const { return state(slot).text; }
    void setText(int slot, const QString &text);
    void setEnabled(int slot, bool enabled);
    void setBackground(int slot, ColourRole role);
    void setCaptionColour(int slot, ColourRole role);

    // Every slot back to its design-time text and look; each slot that changes is announced.
    void reset();

    // Called with the slot index after each change of a slot's text or look; a setter that
    // changes nothing calls nothing. The illustration forwards it to its observers.
    void setChangeHandler(std::function<void(int)> handler) { m_changed = std::move(handler); }

    Prompter &prompter() const { return *m_prompter; }

private:
    int findSlot(const QString &tag, int start) const; // -1 when not found
    FieldState &mutableState(int slot);
    template <typename T> void change(int slot, T FieldState::*member, T value);
    void notify(int slot) const;

    Prompter *m_prompter;
    std::array<FieldState, SlotTable::SlotArraySize> m_slots;
    std::function<void(int)> m_changed;
};
