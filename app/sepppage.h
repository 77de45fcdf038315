#pragma once

// "S&EPP", the equal-payments calculator's tab: the planholder and beneficiary, the plan and its
// calculation date, and the seven methods with the amount each would pay, refreshed as the
// entries change; a note under the frames explains the focused entry.

#include "calculatorpage.h"

#include <array>

class QButtonGroup;
class QLabel;
class QRadioButton;

class SeppPage : public CalculatorPage {
    Q_OBJECT

public:
    explicit SeppPage(PageContext &context, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addOptions(QGroupBox *frame, int first, int last);
    void refresh();
    // The refresh once the focus has settled: a message box it shows never opens in the middle
    // of a focus change.
    void refreshLater();
    void showNote(int controlIndex);
    void showTab();

    QButtonGroup *m_options = nullptr;
    std::array<QRadioButton *, 7> m_optionButtons{};
    std::array<QLabel *, 7> m_amounts{};
    QLabel *m_note = nullptr;
    std::vector<QGroupBox *> m_optionFrames;
    bool m_refreshQueued = false;
};
