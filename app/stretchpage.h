#pragma once

// "&Stretch Concept", the Stretch calculator's tab: the planholder and spouse with their life
// expectancies (looked up from the IRS table on request), the non-spouse beneficiary, and the
// plan with its contributions, rate of return, Roth box and the state for the taxes page.

#include "calculatorpage.h"

class StretchPage : public CalculatorPage {
    Q_OBJECT

public:
    explicit StretchPage(PageContext &context, QWidget *parent = nullptr);

private:
    void addLookUp(QGroupBox *frame, int element);
};
