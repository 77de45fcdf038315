#include "rtftext.h"

#include "windows1252.h"

namespace {

bool isLowerLetter(QChar c) {
    return c >= u'a' && c <= u'z';
}

} // namespace

namespace RtfText {

QString escape(const QString &text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u'{' || c == u'}')
            escaped += u'\\';
        escaped += c;
    }
    return escaped;
}

QString toCodePage(const QString &fragment) {
    QString text;
    text.reserve(fragment.size());
    for (const QChar c : fragment) {
        // Units, not characters: a surrogate is never in the code page, so a pair gives two
        // "\uN?" as RTF writes it.
        if (const auto byte = Windows1252::toByte(c.unicode())) {
            text += QChar(char16_t(*byte));
            continue;
        }
        const int unit = c.unicode();
        text += QStringLiteral("\\u%1?").arg(unit > 0x7FFF ? unit - 0x10000 : unit);
    }
    return text;
}

qsizetype indexOfControlWord(QStringView rtf, QStringView word) {
    for (qsizetype at = 0; at + 1 < rtf.size(); ++at) {
        if (rtf[at] != u'\\')
            continue;
        const QStringView rest = rtf.mid(at + 1);
        if (rest.startsWith(word) &&
            (rest.size() == word.size() || !isLowerLetter(rest[word.size()])))
            return at;
        // An escaped character ("\\" or "\{") goes with its backslash: it starts nothing.
        if (!isLowerLetter(rest[0]))
            ++at;
    }
    return -1;
}

} // namespace RtfText
