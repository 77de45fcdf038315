#include "splashwindow.h"

#include "installation.h"
#include "shellrules.h"
#include "shelltexts.h"
#include "windowcaption.h"
#include "windowplacement.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int Margin = 240;      // twips around the picture, the options and the buttons
constexpr int OptionPitch = 300; // twips from one option to the next

QPushButton *button(const QString &caption, QWidget *parent) {
    auto *result = new QPushButton(caption, parent);
    result->setAccessibleName(AccessibleName(caption));
    return result;
}

} // namespace

SplashWindow::SplashWindow(const QImage &picture, const StartupChoice &choice, QWidget *parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Choose an Option"));
    setAccessibleName(windowTitle());

    auto *pictureBox = new QLabel(this);
    pictureBox->setPixmap(QPixmap::fromImage(picture));
    pictureBox->setAccessibleName(Installation::FileDescription());

    auto *frame = new QGroupBox(this);
    frame->setAccessibleName(windowTitle());
    auto *optionsLayout = new QVBoxLayout(frame);
    optionsLayout->setSpacing(0);
    auto *group = new QButtonGroup(this);
    for (int number = 0; number < CalculatorCount; ++number) {
        const Calculator calculator = *CalculatorFromNumber(number);
        const CalculatorOption &state = choice.options[std::size_t(number)];
        auto *option = new QRadioButton(CalculatorOptionCaption(calculator), frame);
        option->setObjectName(QStringLiteral("optIllustrationType%1").arg(number));
        option->setAccessibleName(AccessibleName(option->text()));
        // A hidden option gives its row back, so the window shrinks by one pitch for each.
        option->setFixedHeight(ToPixels(OptionPitch));
        option->setVisible(state.visible);
        option->setEnabled(state.enabled);
        option->setToolTip(state.toolTip);
        option->setChecked(choice.selected == calculator);
        group->addButton(option, number);
        optionsLayout->addWidget(option);
        m_options[std::size_t(number)] = option;
    }

    auto *ok = button(QStringLiteral("&Ok"), this);
    auto *cancel = button(QStringLiteral("&Cancel"), this);
    ok->setDefault(true);
    // Buttons of equal width.
    const int width = std::max(ok->sizeHint().width(), cancel->sizeHint().width());
    ok->setFixedWidth(width);
    cancel->setFixedWidth(width);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *legal = new QLabel(ShellText::LegalNotice(), this);
    legal->setWordWrap(true);
    legal->setAccessibleName(legal->text());

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(legal, 1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    const int margin = ToPixels(Margin);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(pictureBox);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    // The window's size follows the picture and the options shown.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget *previous = nullptr;
    for (QRadioButton *option : m_options) {
        if (previous)
            setTabOrder(previous, option);
        previous = option;
    }
    setTabOrder(previous, ok);
    setTabOrder(ok, cancel);
    // The keyboard starts on the selected option, so the arrows choose and Enter confirms.
    QRadioButton *start = m_options[std::size_t(CalculatorNumber(choice.selected))];
    if (!start->isVisibleTo(this) || !start->isEnabled())
        start = nullptr;
    for (QRadioButton *option : m_options) {
        if (!start && option->isVisibleTo(this) && option->isEnabled())
            start = option;
    }
    if (start)
        start->setFocus();
}

Calculator SplashWindow::selected() const {
    for (int number = 0; number < CalculatorCount; ++number) {
        if (m_options[std::size_t(number)]->isChecked())
            return *CalculatorFromNumber(number);
    }
    return Calculator::Rmd;
}
