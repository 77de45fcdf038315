#pragma once

// The main window's title, which the report footer repeats: the start-up window's option caption
// of the calculator, with the words Required, Minimum, Distribution and Beneficiary shortened.

#include "calculator.h"

#include <QString>

// The start-up window's caption for a calculator.
QString CalculatorOptionCaption(Calculator calculator);

// The caption with the first "Required " made "R", then the first "Minimum " made "M", the first
// "Distribution" made "D" and the first "Beneficiary " made "B": "Planholder Required Minimum
// Distribution Calculator" becomes "Planholder RMD Calculator".
QString ShortenedCaption(const QString &optionCaption);

// The main window's caption for a calculator.
QString MainWindowCaption(Calculator calculator);
