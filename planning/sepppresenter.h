#pragma once

// The live refresh of the SEPP tab: which method options and inputs can be used, the amount
// beside each option, and the note for the focused control. The window only binds its widgets
// to the state this leaves in the illustration (SeppTabState, the field store's enabled flags,
// IllustrationControls::optEqualPmt).

#include "calculation.h"

#include <array>

class Illustration;

// Control indexes ShowFieldNote knows besides the text-field slots.
namespace SeppControl {
constexpr int Other = 1; // the option buttons, chkRMDOnce, cmdToday
}

// The option captions, index 0 to 6.
const std::array<const char *, 7> &EqualPaymentCaptions();

// Recomputes the seven payments when the inputs allow it and moves the selection off options
// that cannot be chosen. tabControlVisible: whether the window's tabs are shown; only then are
// the validation and computation run (and may show their messages).
void RefreshEqualPayments(Illustration &illustration, CalcContext &context, bool tabControlVisible);

// The tab's note for the control with this index: the two balances (27, 29) and the rate (31,
// also the Web Lookup button) have bold notes; anything else shows "* Required fields".
void ShowFieldNote(Illustration &illustration, int controlIndex);
