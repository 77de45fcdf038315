#include "windows1252.h"

#include <QList>

#include <array>
#include <cstdint>
#include <cstring>

namespace {

// 0x80-0x9F as Microsoft's code page table gives them; 0 marks the undefined bytes.
constexpr std::array<char16_t, 32> High{{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178, // 98-9F
}};

} // namespace

namespace Windows1252 {

QChar toUnicode(unsigned char byte) {
    if (byte < 0x80 || byte >= 0xA0)
        return QChar(char16_t(byte));
    return QChar(High[byte - 0x80]);
}

bool isDefined(unsigned char byte) {
    return byte < 0x80 || byte >= 0xA0 || High[byte - 0x80] != 0;
}

std::optional<unsigned char> toByte(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<unsigned char>(code);
    for (std::size_t index = 0; index < High.size(); ++index) {
        if (High[index] != 0 && High[index] == code)
            return static_cast<unsigned char>(0x80 + index);
    }
    return std::nullopt;
}

bool allDefined(const char *data, qsizetype size) {
    // Most records are plain ASCII: test eight bytes at a time for any high bit first.
    qsizetype index = 0;
    std::uint64_t high = 0;
    for (; index + 8 <= size; index += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + index, 8);
        high |= word;
    }
    for (qsizetype rest = index; rest < size; ++rest)
        high |= std::uint64_t(static_cast<unsigned char>(data[rest]));
    if ((high & 0x8080808080808080ULL) == 0)
        return true;
    for (qsizetype at = 0; at < size; ++at) {
        if (!isDefined(static_cast<unsigned char>(data[at])))
            return false;
    }
    return true;
}

QString decode(const char *data, qsizetype size) {
    QString text(size, Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype index = 0; index < size; ++index) {
        const QChar c = toUnicode(static_cast<unsigned char>(data[index]));
        out[index] = c.isNull() && data[index] != 0 ? QChar(QChar::ReplacementCharacter) : c;
    }
    return text;
}

QByteArray encode(const QString &text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t code : text.toUcs4())
        bytes.append(char(toByte(code).value_or('?')));
    return bytes;
}

QString representable(const QString &text) {
    return decode(encode(text));
}

} // namespace Windows1252
