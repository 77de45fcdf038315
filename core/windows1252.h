#pragma once

// Windows-1252, the code page every record file is stored in: one byte per character. Bytes
// 0x00-0x7F and 0xA0-0xFF are the Latin-1 characters of the same value; 0x80-0x9F carry the
// typographic characters of the Windows table, five of them undefined.

#include <QByteArray>
#include <QString>
#include <optional>

namespace Windows1252 {

// The character of one byte; QChar::Null for the five undefined bytes (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) as for the NUL byte itself.
QChar toUnicode(unsigned char byte);
bool isDefined(unsigned char byte);
// The byte of a character; none for a character the code page lacks.
std::optional<unsigned char> toByte(char32_t code);

// Whether every byte of the range is a defined character.
bool allDefined(const char *data, qsizetype size);

// The text of a byte range; an undefined byte becomes U+FFFD.
QString decode(const char *data, qsizetype size);
inline QString decode(const QByteArray &bytes) {
    return decode(bytes.constData(), bytes.size());
}

// One byte per character: a character the code page lacks (a surrogate pair counts as one)
// becomes "?".
QByteArray encode(const QString &text);

// The text with every character the code page lacks replaced by "?", so its length in
// characters is its length in bytes once encoded.
QString representable(const QString &text);

} // namespace Windows1252
