#pragma once

// Captions, tool tips and names of the calculator tabs' controls besides the text fields (whose
// captions come from the slot table): frames, option buttons, check boxes, lists and buttons.

#include <QString>

struct TabControlCaption {
    const char *name; // the control's name, also its object name
    const char *caption;
    const char *tooltip;
};

// The entry of this control name; a name the table lacks is a programming error and throws.
const TabControlCaption &TabControl(const char *name);

// The control's caption and tool tip as texts.
QString TabCaptionText(const char *name);
QString TabToolTip(const char *name);
