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

bool RecordingPrompter::calculatorTabAvailable(Calculator calculator) const {
    return m_tabAvailable[std::size_t(CalculatorNumber(calculator))];
}

void RecordingPrompter::setCalculatorTabAvailable(Calculator calculator, bool available) {
    m_tabAvailable[std::size_t(CalculatorNumber(calculator))] = available;
}

void RecordingPrompter::clear() {
    m_messages.clear();
    m_questions.clear();
    m_fieldErrors.clear();
}
