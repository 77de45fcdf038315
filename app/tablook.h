#pragma once

// The field store's colour roles on screen, taken from the palette of the running theme so a
// dark theme stays readable.

#include "fieldstore.h"

#include <QPalette>

class QWidget;

// Gives `widget` the colour of `role` for its palette entry `target` (a field's Base, a
// caption's WindowText); ColourRole::Normal leaves the theme's own. Only a change is applied,
// unless `force` (the theme changed).
void ShowColour(QWidget *widget, QPalette::ColorRole target, ColourRole role, bool force = false);
