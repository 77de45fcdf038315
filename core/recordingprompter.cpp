#include "recordingprompter.h"

void RecordingPrompter::notice(const QString &caption, const QString &text, MessageIcon icon) {
    m_messages.append({caption, text, icon});
}

Answer RecordingPrompter::ask(const QString &caption, const QString &text, Buttons buttons,
                              MessageIcon) {
    const Answer answer = m_answers.isEmpty() ? m_defaultAnswer : m_answers.takeFirst();
    m_questions.append({caption, text, buttons, answer});
    return answer;
}

void RecordingPrompter::showFieldError(const FieldFocus &focus, const QString &message,
                                       const QString &title) {
    m_fieldErrors.append({focus, message, title});
}

bool RecordingPrompter::calculatorTabAvailable(int calculator) const {
    return !m_unavailableTabs.contains(calculator);
}

void RecordingPrompter::setCalculatorTabAvailable(int calculator, bool available) {
    if (available)
        m_unavailableTabs.remove(calculator);
    else
        m_unavailableTabs.insert(calculator);
}

void RecordingPrompter::clear() {
    m_messages.clear();
    m_questions.clear();
    m_fieldErrors.clear();
}
