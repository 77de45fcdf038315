#pragma once

// frmSplash, the start-up window: the product picture, the four calculator options as the
// feature list and the system leave them, "&Ok", "&Cancel" and the legal notice.

#include "startup.h"

#include <QDialog>
#include <array>

class QImage;
class QRadioButton;

class SplashWindow : public QDialog {
    Q_OBJECT

public:
    SplashWindow(const QImage &picture, const StartupChoice &choice, QWidget *parent = nullptr);

    // The calculator of the option selected now.
    Calculator selected() const;

private:
    std::array<QRadioButton *, CalculatorCount> m_options{};
};
