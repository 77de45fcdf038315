#include "rtftokenizer.h"

#include "windows1252.h"

#include <limits>

namespace {

bool isLowerLetter(char16_t c) {
    return c >= u'a' && c <= u'z';
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int hexValue(char16_t c) {
    if (isDigit(c))
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

QChar decoded(QChar c) {
    const char16_t code = c.unicode();
    return code >= 0x80 && code <= 0x9F ? Windows1252::toUnicode(static_cast<unsigned char>(code))
                                        : c;
}

} // namespace

void RtfTokenizer::feed(QStringView text) {
    for (const QChar c : text)
        take(c);
}

void RtfTokenizer::finish() {
    if (m_state == State::Word || m_state == State::Parameter)
        endWord();
    m_state = State::Text;
}

void RtfTokenizer::take(QChar c) {
    const char16_t code = c.unicode();
    switch (m_state) {
    case State::Text:
        if (code == u'\\')
            m_state = State::Backslash;
        else if (code == u'{')
            m_listener.groupStart();
        else if (code == u'}')
            m_listener.groupEnd();
        else
            m_listener.character(decoded(c));
        return;
    case State::Backslash:
        takeSymbol(c);
        return;
    case State::Hex:
        takeHex(c);
        return;
    case State::Word:
        if (isLowerLetter(code)) {
            if (m_word.size() < MaximumWordLength)
                m_word.push_back(char(code));
            else
                m_wordTooLong = true;
            return;
        }
        if (isDigit(code) || code == u'-') {
            m_state = State::Parameter;
            m_negative = code == u'-';
            if (!m_negative)
                take(c);
            return;
        }
        break;
    case State::Parameter:
        if (isDigit(code)) {
            m_hasDigits = true;
            if (!m_overflow) {
                m_value = m_value * 10 + (code - u'0');
                m_overflow = m_value > std::numeric_limits<int>::max();
            }
            return;
        }
        break;
    }
    // The control word ends here. A blank delimits it and belongs to it; anything else is read
    // again as text.
    endWord();
    if (code != u' ')
        take(c);
}

void RtfTokenizer::takeSymbol(QChar c) {
    const char16_t code = c.unicode();
    m_state = State::Text;
    if (isLowerLetter(code)) {
        m_state = State::Word;
        m_word.assign(1, char(code));
    } else if (code == u'\\' || code == u'{' || code == u'}') {
        m_listener.character(c);
    } else if (code == u'*') {
        m_listener.ignorableDestination();
    } else if (code == u'\'') {
        m_state = State::Hex;
        m_hexDigits = 0;
        m_hexValue = 0;
    } else if (code == u'~') {
        m_listener.character(QChar(u' ')); // non-breaking space
    }
    // Every other control symbol ("\-", "\_", "\|", a line break...) is dropped.
}

void RtfTokenizer::takeHex(QChar c) {
    const int digit = hexValue(c.unicode());
    if (digit < 0) {
        // A broken escape gives the apostrophe that the common "\'92" stands for; the character
        // that broke it is read normally, so a brace is never swallowed.
        m_state = State::Text;
        m_listener.character(QChar(u'\''));
        take(c);
        return;
    }
    m_hexValue = m_hexValue * 16 + digit;
    if (++m_hexDigits < 2)
        return;
    m_state = State::Text;
    // Single quotation marks become the straight apostrophe, as "\lquote" and "\rquote" do.
    if (m_hexValue == 0x91 || m_hexValue == 0x92)
        m_listener.character(QChar(u'\''));
    else
        m_listener.character(Windows1252::toUnicode(static_cast<unsigned char>(m_hexValue)));
}

void RtfTokenizer::endWord() {
    m_state = State::Text;
    // A parameter beyond the 32-bit range cannot be carried out; the word is dropped with it.
    if (!m_wordTooLong && !m_overflow) {
        std::optional<int> parameter;
        if (m_hasDigits)
            parameter = int(m_negative ? -m_value : m_value);
        m_listener.controlWord(m_word, parameter);
    }
    m_word.clear();
    m_wordTooLong = false;
    m_negative = false;
    m_hasDigits = false;
    m_overflow = false;
    m_value = 0;
}
