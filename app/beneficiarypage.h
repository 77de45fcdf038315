#pragma once

// "&Beneficiary", the RMBD calculator's tab: the beneficiary, the inherited plan with its type
// (a Roth IRA has no surviving-spouse rules), and the original planholder.

#include "calculatorpage.h"

class QComboBox;

class BeneficiaryPage : public CalculatorPage {
    Q_OBJECT

public:
    explicit BeneficiaryPage(PageContext &context, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *m_planType = nullptr;
};
