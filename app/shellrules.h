#pragma once

// Small rules of the shell that need no window: what activation does, the plan notes TabViews
// refreshes, the system-information program, and accessible names.

#include <QString>
#include <functional>

class Illustration;

// Activation step 1: the representative's first name, trimmed, is empty.
bool RepresentativeMissing(const QString &firstName);

// Activation step 2: "3-DatabaseIndex" holds a number of at least 1, so an illustration is on
// screen.
bool IllustrationOnScreen(const QString &databaseIndex);

// The notes TabViews and the window's load refresh: the retirement and spouse dates, the Roth
// plan type and with it the surviving-spouse inputs.
void RefreshPlanNotes(Illustration &illustration);

// The system-information program: the first of "gnome-system-monitor", "ksysguard",
// "plasma-systemmonitor" that `find` locates (an executable's path, or empty); empty when none.
QString SystemMonitor(const std::function<QString(const QString &program)> &find);

// A control's accessible name: its caption without "&" and "*", blanks trimmed.
QString AccessibleName(const QString &caption);
