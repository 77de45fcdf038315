#pragma once

// "&Planholder", the RMD calculator's tab: the planholder, the spouse beneficiary option and its
// date, the plan with its type, retirement date, date of death, year and value.

#include "calculatorpage.h"

class QComboBox;

class PlanholderPage : public CalculatorPage {
    Q_OBJECT

public:
    explicit PlanholderPage(PageContext &context, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *m_planType = nullptr;
};
