#pragma once

// The entries of the main window's lists, shared by the window, the record loader and rmdbatch.

#include <QStringList>

namespace ControlLists {

// Plan-type list 0 (Planholder tab) or 1 (Beneficiary tab, which adds "Roth IRA"). With the
// sibling program installed both lists start with "Rollover IRA".
QStringList planTypes(int list, bool withRollover = false);

// The 52 two-letter codes of the state list, in list order.
const QStringList &stateCodes();

// "Planholder", "Spouse Beneficiary", "Non-Spouse Beneficiary", "All Years".
const QStringList &graphEntries();

// The Beneficiary tab's beneficiary classes, in list order: "Designated beneficiary", "Minor
// child of the owner", "Disabled or chronically ill", "Estate, charity or trust".
const QStringList &beneficiaryClasses();

} // namespace ControlLists
