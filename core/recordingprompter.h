#pragma once

// A prompter without windows: keeps what would have been shown and answers questions from a
// queue of scripted answers (then from a default). Used by rmdbatch and the tests.

#include "prompter.h"

#include <QList>
#include <array>

class RecordingPrompter final : public Prompter {
public:
    struct Message {
        QString caption;
        QString text;
        MessageIcon icon;
    };
    struct Question {
        QString caption;
        QString text;
        Buttons buttons;
        Answer answer;
    };
    struct FieldError {
        FieldFocus focus;
        QString message;
        QString title;
    };

    void notice(const QString &caption, const QString &text, MessageIcon icon) override;
    Answer ask(const QString &caption, const QString &text, Buttons buttons,
               MessageIcon icon) override;
    void showFieldError(const FieldFocus &focus, const QString &message,
                        const QString &title) override;
    bool calculatorTabAvailable(Calculator calculator) const override;
    bool dataWindowVisible() const override { return m_dataWindowVisible; }

    void queueAnswer(Answer answer) { m_answers.append(answer); }
    void setDefaultAnswer(Answer answer) { m_defaultAnswer = answer; }
    void setCalculatorTabAvailable(Calculator calculator, bool available);
    void setDataWindowVisible(bool visible) { m_dataWindowVisible = visible; }

    const QList<Message> &messages() const { return m_messages; }
    const QList<Question> &questions() const { return m_questions; }
    const QList<FieldError> &fieldErrors() const { return m_fieldErrors; }
    void clear();

private:
    QList<Message> m_messages;
    QList<Question> m_questions;
    QList<FieldError> m_fieldErrors;
    QList<Answer> m_answers;
    Answer m_defaultAnswer = Answer::No;
    std::array<bool, CalculatorCount> m_tabAvailable{true, true, true, true};
    bool m_dataWindowVisible = false;
};
