#include "testsupport.h"
#include "windows1252.h"

namespace {

TEST(Windows1252Test, HighCharactersFollowTheWindowsTable) {
    const struct {
        unsigned char byte;
        char16_t character;
    } cases[] = {
        {0x41, u'A'},      {0x80, u'\u20AC'}, {0x85, u'\u2026'}, {0x8A, u'\u0160'},
        {0x92, u'\u2019'}, {0x96, u'\u2013'}, {0x9F, u'\u0178'}, {0xA0, u'\u00A0'},
        {0xE9, u'\u00E9'}, {0xFF, u'\u00FF'},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Windows1252::toUnicode(c.byte), QChar(c.character)) << int(c.byte);
        const QByteArray encoded = Windows1252::encode(QString(QChar(c.character)));
        ASSERT_EQ(encoded.size(), 1);
        EXPECT_EQ(static_cast<unsigned char>(encoded.at(0)), c.byte) << int(c.byte);
    }
}

TEST(Windows1252Test, EveryDefinedByteRoundTrips) {
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte) {
        if (Windows1252::isDefined(static_cast<unsigned char>(byte)))
            all.append(char(byte));
    }
    EXPECT_EQ(all.size(), 256 - 5);
    EXPECT_EQ(Windows1252::encode(Windows1252::decode(all)), all);
    EXPECT_TRUE(Windows1252::allDefined(all.constData(), all.size()));
}

TEST(Windows1252Test, UndefinedBytesAreFoundAnywhere) {
    for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_FALSE(Windows1252::isDefined(undefined));
        // At every offset, so the eight-bytes-at-a-time scan misses none.
        for (int at = 0; at < 20; ++at) {
            QByteArray bytes(20, 'a');
            bytes[at] = char(undefined);
            EXPECT_FALSE(Windows1252::allDefined(bytes.constData(), bytes.size()))
                << int(undefined) << " at " << at;
        }
        EXPECT_EQ(Windows1252::decode(QByteArray(1, char(undefined))),
                  QString(QChar(QChar::ReplacementCharacter)));
    }
}

TEST(Windows1252Test, MissingCharactersBecomeOneQuestionMarkEach) {
    const struct {
        const char *name;
        QString text;
        QByteArray bytes;
    } cases[] = {
        {"Greek", QStringLiteral("\u03A9mega"), "?mega"},
        {"CJK", QStringLiteral("A\u4E2DB"), "A?B"},
        {"emoji (a surrogate pair) is one character", QStringLiteral("x\U0001F600y"), "x?y"},
        {"Latin-1 and Windows extras kept", QStringLiteral("Jos\u00E9 \u20AC5"),
         QByteArray("Jos\xE9 \x80"
                    "5")},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Windows1252::encode(c.text), c.bytes) << c.name;
        EXPECT_EQ(Windows1252::representable(c.text).size(), c.bytes.size()) << c.name;
    }
}

} // namespace
