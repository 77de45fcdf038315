#pragma once

// The window prompters. MessageBoxPrompter shows every notice, question and field error as a
// message box with the system's icons and buttons. FieldFocusPrompter is the main window's: a
// field error first makes the calculator's tab current, focuses the field and selects its text,
// then hands the message on to the prompter under it (message boxes, or a recorder in tests).

#include "prompter.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QTabWidget;

class MessageBoxPrompter final : public Prompter {
public:
    // Boxes are centred over the active window.
    void notice(const QString &caption, const QString &text, MessageIcon icon) override;
    Answer ask(const QString &caption, const QString &text, Buttons buttons,
               MessageIcon icon) override;
    void showFieldError(const FieldFocus &focus, const QString &message,
                        const QString &title) override;
    bool calculatorTabAvailable(Calculator) const override { return true; }
    bool dataWindowVisible() const override { return false; }
};

class FieldFocusPrompter final : public Prompter {
public:
    // `tabs` is the tab strip and `page` a calculator's page in it; `field` finds the widget
    // bound to a slot (nullptr while none is); `dataWindowVisible` tells whether the
    // saved-illustrations window is on screen.
    FieldFocusPrompter(Prompter &messages, QTabWidget *tabs,
                       std::function<QWidget *(Calculator)> page,
                       std::function<QWidget *(int slot)> field,
                       std::function<bool()> dataWindowVisible);

    void notice(const QString &caption, const QString &text, MessageIcon icon) override;
    Answer ask(const QString &caption, const QString &text, Buttons buttons,
               MessageIcon icon) override;
    void showFieldError(const FieldFocus &focus, const QString &message,
                        const QString &title) override;
    bool calculatorTabAvailable(Calculator calculator) const override;
    bool dataWindowVisible() const override;

    void setFieldLocator(std::function<QWidget *(int slot)> field) { m_field = std::move(field); }

private:
    Prompter &m_messages;
    QPointer<QTabWidget> m_tabs;
    std::function<QWidget *(Calculator)> m_page;
    std::function<QWidget *(int)> m_field;
    std::function<bool()> m_dataWindowVisible;
};
