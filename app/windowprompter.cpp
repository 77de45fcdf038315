#include "windowprompter.h"

#include "installation.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

int runBox(const QString &caption, const QString &text, MessageIcon icon,
           QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    QMessageBox box(boxIcon(icon), caption.isEmpty() ? Installation::FileDescription() : caption,
                    // Lines are joined by CR LF in the system's texts; a box wants LF.
                    QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), buttons,
                    QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    return box.exec();
}

} // namespace

void MessageBoxPrompter::notice(const QString &caption, const QString &text, MessageIcon icon) {
    runBox(caption, text, icon, QMessageBox::Ok, QMessageBox::Ok);
}

Answer MessageBoxPrompter::ask(const QString &caption, const QString &text, Buttons buttons,
                               MessageIcon icon) {
    switch (buttons) {
    case Buttons::YesNo:
        return runBox(caption, text, icon, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
                       QMessageBox::Yes
                   ? Answer::Yes
                   : Answer::No;
    case Buttons::OkCancel:
        return runBox(caption, text, icon, QMessageBox::Ok | QMessageBox::Cancel,
                      QMessageBox::Ok) == QMessageBox::Ok
                   ? Answer::Ok
                   : Answer::Cancel;
    case Buttons::Ok:
        break;
    }
    runBox(caption, text, icon, QMessageBox::Ok, QMessageBox::Ok);
    return Answer::Ok;
}

void MessageBoxPrompter::showFieldError(const FieldFocus &, const QString &message,
                                        const QString &title) {
    notice(title, message, MessageIcon::Exclamation);
}

FieldFocusPrompter::FieldFocusPrompter(Prompter &messages, QTabWidget *tabs,
                                       std::function<QWidget *(Calculator)> page,
                                       std::function<QWidget *(int slot)> field,
                                       std::function<bool()> dataWindowVisible)
    : m_messages(messages), m_tabs(tabs), m_page(std::move(page)), m_field(std::move(field)),
      m_dataWindowVisible(std::move(dataWindowVisible)) {}

void FieldFocusPrompter::notice(const QString &caption, const QString &text, MessageIcon icon) {
    m_messages.notice(caption, text, icon);
}

Answer FieldFocusPrompter::ask(const QString &caption, const QString &text, Buttons buttons,
                               MessageIcon icon) {
    return m_messages.ask(caption, text, buttons, icon);
}

void FieldFocusPrompter::showFieldError(const FieldFocus &focus, const QString &message,
                                        const QString &title) {
    if (!calculatorTabAvailable(focus.calculator) || dataWindowVisible())
        return;
    m_tabs->setCurrentWidget(m_page(focus.calculator));
    if (QWidget *widget = m_field ? m_field(focus.slot) : nullptr) {
        // A real focus move: the field the focus leaves and this one format their texts.
        widget->setFocus(Qt::OtherFocusReason);
        // The whole text, as focusing formatted it (a rate loses its "%").
        if (auto *line = qobject_cast<QLineEdit *>(widget); line && focus.selectionLength > 0)
            line->setSelection(focus.selectionStart, int(line->text().size()));
    }
    m_messages.showFieldError(focus, message, title);
}

bool FieldFocusPrompter::calculatorTabAvailable(Calculator calculator) const {
    const int index = m_tabs ? m_tabs->indexOf(m_page(calculator)) : -1;
    return index >= 0 && m_tabs->isTabEnabled(index);
}

bool FieldFocusPrompter::dataWindowVisible() const {
    return m_dataWindowVisible && m_dataWindowVisible();
}
