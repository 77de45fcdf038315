#include "fieldformat.h"
#include "testsupport.h"

namespace {

using namespace FieldFormat;

TEST(FieldFormatTest, CleanNumber) {
    EXPECT_EQ(CleanNumber(QStringLiteral("$ 1,234.50%")), QStringLiteral("1234.50"));
    EXPECT_EQ(CleanNumber(QStringLiteral(" $1 ,000 ,000 ")), QStringLiteral("1000000"));
}

TEST(FieldFormatTest, Amounts) {
    const struct {
        const char *text, *amount;
    } cases[] = {
        {"1234", "1,234"},
        {"1234.567", "1,234.57"},
        {"1234.6", "1,234.60"},
        {"100000", "100,000"},
        {"", "0"},
        {"abc", "0"},
        {"0.5", "0.50"},
        {"12345678901", "12,345,678,901"},
        {"$1,234", "0"}, // a text's leading number only: callers clean first
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatAmount(QLatin1String(c.text)), QLatin1String(c.amount)) << c.text;
}

TEST(FieldFormatTest, KeystrokeFilterByKind) {
    const QChar backspace(Backspace);
    const QChar paste(22); // Ctrl+V reaches the filter as a control character
    const struct {
        int kind;
        QChar key;
        const char *current;
        bool accepted;
    } cases[] = {
        {1, QLatin1Char('5'), "", true},     {1, QLatin1Char('.'), "5", true},
        {1, QLatin1Char('.'), "5.", false},  {1, QLatin1Char('a'), "", false},
        {1, backspace, "5.", true},          {1, paste, "", false},
        {2, QLatin1Char('.'), "", false},    {3, QLatin1Char('9'), "", true},
        {3, QLatin1Char('-'), "", false},    {6, QLatin1Char('.'), "100", false},
        {6, QLatin1Char('$'), "", false},    {6, paste, "", false},
        {6, backspace, "1", true},           {4, QLatin1Char('.'), "1", true},
        {5, QLatin1Char('.'), "1.2", false}, {9, QLatin1Char('.'), "10", true},
        {7, QLatin1Char('/'), "", true},     {7, paste, "", true},
        {8, QLatin1Char('!'), "", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(acceptsKey(c.kind, c.key, QLatin1String(c.current)), c.accepted)
            << "kind " << c.kind << " key " << int(c.key.unicode()) << " into \"" << c.current
            << '"';
}

TEST(FieldFormatTest, WholeTextsByKind) {
    const struct {
        int kind;
        const char *text;
        bool accepted;
    } cases[] = {
        {3, "2020", true},  {3, "", true},           {3, "2020.7", false},
        {2, "1 5", false},  {2, "\b", false},        {6, "$250,000", true},
        {1, "2.98%", true}, {7, "01/15/2024", true}, {8, "O'Neil & Co.", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(acceptsText(c.kind, QLatin1String(c.text)), c.accepted)
            << "kind " << c.kind << " \"" << c.text << '"';
}

TEST(FieldFormatTest, PastedTextKeepsWhatTypingWould) {
    const struct {
        int kind;
        const char *before;
        const char *pasted;
        const char *kept;
    } cases[] = {{6, "", "$1,234.56", "123456"},
                 {1, "", "4.25%", "4.25"},
                 {1, "4.", "1.5", "15"},
                 {3, "", "20 26", "2026"},
                 {2, "", "x", ""},
                 {8, "", "O'Neil\tJr", "O'NeilJr"},
                 {7, "", "1 Jan 1930", "1 Jan 1930"}};
    for (const auto &c : cases)
        EXPECT_EQ(typedText(c.kind, QLatin1String(c.before), QLatin1String(c.pasted)),
                  QLatin1String(c.kept))
            << "kind " << c.kind << " \"" << c.pasted << "\" after \"" << c.before << '"';
}

TEST(FieldFormatTest, FocusOutThenFocusIn) {
    const struct {
        int kind;
        const char *typed, *afterFocusOut, *afterFocusIn;
    } cases[] = {{1, "5", "5.00%", "5.00"},
                 {1, "", "%", "0.00"},
                 {1, "4.125", "4.13%", "4.13"},
                 {6, "100000", "$100,000", "100000"},
                 {6, "1234.6", "$1,234.60", "1235"},
                 {6, "", "$0", "0"},
                 {9, "1234.5", "$1,234.50", "$1,234.50"},
                 {4, "1234.5", "1,234.5", "1,234.5"},
                 {5, "0.12345678", "0.1234568", "0.1234568"},
                 {3, "2020", "2020", "2020"},
                 {7, "1/1/1930", "1/1/1930", "1/1/1930"}};
    for (const auto &c : cases) {
        const QString out = focusOut(c.kind, QLatin1String(c.typed));
        EXPECT_EQ(out, QLatin1String(c.afterFocusOut)) << "kind " << c.kind << " " << c.typed;
        const FocusInResult in = focusIn(c.kind, out);
        EXPECT_EQ(in.text, QLatin1String(c.afterFocusIn)) << "kind " << c.kind << " " << c.typed;
        EXPECT_EQ(in.selectAll, !in.text.isEmpty());
    }
}

TEST(FieldFormatTest, FocusInLeavesWhatIsNotANumber) {
    EXPECT_EQ(focusIn(6, QStringLiteral("abc")).text, QStringLiteral("abc"));
    EXPECT_EQ(focusIn(6, QString()).text, QString());
    EXPECT_FALSE(focusIn(6, QString()).selectAll);
    EXPECT_EQ(focusIn(1, QStringLiteral("%")).text, QStringLiteral("0.00"));
}

} // namespace
