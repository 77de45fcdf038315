#pragma once

// Splits an RTF text into groups, control words, control symbols and text characters and hands
// them, in order, to a listener (the shape of LibreOffice's RTF tokenizer). The tokenizer keeps
// no document state; what the tokens mean is the listener's business.

#include <QChar>
#include <QStringView>
#include <optional>
#include <string>
#include <string_view>

class RtfListener {
public:
    virtual ~RtfListener() = default;
    virtual void groupStart() = 0;
    virtual void groupEnd() = 0;
    // A control word without its backslash. The parameter is absent when none was written.
    virtual void controlWord(std::string_view word, std::optional<int> parameter) = 0;
    // "\*": the enclosing group is a destination to skip unless its word is known.
    virtual void ignorableDestination() = 0;
    // One text character, with "\\", "\{", "\}", "\~" and "\'hh" already resolved.
    virtual void character(QChar c) = 0;
};

class RtfTokenizer {
public:
    explicit RtfTokenizer(RtfListener &listener) : m_listener(listener) {}

    // The text may come in pieces; a control word or escape may span two calls. Characters
    // U+0080 to U+009F stand for the Windows-1252 bytes of a text read as Latin-1.
    void feed(QStringView text);
    // The end of the text ends an open control word; an unfinished escape yields nothing.
    void finish();

    // Control words are at most this long (RTF 1.9); longer ones are skipped whole.
    static constexpr std::size_t MaximumWordLength = 32;

private:
    enum class State { Text, Backslash, Word, Parameter, Hex };

    void take(QChar c);
    void takeSymbol(QChar c);
    void takeHex(QChar c);
    void endWord();

    RtfListener &m_listener;
    State m_state = State::Text;
    std::string m_word;
    bool m_wordTooLong = false;
    bool m_negative = false;
    bool m_hasDigits = false;
    bool m_overflow = false;
    long long m_value = 0;
    int m_hexDigits = 0;
    int m_hexValue = 0;
};
