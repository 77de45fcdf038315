#pragma once

// What the Stretch tab does besides computing: its graph list, the life-expectancy lookup
// buttons and the skip-spouse box.

#include <QDate>
#include <QStringList>

class Illustration;

// The graph list's entries: "Spouse Beneficiary" only while the projection has a spouse phase.
QStringList StretchGraphEntries(bool spousePhase);

// The life-expectancy lookup buttons (cmdCalc 0 beside "2-StretchPLEO", 1 beside
// "2-StretchSLEO"): the Single Life factor of today's age, rounded to whole years, written into
// the field when the date of birth is a date; nothing happens otherwise. A lookup that changes
// the field marks the illustration changed.
void LookUpLifeExpectancy(Illustration &illustration, int element, const QDate &today);

// chkSkipSpouse: a ticked box empties every spouse field and greys and disables it with its
// caption; a cleared box gives them their look back and enables them again. Also run after an
// illustration is loaded, so its fields agree with the box.
void RefreshSkipSpouse(Illustration &illustration);

// A click on chkSkipSpouse: the box takes `checked`, the fields follow, the illustration is
// marked changed.
void SetSkipSpouse(Illustration &illustration, bool checked);

// The spouse lookup button is usable only while the spouse is not skipped.
bool SpouseLookupEnabled(const Illustration &illustration);
