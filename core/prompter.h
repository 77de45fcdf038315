#pragma once

// Every message box, question and field-error display of the logic goes through this interface.
// The window implements it with message boxes and by focusing widgets; tests and rmdbatch
// record what is shown and answer from a script.

#include "calculator.h"

#include <QString>

enum class MessageIcon { None, Information, Question, Exclamation, Stop };

enum class Answer { Yes, No, Ok, Cancel };

enum class Buttons { Ok, YesNo, OkCancel };

// How a field error hands the input to the user: the calculator's tab made current, the slot
// focused and its text selected from selectionStart for selectionLength characters.
struct FieldFocus {
    Calculator calculator = Calculator::Rmd;
    int slot = 0;
    int selectionStart = 0;
    int selectionLength = 0;
};

class Prompter {
public:
    virtual ~Prompter() = default;

    // A message box with an OK button. An empty caption stands for the application's title.
    virtual void notice(const QString &caption, const QString &text, MessageIcon icon) = 0;

    // A question; returns the button chosen.
    virtual Answer ask(const QString &caption, const QString &text, Buttons buttons,
                       MessageIcon icon) = 0;

    // Focuses the field described by `focus` and shows `message` with an exclamation icon and
    // `title` as caption.
    virtual void showFieldError(const FieldFocus &focus, const QString &message,
                                const QString &title) = 0;

    // Whether the tab of this calculator can be shown; a field error for a calculator whose tab
    // is not available is not displayed.
    virtual bool calculatorTabAvailable(Calculator calculator) const = 0;

    // Whether the saved-illustrations window is on screen; field errors are not displayed then.
    virtual bool dataWindowVisible() const = 0;
};
